#pragma once

#include "chapters/designs.h"
#include "shell/screen.h"

#include <vector>

class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace vellumora {

/**
 * A question page, built from its row of the page table: a label and an
 * answer box per question in frames, Save and Return. Each activation loads
 * the boxes from the answer store; Save stores every box; Return asks before
 * unsaved typing is dropped, then shows the chapter menu.
 */
class QuestionPage : public Screen {
    Q_OBJECT

public:
    QuestionPage(AppContext& context, const chapters::PageDesign& design);

    /// Loads the answers: every box from its slot, the changed flag to "N",
    /// the focus into the first box.
    void activate() override;

    /// "Y" after an edit since the last load or save, "N" otherwise; empty
    /// before the first activation.
    QString changedFlag() const { return changed_; }

private:
    /// A question on the page and the widgets that show it.
    struct Answer {
        int position;  ///< catalogue position of its slot
        QLabel* label;
        QPlainTextEdit* box;
    };

    void buildFrames();
    void buildQuestions();
    void buildButtons();
    void layOut();
    void setTabOrderOfControls();

    void loadAnswers();
    void saveAnswers();
    void returnToMenu();
    bool userWantsToSave();

    const chapters::PageDesign& design_;
    ScreenId menu_;  ///< the chapter menu that Return shows
    std::vector<Answer> answers_;
    std::vector<QFrame*> frames_;  ///< indexed by chapters::Frame
    QPushButton* save_ = nullptr;
    QPushButton* return_ = nullptr;
    QString changed_;
};

}  // namespace vellumora
