#include "chapters/chapterscreens.h"

#include "chapters/chaptermenu.h"
#include "chapters/designs.h"
#include "chapters/questionpage.h"
#include "shell/appcontext.h"
#include "shell/screenmanager.h"

namespace vellumora {

void registerChapterScreens(AppContext& context) {
    for (const chapters::MenuDesign& design : chapters::menuDesigns())
        context.screens.registerScreen(
            design.chapter, [&context, &design] { return new ChapterMenu(context, design); });
    for (const chapters::PageDesign& design : chapters::pageDesigns())
        context.screens.registerScreen(
            design.page, [&context, &design] { return new QuestionPage(context, design); });
}

}  // namespace vellumora
