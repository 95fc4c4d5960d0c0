#pragma once

namespace vellumora {

class AnswerStore;
class Dialogs;
class Recovery;
class ScreenManager;
struct Session;
struct ViewZooms;
namespace spelling {
class Speller;
}

/// What every screen is built with: the answers, the dialogs, the other
/// screens, the run's shared state, the copies kept against a crash and the
/// aids to writing that every text area shares (spelling, zoom).
struct AppContext {
    AnswerStore& store;
    Dialogs& dialogs;
    ScreenManager& screens;
    Session& session;
    Recovery& recovery;
    spelling::Speller& speller;
    ViewZooms& zooms;
};

}  // namespace vellumora
