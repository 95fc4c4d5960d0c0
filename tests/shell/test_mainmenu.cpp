#include "app/program.h"
#include "shell/mainmenu.h"
#include "shell/units.h"
#include "store/datafile.h"
#include "support/scripteddialogs.h"

#include <QApplication>
#include <QMouseEvent>
#include <QStyleHints>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <optional>

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
        click(FixedScreen::Splash, "cmdEnter");
    }
    QWidget* screen(ScreenId id) { return program.screens().find(id); }
    MainMenu* menu() { return program.screens().findAs<MainMenu>(FixedScreen::MainMenu); }
    template <typename T = QPushButton>
    T* control(ScreenId id, const char* name) {
        T* found = screen(id)->findChild<T*>(QString::fromLatin1(name));
        if (!found)
            qWarning("no control %s on %s", name, qPrintable(id.objectName()));
        return found;
    }
    void click(ScreenId id, const char* button) { control(id, button)->click(); }
    /// Goes to another screen and back, so that the main menu becomes active again.
    void returnToMenu() {
        program.screens().handOver(menu(), FixedScreen::Warranty);
        program.screens().handOver(screen(FixedScreen::Warranty), FixedScreen::MainMenu);
    }
    /// Every screen but the splash screen and the main menu becomes a stand-in.
    void standInForEveryOtherScreen() {
        for (const ScreenId id : program.screens().registeredScreens())
            if (id != FixedScreen::Splash && id != FixedScreen::MainMenu)
                program.screens().registerScreen(
                    id, [this] { return new Placeholder(program.context()); });
    }
    /// The screen that is active, if it is one of the program's.
    std::optional<ScreenId> activeId() {
        for (const ScreenId id : program.screens().registeredScreens())
            if (screen(id) && screen(id) == program.screens().activeScreen())
                return id;
        return std::nullopt;
    }
};

/// The entries: every label of the menu whose access key leads to a square.
QList<ClickableLabel*> entriesOf(MainMenu* menu) {
    QList<ClickableLabel*> entries;
    for (auto* label : menu->findChildren<ClickableLabel*>())
        if (qobject_cast<QPushButton*>(label->buddy()))
            entries.append(label);
    return entries;
}

}  // namespace

class MainMenuTest : public QObject {
    Q_OBJECT

private slots:
    void startUpCreatesTheMainMenuHidden();
    void splash();
    void splashExitAndCloseBoxEndWithoutQuestion();
    void everyEntryOpensItsScreenByLabelAndSquare();
    void everyEntryLooksAlike();
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
    void answersReplacedAllAtOnceShowAtOnce();
    void aDoubleClickOpensOneScreen();
    void loadingHerDocumentInsteadSaysSoAndChangesNothing();
};

void MainMenuTest::startUpCreatesTheMainMenuHidden() {
    ScriptedDialogs dialogs;
    Program program(dialogs, [] {});
    program.start();
    QVERIFY(program.screens().find(FixedScreen::Splash)->isVisible());
    QWidget* menu = program.screens().find(FixedScreen::MainMenu);
    QVERIFY(menu);
    QVERIFY(!menu->isVisible());
    QCOMPARE(menu->windowTitle(), QStringLiteral("Vellumora"));
    QCOMPARE(menu->size(), pxSize(5640, 3960));
}

