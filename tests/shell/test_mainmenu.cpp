#include "app/program.h"
#include "shell/mainmenu.h"
#include "shell/units.h"
#include "store/datafile.h"
#include "support/scripteddialogs.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace vellumora;
using test::ScriptedDialogs;

namespace {

/// A stand-in for a screen that other parts of the program build.
class Placeholder : public Screen {
public:
    explicit Placeholder(AppContext& context)
        : Screen(context, QStringLiteral("placeholder"), QSize(1500, 1500), CloseBox::AskExit) {}
};

struct Fixture {
    ScriptedDialogs dialogs;
    int ends = 0;
    Program program{dialogs, [this] { ++ends; }};

    Fixture() {
        program.start();
        click("frmSplash", "cmdEnter");
    }
    QWidget* screen(const char* name) { return program.screens().find(QString::fromLatin1(name)); }
    MainMenu* menu() { return program.screens().findAs<MainMenu>(QStringLiteral("frmMain")); }
    template <typename T = QPushButton>
    T* control(const char* screenName, const char* name) {
        T* found = screen(screenName)->findChild<T*>(QString::fromLatin1(name));
        if (!found)
            qWarning("no control %s on %s", name, screenName);
        return found;
    }
    void click(const char* screenName, const char* button) { control(screenName, button)->click(); }
    /// Goes to a stand-in screen and back, so that the main menu becomes active again.
    void returnToMenu() {
        program.screens().registerScreen(QStringLiteral("frmAway"),
                                         [this] { return new Placeholder(program.context()); });
        program.screens().handOver(menu(), QStringLiteral("frmAway"));
        program.screens().handOver(screen("frmAway"), QStringLiteral("frmMain"));
    }
};

}  // namespace

class MainMenuTest : public QObject {
    Q_OBJECT

private slots:
    void startUpCreatesTheMainMenuHidden();
    void splash();
    void splashExitAndCloseBoxEndWithoutQuestion();
    void entries_data();
    void entries();
    void tabOrderRunsThroughButtonsThenMarksThenLoad();
    void everyPlainSquareShowsAtFirst();
    void chapterMarkNeedsEveryAnswer();
    void markStaysWhenAnAnswerIsEmptied();
    void markedButtonOpensTheSameScreen();
    void accessKeysFollowTheTicks();
    void exitAsksAndNoKeeps();
    void loadDataAsksFirst_data();
    void loadDataAsksFirst();
    void loadDataReadsTheChosenFileAndMarksFollowLater();
    void loadingHerDocumentInsteadSaysSoAndChangesNothing();
};

void MainMenuTest::startUpCreatesTheMainMenuHidden() {
    ScriptedDialogs dialogs;
    Program program(dialogs, [] {});
    program.start();
    QVERIFY(program.screens().find(QStringLiteral("frmSplash"))->isVisible());
    QWidget* menu = program.screens().find(QStringLiteral("frmMain"));
    QVERIFY(menu);
    QVERIFY(!menu->isVisible());
    QCOMPARE(menu->windowTitle(), QStringLiteral("Vellumora"));
    QCOMPARE(menu->size(), pxSize(5640, 3960));
}

void MainMenuTest::splash() {
    ScriptedDialogs dialogs;
    Program program(dialogs, [] {});
    program.start();
    QWidget* splash = program.screens().find(QStringLiteral("frmSplash"));
    QCOMPARE(splash->windowTitle(), QStringLiteral("Vellumora"));
    QCOMPARE(splash->size(), pxSize(4320, 3720));
    auto* enter = splash->findChild<QPushButton*>(QStringLiteral("cmdEnter"));
    auto* exit = splash->findChild<QPushButton*>(QStringLiteral("cmdExit"));
    QCOMPARE(enter->text(), QStringLiteral("&Enter"));
    QCOMPARE(enter->toolTip(), QStringLiteral("Click here to begin."));
    QCOMPARE(exit->text(), QStringLiteral("E&xit"));
    QCOMPARE(exit->toolTip(), QStringLiteral("Click here to exit the program."));
    QCOMPARE(exit->geometry(), pxRect(120, 3120, 975, 495));
    QCOMPARE(enter->geometry(), pxRect(3240, 3120, 975, 495));
    QCOMPARE(splash->findChild<QLabel*>(QStringLiteral("Image1"))->pixmap().size(), QSize(274, 53));
    QCOMPARE(splash->findChild<QLabel*>(QStringLiteral("Picture1"))->pixmap().size(),
             QSize(237, 138));

    // Enter is the default button: the Enter key presses it.
    QApplication::setActiveWindow(splash);
    QTest::keyClick(splash, Qt::Key_Return);
    QVERIFY(program.screens().find(QStringLiteral("frmMain"))->isVisible());
    QVERIFY(!splash->isVisible());
    QVERIFY(dialogs.requests().isEmpty());
}

