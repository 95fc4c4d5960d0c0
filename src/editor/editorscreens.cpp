#include "editor/editorscreens.h"

#include "shell/appcontext.h"

namespace vellumora {

void registerEditorScreens(AppContext&) {}

}  // namespace vellumora
