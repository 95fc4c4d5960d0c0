#include "shell/shellscreens.h"

#include "shell/mainmenu.h"
#include "shell/splash.h"

namespace vellumora {

void registerShellScreens(AppContext& context) {
    context.screens.registerScreen(FixedScreen::Splash, [&context] { return new Splash(context); });
    context.screens.registerScreen(FixedScreen::MainMenu,
                                   [&context] { return new MainMenu(context); });
}

}  // namespace vellumora
