#pragma once

#include "shell/screen.h"

class QLabel;

namespace vellumora {

/**
 * The note the editor shows before it saves (frmNote): it explains the two
 * files every save writes. OK confirms it and hands back to the editor, whose
 * activation then runs the pending save; the close box drops that save.
 */
class SaveNote : public Screen {
    Q_OBJECT

public:
    explicit SaveNote(AppContext& context);

    void activate() override;

protected:
    bool closeRequested() override;

private:
    void buildLabels();
    void confirm();

    QLabel* note_ = nullptr;
    QLabel* changes_ = nullptr;
};

}  // namespace vellumora
