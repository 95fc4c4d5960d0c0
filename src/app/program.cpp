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
    for (const char* name : {"frmSplash", "frmMain", "frmInstruc", "frmInfo"})
        screens_.create(QString::fromLatin1(name));
    screens_.show(QStringLiteral("frmSplash"));
}

}  // namespace vellumora
