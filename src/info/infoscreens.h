#pragma once

namespace vellumora {

struct AppContext;

/// Registers the information pages and the save note with the screen manager.
void registerInfoScreens(AppContext& context);

}  // namespace vellumora
