#include "info/infoscreens.h"

#include "info/aboutpage.h"
#include "info/creditswindow.h"
#include "info/infopages.h"
#include "shell/appcontext.h"
#include "shell/screenmanager.h"

namespace vellumora {

void registerInfoScreens(AppContext& context) {
    ScreenManager& screens = context.screens;
    // The factories outlive this function: they hold pointers to the
    // context and to the page's design, both of which live as long as the run.
    const auto page = [&context](const InfoPageDesign& design) {
        return [context = &context, design = &design] { return new InfoPage(*context, *design); };
    };
    for (const InfoPageDesign* design :
         {&infopages::instructions(), &infopages::versionHistory(), &infopages::distribution(),
          &infopages::warranty(), &infopages::shareware()})
        screens.registerScreen(design->screen, page(*design));
    screens.registerScreen(infopages::about().screen,
                           [&context] { return new AboutPage(context); });
    screens.registerScreen(FixedScreen::Credits, [&context] { return new CreditsWindow(context); });
}

}  // namespace vellumora
