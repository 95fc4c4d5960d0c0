#pragma once

namespace vellumora {

struct AppContext;

/// Registers the information pages and the credits window with the screen manager.
void registerInfoScreens(AppContext& context);

}  // namespace vellumora
