#pragma once

#include "shell/screen.h"

class QPushButton;

namespace vellumora {

/// The first screen: the program's artwork, Enter and Exit.
class Splash : public Screen {
    Q_OBJECT

public:
    explicit Splash(AppContext& context);

private:
    void buildArtwork();
    void buildButtons();

    QPushButton* enter_ = nullptr;
};

}  // namespace vellumora
