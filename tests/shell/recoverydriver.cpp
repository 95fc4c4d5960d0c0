// The whole program in a process of its own, driven step by step from its
// command line, so that a test can kill it with SIGKILL where it pleases and
// start it again. It keeps its copies where the real program does: the test
// points HOME and XDG_DATA_HOME at a folder of its own.
//
// Steps, run in order:
//   enter          press Enter on the splash screen (the recovery question
//                  comes right after the main menu is shown)
//   answer TEXT    type TEXT, then a number, into each box of the first
//                  childhood page, and Save
//   edit TEXT      open the editor, type TEXT, wait until the document is kept
//   churn          store large answers again and again, for ever
//   load PATH      the main menu's Load Previously Saved Data, choosing PATH
//   exit           the main menu's Exit, answered Yes
//   editor-exit    the editor's File > Exit, answering No to saving
//   report PATH    write the answers as a data file to PATH
//   wait           stay alive until killed
// Options before the steps: --restore yes|no|default answers the question
// about kept work, --go-on yes|no|default the one about the last data file;
// default is the question's default button. Unset, both are No.
// Every message shown is printed as "MESSAGE <text>", every step's end as
// "DONE <step>", so that the test knows how far the program got.
#include "app/program.h"
#include "dialogs/dialogs.h"
#include "store/answerstore.h"
#include "store/datafile.h"
#include "support/cancellingdialogs.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTextEdit>
#include <cstdio>

using namespace vellumora;

namespace {

void say(const QString& line) {
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

/// An answer given on the command line: "default" stands for the
/// question's default button.
using Answer = std::optional<MessageButton>;

Answer answerNamed(const QString& name) {
    if (name == u"default")
        return std::nullopt;
    return name == u"yes" ? MessageButton::Yes : MessageButton::No;
}

/// Answers as a careful user would: OK to notes, Yes to leaving and to
/// loading, No to saving the document; the start's questions as the command
/// line says.
class DriverDialogs final : public test::CancellingDialogs {
public:
    Answer restoreAnswer = MessageButton::No;
    Answer goOnAnswer = MessageButton::No;
    QString fileToOpen;

    MessageButton message(QWidget*, const MessageRequest& request) override {
        say(QStringLiteral("MESSAGE ") + QString(request.text).replace(u'\n', u' '));
        const auto startsWith = [&request](const char* words) {
            return request.text.startsWith(QString::fromUtf8(words));
        };
        if (request.buttons == MessageButtons::YesNo &&
            (startsWith("Vellumora was not closed properly") ||
             startsWith("You left Vellumora last time")))
            return restoreAnswer.value_or(request.defaultButton);
        if (startsWith("Welcome back!"))
            return goOnAnswer.value_or(request.defaultButton);
        if (startsWith("Are you sure you want to exit?") ||
            startsWith("NOTE:  Previously saved data"))
            return MessageButton::Yes;
        return CancellingDialogs::message(nullptr, request);
    }
    std::optional<QString> openFile(QWidget*, const FileRequest&) override {
        return fileToOpen.isEmpty() ? std::nullopt : std::optional(fileToOpen);
    }
};

class Driver {
public:
    explicit Driver(DriverDialogs& dialogs) : program_(dialogs, [this] { ended_ = true; }) {
        program_.keepRecoveryCopiesIn(RecoveryPlaces::standard());
        program_.start();
    }

    void enter() {
        button(FixedScreen::Splash, "cmdEnter")->click();
        settle();
    }

    void answer(const QString& text) {
        QWidget* page = program_.screens().show(catalogue::PageId::Childhood1);
        int n = 0;
        for (auto* box : page->findChildren<QPlainTextEdit*>()) {
            box->setFocus();
            QTest::keyClicks(box, text + QString::number(++n));
        }
        button(catalogue::PageId::Childhood1, "cmdSave")->click();
        waitFor(&Recovery::answersKept);
    }

    void edit(const QString& text) {
        program_.screens().show(FixedScreen::MainMenu);
        button(FixedScreen::MainMenu, "cmdSaveFile")->click();
        QWidget* editor = program_.screens().find(FixedScreen::TextEditor);
        auto* area = editor->findChild<QTextEdit*>(QStringLiteral("txtEdit"));
        area->moveCursor(QTextCursor::Start);
        QTest::keyClicks(area, text);
        waitFor(&Recovery::documentKept);
    }

    // Every round gives every slot the same new text, so a copy mixing two
    // rounds would show.
    [[noreturn]] void churn() {
        const QString filler(100 * 1024, u'x');
        for (int round = 1;; ++round) {
            for (int position = 1; position <= catalogue::kQuestionCount; ++position)
                program_.store().store(position, QStringLiteral("round %1 ").arg(round) + filler);
            waitFor(&Recovery::answersKept);
            if (round == 1)
                say(QStringLiteral("READY ") + program_.recovery().folder());
        }
    }

    void load(DriverDialogs& dialogs, const QString& path) {
        dialogs.fileToOpen = path;
        button(FixedScreen::MainMenu, "cmdLoad")->click();
        dialogs.fileToOpen.clear();
    }

    bool exitFromMainMenu() {
        button(FixedScreen::MainMenu, "cmdExit")->click();
        return ended_;
    }

    bool exitFromEditor() {
        QWidget* editor = program_.screens().find(FixedScreen::TextEditor);
        editor->findChild<QAction*>(QStringLiteral("mnuFileExit"))->trigger();
        return ended_;
    }

    void report(const QString& path) {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(datafile::encode(program_.store()));
    }

private:
    QPushButton* button(ScreenId screen, const char* name) {
        return program_.screens().find(screen)->findChild<QPushButton*>(QString::fromLatin1(name));
    }
    void waitFor(void (Recovery::*signal)()) {
        QSignalSpy spy(&program_.recovery(), signal);
        if (!spy.wait(30000))
            say(QStringLiteral("TIMEOUT"));
    }
    static void settle() {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
    }

    bool ended_ = false;
    Program program_;
};

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Vellumora"));
    QApplication::setQuitOnLastWindowClosed(false);
    QStringList args = app.arguments().mid(1);
    DriverDialogs dialogs;
    while (args.size() >= 2 && args[0].startsWith(u"--")) {
        (args[0] == u"--restore" ? dialogs.restoreAnswer : dialogs.goOnAnswer) =
            answerNamed(args[1]);
        args = args.mid(2);
    }
    Driver driver(dialogs);
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString step = args[i];
        const QString value = i + 1 < args.size() ? args[i + 1] : QString();
        if (step == u"enter") {
            driver.enter();
        } else if (step == u"answer") {
            driver.answer(value);
            ++i;
        } else if (step == u"edit") {
            driver.edit(value);
            ++i;
        } else if (step == u"load") {
            driver.load(dialogs, value);
            ++i;
        } else if (step == u"churn") {
            driver.churn();
        } else if (step == u"exit" || step == u"editor-exit") {
            const bool ended =
                step == u"exit" ? driver.exitFromMainMenu() : driver.exitFromEditor();
            say((ended ? QStringLiteral("ENDED ") : QStringLiteral("NOT ENDED ")) + step);
            return ended ? 0 : 1;
        } else if (step == u"report") {
            driver.report(value);
            ++i;
        } else if (step == u"wait") {
            say(QStringLiteral("READY"));
            return QApplication::exec();
        } else {
            say(QStringLiteral("UNKNOWN ") + step);
            return 2;
        }
        say(QStringLiteral("DONE ") + step);
    }
    return 0;
}
