#pragma once

namespace vellumora {

struct AppContext;

/// Registers the splash screen and the main menu with the screen manager.
void registerShellScreens(AppContext& context);

}  // namespace vellumora
