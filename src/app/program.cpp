#include "app/program.h"

#include "chapters/chapterscreens.h"
#include "editor/documentfiles.h"
#include "editor/editorscreens.h"
#include "editor/texteditor.h"
#include "info/infoscreens.h"
#include "shell/shellscreens.h"

namespace vellumora {

Program::Program(Dialogs& dialogs, std::function<void()> endProgram)
    : recovery_(store_),
      startOffers_(store_, dialogs, recovery_),
      screens_(std::move(endProgram)),
      context_{store_, dialogs, screens_, session_, recovery_, speller_, zooms_} {
    recovery_.follow(screens_);
    startOffers_.follow(screens_);
    QObject::connect(&startOffers_, &StartOffers::openInEditor, &startOffers_,
                     [this](const QString& path) { openInEditor(path); });
    registerShellScreens(context_);
    registerChapterScreens(context_);
    registerInfoScreens(context_);
    registerEditorScreens(context_);
}

void Program::start() {
    for (const FixedScreen screen : {FixedScreen::Splash, FixedScreen::MainMenu,
                                     FixedScreen::Instructions, FixedScreen::About})
        screens_.create(screen);
    screens_.show(FixedScreen::Splash);
}

// The editor opens from the main menu as its entry opens it, then loads the
// document in place of the compiled one, which is no change of hers.
void Program::openInEditor(const QString& path) {
    screens_.handOver(screens_.find(FixedScreen::MainMenu), FixedScreen::TextEditor);
    if (auto* editor = screens_.findAs<TextEditor>(FixedScreen::TextEditor))
        editor->files().load(path);
}

}  // namespace vellumora
