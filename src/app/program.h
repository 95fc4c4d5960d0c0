#pragma once

#include "shell/appcontext.h"
#include "shell/recovery.h"
#include "shell/screenmanager.h"
#include "shell/session.h"
#include "shell/startoffers.h"
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

    /// Keeps copies of her work against a crash and an exit without a save
    /// from now on, and once the main menu is first shown offers what an
    /// earlier run left, or to go on with the data file she used last.
    void keepRecoveryCopiesIn(const RecoveryPlaces& places) { recovery_.keepCopiesIn(places); }

    AnswerStore& store() { return store_; }
    Session& session() { return session_; }
    ScreenManager& screens() { return screens_; }
    Recovery& recovery() { return recovery_; }
    AppContext& context() { return context_; }
    spelling::Speller& speller() { return speller_; }
    ViewZooms& zooms() { return zooms_; }

private:
    void openInEditor(const QString& path);

    AnswerStore store_;
    Session session_;
    spelling::Speller speller_;
    ViewZooms zooms_;
    // Before the screens: the editor reports to it until it is destroyed.
    Recovery recovery_;
    StartOffers startOffers_;
    ScreenManager screens_;
    AppContext context_;
};

}  // namespace vellumora
