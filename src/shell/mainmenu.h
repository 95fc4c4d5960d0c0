#pragma once

#include "shell/look.h"
#include "shell/screen.h"
#include "store/catalogue.h"

#include <memory>
#include <vector>

namespace vellumora {

/**
 * The main menu: an entry per chapter and information page, the editor, the
 * reload of a data file and Exit. Each time it becomes active it marks every
 * chapter whose questions are all answered, and so it does as soon as the
 * answers are replaced all at once; reading a data file marks nothing until
 * the next activation.
 */
class MainMenu : public Screen {
    Q_OBJECT

public:
    explicit MainMenu(AppContext& context);

    void activate() override;
    /// Asks, then reads a data file chosen by the user into the answers.
    void LoadData();

    /// The completion mark of a chapter.
    const MarkPair* markOf(catalogue::ChapterId chapter) const;

private:
    struct Entry;
    void buildEntries();
    void buildEntry(const Entry& entry);
    void buildExitAndLoad();
    void refreshCompletionMarks();

    /// A chapter's completion mark and the label whose access key reaches it.
    struct ChapterMark {
        catalogue::ChapterId chapter;
        std::unique_ptr<MarkPair> pair;
        QLabel* label;
    };
    std::vector<ChapterMark> marks_;
    std::vector<QWidget*> tabOrder_;
};

}  // namespace vellumora
