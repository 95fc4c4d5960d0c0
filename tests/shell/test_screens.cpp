#include "app/program.h"
#include "shell/recovery.h"
#include "shell/screen.h"
#include "shell/session.h"
#include "shell/units.h"
#include "spelling/speller.h"
#include "store/answerstore.h"
#include "support/scripteddialogs.h"
#include "zoom/textzoom.h"

#include <QCloseEvent>
#include <QSet>
#include <QTest>

using namespace vellumora;
using test::ScriptedDialogs;

namespace {

/// A screen that counts its activations.
class CountingScreen : public Screen {
public:
    CountingScreen(AppContext& context, CloseBox closeBox)
        : Screen(context, QStringLiteral("Vellumora - Test"), QSize(1500, 1500), closeBox) {}
    void activate() override { ++activations; }
    int activations = 0;
};

// Two ordinary screens and one whose close box ends the program, under the
// ids of screens of the program.
constexpr ScreenId kA = FixedScreen::Instructions;
constexpr ScreenId kB = FixedScreen::Warranty;
constexpr ScreenId kEnds = FixedScreen::Splash;

struct Fixture {
    AnswerStore store;
    ScriptedDialogs dialogs;
    Session session;
    Recovery recovery{store};
    spelling::Speller speller;
    ViewZooms zooms;
    int ends = 0;
    ScreenManager screens{[this] { ++ends; }};
    AppContext context{store, dialogs, screens, session, recovery, speller, zooms};

    Fixture() {
        for (const ScreenId id : {kA, kB})
            screens.registerScreen(
                id, [this] { return new CountingScreen(context, Screen::CloseBox::AskExit); });
        screens.registerScreen(
            kEnds, [this] { return new CountingScreen(context, Screen::CloseBox::EndProgram); });
    }
    CountingScreen* screen(ScreenId id) { return static_cast<CountingScreen*>(screens.find(id)); }
};

}  // namespace

class ScreensTest : public QObject {
    Q_OBJECT

private slots:
    void centringArithmetic_data();
    void centringArithmetic();
    void twipsToPixels();
    void createdOnceAndKeptWhereTheUserLeftIt();
    void activationRunsOnShowButNeverTwiceInARow();
    void windowActivationFromTheSystemCounts();
    void hidingTheActiveScreenActivatesTheOneBeneath();
    void destroyReturnsToNotCreated();
    void closeBoxAsksTheExitConfirmation();
    void closeBoxThatEndsTheProgram();
    void screensAreFixedSizeWithoutMaximiseBox();
    void everyScreenOfTheProgramHasANameOfItsOwn();
};

void ScreensTest::centringArithmetic_data() {
    QTest::addColumn<QSizeF>("window");
    QTest::addColumn<QSizeF>("display");
    QTest::addColumn<QPointF>("expected");
    QTest::newRow("even") << QSizeF(100, 50) << QSizeF(300, 150) << QPointF(100, 50);
    QTest::newRow("halves kept") << QSizeF(101, 51) << QSizeF(300, 150) << QPointF(99.5, 49.5);
    QTest::newRow("larger than the display")
        << QSizeF(400, 200) << QSizeF(300, 150) << QPointF(-50, -25);
    QTest::newRow("twips") << QSizeF(5640 + 120, 3960 + 405) << QSizeF(19200, 14400)
                           << QPointF(6720, 5017.5);
}

void ScreensTest::centringArithmetic() {
    QFETCH(QSizeF, window);
    QFETCH(QSizeF, display);
    QFETCH(QPointF, expected);
    QCOMPARE(centredPosition(window, display), expected);
}

void ScreensTest::twipsToPixels() {
    QCOMPARE(px(255), 17);
    QCOMPARE(px(4320), 288);
    QCOMPARE(pxRect(120, 3120, 975, 495), QRect(8, 208, 65, 33));
}

void ScreensTest::createdOnceAndKeptWhereTheUserLeftIt() {
    Fixture f;
    QVERIFY(!f.screens.find(kA));
    QWidget* a = f.screens.show(kA);
    // The manager names the window after its id.
    QCOMPARE(a->objectName(), QStringLiteral("frmInstruc"));
    a->move(7, 9);
    f.screens.handOver(a, kB);
    QVERIFY(!a->isVisible());
    QCOMPARE(f.screens.show(kA), a);
    QCOMPARE(a->pos(), QPoint(7, 9));
    QVERIFY(!f.screens.create(FixedScreen::Credits));  // never registered
}

