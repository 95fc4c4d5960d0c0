#pragma once

#include "shell/screen.h"

namespace vellumora {

/**
 * The hidden credits window: a frameless window cut to a thirteen-pointed
 * star, a dedication and Close inside it. It places itself with the star's
 * centre over the About page it came from. Close returns to the About page;
 * the system's close command does the same and destroys the window.
 */
class CreditsWindow : public Screen {
    Q_OBJECT

public:
    explicit CreditsWindow(AppContext& context);

    /// Where the dedication and the Close button sit, in pixels from the
    /// window's top-left corner; both lie wholly inside the star.
    static QRect dedicationRect();
    static QRect closeRect();

protected:
    bool closeRequested() override;

private:
    void cutToStar();
    void buildDedication();
    void buildClose();
    void placeOverAboutPage();
    void returnToAboutPage();
};

}  // namespace vellumora
