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
    screens.registerScreen(QStringLiteral("frmInstruc"), page(infopages::instructions()));
    screens.registerScreen(QStringLiteral("frmVersionHx"), page(infopages::versionHistory()));
    screens.registerScreen(QStringLiteral("frmDistribution"), page(infopages::distribution()));
    screens.registerScreen(QStringLiteral("frmWarranty"), page(infopages::warranty()));
    screens.registerScreen(QStringLiteral("frmShare"), page(infopages::shareware()));
    screens.registerScreen(QStringLiteral("frmInfo"),
                           [&context] { return new AboutPage(context); });
    screens.registerScreen(QStringLiteral("frmCredits2"),
                           [&context] { return new CreditsWindow(context); });
}

}  // namespace vellumora
