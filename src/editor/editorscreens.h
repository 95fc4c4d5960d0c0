#pragma once

namespace vellumora {

struct AppContext;

/// Registers the document editor with the screen manager.
void registerEditorScreens(AppContext& context);

}  // namespace vellumora
