#include "chapters/chaptermenu.h"

#include "shell/units.h"
#include "store/answerstore.h"
#include "store/catalogue.h"

#include <algorithm>

namespace vellumora {

namespace {

constexpr int kFirstRowTop = 120;
constexpr int kSquareLeft = 120, kSquareSize = 255;
constexpr int kLabelLeft = 480;
constexpr int kRowGap = 90;
constexpr int kMargin = 120;
constexpr QSize kReturnSize(1695, 495);

// frmLifeMain's labels were designed to reach 15 twips past its right edge;
// they stop at the edge, so that no letter and no part of Return is cut off.
int labelWidthOf(const chapters::MenuDesign& design) {
    return std::min(design.labelWidth, design.client.width() - kLabelLeft);
}

const catalogue::Chapter& chapterOf(const chapters::MenuDesign& design) {
    return catalogue::chapter(design.chapter);
}

}  // namespace

ChapterMenu::ChapterMenu(AppContext& context, const chapters::MenuDesign& design)
    : Screen(context, QString::fromLatin1(chapterOf(design).menuCaption), design.client,
             CloseBox::AskExit),
      design_(design) {
    buildRows();
    setTabOrderOfControls();
    // Answers given back all at once are ticked at once. An answer saved on
    // a page waits for the next activation: one saved and emptied again
    // before she comes back gets no tick.
    connect(&context.store, &AnswerStore::answersReplaced, this, &ChapterMenu::refreshMarks);
}

void ChapterMenu::buildRows() {
    int top = kFirstRowTop;
    for (const catalogue::Question& question : catalogue::questionsOf(chapterOf(design_)))
        top = buildRow(question, top) + kRowGap;
    buildReturn(top - kRowGap);
}

// Returns the row's bottom; a label is as tall as its wrapped wording needs.
int ChapterMenu::buildRow(const catalogue::Question& question, int top) {
    const QString key = catalogue::menuControlKey(question);
    const auto open = [this, page = question.page] { openPage(page); };

    auto* label = new ClickableLabel(catalogue::menuWording(question), this);
    label->setObjectName(QStringLiteral("lbl") + key);
    look::styleWording(label);
    const int labelWidth = labelWidthOf(design_);
    const int labelHeight = look::wrappedHeightTwips(label, labelWidth);
    label->setGeometry(pxRect(kLabelLeft, top, labelWidth, labelHeight));
    connect(label, &ClickableLabel::clicked, this, open);

    auto mark = std::make_unique<MarkPair>(this, QStringLiteral("cmd") + key,
                                           QPoint(kSquareLeft, top), open);
    // A screen reader reads the question and whether it has been answered.
    mark->describe(QStringLiteral("Open question: ") + label->text(),
                   QStringLiteral("Not answered yet."),
                   QStringLiteral("Answered: ") + label->text(),
                   QStringLiteral("Open the question again to read or change the answer."));
    rows_.push_back({catalogue::positionOf(question), label, std::move(mark)});
    return top + std::max(labelHeight, kSquareSize);
}

// Return stands at the right, its right edge under the labels' right edge,
// at the foot of the window; the window grows only if the rows need it.
void ChapterMenu::buildReturn(int lastRowBottom) {
    return_ = new QPushButton(QStringLiteral("&Return to Main"), this);
    return_->setObjectName(QStringLiteral("cmdReturn"));
    return_->setFont(look::buttonFont());
    return_->setAutoDefault(false);
    connect(return_, &QPushButton::clicked, this, [this] { handOverTo(FixedScreen::MainMenu); });

    const int clientHeight =
        std::max(design_.client.height(), lastRowBottom + kMargin + kReturnSize.height() + kMargin);
    const int left = kLabelLeft + labelWidthOf(design_) - kReturnSize.width();
    const int top = clientHeight - kMargin - kReturnSize.height();
    return_->setGeometry(pxRect(left, top, kReturnSize.width(), kReturnSize.height()));
    setFixedSize(pxSize(design_.client.width(), clientHeight));
}

// Label and open button row by row, then Return, then the answered marks.
void ChapterMenu::setTabOrderOfControls() {
    std::vector<QWidget*> order;
    for (const Row& row : rows_) {
        order.push_back(row.label);
        order.push_back(row.mark->plain());
    }
    order.push_back(return_);
    for (const Row& row : rows_)
        order.push_back(row.mark->marked());
    chainTabOrder(order);
}

void ChapterMenu::activate() {
    refreshMarks();
}

// Marks only ever appear: emptying an answer later leaves its tick.
void ChapterMenu::refreshMarks() {
    for (const Row& row : rows_)
        if (!row.mark->isMarked() && context().store.isAnswered(row.position))
            row.mark->mark();
}

void ChapterMenu::openPage(catalogue::PageId page) {
    handOverTo(page);
}

bool ChapterMenu::frm2() {
    const auto pages = catalogue::pagesOf(chapterOf(design_));
    if (!design_.offersSecondPageOpener || pages.size() < 2)
        return false;
    openPage(pages[1].id);
    return true;
}

}  // namespace vellumora
