#pragma once

namespace vellumora {

class AnswerStore;
class Dialogs;
class ScreenManager;
struct Session;
struct ViewZooms;
namespace spelling {
class Speller;
}

/// What every screen is built with: the answers, the dialogs, the other
/// screens, the run's shared state and the aids to writing that every text
/// area shares (spelling, zoom).
struct AppContext {
    AnswerStore& store;
    Dialogs& dialogs;
    ScreenManager& screens;
    Session& session;
    spelling::Speller& speller;
    ViewZooms& zooms;
};

}  // namespace vellumora
