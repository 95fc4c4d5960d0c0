#include "chapters/chapterscreens.h"

#include "shell/appcontext.h"

namespace vellumora {

void registerChapterScreens(AppContext&) {}

}  // namespace vellumora
