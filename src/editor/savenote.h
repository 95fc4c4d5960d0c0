#pragma once

#include "shell/screen.h"

#include <vector>

class QLabel;

namespace vellumora {

/**
 * The note the editor shows before it saves (frmNote): it explains the two
 * files every save writes. It is not modal. OK hands back to the editor and
 * reports confirmed(); the close box destroys the note and reports
 * dismissed(). Each opening asks afresh: an earlier OK counts for nothing.
 */
class SaveNote : public Screen {
    Q_OBJECT

public:
    explicit SaveNote(AppContext& context);

    void activate() override;

signals:
    /// OK: the editor is shown again, and the save may run.
    void confirmed();
    /// Closed with its close box: the save waiting for it is dropped.
    void dismissed();

protected:
    bool closeRequested() override;

private:
    void buildLabels();
    void confirm();

    /// A label whose text is written each time the note becomes active.
    struct WrittenLabel {
        QLabel* label;
        const char* text;
    };
    std::vector<WrittenLabel> writtenOnActivation_;
};

}  // namespace vellumora
