#pragma once

namespace vellumora {

struct AppContext;

/// Registers the twelve chapter menus and the twenty question pages with the screen manager.
void registerChapterScreens(AppContext& context);

}  // namespace vellumora
