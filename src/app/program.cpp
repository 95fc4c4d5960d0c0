#include "app/program.h"

#include "chapters/chapterscreens.h"
#include "editor/editorscreens.h"
#include "info/infoscreens.h"
#include "shell/shellscreens.h"

namespace vellumora {

Program::Program(Dialogs& dialogs, std::function<void()> endProgram)
    : recovery_(store_, dialogs),
      screens_(std::move(endProgram)),
      context_{store_, dialogs, screens_, session_, recovery_, speller_, zooms_} {
    recovery_.follow(screens_);
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

}  // namespace vellumora