void MainMenuTest::splashExitAndCloseBoxEndWithoutQuestion() {
    enum class Way { ExitButton, CloseBox, EnterOnExit };
    for (const Way way : {Way::ExitButton, Way::CloseBox, Way::EnterOnExit}) {
        ScriptedDialogs dialogs;
        int ends = 0;
        Program program(dialogs, [&ends] { ++ends; });
        program.start();
        QWidget* splash = program.screens().find(QStringLiteral("frmSplash"));
        auto* exit = splash->findChild<QPushButton*>(QStringLiteral("cmdExit"));
        if (way == Way::CloseBox) {
            splash->close();
        } else if (way == Way::ExitButton) {
            exit->click();
        } else {
            // Enter presses the focused button, not the default one.
            QApplication::setActiveWindow(splash);
            exit->setFocus();
            QTest::keyClick(exit, Qt::Key_Return);
        }
        QCOMPARE(ends, 1);
        QVERIFY(dialogs.requests().isEmpty());
    }
}

void MainMenuTest::entries_data() {
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("tooltip");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QPoint>("buttonAt");
    QTest::addColumn<QString>("target");
    const auto row = [](int column, int k) {
        return QPoint(column == 0 ? 120 : 2880, 120 + 360 * k);
    };
    QTest::newRow("About") << "lblInfo"
                           << "&About this Program"
                           << "Information about this program."
                           << "cmdInfo" << row(0, 0) << "frmInfo";
    QTest::newRow("Instructions") << "lblInstruc"
                                  << "&Instructions"
                                  << "Instructions on how to use this program."
                                  << "cmdInstruc" << row(0, 1) << "frmInstruc";
    QTest::newRow("Distribution") << "lblDistribution"
                                  << "&Distribution"
                                  << "Distribution information for this program."
                                  << "cmdDistribution" << row(0, 2) << "frmDistribution";
    QTest::newRow("Warranty") << "lblWarranty"
                              << "Warrant&y"
                              << "Warranty information about this program."
                              << "cmdWarranty" << row(0, 3) << "frmWarranty";
    QTest::newRow("Shareware") << "lblShareware"
                               << "Shar&eware"
                               << "Information about shareware in general."
                               << "cmdShareware" << row(0, 4) << "frmShare";
    QTest::newRow("Childhood") << "lblChildhood"
                               << "&Childhood"
                               << "Questions about your childhood."
                               << "cmdChildhood" << row(0, 5) << "frmChildMain";
    QTest::newRow("High school") << "lblHighSchool"
                                 << "&High School"
                                 << "Questions about your high school years."
                                 << "cmdHighSch" << row(0, 6) << "frmHighSchMain";
    QTest::newRow("First car") << "lblFirstCar"
                               << "&First Car"
                               << "Questions about your first car."
                               << "cmdFirstCar" << row(0, 7) << "frmCarMain";
    QTest::newRow("Volunteering") << "lblVolun"
                                  << "&Volunteering"
                                  << "Questions about your volunteer services."
                                  << "cmdVolunteer" << row(0, 8) << "frmVolunMain";
    QTest::newRow("Jobs") << "lblJobs"
                          << "&Jobs"
                          << "Questions about your jobs."
                          << "cmdJobs" << row(1, 0) << "frmJobsMain";
    QTest::newRow("College") << "lblCollege"
                             << "Colle&ge"
                             << "Questions about your college years."
                             << "cmdCollege" << row(1, 1) << "frmCollegeMain";
    QTest::newRow("Military") << "lblMilitary"
                              << "&Military"
                              << "Questions about you and the military."
                              << "cmdMilitary" << row(1, 2) << "frmMilitaryMain";
    QTest::newRow("Wedding") << "lblWedding"
                             << "&Wedding"
                             << "Questions about your wedding."
                             << "cmdWedding" << row(1, 3) << "frmWeddingMain";
    QTest::newRow("Having children") << "lblKids"
                                     << "Having Child&ren"
                                     << "Questions about having your children."
                                     << "cmdKids" << row(1, 4) << "frmKidsMain";
    QTest::newRow("Travel") << "lblTravel"
                            << "&Travel"
                            << "Questions about your travel experiences."
                            << "cmdTravel" << row(1, 5) << "frmTravelMain";
    QTest::newRow("Life") << "lblLife"
                          << "&Life in General"
                          << "Questions about your life in general."
                          << "cmdLife" << row(1, 6) << "frmLifeMain";
    QTest::newRow("Final") << "lblFinal"
                           << "Fi&nal Thoughts"
                           << "For your final comments."
                           << "cmdFinal" << row(1, 7) << "frmFinalMain";
    QTest::newRow("Edit and save") << "lblSave"
                                   << "Edit Text && Save to File"
                                   << ""
                                   << "cmdSaveFile" << row(1, 8) << "frmTxtEditor";
}

