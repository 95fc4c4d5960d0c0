#include "shell/recovery.h"
#include "shell/screen.h"
#include "shell/session.h"
#include "shell/units.h"
#include "spelling/speller.h"
#include "store/answerstore.h"
#include "support/scripteddialogs.h"
#include "zoom/textzoom.h"

#include <QCloseEvent>
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
        for (const char* name : {"frmA", "frmB"})
            screens.registerScreen(QString::fromLatin1(name), [this] {
                return new CountingScreen(context, Screen::CloseBox::AskExit);
            });
        screens.registerScreen(QStringLiteral("frmEnds"), [this] {
            return new CountingScreen(context, Screen::CloseBox::EndProgram);
        });
    }
    CountingScreen* screen(const char* name) {
        return static_cast<CountingScreen*>(screens.find(QString::fromLatin1(name)));
    }
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
    QVERIFY(!f.screens.find(QStringLiteral("frmA")));
    QWidget* a = f.screens.show(QStringLiteral("frmA"));
    QCOMPARE(a->objectName(), QStringLiteral("frmA"));
    a->move(7, 9);
    f.screens.handOver(a, QStringLiteral("frmB"));
    QVERIFY(!a->isVisible());
    QCOMPARE(f.screens.show(QStringLiteral("frmA")), a);
    QCOMPARE(a->pos(), QPoint(7, 9));
    QVERIFY(!f.screens.create(QStringLiteral("frmNowhere")));
}

void ScreensTest::activationRunsOnShowButNeverTwiceInARow() {
    Fixture f;
    f.screens.show(QStringLiteral("frmA"));
    QCOMPARE(f.screen("frmA")->activations, 1);
    f.screens.show(QStringLiteral("frmA"));
    QCOMPARE(f.screen("frmA")->activations, 1);
    f.screens.handOver(f.screen("frmA"), QStringLiteral("frmB"));
    QCOMPARE(f.screen("frmB")->activations, 1);
    f.screens.handOver(f.screen("frmB"), QStringLiteral("frmA"));
    QCOMPARE(f.screen("frmA")->activations, 2);
    QCOMPARE(f.screens.activeScreen(), f.screen("frmA"));
}

void ScreensTest::windowActivationFromTheSystemCounts() {
    Fixture f;
    f.screens.show(QStringLiteral("frmA"));
    f.screens.show(QStringLiteral("frmB"));
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(f.screen("frmA"), &activate);
    QCOMPARE(f.screen("frmA")->activations, 2);
    // A message box closing over the screen brings the same screen back: no second run.
    QCoreApplication::sendEvent(f.screen("frmA"), &activate);
    QCOMPARE(f.screen("frmA")->activations, 2);
}

void ScreensTest::hidingTheActiveScreenActivatesTheOneBeneath() {
    Fixture f;
    f.screens.show(QStringLiteral("frmA"));
    f.screens.show(QStringLiteral("frmB"));
    f.screen("frmB")->hide();
    QCOMPARE(f.screen("frmA")->activations, 2);
    QCOMPARE(f.screens.activeScreen(), f.screen("frmA"));
}

void ScreensTest::destroyReturnsToNotCreated() {
    Fixture f;
    QPointer<QWidget> a = f.screens.show(QStringLiteral("frmA"));
    f.screens.destroy(QStringLiteral("frmA"));
    QVERIFY(!f.screens.find(QStringLiteral("frmA")));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(a.isNull());
    QWidget* again = f.screens.show(QStringLiteral("frmA"));
    QVERIFY(again);
    QCOMPARE(f.screen("frmA")->activations, 1);
}

void ScreensTest::closeBoxAsksTheExitConfirmation() {
    Fixture f;
    f.screens.show(QStringLiteral("frmA"));
    f.dialogs.answerMessage(MessageButton::No);
    f.screen("frmA")->close();
    QVERIFY(f.screen("frmA")->isVisible());
    QCOMPARE(f.ends, 0);
    test::compareWithExitQuestion(f.dialogs.messages().constLast());
    if (QTest::currentTestFailed())
        return;

    f.screens.create(QStringLiteral("frmB"));  // alive but hidden
    f.dialogs.answerMessage(MessageButton::Yes);
    f.screen("frmA")->close();
    QCOMPARE(f.ends, 1);
    QVERIFY(f.screens.hasEnded());
    QVERIFY(!f.screen("frmA")->isVisible());
    QCOMPARE(f.dialogs.count(ScriptedDialogs::Kind::Message), 2);
}

void ScreensTest::closeBoxThatEndsTheProgram() {
    Fixture f;
    f.screens.show(QStringLiteral("frmEnds"));
    f.screen("frmEnds")->close();
    QCOMPARE(f.ends, 1);
    QVERIFY(f.dialogs.requests().isEmpty());
}

void ScreensTest::screensAreFixedSizeWithoutMaximiseBox() {
    Fixture f;
    QWidget* a = f.screens.show(QStringLiteral("frmA"));
    QCOMPARE(a->windowTitle(), QStringLiteral("Vellumora - Test"));
    QCOMPARE(a->minimumSize(), QSize(100, 100));
    QCOMPARE(a->maximumSize(), QSize(100, 100));
    QVERIFY(!(a->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(a->windowFlags() & Qt::WindowCloseButtonHint);
}

QTEST_MAIN(ScreensTest)
#include "test_screens.moc"
