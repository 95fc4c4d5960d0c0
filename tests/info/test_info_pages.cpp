#include "app/program.h"
#include "info/infotexts.h"
#include "shell/units.h"
#include "support/scripteddialogs.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace vellumora;
using test::ScriptedDialogs;

class InfoPagesTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void pageHasItsTitleSizeAndControls_data();
    void pageHasItsTitleSizeAndControls();
    void labelsFitTheirPlacesWithoutOverlapping_data();
    void labelsFitTheirPlacesWithoutOverlapping();
    void mainMenuOpensPageAndPageReturns_data();
    void mainMenuOpensPageAndPageReturns();
    void closeBoxAsksTheExitConfirmation_data();
    void closeBoxAsksTheExitConfirmation();
    void textsAreWrittenAtTheirRefreshPoint_data();
    void textsAreWrittenAtTheirRefreshPoint();

    void versionHistoryTextIsExact();
    void versionHistoryOpensOverTheAboutPageOnce();
    void versionHistoryCloseBoxDestroysWithoutAsking();
    void pictureOpensCreditsAndCloseBringsAboutBack();
    void creditsCloseBoxReturnsToAboutAndDestroys();
    void instructionsHoldTheGivenSentences();

private:
    QWidget* showFromMainMenu(const QString& page);
    template <typename T = QWidget>
    T* child(const QString& screen, const QString& name) {
        QWidget* window = program_->screens().find(screen);
        return window ? window->findChild<T*>(name) : nullptr;
    }

    std::unique_ptr<ScriptedDialogs> dialogs_;
    std::unique_ptr<Program> program_;
    bool ended_ = false;
};

void InfoPagesTest::init() {
    dialogs_ = std::make_unique<ScriptedDialogs>();
    ended_ = false;
    program_ = std::make_unique<Program>(*dialogs_, [this] { ended_ = true; });
    program_->start();
    program_->screens().handOver(program_->screens().find(QStringLiteral("frmSplash")),
                                 QStringLiteral("frmMain"));
}

void InfoPagesTest::cleanup() {
    QVERIFY(dialogs_->allAnswersUsed());
    program_.reset();
    dialogs_.reset();
}

QWidget* InfoPagesTest::showFromMainMenu(const QString& page) {
    program_->screens().handOver(program_->screens().find(QStringLiteral("frmMain")), page);
    return program_->screens().find(page);
}

void InfoPagesTest::pageHasItsTitleSizeAndControls_data() {
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QSize>("clientTwips");
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("buttonText");
    QTest::addColumn<QString>("buttonTooltip");

    const QString close = QStringLiteral("Click here to close this window.");
    QTest::newRow("instructions") << "frmInstruc"
                                  << "Vellumora - Instructions" << QSize(6990, 5175)
                                  << QStringList{"Label1", "Label2", "Label3"} << "cmdReturn"
                                  << "&Return to Main Screen"
                                  << "Click here to return to the main screen.";
    QTest::newRow("about") << "frmInfo"
                           << "Vellumora" << QSize(6195, 3990) << QStringList{"lblAddy", "Label2"}
                           << "cmdClose"
                           << "&Close" << close;
    QTest::newRow("version history") << "frmVersionHx"
                                     << "Vellumora - Version History" << QSize(7215, 4575)
                                     << QStringList{"Label1", "lblVersionHx"} << "cmdClose"
                                     << "&Close" << close;
    QTest::newRow("distribution") << "frmDistribution"
                                  << "Vellumora - Distribution Information" << QSize(7170, 4680)
                                  << QStringList{"Label1", "Label2"} << "cmdClose"
                                  << "&Close" << close;
    QTest::newRow("warranty") << "frmWarranty"
                              << "Vellumora - Warranty Information" << QSize(7065, 4680)
                              << QStringList{"Label1", "Label2", "Label3"} << "cmdClose"
                              << "&Close" << close;
    QTest::newRow("shareware") << "frmShare"
                               << "Vellumora - Information About Shareware" << QSize(7980, 4815)
                               << QStringList{"Label1", "Label2"} << "cmdClose"
                               << "&Close" << close;
}