void MainMenuTest::splash() {
    ScriptedDialogs dialogs;
    Program program(dialogs, [] {});
    program.start();
    QWidget* splash = program.screens().find(FixedScreen::Splash);
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
    QVERIFY(program.screens().find(FixedScreen::MainMenu)->isVisible());
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
        QWidget* splash = program.screens().find(FixedScreen::Splash);
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

// Each information page but the version history, each chapter menu and the
// editor has one entry; its label and its square open it.
void MainMenuTest::everyEntryOpensItsScreenByLabelAndSquare() {
    Fixture f;
    f.standInForEveryOtherScreen();
    QList<ScreenId> opened;
    for (ClickableLabel* label : entriesOf(f.menu())) {
        const QByteArray name = label->objectName().toLatin1();
        emit label->clicked();
        const std::optional<ScreenId> byLabel = f.activeId();
        QVERIFY2(byLabel && !f.menu()->isVisible(), name);
        f.program.screens().handOver(f.screen(*byLabel), FixedScreen::MainMenu);
        qobject_cast<QPushButton*>(label->buddy())->click();
        QVERIFY2(f.activeId() == byLabel && !f.menu()->isVisible(), name);
        f.program.screens().handOver(f.screen(*byLabel), FixedScreen::MainMenu);
        opened.append(*byLabel);
    }
    QList<ScreenId> expected = {FixedScreen::About,        FixedScreen::Instructions,
                                FixedScreen::Distribution, FixedScreen::Warranty,
                                FixedScreen::Shareware,    FixedScreen::TextEditor};
    for (const catalogue::Chapter& chapter : catalogue::chapters())
        expected.append(chapter.id);
    std::sort(opened.begin(), opened.end());
    std::sort(expected.begin(), expected.end());
    QVERIFY(opened == expected);
}

// A label in dark blue bold, 360 twips right of its square and on its line,
// in one of two columns; square and label tell the same; a chapter's label
// bears the chapter's caption.
void MainMenuTest::everyEntryLooksAlike() {
    Fixture f;
    const QList<ClickableLabel*> entries = entriesOf(f.menu());
    for (ClickableLabel* label : entries) {
        const QByteArray name = label->objectName().toLatin1();
        auto* square = qobject_cast<QPushButton*>(label->buddy());
        QVERIFY2(name.startsWith("lbl") && square->objectName().startsWith(u"cmd"), name);
        QVERIFY2(!label->text().isEmpty(), name);
        QCOMPARE(label->palette().color(QPalette::WindowText), QColor(0, 0, 128));
        QVERIFY(label->font().bold());
        QCOMPARE(label->font().pointSizeF(), 9.75);
        QCOMPARE(square->size(), pxSize(255, 255));
        QVERIFY2(square->x() == px(120) || square->x() == px(2880), name);
        QCOMPARE(label->pos(), square->pos() + pxPoint(360, 0));
        QVERIFY2(f.menu()->rect().contains(label->geometry()), name);
        QCOMPARE(square->toolTip(), label->toolTip());
    }
    for (const catalogue::Chapter& chapter : catalogue::chapters()) {
        const QPushButton* square = f.menu()->markOf(chapter.id)->plain();
        const auto entry = std::ranges::find_if(
            entries, [square](ClickableLabel* label) { return label->buddy() == square; });
        QVERIFY2(entry != entries.end(), chapter.key);
        QCOMPARE((*entry)->text(), QString::fromLatin1(chapter.menuLabel));
        QVERIFY2(!(*entry)->toolTip().isEmpty(), chapter.key);
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
        const MarkPair* mark = f.menu()->markOf(chapter.id);
        QVERIFY(mark);
        QVERIFY(mark->plain()->isVisible());
        QVERIFY(!mark->marked()->isVisible());
        QCOMPARE(mark->marked()->geometry(), mark->plain()->geometry());
        QVERIFY(!mark->marked()->icon().isNull());
    }
    auto* exit = f.control(FixedScreen::MainMenu, "cmdExit");
    QCOMPARE(exit->geometry(), pxRect(4320, 3360, 1095, 495));
    QCOMPARE(exit->font().pointSizeF(), 8.25);
    QCOMPARE(f.control(FixedScreen::MainMenu, "cmdLoad")->pos(), pxPoint(840, 3480));
    QCOMPARE(f.control<QLabel>(FixedScreen::MainMenu, "lblLoad")->pos(), pxPoint(1200, 3480));
}

void MainMenuTest::chapterMarkNeedsEveryAnswer() {
    Fixture f;
    AnswerStore& store = f.program.store();
    for (int position = 1; position <= 9; ++position)
        store.store(position, QStringLiteral(" "));
    f.returnToMenu();
    QVERIFY(!f.menu()->markOf(catalogue::ChapterId::Childhood)->isMarked());
    store.store(10, QStringLiteral(" "));
    QVERIFY(!f.menu()
                 ->markOf(catalogue::ChapterId::Childhood)
                 ->isMarked());  // not before it is active again
    f.returnToMenu();
    QVERIFY(f.menu()->markOf(catalogue::ChapterId::Childhood)->isMarked());
    QVERIFY(!f.menu()->markOf(catalogue::ChapterId::HighSchool)->isMarked());
    QVERIFY(!f.control(FixedScreen::MainMenu, "cmdChildhood")->isVisible());
    QVERIFY(f.control(FixedScreen::MainMenu, "cmdChildhood2")->isVisible());
}

void MainMenuTest::markStaysWhenAnAnswerIsEmptied() {
    Fixture f;
    for (int position = 78; position <= 81; ++position)
        f.program.store().store(position, QStringLiteral("done"));
    f.returnToMenu();
    f.program.store().store(79, QString());
    f.returnToMenu();
    QVERIFY(f.menu()->markOf(catalogue::ChapterId::Final)->isMarked());
}

void MainMenuTest::markedButtonOpensTheSameScreen() {
    Fixture f;
    f.program.screens().registerScreen(catalogue::ChapterId::Jobs,
                                       [&f] { return new Placeholder(f.program.context()); });
    for (int position = 29; position <= 33; ++position)
        f.program.store().store(position, QStringLiteral("yes"));
    f.returnToMenu();
    f.click(FixedScreen::MainMenu, "cmdJobs2");
    QVERIFY(f.screen(catalogue::ChapterId::Jobs)->isVisible());
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
        QCOMPARE(label->buddy(), f.menu()->markOf(chapter.id)->marked());
    }

    f.menu()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.menu()));
    QTest::keyClick(f.menu(), Qt::Key_C, Qt::AltModifier);
    QCOMPARE(QApplication::focusWidget(), f.control(FixedScreen::MainMenu, "cmdChildhood2"));
}

