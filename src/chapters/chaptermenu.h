#pragma once

#include "chapters/designs.h"
#include "shell/look.h"
#include "shell/screen.h"
#include "store/catalogue.h"

#include <memory>
#include <vector>

namespace vellumora {

/**
 * A chapter menu, built from its row of the menu table: one row per question
 * of the chapter, with a square that turns into a tick once the question is
 * answered, and "&Return to Main". Each activation ticks every answered row,
 * as does a replacement of all the answers at once; a tick is never taken
 * back during a run.
 */
class ChapterMenu : public Screen {
    Q_OBJECT

public:
    ChapterMenu(AppContext& context, const chapters::MenuDesign& design);

    /// Ticks every row whose answer is not empty.
    void activate() override;

    /// Shows a question page of the chapter, then hides the menu.
    void openPage(catalogue::PageId page);
    /// The opener of the chapter's second page, which frmHighSchMain and
    /// frmMilitaryMain offer to other screens. Returns false, doing nothing,
    /// on a menu that does not offer it.
    bool frm2();

private:
    /// A question's row: its slot, its label and its mark.
    struct Row {
        int position;
        ClickableLabel* label;
        std::unique_ptr<MarkPair> mark;
    };

    void buildRows();
    int buildRow(const catalogue::Question& question, int top);
    void buildReturn(int lastRowBottom);
    void setTabOrderOfControls();
    void refreshMarks();

    const chapters::MenuDesign& design_;
    std::vector<Row> rows_;
    QPushButton* return_ = nullptr;
};

}  // namespace vellumora