void InfoPagesTest::pageHasItsTitleSizeAndControls() {
    QFETCH(QString, page);
    QFETCH(QString, title);
    QFETCH(QSize, clientTwips);
    QFETCH(QStringList, labels);
    QFETCH(QString, button);
    QFETCH(QString, buttonText);
    QFETCH(QString, buttonTooltip);

    QWidget* window = program_->screens().show(page);
    QCOMPARE(window->windowTitle(), title);
    QCOMPARE(window->size(), pxSize(clientTwips.width(), clientTwips.height()));
    for (const QString& name : labels) {
        auto* label = window->findChild<QLabel*>(name);
        QVERIFY2(label, qPrintable(name));
        QVERIFY2(!label->text().isEmpty(), qPrintable(name));
        QVERIFY(label->font().bold());
        QCOMPARE(label->font().pointSizeF(), 9.75);
    }
    auto* leave = window->findChild<QPushButton*>(button);
    QVERIFY(leave);
    QCOMPARE(leave->text(), buttonText);
    QCOMPARE(leave->toolTip(), buttonTooltip);
}

void InfoPagesTest::labelsFitTheirPlacesWithoutOverlapping_data() {
    QTest::addColumn<QString>("page");
    for (const char* page : {"frmInstruc", "frmInfo", "frmVersionHx", "frmDistribution",
                             "frmWarranty", "frmShare", "frmCredits2"})
        QTest::newRow(page) << QString::fromLatin1(page);
}

// Clipped or overlapping text is what a look at the pages would catch; this
// catches it when a text or a place changes later.
void InfoPagesTest::labelsFitTheirPlacesWithoutOverlapping() {
    QFETCH(QString, page);
    QWidget* window = program_->screens().show(page);
    const QList<QWidget*> children =
        window->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    for (QWidget* child : children) {
        const QByteArray name = child->objectName().toLatin1();
        QVERIFY2(window->rect().contains(child->geometry()), name);
        if (auto* label = qobject_cast<QLabel*>(child); label && label->wordWrap())
            QVERIFY2(label->heightForWidth(label->width()) <= label->height(), name);
        for (QWidget* other : children)
            if (other != child)
                QVERIFY2(!child->geometry().intersects(other->geometry()), name);
    }
}

void InfoPagesTest::mainMenuOpensPageAndPageReturns_data() {
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("leave");
    QTest::newRow("about") << "cmdInfo"
                           << "frmInfo"
                           << "cmdClose";
    QTest::newRow("instructions") << "cmdInstruc"
                                  << "frmInstruc"
                                  << "cmdReturn";
    QTest::newRow("distribution") << "cmdDistribution"
                                  << "frmDistribution"
                                  << "cmdClose";
    QTest::newRow("warranty") << "cmdWarranty"
                              << "frmWarranty"
                              << "cmdClose";
    QTest::newRow("shareware") << "cmdShareware"
                               << "frmShare"
                               << "cmdClose";
}

void InfoPagesTest::mainMenuOpensPageAndPageReturns() {
    QFETCH(QString, entry);
    QFETCH(QString, page);
    QFETCH(QString, leave);
    QWidget* mainMenu = program_->screens().find(QStringLiteral("frmMain"));
    child<QPushButton>(QStringLiteral("frmMain"), entry)->click();
    QWidget* window = program_->screens().find(page);
    QVERIFY(window && window->isVisible());
    QVERIFY(!mainMenu->isVisible());
    QCOMPARE(program_->screens().activeScreen(), window);

    child<QPushButton>(page, leave)->click();
    QVERIFY(mainMenu->isVisible());
    QVERIFY(!window->isVisible());
    QCOMPARE(program_->screens().activeScreen(), mainMenu);
}

void InfoPagesTest::closeBoxAsksTheExitConfirmation_data() {
    QTest::addColumn<QString>("page");
    QTest::addColumn<bool>("yes");
    for (const char* page : {"frmInstruc", "frmInfo", "frmDistribution", "frmWarranty", "frmShare"})
        for (bool yes : {false, true})
            QTest::addRow("%s, %s", page, yes ? "Yes" : "No") << QString::fromLatin1(page) << yes;
}

