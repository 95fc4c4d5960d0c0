// Saves pictures of the editor and the save note for looking at them by eye:
//   editor_screenshots [folder]   (default /tmp/shots-editor)
// Under a real display (Xvfb) it also keeps the windows up for a moment so
// that a screen grab shows their frames.

#include "app/program.h"
#include "editor/texteditor.h"
#include "scripteddialogs.h"
#include "store/answerstore.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <cstdio>

using namespace vellumora;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1])
                               : QStringLiteral("/tmp/shots-editor"));
    QDir().mkpath(folder.path());

    test::ScriptedDialogs dialogs;
    dialogs.answerMessage(MessageButton::Ok);
    Program program(dialogs, [] {});
    program.store().store(1, QStringLiteral("A pilot, then a teacher.\r\nLater a nurse."));
    QWidget* editor = program.screens().show(FixedScreen::TextEditor);
    editor->grab().save(folder.filePath(QStringLiteral("frmTxtEditor.png")));
    editor->resize(900, 650);
    editor->grab().save(folder.filePath(QStringLiteral("frmTxtEditor-large.png")));
    editor->resize(454, 353);
    dialogs.answerPrint(true, folder.filePath(QStringLiteral("print.pdf")));
    editor->findChild<QAction*>(QStringLiteral("mnuFilePrint"))->trigger();
    QWidget* note = program.screens().show(FixedScreen::SaveNote);
    note->grab().save(folder.filePath(QStringLiteral("frmNote.png")));
    std::printf("editor %d x %d, note %d x %d\n", editor->width(), editor->height(), note->width(),
                note->height());
    // Leaving through exit(), as the program does: quit() would first ask every
    // window to close, and the editor answers a close with its save prompt.
    QTimer::singleShot(argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 0, &app,
                       [] { QCoreApplication::exit(0); });
    return QApplication::exec();
}
