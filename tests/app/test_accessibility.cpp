// Keyboard-only use and what assistive technology is told, across the
// whole program: every key goes to the widget that has the keyboard focus,
// as a real keyboard's would.
#include "app/program.h"
#include "shell/look.h"
#include "support/scripteddialogs.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QImage>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>

using namespace vellumora;
using test::ScriptedDialogs;

namespace {

struct Fixture {
    ScriptedDialogs dialogs;
    Program program{dialogs, [] {}};

    Fixture() { program.start(); }

    QWidget* screen(ScreenId id) { return program.screens().find(id); }
    QString focusName() const {
        QWidget* focus = QApplication::focusWidget();
        return focus ? focus->objectName() : QString();
    }
    QString activeName() const {
        QWidget* active = QApplication::activeWindow();
        return active ? active->objectName() : QString();
    }
    // Activation reaches the window system's side asynchronously, and an
    // access key on a label "animates" its button's click for a moment.
    bool waitUntilActive(const QString& name) {
        if (QTest::qWaitFor([&] { return activeName() == name; }, 2000))
            return true;
        qWarning("%s is active, not %s", qPrintable(activeName()), qPrintable(name));
        return false;
    }
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* target = QApplication::focusWidget();
        if (!target)
            target = QApplication::activeWindow();
        QVERIFY2(target, "no window has the keyboard");
        QTest::keyClick(target, key, modifiers);
    }
    // Presses Tab until the control has the keyboard, as a user would.
    bool tabTo(QWidget* control) {
        for (int press = 0; press < 100 && !control->hasFocus(); ++press)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        return control->hasFocus();
    }
    void type(const QString& text) { QTest::keyClicks(QApplication::focusWidget(), text); }
};

QString accessibleText(QObject* object, QAccessible::Text kind) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(object);
    return face ? face->text(kind) : QString();
}

bool takesTabFocus(const QWidget* widget) {
    return (widget->focusPolicy() & Qt::TabFocus) && widget->isEnabled();
}

QImage looks(QWidget* widget) {
    return widget->grab().toImage();
}

}  // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

private slots:
    void keyboardAloneAnswersAQuestionAndComesBack();
    void spaceOpensAnEntryAndTabKeepsTheMenuOrder();
    void aboutPageCreditsAndHistoryByKeyboard();
    void everyControlTheKeyboardReachesHasAName();
    void squaresTellWhatTheyOpenAndWhetherItIsDone();
    void picturesAndLinksPressLikeButtons();
    void focusIsVisibleOnEveryKindOfControl();
    void accessKeyCaptionsAreReadWithoutTheirMarks_data();
    void accessKeyCaptionsAreReadWithoutTheirMarks();
};

