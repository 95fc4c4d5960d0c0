#pragma once

namespace vellumora {

class AnswerStore;
class Dialogs;
class Recovery;
class ScreenManager;
struct Session;

/// What every screen is built with: the answers, the dialogs, the other
/// screens, the run's shared state and the copies kept against a crash.
struct AppContext {
    AnswerStore& store;
    Dialogs& dialogs;
    ScreenManager& screens;
    Session& session;
    Recovery& recovery;
};

}  // namespace vellumora
