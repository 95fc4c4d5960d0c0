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

Q_DECLARE_METATYPE(vellumora::FixedScreen)

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
    QWidget* showFromMainMenu(ScreenId page);
    template <typename T = QWidget>
    T* child(ScreenId screen, const QString& name) {
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
    program_->screens().handOver(program_->screens().find(FixedScreen::Splash),
                                 FixedScreen::MainMenu);
}

void InfoPagesTest::cleanup() {
    QVERIFY(dialogs_->allAnswersUsed());
    program_.reset();
    dialogs_.reset();
}

QWidget* InfoPagesTest::showFromMainMenu(ScreenId page) {
    program_->screens().handOver(program_->screens().find(FixedScreen::MainMenu), page);
    return program_->screens().find(page);
}

void InfoPagesTest::pageHasItsTitleSizeAndControls_data() {
    QTest::addColumn<FixedScreen>("page");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QSize>("clientTwips");
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("buttonText");
    QTest::addColumn<QString>("buttonTooltip");

    const QString close = QStringLiteral("Click here to close this window.");
    QTest::newRow("instructions") << FixedScreen::Instructions << "Vellumora - Instructions"
                                  << QSize(6990, 5175) << QStringList{"Label1", "Label2", "Label3"}
                                  << "cmdReturn"
                                  << "&Return to Main Screen"
                                  << "Click here to return to the main screen.";
    QTest::newRow("about") << FixedScreen::About << "Vellumora" << QSize(6195, 3990)
                           << QStringList{"lblAddy", "Label2"} << "cmdClose"
                           << "&Close" << close;
    QTest::newRow("version history")
        << FixedScreen::VersionHistory << "Vellumora - Version History" << QSize(7215, 4575)
        << QStringList{"Label1", "lblVersionHx"} << "cmdClose"
        << "&Close" << close;
    QTest::newRow("distribution") << FixedScreen::Distribution
                                  << "Vellumora - Distribution Information" << QSize(7170, 4680)
                                  << QStringList{"Label1", "Label2"} << "cmdClose"
                                  << "&Close" << close;
    QTest::newRow("warranty") << FixedScreen::Warranty << "Vellumora - Warranty Information"
                              << QSize(7065, 4680) << QStringList{"Label1", "Label2", "Label3"}
                              << "cmdClose"
                              << "&Close" << close;
    QTest::newRow("shareware") << FixedScreen::Shareware
                               << "Vellumora - Information About Shareware" << QSize(7980, 4815)
                               << QStringList{"Label1", "Label2"} << "cmdClose"
                               << "&Close" << close;
}

void InfoPagesTest::pageHasItsTitleSizeAndControls() {
    QFETCH(FixedScreen, page);
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
    QTest::addColumn<FixedScreen>("page");
    for (const FixedScreen page :
         {FixedScreen::Instructions, FixedScreen::About, FixedScreen::VersionHistory,
          FixedScreen::Distribution, FixedScreen::Warranty, FixedScreen::Shareware,
          FixedScreen::Credits})
        QTest::newRow(qPrintable(ScreenId(page).objectName())) << page;
}

// Clipped or overlapping text is what a look at the pages would catch; this
// catches it when a text or a place changes later.
void InfoPagesTest::labelsFitTheirPlacesWithoutOverlapping() {
    QFETCH(FixedScreen, page);
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
    QTest::addColumn<FixedScreen>("page");
    QTest::addColumn<QString>("leave");
    QTest::newRow("about") << "cmdInfo" << FixedScreen::About << "cmdClose";
    QTest::newRow("instructions") << "cmdInstruc" << FixedScreen::Instructions << "cmdReturn";
    QTest::newRow("distribution") << "cmdDistribution" << FixedScreen::Distribution << "cmdClose";
    QTest::newRow("warranty") << "cmdWarranty" << FixedScreen::Warranty << "cmdClose";
    QTest::newRow("shareware") << "cmdShareware" << FixedScreen::Shareware << "cmdClose";
}

void InfoPagesTest::mainMenuOpensPageAndPageReturns() {
    QFETCH(QString, entry);
    QFETCH(FixedScreen, page);
    QFETCH(QString, leave);
    QWidget* mainMenu = program_->screens().find(FixedScreen::MainMenu);
    child<QPushButton>(FixedScreen::MainMenu, entry)->click();
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
    QTest::addColumn<FixedScreen>("page");
    QTest::addColumn<bool>("yes");
    for (const FixedScreen page :
         {FixedScreen::Instructions, FixedScreen::About, FixedScreen::Distribution,
          FixedScreen::Warranty, FixedScreen::Shareware})
        for (bool yes : {false, true})
            QTest::addRow("%s, %s", qPrintable(ScreenId(page).objectName()), yes ? "Yes" : "No")
                << page << yes;
}

void InfoPagesTest::closeBoxAsksTheExitConfirmation() {
    QFETCH(FixedScreen, page);
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
    QTest::addColumn<FixedScreen>("page");
    QTest::addColumn<QString>("label");
    QTest::addColumn<bool>("rewrittenOnActivation");
    QTest::newRow("instructions") << FixedScreen::Instructions << "Label3" << true;
    QTest::newRow("about") << FixedScreen::About << "lblAddy" << true;
    QTest::newRow("distribution") << FixedScreen::Distribution << "Label1" << false;
    QTest::newRow("warranty") << FixedScreen::Warranty << "Label2" << false;
    QTest::newRow("shareware") << FixedScreen::Shareware << "Label2" << false;
}

