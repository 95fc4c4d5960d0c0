// Saves pictures of spelling and zoom for a look by eye:
//   spelling_screenshots [folder]   (default /tmp/shots-spelling)
// A question page and the editor with misspelt words, the context menu on
// one of them, and both zoomed in two steps.

#include "app/program.h"
#include "editor/documenttextedit.h"
#include "editor/texteditor.h"
#include "scripteddialogs.h"
#include "spelling/speller.h"
#include "spelling/spellingview.h"
#include "zoom/textzoom.h"

#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTest>
#include <cstdio>

using namespace vellumora;

namespace {

const QString kAnswer = QStringLiteral(
    "We lived in a smal house by the rivver. Teh letter was recieved on a Tuesday, and "
    "Mr Grünwald brought it to the café.\r\nDON'T FORGETT the o’clock train.");

bool save(QWidget* widget, const QDir& folder, const char* name) {
    const bool saved = widget->grab().save(folder.filePath(QString::fromLatin1(name)));
    std::printf("%-24s %4d x %4d px\n", name, widget->width(), widget->height());
    return saved;
}

void waitForSpelling(Program& program) {
    QTRY_VERIFY_WITH_TIMEOUT(program.speller().isReady(), 20000);
    QTest::qWait(200);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1])
                               : QStringLiteral("/tmp/shots-spelling"));
    QDir().mkpath(folder.path());

    test::ScriptedDialogs dialogs;
    Program program(dialogs, [] {});
    for (int position = 1; position <= 5; ++position)
        program.store().store(position, kAnswer);
    int failures = 0;

    QWidget* page = program.screens().show(catalogue::PageId::Childhood1);
    waitForSpelling(program);
    failures += !save(page, folder, "page.png");
    auto* box = page->findChild<QPlainTextEdit*>();
    auto* view = box->findChild<spelling::SpellingView*>();
    QTextCursor at(box->document());
    at.setPosition(kAnswer.indexOf(u"recieved") + 2);
    QMenu* menu = view->contextMenuAt(box->cursorRect(at).center());
    menu->adjustSize();
    failures += !save(menu, folder, "menu.png");
    delete menu;
    program.zooms().answers.step(2);
    QCoreApplication::processEvents();
    failures += !save(page, folder, "page-zoomed.png");
    program.zooms().answers.reset();
    page->hide();

    dialogs.answerMessage(MessageButton::Ok);
    auto* editor = qobject_cast<TextEditor*>(program.screens().show(FixedScreen::TextEditor));
    QTest::qWait(200);
    failures += !save(editor, folder, "editor.png");
    program.zooms().editor.step(3);
    QTest::qWait(200);
    failures += !save(editor, folder, "editor-zoomed.png");
    program.zooms().editor.reset();
    return failures == 0 ? 0 : 1;
}