void MainMenuTest::exitAsksAndNoKeeps() {
    Fixture f;
    f.dialogs.answerMessage(MessageButton::No);
    f.click(FixedScreen::MainMenu, "cmdExit");
    QVERIFY(f.menu()->isVisible());
    QCOMPARE(f.ends, 0);
    QCOMPARE(f.dialogs.messages().constLast().defaultButton, MessageButton::No);
    f.dialogs.answerMessage(MessageButton::No);
    f.menu()->close();
    QVERIFY(f.menu()->isVisible());
    f.dialogs.answerMessage(MessageButton::Yes);
    f.click(FixedScreen::MainMenu, "cmdExit");
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
    f.click(FixedScreen::MainMenu, "cmdLoad");
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
    emit f.control<ClickableLabel>(FixedScreen::MainMenu, "lblLoad")->clicked();
    const auto fileRequest = f.dialogs.requests().constLast().file;
    QCOMPARE(fileRequest.filters, QStringList{"Data Files (*.dat)"});
    QCOMPARE(fileRequest.fileName, QString());
    QCOMPARE(f.program.store().answer(u"Jobs.Dream"), QStringLiteral("job"));
    QVERIFY(f.menu()->isVisible());
    QVERIFY(!f.menu()->markOf(catalogue::ChapterId::Jobs)->isMarked());
    f.returnToMenu();
    QVERIFY(f.menu()->markOf(catalogue::ChapterId::Jobs)->isMarked());
}

// Answers given back all at once (the work a crash left) show on every menu
// that exists, although none of them became active again.
void MainMenuTest::answersReplacedAllAtOnceShowAtOnce() {
    Fixture f;
    QWidget* chapterMenu = f.program.screens().create(catalogue::ChapterId::Childhood);
    AnswerStore given;
    for (int position = 1; position <= 10; ++position)
        given.store(position, QStringLiteral("back"));
    f.program.store().replaceWith(given);
    QVERIFY(f.menu()->markOf(catalogue::ChapterId::Childhood)->isMarked());
    QVERIFY(
        chapterMenu->findChild<QWidget*>(QStringLiteral("cmdGrowUp2"))->isVisibleTo(chapterMenu));
    QVERIFY(!chapterMenu->isVisible());
}

// She double-clicks everything: the second press of a double-click on a
// main-menu label lands on whatever the screen it opened has under the
// mouse, and must not open that too. A double-click there a moment later is
// hers and acts as usual.
void MainMenuTest::aDoubleClickOpensOneScreen() {
    Fixture f;
    int strays = 0;
    for (ClickableLabel* label : entriesOf(f.menu())) {
        if (label->objectName() == u"lblSave")
            continue;  // the editor greets her with a note before anything else
        const QPoint pointer = label->mapToGlobal(label->rect().center());
        QTest::mouseClick(label, Qt::LeftButton, {}, label->rect().center());
        const std::optional<ScreenId> opened = f.activeId();
        QVERIFY(opened && *opened != FixedScreen::MainMenu);
        QWidget* screen = f.screen(*opened);
        QWidget* under = screen->childAt(screen->mapFromGlobal(pointer));
        if (under) {
            ++strays;
            QMouseEvent second(QEvent::MouseButtonDblClick, under->mapFromGlobal(pointer), pointer,
                               Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(under, &second);
            QVERIFY2(f.activeId() == opened, qPrintable(label->objectName()));
        }
        f.program.screens().handOver(screen, FixedScreen::MainMenu);
    }
    QVERIFY(strays > 0);  // the layout puts something under the pointer somewhere

    // Once the interval is over, a double-click is an ordinary one.
    auto* childhood = f.menu()->findChild<ClickableLabel*>(QStringLiteral("lblChildhood"));
    QTest::mouseClick(childhood, Qt::LeftButton, {}, childhood->rect().center());
    QTest::qWait(QGuiApplication::styleHints()->mouseDoubleClickInterval() + 50);
    auto* hobbies = f.screen(catalogue::ChapterId::Childhood)
                        ->findChild<ClickableLabel*>(QStringLiteral("lblHobbies"));
    QVERIFY(hobbies);
    QMouseEvent later(QEvent::MouseButtonDblClick, hobbies->rect().center(),
                      hobbies->mapToGlobal(hobbies->rect().center()), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(hobbies, &later);
    QVERIFY(f.activeId() != std::optional<ScreenId>(catalogue::ChapterId::Childhood));
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
    f.click(FixedScreen::MainMenu, "cmdLoad");

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
        QCOMPARE(f.menu()->markOf(chapter.id)->isMarked(),
                 chapter.id == catalogue::ChapterId::Jobs);
}

QTEST_MAIN(MainMenuTest)
#include "test_mainmenu.moc"
