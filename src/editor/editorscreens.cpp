#include "editor/editorscreens.h"

#include "editor/savenote.h"
#include "editor/texteditor.h"
#include "shell/appcontext.h"
#include "shell/screenmanager.h"

namespace vellumora {

void registerEditorScreens(AppContext& context) {
    context.screens.registerScreen(FixedScreen::TextEditor,
                                   [&context] { return new TextEditor(context); });
    context.screens.registerScreen(FixedScreen::SaveNote,
                                   [&context] { return new SaveNote(context); });
}

}  // namespace vellumora
