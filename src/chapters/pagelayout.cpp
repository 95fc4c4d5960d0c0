#include "chapters/pagelayout.h"

#include <algorithm>

namespace vellumora::chapters {

namespace {

constexpr int kMargin = 120;         // window edge to what stands nearest it
constexpr int kSidePadding = 120;    // frame border to its labels and boxes
constexpr int kTopPadding = 105;     // frame border to its first label
constexpr int kBottomPadding = 120;  // last box to the frame border
constexpr int kLabelToBox = 45;      // a label sits close above its own box
constexpr int kBetweenQuestions = 150;
constexpr int kFrameGap = 60;  // between the columns and the bottom frame
constexpr int kButtonGap = 120;
constexpr int kColumnTop = 0;  // the column frames start at the top
constexpr int kLeftColumnX = 120, kRightColumnX = 3360, kColumnWidth = 3135;
constexpr int kBottomFrameX = 120;
constexpr int kButtonLeftBesideFrame = 5400;
constexpr int kSaveLeftBelowRightColumn = 3480;
constexpr Twips kButton = {1095, 615};
constexpr Twips kColumnBox = {2895, 975};

/// The questions of one column frame and its measures.
struct Column {
    Frame frame;
    int x;
    int width;
    Twips box;
    std::vector<std::size_t> questions;
};

Column columnOf(const PageDesign& design, Frame frame) {
    Column column =
        frame == Frame::Left
            ? Column{frame, kLeftColumnX, kColumnWidth, kColumnBox, {}}
            : Column{frame, kRightColumnX, design.rightColumnWidth, design.rightColumnBox, {}};
    for (std::size_t i = 0; i < design.questions.size(); ++i)
        if (design.questions[i].frame == frame)
            column.questions.push_back(i);
    return column;
}

int labelWidthIn(const Column& column) {
    return column.width - 2 * kSidePadding;
}

std::vector<int> labelRows(const Column& column, const LabelHeight& labelHeight) {
    std::vector<int> rows;
    for (std::size_t question : column.questions)
        rows.push_back(labelHeight(question, labelWidthIn(column)));
    return rows;
}

/// Columns with as many questions as each other share their label heights
/// row by row, so that their boxes stand on one line.
void alignRows(std::vector<int>& left, std::vector<int>& right) {
    if (left.size() != right.size())
        return;
    for (std::size_t row = 0; row < left.size(); ++row)
        left[row] = right[row] = std::max(left[row], right[row]);
}

int columnHeight(const Column& column, const std::vector<int>& labelRows) {
    int height = kTopPadding + kBottomPadding;
    for (int label : labelRows)
        height += label + kLabelToBox + column.box.height();
    if (!labelRows.empty())
        height += kBetweenQuestions * int(labelRows.size() - 1);
    return height;
}

// Room the frame has beyond what its questions need is shared out below each
// question, so that the questions spread over the frame's height.
void placeColumn(const Column& column, const std::vector<int>& labelRows, int height,
                 PageGeometry& geometry) {
    geometry.frames[std::size_t(column.frame)] = QRect(column.x, kColumnTop, column.width, height);
    const int rows = std::max(1, int(labelRows.size()));
    const int spread = std::max(0, height - columnHeight(column, labelRows)) / rows;
    int y = kTopPadding;
    for (std::size_t row = 0; row < column.questions.size(); ++row) {
        PageGeometry::Question& question = geometry.questions[column.questions[row]];
        question.label = QRect(kSidePadding, y, labelWidthIn(column), labelRows[row]);
        y += labelRows[row] + kLabelToBox;
        question.box = QRect(QPoint(kSidePadding, y), column.box);
        y += column.box.height() + kBetweenQuestions + spread;
    }
}

/// The bottom frame's question, label beside (or above) its box; returns
/// the frame's height and leaves the frame's top to the caller.
int placeBottomQuestion(const PageDesign& design, const LabelHeight& labelHeight,
                        PageGeometry& geometry) {
    const auto found = std::find_if(design.questions.begin(), design.questions.end(),
                                    [](const PageQuestion& q) { return q.frame == Frame::Bottom; });
    const auto index = std::size_t(found - design.questions.begin());
    PageGeometry::Question& question = geometry.questions[index];
    const int frameWidth = design.bottomFrameWidth;
    const QSize box = design.bottomBox;
    int height = 0;
    if (design.bottomLabelAbove) {
        const int labelWidth = frameWidth - 2 * kSidePadding;
        const int label = labelHeight(index, labelWidth);
        question.label = QRect(kSidePadding, kTopPadding, labelWidth, label);
        question.box = QRect(QPoint(kSidePadding, kTopPadding + label + kLabelToBox), box);
        height = question.box.bottom() + 1 + kBottomPadding;
    } else {
        const int boxX = frameWidth - kSidePadding - box.width();
        const int labelWidth = boxX - 2 * kSidePadding;
        const int label = labelHeight(index, labelWidth);
        question.label = QRect(kSidePadding, kTopPadding, labelWidth, label);
        question.box = QRect(QPoint(boxX, kTopPadding), box);
        height = kTopPadding + std::max(label, box.height()) + kBottomPadding;
    }
    geometry.frames[std::size_t(Frame::Bottom)] = QRect(kBottomFrameX, 0, frameWidth, height);
    return height;
}

QRect button(int x, int y) {
    return QRect(QPoint(x, y), kButton);
}

/// Two columns over a bottom frame, with Save above Return beside the frame.
void layOutWithBottomFrame(const PageDesign& design, const Column& left, const Column& right,
                           const std::vector<int>& leftRows, const std::vector<int>& rightRows,
                           const LabelHeight& labelHeight, PageGeometry& geometry) {
    const int frameHeight = placeBottomQuestion(design, labelHeight, geometry);
    const int buttonsHeight = 2 * kButton.height() + kButtonGap;
    const int blockHeight = std::max(frameHeight, buttonsHeight);
    const int columnsNeed = std::max(columnHeight(left, leftRows), columnHeight(right, rightRows));
    const int clientHeight = std::max(design.client.height(),
                                      kColumnTop + columnsNeed + kFrameGap + blockHeight + kMargin);
    const int blockTop = clientHeight - kMargin - blockHeight;
    const int columns = blockTop - kFrameGap - kColumnTop;
    placeColumn(left, leftRows, columns, geometry);
    placeColumn(right, rightRows, columns, geometry);
    geometry.frames[std::size_t(Frame::Bottom)].moveTop(blockTop);
    geometry.save = button(kButtonLeftBesideFrame, blockTop);
    geometry.returnButton =
        button(kButtonLeftBesideFrame, blockTop + blockHeight - kButton.height());
    geometry.client.setHeight(clientHeight);
}

/// Two columns of two, with Save at the left and Return at the right below.
void layOutButtonsBelow(const PageDesign& design, const Column& left, const Column& right,
                        const std::vector<int>& leftRows, const std::vector<int>& rightRows,
                        PageGeometry& geometry) {
    const int columnsNeed = std::max(columnHeight(left, leftRows), columnHeight(right, rightRows));
    const int clientHeight = std::max(
        design.client.height(), kColumnTop + columnsNeed + kButtonGap + kButton.height() + kMargin);
    const int buttonsTop = clientHeight - kMargin - kButton.height();
    const int columns = buttonsTop - kButtonGap - kColumnTop;
    placeColumn(left, leftRows, columns, geometry);
    placeColumn(right, rightRows, columns, geometry);
    geometry.save = button(kLeftColumnX, buttonsTop);
    geometry.returnButton = button(design.returnLeft, buttonsTop);
    geometry.client.setHeight(clientHeight);
}

/// A tall left column beside a short right one with Save and Return below it.
void layOutButtonsBelowRight(const PageDesign& design, const Column& left, const Column& right,
                             const std::vector<int>& leftRows, const std::vector<int>& rightRows,
                             PageGeometry& geometry) {
    const int clientHeight = std::max(
        {design.client.height(), kColumnTop + columnHeight(left, leftRows) + kMargin,
         kColumnTop + columnHeight(right, rightRows) + kButtonGap + kButton.height() + kMargin});
    const int buttonsTop = clientHeight - kMargin - kButton.height();
    placeColumn(left, leftRows, clientHeight - kMargin - kColumnTop, geometry);
    placeColumn(right, rightRows, buttonsTop - kButtonGap - kColumnTop, geometry);
    geometry.save = button(kSaveLeftBelowRightColumn, buttonsTop);
    geometry.returnButton = button(kButtonLeftBesideFrame, buttonsTop);
    geometry.client.setHeight(clientHeight);
}

}  // namespace

PageGeometry layOutPage(const PageDesign& design, const LabelHeight& labelHeight) {
    PageGeometry geometry;
    geometry.client = design.client;
    geometry.questions.resize(design.questions.size());

    const Column left = columnOf(design, Frame::Left);
    const Column right = columnOf(design, Frame::Right);
    std::vector<int> leftRows = labelRows(left, labelHeight);
    std::vector<int> rightRows = labelRows(right, labelHeight);
    alignRows(leftRows, rightRows);

    switch (design.arrangement) {
        case Arrangement::FiveQuestions:
        case Arrangement::ThreeQuestions:
            layOutWithBottomFrame(design, left, right, leftRows, rightRows, labelHeight, geometry);
            break;
        case Arrangement::FourQuestions:
            layOutButtonsBelow(design, left, right, leftRows, rightRows, geometry);
            break;
        case Arrangement::LeftTwoRightOne:
            layOutButtonsBelowRight(design, left, right, leftRows, rightRows, geometry);
            break;
    }
    return geometry;
}

}  // namespace vellumora::chapters