void MainMenuTest::entries() {
    QFETCH(QString, label);
    QFETCH(QString, caption);
    QFETCH(QString, tooltip);
    QFETCH(QString, button);
    QFETCH(QPoint, buttonAt);
    QFETCH(QString, target);
    for (const bool viaLabel : {false, true}) {
        Fixture f;
        // Every entry is checked against a stand-in, whatever builds the real screen.
        f.program.screens().registerScreen(target,
                                           [&f] { return new Placeholder(f.program.context()); });
        auto* labelWidget = f.menu()->findChild<ClickableLabel*>(label);
        auto* buttonWidget = f.menu()->findChild<QPushButton*>(button);
        QVERIFY(labelWidget && buttonWidget);
        QCOMPARE(labelWidget->text(), caption);
        QCOMPARE(labelWidget->toolTip(), tooltip);
        QCOMPARE(labelWidget->palette().color(QPalette::WindowText), QColor(0, 0, 128));
        QVERIFY(labelWidget->font().bold());
        QCOMPARE(labelWidget->font().pointSizeF(), 9.75);
        QCOMPARE(labelWidget->pos(), pxPoint(buttonAt.x() + 360, buttonAt.y()));
        QCOMPARE(buttonWidget->geometry(), pxRect(buttonAt.x(), buttonAt.y(), 255, 255));
        QCOMPARE(buttonWidget->toolTip(), tooltip);
        if (viaLabel)
            emit labelWidget->clicked();
        else
            buttonWidget->click();
        QVERIFY2(f.screen(qPrintable(target)) && f.screen(qPrintable(target))->isVisible(),
                 qPrintable(target));
        QVERIFY(!f.menu()->isVisible());
    }
}

void MainMenuTest::tabOrderRunsThroughButtonsThenMarksThenLoad() {
    Fixture f;
    const QStringList expected = {
        "cmdInfo",      "cmdInstruc",   "cmdDistribution", "cmdWarranty",  "cmdShareware",
        "cmdChildhood", "cmdHighSch",   "cmdFirstCar",     "cmdVolunteer", "cmdJobs",
        "cmdCollege",   "cmdMilitary",  "cmdWedding",      "cmdKids",      "cmdTravel",
        "cmdLife",      "cmdFinal",     "cmdSaveFile",     "cmdExit",      "cmdChildhood2",
        "cmdHighSch2",  "cmdFirstCar2", "cmdVolunteer2",   "cmdJobs2",     "cmdCollege2",
        "cmdMilitary2", "cmdWedding2",  "cmdKids2",        "cmdTravel2",   "cmdLife2",
        "cmdFinal2",    "cmdLoad"};
    QWidget* w = f.menu()->findChild<QWidget*>(expected.first());
    for (const QString& name : expected) {
        QCOMPARE(w->objectName(), name);
        w = w->nextInFocusChain();
        while (w->focusPolicy() == Qt::NoFocus && w != f.menu())
            w = w->nextInFocusChain();
    }
}

void MainMenuTest::everyPlainSquareShowsAtFirst() {
    Fixture f;
    for (const catalogue::Chapter& chapter : catalogue::chapters()) {
        const MarkPair* mark = f.menu()->markOf(QString::fromLatin1(chapter.key));
        QVERIFY(mark);
        QVERIFY(mark->plain()->isVisible());
        QVERIFY(!mark->marked()->isVisible());
        QCOMPARE(mark->marked()->geometry(), mark->plain()->geometry());
        QVERIFY(!mark->marked()->icon().isNull());
    }
    auto* exit = f.control("frmMain", "cmdExit");
    QCOMPARE(exit->geometry(), pxRect(4320, 3360, 1095, 495));
    QCOMPARE(exit->font().pointSizeF(), 8.25);
    QCOMPARE(f.control("frmMain", "cmdLoad")->pos(), pxPoint(840, 3480));
    QCOMPARE(f.control<QLabel>("frmMain", "lblLoad")->pos(), pxPoint(1200, 3480));
}

