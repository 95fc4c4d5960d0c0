#include "shell/shellscreens.h"

#include "shell/mainmenu.h"
#include "shell/splash.h"

namespace vellumora {

void registerShellScreens(AppContext& context) {
    context.screens.registerScreen(QStringLiteral("frmSplash"),
                                   [&context] { return new Splash(context); });
    context.screens.registerScreen(QStringLiteral("frmMain"),
                                   [&context] { return new MainMenu(context); });
}

}  // namespace vellumora
