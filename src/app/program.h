#pragma once

#include "shell/appcontext.h"
#include "shell/recovery.h"
#include "shell/screenmanager.h"
#include "shell/session.h"
#include "spelling/speller.h"
#include "store/answerstore.h"
#include "zoom/textzoom.h"

#include <functional>

namespace vellumora {

class Dialogs;

/**
 * The whole program without its event loop: the answers, the run's shared
 * state and every screen, registered by name. Tests build one per case.
 */
class Program {
public:
    /// endProgram runs when the program ends; the default leaves the event loop.
    explicit Program(Dialogs& dialogs, std::function<void()> endProgram = {});

    /// Start-up: the splash screen is created, then, hidden, the main menu,
    /// the instructions and the About page; then the splash screen is shown.
    void start();

    /// Keeps copies of her work against a crash from now on, and offers
    /// what an earlier run left once the main menu is first shown.
    void keepRecoveryCopiesIn(const RecoveryPlaces& places) { recovery_.keepCopiesIn(places); }

    AnswerStore& store() { return store_; }
    Session& session() { return session_; }
    ScreenManager& screens() { return screens_; }
    Recovery& recovery() { return recovery_; }
    AppContext& context() { return context_; }
    spelling::Speller& speller() { return speller_; }
    ViewZooms& zooms() { return zooms_; }

private:
    AnswerStore store_;
    Session session_;
    spelling::Speller speller_;
    ViewZooms zooms_;
    // Before the screens: the editor reports to it until it is destroyed.
    Recovery recovery_;
    ScreenManager screens_;
    AppContext context_;
};

}  // namespace vellumora
