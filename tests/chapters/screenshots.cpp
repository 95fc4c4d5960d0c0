// Saves a picture of every chapter menu and question page, for looking at
// the layout by eye:  chapters_screenshots [folder]  (default
// /tmp/shots-chapters). Menus are shown with every other row ticked, pages
// with a long answer in every box.

#include "app/program.h"
#include "chapters/designs.h"
#include "scripteddialogs.h"
#include "store/catalogue.h"

#include <QApplication>
#include <QDir>
#include <QWidget>
#include <cstdio>

using namespace vellumora;

namespace {

void answerEveryOtherQuestion(AnswerStore& store) {
    for (int position = 1; position <= catalogue::kQuestionCount; position += 2)
        store.store(position, QStringLiteral("An answer\r\nover two lines"));
}

bool save(Program& program, ScreenId id, const QDir& folder) {
    QWidget* screen = program.screens().show(id);
    if (!screen)
        return false;
    const QString name = screen->objectName();
    const bool saved = screen->grab().save(folder.filePath(name + ".png"));
    std::printf("%-16s %4d x %4d px\n", qPrintable(name), screen->width(), screen->height());
    screen->hide();
    return saved;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1])
                               : QStringLiteral("/tmp/shots-chapters"));
    QDir().mkpath(folder.path());

    test::ScriptedDialogs dialogs;
    Program program(dialogs, [] {});
    answerEveryOtherQuestion(program.store());
    int failures = 0;
    for (const chapters::MenuDesign& menu : chapters::menuDesigns())
        failures += !save(program, menu.chapter, folder);
    for (const chapters::PageDesign& page : chapters::pageDesigns())
        failures += !save(program, page.page, folder);
    return failures == 0 ? 0 : 1;
}