void ScreensTest::activationRunsOnShowButNeverTwiceInARow() {
    Fixture f;
    f.screens.show(kA);
    QCOMPARE(f.screen(kA)->activations, 1);
    f.screens.show(kA);
    QCOMPARE(f.screen(kA)->activations, 1);
    f.screens.handOver(f.screen(kA), kB);
    QCOMPARE(f.screen(kB)->activations, 1);
    f.screens.handOver(f.screen(kB), kA);
    QCOMPARE(f.screen(kA)->activations, 2);
    QCOMPARE(f.screens.activeScreen(), f.screen(kA));
}

void ScreensTest::windowActivationFromTheSystemCounts() {
    Fixture f;
    f.screens.show(kA);
    f.screens.show(kB);
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(f.screen(kA), &activate);
    QCOMPARE(f.screen(kA)->activations, 2);
    // A message box closing over the screen brings the same screen back: no second run.
    QCoreApplication::sendEvent(f.screen(kA), &activate);
    QCOMPARE(f.screen(kA)->activations, 2);
}

void ScreensTest::hidingTheActiveScreenActivatesTheOneBeneath() {
    Fixture f;
    f.screens.show(kA);
    f.screens.show(kB);
    f.screen(kB)->hide();
    QCOMPARE(f.screen(kA)->activations, 2);
    QCOMPARE(f.screens.activeScreen(), f.screen(kA));
}

void ScreensTest::destroyReturnsToNotCreated() {
    Fixture f;
    QPointer<QWidget> a = f.screens.show(kA);
    f.screens.destroy(kA);
    QVERIFY(!f.screens.find(kA));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(a.isNull());
    QWidget* again = f.screens.show(kA);
    QVERIFY(again);
    QCOMPARE(f.screen(kA)->activations, 1);
}

void ScreensTest::closeBoxAsksTheExitConfirmation() {
    Fixture f;
    f.screens.show(kA);
    f.dialogs.answerMessage(MessageButton::No);
    f.screen(kA)->close();
    QVERIFY(f.screen(kA)->isVisible());
    QCOMPARE(f.ends, 0);
    test::compareWithExitQuestion(f.dialogs.messages().constLast());
    if (QTest::currentTestFailed())
        return;

    f.screens.create(kB);  // alive but hidden
    f.dialogs.answerMessage(MessageButton::Yes);
    f.screen(kA)->close();
    QCOMPARE(f.ends, 1);
    QVERIFY(f.screens.hasEnded());
    QVERIFY(!f.screen(kA)->isVisible());
    QCOMPARE(f.dialogs.count(ScriptedDialogs::Kind::Message), 2);
}

void ScreensTest::closeBoxThatEndsTheProgram() {
    Fixture f;
    f.screens.show(kEnds);
    f.screen(kEnds)->close();
    QCOMPARE(f.ends, 1);
    QVERIFY(f.dialogs.requests().isEmpty());
}

void ScreensTest::screensAreFixedSizeWithoutMaximiseBox() {
    Fixture f;
    QWidget* a = f.screens.show(kA);
    QCOMPARE(a->windowTitle(), QStringLiteral("Vellumora - Test"));
    QCOMPARE(a->minimumSize(), QSize(100, 100));
    QCOMPARE(a->maximumSize(), QSize(100, 100));
    QVERIFY(!(a->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(a->windowFlags() & Qt::WindowCloseButtonHint);
}

// Outside tools find each window by its name: every screen the program can
// show, fixed, chapter menu or question page, is registered and named once.
void ScreensTest::everyScreenOfTheProgramHasANameOfItsOwn() {
    ScriptedDialogs dialogs;
    Program program(dialogs, [] {});
    const QList<ScreenId> screens = program.screens().registeredScreens();
    QCOMPARE(screens.size(), kFixedScreenCount + catalogue::kChapterCount + catalogue::kPageCount);
    QSet<QString> names;
    for (const ScreenId id : screens) {
        const QString name = program.screens().create(id)->objectName();
        QCOMPARE(name, id.objectName());
        QVERIFY2(name.startsWith(u"frm") && !names.contains(name), qPrintable(name));
        names.insert(name);
    }
}

QTEST_MAIN(ScreensTest)
#include "test_screens.moc"