void InfoPagesTest::textsAreWrittenAtTheirRefreshPoint() {
    QFETCH(FixedScreen, page);
    QFETCH(QString, label);
    QFETCH(bool, rewrittenOnActivation);
    showFromMainMenu(page);
    auto* text = child<QLabel>(page, label);
    const QString written = text->text();
    text->setText(QStringLiteral("stale"));
    program_->screens().handOver(program_->screens().find(page), FixedScreen::MainMenu);
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
    QWidget* window = program_->screens().show(FixedScreen::VersionHistory);
    QCOMPARE(window->findChild<QLabel*>(QStringLiteral("lblVersionHx"))->text(), expected);
    QCOMPARE(window->findChild<QLabel*>(QStringLiteral("Label1"))->text(),
             QStringLiteral("Vellumora - Version History"));
}

void InfoPagesTest::versionHistoryOpensOverTheAboutPageOnce() {
    QWidget* about = showFromMainMenu(FixedScreen::About);
    auto* link = child<QLabel>(FixedScreen::About, QStringLiteral("Label2"));
    QCOMPARE(link->text(), QStringLiteral("Version History"));
    QCOMPARE(link->toolTip(), QStringLiteral("Click here to read the version history."));
    QTest::mouseClick(link, Qt::LeftButton);
    QWidget* history = program_->screens().find(FixedScreen::VersionHistory);
    QVERIFY(history && history->isVisible());
    QVERIFY(about->isVisible());

    QTest::mouseClick(link, Qt::LeftButton);
    QCOMPARE(program_->screens().find(FixedScreen::VersionHistory), history);
    int open = 0;
    for (QWidget* window : QApplication::topLevelWidgets())
        open += window->objectName() == QLatin1String("frmVersionHx") ? 1 : 0;
    QCOMPARE(open, 1);

    // Close only hides it; the About page is the active screen again.
    child<QPushButton>(FixedScreen::VersionHistory, QStringLiteral("cmdClose"))->click();
    QVERIFY(!history->isVisible());
    QCOMPARE(program_->screens().find(FixedScreen::VersionHistory), history);
    QVERIFY(about->isVisible());
    QCOMPARE(program_->screens().activeScreen(), about);
}

void InfoPagesTest::versionHistoryCloseBoxDestroysWithoutAsking() {
    QWidget* about = showFromMainMenu(FixedScreen::About);
    QWidget* history = program_->screens().show(FixedScreen::VersionHistory);
    QPointer<QWidget> watched(history);
    history->close();
    QVERIFY(dialogs_->requests().isEmpty());
    QVERIFY(!program_->screens().find(FixedScreen::VersionHistory));
    QVERIFY(about->isVisible());
    QTRY_VERIFY(watched.isNull());

    QWidget* again = program_->screens().show(FixedScreen::VersionHistory);
    QVERIFY(again && again->isVisible());
    QCOMPARE(again->findChild<QLabel*>(QStringLiteral("lblVersionHx"))->text(),
             infotexts::versionHistory());
}

void InfoPagesTest::pictureOpensCreditsAndCloseBringsAboutBack() {
    QWidget* about = showFromMainMenu(FixedScreen::About);
    auto* picture = child<QLabel>(FixedScreen::About, QStringLiteral("Picture1"));
    QVERIFY(picture);
    QCOMPARE(picture->toolTip(), QStringLiteral("Click here to read the credits."));
    QCOMPARE(picture->pixmap().size(), QSize(32, 32));
    QTest::mouseClick(picture, Qt::LeftButton);
    QWidget* credits = program_->screens().find(FixedScreen::Credits);
    QVERIFY(credits && credits->isVisible());
    QVERIFY(!about->isVisible());

    auto* contact = child<QLabel>(FixedScreen::About, QStringLiteral("lblAddy"));
    contact->setText(QStringLiteral("stale"));
    child<QPushButton>(FixedScreen::Credits, QStringLiteral("cmdClose"))->click();
    QVERIFY(about->isVisible());
    QVERIFY(!credits->isVisible());
    QCOMPARE(contact->text(), infotexts::contactBlock());
    QCOMPARE(contact->text().split(QStringLiteral("\r\n")).size(), 6);
    QCOMPARE(contact->palette().color(QPalette::WindowText), QColor(192, 0, 0));
    // Close only hides the credits window; the next click shows the same one.
    QCOMPARE(program_->screens().find(FixedScreen::Credits), credits);
}

void InfoPagesTest::creditsCloseBoxReturnsToAboutAndDestroys() {
    QWidget* about = showFromMainMenu(FixedScreen::About);
    program_->screens().handOver(about, FixedScreen::Credits);
    QWidget* credits = program_->screens().find(FixedScreen::Credits);
    credits->close();
    QVERIFY(dialogs_->requests().isEmpty());
    QVERIFY(about->isVisible());
    QCOMPARE(program_->screens().activeScreen(), about);
    QVERIFY(!program_->screens().find(FixedScreen::Credits));
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
