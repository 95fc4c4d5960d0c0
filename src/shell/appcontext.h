#pragma once

namespace vellumora {

class AnswerStore;
class Dialogs;
class ScreenManager;
struct Session;

/// What every screen is built with: the answers, the dialogs, the other
/// screens and the run's shared state.
struct AppContext {
    AnswerStore& store;
    Dialogs& dialogs;
    ScreenManager& screens;
    Session& session;
};

}  // namespace vellumora