void MainMenuTest::chapterMarkNeedsEveryAnswer() {
    Fixture f;
    AnswerStore& store = f.program.store();
    for (int position = 1; position <= 9; ++position)
        store.store(position, QStringLiteral(" "));
    f.returnToMenu();
    QVERIFY(!f.menu()->markOf(QStringLiteral("Childhood"))->isMarked());
    store.store(10, QStringLiteral(" "));
    QVERIFY(!f.menu()
                 ->markOf(QStringLiteral("Childhood"))
                 ->isMarked());  // not before it is active again
    f.returnToMenu();
    QVERIFY(f.menu()->markOf(QStringLiteral("Childhood"))->isMarked());
    QVERIFY(!f.menu()->markOf(QStringLiteral("HighSchool"))->isMarked());
    QVERIFY(!f.control("frmMain", "cmdChildhood")->isVisible());
    QVERIFY(f.control("frmMain", "cmdChildhood2")->isVisible());
}

void MainMenuTest::markStaysWhenAnAnswerIsEmptied() {
    Fixture f;
    for (int position = 78; position <= 81; ++position)
        f.program.store().store(position, QStringLiteral("done"));
    f.returnToMenu();
    f.program.store().store(79, QString());
    f.returnToMenu();
    QVERIFY(f.menu()->markOf(QStringLiteral("Final"))->isMarked());
}

void MainMenuTest::markedButtonOpensTheSameScreen() {
    Fixture f;
    f.program.screens().registerScreen(QStringLiteral("frmJobsMain"),
                                       [&f] { return new Placeholder(f.program.context()); });
    for (int position = 29; position <= 33; ++position)
        f.program.store().store(position, QStringLiteral("yes"));
    f.returnToMenu();
    f.click("frmMain", "cmdJobs2");
    QVERIFY(f.screen("frmJobsMain")->isVisible());
}

// Once a chapter is ticked its plain square is hidden: the label's access key
// must reach the ticked twin, or it reaches nothing at all.
void MainMenuTest::accessKeysFollowTheTicks() {
    Fixture f;
    for (int position = 1; position <= catalogue::kQuestionCount; ++position)
        f.program.store().store(position, QStringLiteral("done"));
    f.returnToMenu();
    for (const catalogue::Chapter& chapter : catalogue::chapters()) {
        const QString caption = QString::fromLatin1(chapter.menuLabel);
        QLabel* label = nullptr;
        for (QLabel* candidate : f.menu()->findChildren<QLabel*>())
            if (candidate->text() == caption)
                label = candidate;
        QVERIFY2(label, chapter.key);
        QCOMPARE(label->buddy(), f.menu()->markOf(QString::fromLatin1(chapter.key))->marked());
    }

    f.menu()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.menu()));
    QTest::keyClick(f.menu(), Qt::Key_C, Qt::AltModifier);
    QCOMPARE(QApplication::focusWidget(), f.control("frmMain", "cmdChildhood2"));
}

void MainMenuTest::exitAsksAndNoKeeps() {
    Fixture f;
    f.dialogs.answerMessage(MessageButton::No);
    f.click("frmMain", "cmdExit");
    QVERIFY(f.menu()->isVisible());
    QCOMPARE(f.ends, 0);
    QCOMPARE(f.dialogs.messages().constLast().defaultButton, MessageButton::No);
    f.dialogs.answerMessage(MessageButton::No);
    f.menu()->close();
    QVERIFY(f.menu()->isVisible());
    f.dialogs.answerMessage(MessageButton::Yes);
    f.click("frmMain", "cmdExit");
    QCOMPARE(f.ends, 1);
}

void MainMenuTest::loadDataAsksFirst_data() {
    QTest::addColumn<int>("answer");
    QTest::newRow("No") << int(MessageButton::No);
    QTest::newRow("Cancel") << int(MessageButton::Cancel);
    QTest::newRow("Yes, then the dialog cancelled") << int(MessageButton::Yes);
}