void AccessibilityTest::keyboardAloneAnswersAQuestionAndComesBack() {
    Fixture f;
    QVERIFY(f.waitUntilActive(QStringLiteral("frmSplash")));
    f.press(Qt::Key_Return);
    QVERIFY(f.waitUntilActive(QStringLiteral("frmMain")));

    f.press(Qt::Key_C, Qt::AltModifier);
    QVERIFY(f.waitUntilActive(QStringLiteral("frmChildMain")));
    QCOMPARE(f.focusName(), QStringLiteral("cmdGrowUp"));
    f.press(Qt::Key_Tab);
    QCOMPARE(f.focusName(), QStringLiteral("cmdToys"));
    f.press(Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(f.focusName(), QStringLiteral("cmdGrowUp"));

    f.press(Qt::Key_Return);
    QVERIFY(f.waitUntilActive(QStringLiteral("frmChildhood1")));
    QCOMPARE(f.focusName(), QStringLiteral("txtGrowUp"));
    f.type(QStringLiteral("By the river"));
    f.press(Qt::Key_Return);
    f.type(QStringLiteral("in a red house"));
    // Tab leaves the box instead of typing a tab into the answer.
    f.press(Qt::Key_Tab);
    QVERIFY(f.focusName() != QStringLiteral("txtGrowUp"));
    f.press(Qt::Key_S, Qt::AltModifier);
    QTRY_COMPARE(f.program.store().answer(QStringView(u"Childhood.GrowUp")),
                 QStringLiteral("By the river\r\nin a red house"));

    f.press(Qt::Key_R, Qt::AltModifier);
    QVERIFY(f.waitUntilActive(QStringLiteral("frmChildMain")));
    // The question is ticked, and the keyboard is on its tick, where it was.
    QCOMPARE(f.focusName(), QStringLiteral("cmdGrowUp2"));

    f.press(Qt::Key_R, Qt::AltModifier);
    QVERIFY(f.waitUntilActive(QStringLiteral("frmMain")));
    QVERIFY(f.dialogs.requests().isEmpty());
}

void AccessibilityTest::spaceOpensAnEntryAndTabKeepsTheMenuOrder() {
    Fixture f;
    f.program.screens().handOver(f.screen(FixedScreen::Splash), FixedScreen::MainMenu);
    QVERIFY(f.waitUntilActive(QStringLiteral("frmMain")));
    QCOMPARE(f.focusName(), QStringLiteral("cmdInfo"));
    const QStringList firstColumn = {QStringLiteral("cmdInstruc"),
                                     QStringLiteral("cmdDistribution"),
                                     QStringLiteral("cmdWarranty"), QStringLiteral("cmdShareware"),
                                     QStringLiteral("cmdChildhood")};
    for (const QString& next : firstColumn) {
        f.press(Qt::Key_Tab);
        QCOMPARE(f.focusName(), next);
    }
    f.press(Qt::Key_Space);
    QVERIFY(f.waitUntilActive(QStringLiteral("frmChildMain")));
    // Past the ten questions' squares to Return, which the keypad's Enter presses.
    for (int square = 0; square < 10; ++square)
        f.press(Qt::Key_Tab);
    QCOMPARE(f.focusName(), QStringLiteral("cmdReturn"));
    f.press(Qt::Key_Enter, Qt::KeypadModifier);
    QVERIFY(f.waitUntilActive(QStringLiteral("frmMain")));
}

void AccessibilityTest::aboutPageCreditsAndHistoryByKeyboard() {
    Fixture f;
    f.program.screens().handOver(f.screen(FixedScreen::Splash), FixedScreen::MainMenu);
    QVERIFY(f.waitUntilActive(QStringLiteral("frmMain")));
    f.press(Qt::Key_A, Qt::AltModifier);
    QVERIFY(f.waitUntilActive(QStringLiteral("frmInfo")));
    QCOMPARE(f.focusName(), QStringLiteral("cmdClose"));
    f.press(Qt::Key_Tab);
    QCOMPARE(f.focusName(), QStringLiteral("Picture1"));
    f.press(Qt::Key_Return);
    QVERIFY(f.waitUntilActive(QStringLiteral("frmCredits2")));
    f.press(Qt::Key_C, Qt::AltModifier);
    QVERIFY(f.waitUntilActive(QStringLiteral("frmInfo")));

    QWidget* about = f.screen(FixedScreen::About);
    about->findChild<QWidget*>(QStringLiteral("Picture1"))->setFocus();
    f.press(Qt::Key_Tab);
    QCOMPARE(f.focusName(), QStringLiteral("Label2"));
    f.press(Qt::Key_Space);
    QVERIFY(f.waitUntilActive(QStringLiteral("frmVersionHx")));
    QVERIFY(about->isVisible());
    f.press(Qt::Key_C, Qt::AltModifier);
    // Closing the history gives the keyboard back to the About page.
    QVERIFY(f.waitUntilActive(QStringLiteral("frmInfo")));
    QVERIFY(!f.screen(FixedScreen::VersionHistory)->isVisible());
    QVERIFY(about->isAncestorOf(QApplication::focusWidget()));
    QVERIFY(f.dialogs.requests().isEmpty());
}

// Buttons, boxes and links alike: whatever Tab can reach is announced by a
// name, on every screen, the hidden ticked twins included.
void AccessibilityTest::everyControlTheKeyboardReachesHasAName() {
    Fixture f;
    int checked = 0;
    for (const ScreenId id : f.program.screens().registeredScreens()) {
        const QString name = id.objectName();
        QWidget* screen = f.program.screens().create(id);
        QVERIFY2(screen, qPrintable(name));
        QVERIFY2(!accessibleText(screen, QAccessible::Name).isEmpty(), qPrintable(name));
        for (QWidget* widget : screen->findChildren<QWidget*>()) {
            const bool button = qobject_cast<QAbstractButton*>(widget) != nullptr;
            if (!button && !takesTabFocus(widget))
                continue;
            const QString where = name + u'/' + widget->objectName();
            QVERIFY2(!accessibleText(widget, QAccessible::Name).trimmed().isEmpty(),
                     qPrintable(where + QStringLiteral(" has no name")));
            ++checked;
        }
    }
    // Every square, tick, box, button and link of 40 screens.
    QVERIFY2(checked > 300, qPrintable(QString::number(checked)));
}

void AccessibilityTest::squaresTellWhatTheyOpenAndWhetherItIsDone() {
    Fixture f;
    QWidget* menu = f.screen(FixedScreen::MainMenu);
    const auto text = [menu](const char* button, QAccessible::Text kind) {
        return accessibleText(menu->findChild<QWidget*>(QString::fromLatin1(button)), kind);
    };
    QCOMPARE(text("cmdChildhood", QAccessible::Name), QStringLiteral("Open Childhood"));
    QCOMPARE(text("cmdChildhood", QAccessible::Description),
             QStringLiteral("Questions about your childhood."));
    QCOMPARE(text("cmdChildhood2", QAccessible::Name), QStringLiteral("Childhood: complete"));
    QCOMPARE(text("cmdKids", QAccessible::Name), QStringLiteral("Open Having Children"));
    QCOMPARE(text("cmdSaveFile", QAccessible::Name),
             QStringLiteral("Open Edit Text & Save to File"));
    QVERIFY(!text("cmdSaveFile", QAccessible::Description).isEmpty());
    QCOMPARE(text("cmdLoad", QAccessible::Name), QStringLiteral("Load Previously Saved Data"));

    QWidget* chapter = f.program.screens().create(catalogue::ChapterId::Childhood);
    const QString wording = chapter->findChild<QLabel*>(QStringLiteral("lblGrowUp"))->text();
    QVERIFY(!wording.isEmpty());
    QCOMPARE(accessibleText(chapter->findChild<QWidget*>(QStringLiteral("cmdGrowUp")),
                            QAccessible::Name),
             QStringLiteral("Open question: ") + wording);
    QCOMPARE(accessibleText(chapter->findChild<QWidget*>(QStringLiteral("cmdGrowUp2")),
                            QAccessible::Name),
             QStringLiteral("Answered: ") + wording);

    QWidget* page = f.program.screens().create(catalogue::PageId::Childhood1);
    QCOMPARE(
        accessibleText(page->findChild<QWidget*>(QStringLiteral("txtGrowUp")), QAccessible::Name),
        page->findChild<QLabel*>(QStringLiteral("lblGrowUp"))->text());
}

void AccessibilityTest::picturesAndLinksPressLikeButtons() {
    Fixture f;
    QWidget* about = f.screen(FixedScreen::About);
    auto* picture = about->findChild<QWidget*>(QStringLiteral("Picture1"));
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(picture);
    QCOMPARE(face->role(), QAccessible::Button);
    QCOMPARE(face->text(QAccessible::Name), QStringLiteral("Credits"));
    QAccessibleActionInterface* actions = face->actionInterface();
    QVERIFY(actions);
    QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    f.program.screens().show(FixedScreen::About);
    actions->doAction(QAccessibleActionInterface::pressAction());
    QVERIFY(f.screen(FixedScreen::Credits)->isVisible());

    QAccessibleInterface* history =
        QAccessible::queryAccessibleInterface(about->findChild<QWidget*>(QStringLiteral("Label2")));
    QCOMPARE(history->text(QAccessible::Name), QStringLiteral("Version History"));

    // A main menu label has its square beside it: it stays out of Tab's way.
    QWidget* menu = f.screen(FixedScreen::MainMenu);
    QCOMPARE(menu->findChild<QWidget*>(QStringLiteral("lblChildhood"))->focusPolicy(), Qt::NoFocus);
}

// A control looks different with the keyboard on it than without.
void AccessibilityTest::focusIsVisibleOnEveryKindOfControl() {
    Fixture f;
    struct Case {
        ScreenId screen;
        const char* control;
        const char* other;
    };
    using catalogue::ChapterId, catalogue::PageId;
    const Case cases[] = {
        {FixedScreen::MainMenu, "cmdChildhood", "cmdExit"},  // a plain square
        {FixedScreen::MainMenu, "cmdExit", "cmdChildhood"},  // a captioned button
        {ChapterId::Childhood, "cmdReturn", "cmdGrowUp"},    // a chapter menu's button
        {PageId::Childhood1, "txtGrowUp", "cmdSave"},        // an answer box
        {PageId::Childhood1, "cmdSave", "txtGrowUp"},        // a page's button
        {FixedScreen::About, "Picture1", "cmdClose"},        // a picture that opens the credits
        {FixedScreen::About, "Label2", "cmdClose"},          // a text link
    };
    for (const Case& c : cases) {
        QWidget* screen = f.program.screens().show(c.screen);
        QVERIFY(f.waitUntilActive(c.screen.objectName()));
        auto* control = screen->findChild<QWidget*>(QString::fromLatin1(c.control));
        screen->findChild<QWidget*>(QString::fromLatin1(c.other))->setFocus();
        const QImage without = looks(control);
        QVERIFY2(f.tabTo(control), c.control);
        QVERIFY2(looks(control) != without, c.control);
        screen->hide();
    }

    // An answer box is framed in the highlight colour, not only given a caret.
    QWidget* page = f.program.screens().show(catalogue::PageId::Childhood1);
    QVERIFY(f.waitUntilActive(QStringLiteral("frmChildhood1")));
    auto* box = page->findChild<QWidget*>(QStringLiteral("txtToys"));
    QVERIFY(f.tabTo(box));
    const QImage framed = looks(box);
    QCOMPARE(framed.pixelColor(0, framed.height() / 2), box->palette().color(QPalette::Highlight));
    page->hide();

    // The ticked square shows its focus frame around the tick too.
    QWidget* chapter = f.program.screens().show(catalogue::ChapterId::Childhood);
    QVERIFY(f.waitUntilActive(QStringLiteral("frmChildMain")));
    auto* tick = chapter->findChild<QPushButton*>(QStringLiteral("cmdGrowUp2"));
    tick->show();
    const QImage without = looks(tick);
    QVERIFY(f.tabTo(tick));
    const QImage with = looks(tick);
    QVERIFY(with != without);
    QCOMPARE(with.pixelColor(0, with.height() / 2), SquareButton::focusColor());
}

void AccessibilityTest::accessKeyCaptionsAreReadWithoutTheirMarks_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("spoken");
    QTest::newRow("leading") << "&Childhood"
                             << "Childhood";
    QTest::newRow("inside") << "Having Child&ren"
                            << "Having Children";
    QTest::newRow("doubled") << "Edit Text && Save to File"
                             << "Edit Text & Save to File";
    QTest::newRow("doubled then key") << "A && &B"
                                      << "A & B";
    QTest::newRow("trailing") << "Odd&"
                              << "Odd";
    QTest::newRow("none") << "Load"
                          << "Load";
}

void AccessibilityTest::accessKeyCaptionsAreReadWithoutTheirMarks() {
    QFETCH(QString, caption);
    QFETCH(QString, spoken);
    QCOMPARE(look::withoutAccessKey(caption), spoken);
}

QTEST_MAIN(AccessibilityTest)
#include "test_accessibility.moc"