void InfoPagesTest::closeBoxAsksTheExitConfirmation() {
    QFETCH(QString, page);
    QFETCH(bool, yes);
    QWidget* window = showFromMainMenu(page);
    dialogs_->answerMessage(yes ? MessageButton::Yes : MessageButton::No);
    window->close();

    QCOMPARE(dialogs_->messages().size(), 1);
    test::compareWithExitQuestion(dialogs_->messages().first());
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(ended_, yes);
    QCOMPARE(window->isVisible(), !yes);
    QCOMPARE(program_->screens().find(page), window);
}

void InfoPagesTest::textsAreWrittenAtTheirRefreshPoint_data() {
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("label");
    QTest::addColumn<bool>("rewrittenOnActivation");
    QTest::newRow("instructions") << "frmInstruc"
                                  << "Label3" << true;
    QTest::newRow("about") << "frmInfo"
                           << "lblAddy" << true;
    QTest::newRow("distribution") << "frmDistribution"
                                  << "Label1" << false;
    QTest::newRow("warranty") << "frmWarranty"
                              << "Label2" << false;
    QTest::newRow("shareware") << "frmShare"
                               << "Label2" << false;
}

void InfoPagesTest::textsAreWrittenAtTheirRefreshPoint() {
    QFETCH(QString, page);
    QFETCH(QString, label);
    QFETCH(bool, rewrittenOnActivation);
    showFromMainMenu(page);
    auto* text = child<QLabel>(page, label);
    const QString written = text->text();
    text->setText(QStringLiteral("stale"));
    program_->screens().handOver(program_->screens().find(page), QStringLiteral("frmMain"));
    showFromMainMenu(page);
    QCOMPARE(text->text(), rewrittenOnActivation ? written : QStringLiteral("stale"));
}

void InfoPagesTest::versionHistoryTextIsExact() {
    const QString expected = QStringLiteral(
        "Version 2.0:\r\n- Added text editing capabilities.\r\n\r\n"
        "Version 2.1:\r\n- Fixed text editor resizing problem.\r\n"
        "- Added ability to reload previously saved data.\r\n\r\n"
        "Version 2.1.1:\r\n- Made changes to stress need to save to a file.\r\n\r\n");
    QCOMPARE(infotexts::versionHistory(), expected);
    QWidget* window = program_->screens().show(QStringLiteral("frmVersionHx"));
    QCOMPARE(window->findChild<QLabel*>(QStringLiteral("lblVersionHx"))->text(), expected);
    QCOMPARE(window->findChild<QLabel*>(QStringLiteral("Label1"))->text(),
             QStringLiteral("Vellumora - Version History"));
}

void InfoPagesTest::versionHistoryOpensOverTheAboutPageOnce() {
    QWidget* about = showFromMainMenu(QStringLiteral("frmInfo"));
    auto* link = child<QLabel>(QStringLiteral("frmInfo"), QStringLiteral("Label2"));
    QCOMPARE(link->text(), QStringLiteral("Version History"));
    QCOMPARE(link->toolTip(), QStringLiteral("Click here to read the version history."));
    QTest::mouseClick(link, Qt::LeftButton);
    QWidget* history = program_->screens().find(QStringLiteral("frmVersionHx"));
    QVERIFY(history && history->isVisible());
    QVERIFY(about->isVisible());

    QTest::mouseClick(link, Qt::LeftButton);
    QCOMPARE(program_->screens().find(QStringLiteral("frmVersionHx")), history);
    int open = 0;
    for (QWidget* window : QApplication::topLevelWidgets())
        open += window->objectName() == QLatin1String("frmVersionHx") ? 1 : 0;
    QCOMPARE(open, 1);

    // Close only hides it; the About page is the active screen again.
    child<QPushButton>(QStringLiteral("frmVersionHx"), QStringLiteral("cmdClose"))->click();
    QVERIFY(!history->isVisible());
    QCOMPARE(program_->screens().find(QStringLiteral("frmVersionHx")), history);
    QVERIFY(about->isVisible());
    QCOMPARE(program_->screens().activeScreen(), about);
}