void MainMenuTest::loadDataAsksFirst() {
    QFETCH(int, answer);
    Fixture f;
    f.program.store().store(1, QStringLiteral("kept"));
    f.dialogs.answerMessage(MessageButton(answer));
    if (MessageButton(answer) == MessageButton::Yes)
        f.dialogs.answerOpenFile(std::nullopt);
    f.click("frmMain", "cmdLoad");
    QCOMPARE(f.program.store().answer(1), QStringLiteral("kept"));
    const MessageRequest asked = f.dialogs.messages().constFirst();
    QCOMPARE(asked.text,
             QStringLiteral("NOTE:  Previously saved data must be data previously saved by THIS "
                            "program and must have a '.dat' extension.  Also, any current data not "
                            "yet saved TO A FILE will be lost.  Do you still want to load "
                            "previously saved data?"));
    QCOMPARE(asked.title, QStringLiteral("Vellumora"));
    QCOMPARE(asked.icon, MessageIcon::Question);
    QCOMPARE(asked.buttons, MessageButtons::YesNoCancel);
    QCOMPARE(asked.defaultButton, MessageButton::Cancel);
    QVERIFY(f.dialogs.allAnswersUsed());
    QVERIFY(f.menu()->isVisible());
}

void MainMenuTest::loadDataReadsTheChosenFileAndMarksFollowLater() {
    QTemporaryDir dir;
    AnswerStore saved;
    for (int position = 29; position <= 33; ++position)
        saved.store(position, QStringLiteral("job"));
    QString error;
    QVERIFY(datafile::saveDataFile(dir.filePath(QStringLiteral("Story.rtf")), saved, &error));

    Fixture f;
    f.dialogs.answerMessage(MessageButton::Yes);
    f.dialogs.answerOpenFile(dir.filePath(QStringLiteral("Story.dat")));
    emit f.control<ClickableLabel>("frmMain", "lblLoad")->clicked();
    const auto fileRequest = f.dialogs.requests().constLast().file;
    QCOMPARE(fileRequest.filters, QStringList{"Data Files (*.dat)"});
    QCOMPARE(fileRequest.fileName, QString());
    QCOMPARE(f.program.store().answer(u"Jobs.Dream"), QStringLiteral("job"));
    QVERIFY(f.menu()->isVisible());
    QVERIFY(!f.menu()->markOf(QStringLiteral("Jobs"))->isMarked());
    f.returnToMenu();
    QVERIFY(f.menu()->markOf(QStringLiteral("Jobs"))->isMarked());
}

// She picks her book rather than its data file: she is told so, and not an
// answer nor a mark has changed.
void MainMenuTest::loadingHerDocumentInsteadSaysSoAndChangesNothing() {
    QTemporaryDir dir;
    const QString document = dir.filePath(QStringLiteral("My Life Story"));
    QFile file(document);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(file.write("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 My Life Story\\par\r\n}") > 0);
    file.close();

    Fixture f;
    for (int position = 29; position <= 33; ++position)  // the whole Jobs chapter
        f.program.store().store(position, QStringLiteral("job"));
    f.returnToMenu();
    const QByteArray answersBefore = datafile::encode(f.program.store());

    f.dialogs.answerMessage(MessageButton::Yes);
    f.dialogs.answerOpenFile(document);
    f.dialogs.answerMessage(MessageButton::Ok);
    f.click("frmMain", "cmdLoad");

    QVERIFY(f.dialogs.allAnswersUsed());
    const MessageRequest told = f.dialogs.messages().constLast();
    QCOMPARE(told.title, QStringLiteral("Vellumora"));
    QCOMPARE(told.text, QStringLiteral("\"%1\" is not a story saved by this program, so it was not "
                                       "loaded.  Nothing has been changed.")
                            .arg(QDir::toNativeSeparators(document)));
    QCOMPARE(told.icon, MessageIcon::Warning);
    QCOMPARE(told.buttons, MessageButtons::Ok);
    QCOMPARE(datafile::encode(f.program.store()), answersBefore);
    f.returnToMenu();
    for (const catalogue::Chapter& chapter : catalogue::chapters())
        QCOMPARE(f.menu()->markOf(QString::fromLatin1(chapter.key))->isMarked(),
                 QLatin1StringView(chapter.key) == u"Jobs");
}

QTEST_MAIN(MainMenuTest)
#include "test_mainmenu.moc"