void InfoPagesTest::versionHistoryCloseBoxDestroysWithoutAsking() {
    QWidget* about = showFromMainMenu(QStringLiteral("frmInfo"));
    QWidget* history = program_->screens().show(QStringLiteral("frmVersionHx"));
    QPointer<QWidget> watched(history);
    history->close();
    QVERIFY(dialogs_->requests().isEmpty());
    QVERIFY(!program_->screens().find(QStringLiteral("frmVersionHx")));
    QVERIFY(about->isVisible());
    QTRY_VERIFY(watched.isNull());

    QWidget* again = program_->screens().show(QStringLiteral("frmVersionHx"));
    QVERIFY(again && again->isVisible());
    QCOMPARE(again->findChild<QLabel*>(QStringLiteral("lblVersionHx"))->text(),
             infotexts::versionHistory());
}

void InfoPagesTest::pictureOpensCreditsAndCloseBringsAboutBack() {
    QWidget* about = showFromMainMenu(QStringLiteral("frmInfo"));
    auto* picture = child<QLabel>(QStringLiteral("frmInfo"), QStringLiteral("Picture1"));
    QVERIFY(picture);
    QCOMPARE(picture->toolTip(), QStringLiteral("Click here to read the credits."));
    QCOMPARE(picture->pixmap().size(), QSize(32, 32));
    QTest::mouseClick(picture, Qt::LeftButton);
    QWidget* credits = program_->screens().find(QStringLiteral("frmCredits2"));
    QVERIFY(credits && credits->isVisible());
    QVERIFY(!about->isVisible());

    auto* contact = child<QLabel>(QStringLiteral("frmInfo"), QStringLiteral("lblAddy"));
    contact->setText(QStringLiteral("stale"));
    child<QPushButton>(QStringLiteral("frmCredits2"), QStringLiteral("cmdClose"))->click();
    QVERIFY(about->isVisible());
    QVERIFY(!credits->isVisible());
    QCOMPARE(contact->text(), infotexts::contactBlock());
    QCOMPARE(contact->text().split(QStringLiteral("\r\n")).size(), 6);
    QCOMPARE(contact->palette().color(QPalette::WindowText), QColor(192, 0, 0));
    // Close only hides the credits window; the next click shows the same one.
    QCOMPARE(program_->screens().find(QStringLiteral("frmCredits2")), credits);
}

void InfoPagesTest::creditsCloseBoxReturnsToAboutAndDestroys() {
    QWidget* about = showFromMainMenu(QStringLiteral("frmInfo"));
    program_->screens().handOver(about, QStringLiteral("frmCredits2"));
    QWidget* credits = program_->screens().find(QStringLiteral("frmCredits2"));
    credits->close();
    QVERIFY(dialogs_->requests().isEmpty());
    QVERIFY(about->isVisible());
    QCOMPARE(program_->screens().activeScreen(), about);
    QVERIFY(!program_->screens().find(QStringLiteral("frmCredits2")));
}

void InfoPagesTest::instructionsHoldTheGivenSentences() {
    QVERIFY(infotexts::instructionsIntro().endsWith(QStringLiteral(
        "Some questions are supplied, but others may be added in the text editing area.  NOTE:  "
        "All of the questions, including the ones you haven't answered, appear on the text "
        "editing page.  This is to remind you in case you accidentally forgot to answer one.")));
    const QString advice = infotexts::instructionsAdvice();
    QVERIFY(
        advice.contains(QStringLiteral("If you don't want to answer a certain question, don't.")));
    QVERIFY(advice.contains(
        QStringLiteral("Also add any questions you wish you were asked but weren't.")));
    QCOMPARE(infotexts::instructionsFeedback().count(QStringLiteral("\r\n")), 1);
}

QTEST_MAIN(InfoPagesTest)
#include "test_info_pages.moc"
