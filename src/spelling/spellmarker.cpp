#include "spelling/spellmarker.h"

#include "spelling/speller.h"
#include "textlayout/backgroundlayout.h"

#include <QAbstractTextDocumentLayout>
#include <QElapsedTimer>
#include <QTextDocument>
#include <QTextLayout>
#include <utility>

namespace vellumora::spelling {

namespace {

// A block's user state records the round of checking it was last checked
// in, times two, plus one when it carries marks.
int stateOf(int generation, bool marked) {
    return generation * 2 + (marked ? 1 : 0);
}

bool carriesMarks(const QTextBlock& block) {
    return block.userState() >= 0 && block.userState() % 2 == 1;
}

// Typing stays smooth when the idle work never holds the event loop longer.
constexpr int kSliceMilliseconds = 4;
// A change larger than this (a whole text set at once) is left to the idle
// scan beyond what is on screen.
constexpr int kLargeChange = 4096;
// While the layout is at work the idle scan looks this often whether it has
// finished, and stops waiting after this many looks without any progress.
constexpr int kLayoutPollMilliseconds = 30;
constexpr int kMostPollsWithoutProgress = 40;
// Characters of marked paragraphs one slice lays out again at most.
constexpr int kMostRelaidOutInASlice = 64 * 1024;
// How far from the text on screen, in characters, the idle scan still sets
// the marks it finds; beyond, it keeps them until the text comes into view.
constexpr int kNearTheScreen = 8 * 1024;

// Marks found for a paragraph away from the screen, set once it comes into
// view: setting them lays the paragraph out again, after which Qt moves
// every paragraph below it, and on a long document that costs far more than
// checking the words.
struct PendingMarks final : QTextBlockUserData {
    explicit PendingMarks(QList<QTextLayout::FormatRange> found) : marks(std::move(found)) {}
    QList<QTextLayout::FormatRange> marks;
};

}  // namespace

QTextCharFormat SpellMarker::markFormat() {
    QTextCharFormat format;
    format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
    format.setUnderlineColor(Qt::red);
    return format;
}

SpellMarker::SpellMarker(QTextDocument& document, Speller& speller)
    : QObject(&document), document_(document), speller_(speller) {
    idle_.setInterval(0);
    connect(&idle_, &QTimer::timeout, this, &SpellMarker::checkInIdleSlice);
    // The document tells of changes, and draws marks, only once it has a layout.
    document_.documentLayout();
    connect(&document_, &QTextDocument::contentsChange, this, &SpellMarker::onContentsChange);
    connect(&speller_, &Speller::verdictsChanged, this, &SpellMarker::recheckAll);
    connect(document_.documentLayout(), &QAbstractTextDocumentLayout::documentSizeChanged, this,
            [this] { pollsWithoutProgress_ = 0; });
    speller_.prepare();
    recheckAll();
}

SpellMarker::~SpellMarker() = default;

bool SpellMarker::isFresh(const QTextBlock& block) const {
    return block.userState() >= 0 && block.userState() / 2 == generation_;
}

// Every verdict may have changed: the text on screen first, the rest later.
void SpellMarker::recheckAll() {
    ++generation_;
    checkShownThenScan();
}

void SpellMarker::checkShownThenScan() {
    if (!shown_)
        return;
    checkShown();
    startIdleScan();
}

void SpellMarker::startIdleScan() {
    if (!shown_)
        return;
    scanBlock_ = firstVisibleBlock().blockNumber();
    pendingBlocks_ = document_.blockCount();
    pollsWithoutProgress_ = 0;
    idle_.start(0);
}

// Setting marks lays their paragraphs out again, which would end the work of
// a layout still laying the document out in the background; so no marks are
// set until it has finished. A layout that reports no progress for a long
// while is not coming; then the marks are set without waiting for it.
bool SpellMarker::waitsForLayout() const {
    return textlayout::isLaidOutInTheBackground(document_) &&
           pollsWithoutProgress_ <= kMostPollsWithoutProgress;
}

QTextBlock SpellMarker::firstVisibleBlock() {
    if (!visibleRange_)
        return document_.begin();
    const QTextBlock block = document_.findBlock(rememberShown().first);
    return block.isValid() ? block : document_.begin();
}

std::pair<int, int> SpellMarker::rememberShown() {
    auto [from, to] = visibleRange_();
    if (from > to)
        std::swap(from, to);
    nearFrom_ = from - kNearTheScreen;
    nearTo_ = to + kNearTheScreen;
    return {from, to};
}

bool SpellMarker::isNearTheScreen(const QTextBlock& block) const {
    return !visibleRange_ ||
           (block.position() + block.length() >= nearFrom_ && block.position() <= nearTo_);
}

void SpellMarker::checkInIdleSlice() {
    if (waitsForLayout()) {
        ++pollsWithoutProgress_;
        idle_.setInterval(kLayoutPollMilliseconds);
        return;
    }
    idle_.setInterval(0);
    QElapsedTimer slice;
    slice.start();
    // Laying out the marked paragraphs again costs more than checking them,
    // so a slice also ends once it has gathered enough text for that.
    const auto sliceIsFull = [this, &slice] {
        return slice.elapsed() >= kSliceMilliseconds ||
               (relayoutFrom_ >= 0 && relayoutTo_ - relayoutFrom_ > kMostRelaidOutInASlice);
    };
    while (pendingBlocks_ > 0 && !sliceIsFull()) {
        QTextBlock block = document_.findBlockByNumber(scanBlock_);
        if (!block.isValid())
            block = document_.begin();
        // Runs of checked blocks are passed without a new look-up each.
        for (int i = 0; i < 16 && pendingBlocks_ > 0 && block.isValid(); ++i) {
            if (!isFresh(block))
                checkBlock(block, isNearTheScreen(block) ? Apply::Now : Apply::WhenShown);
            --pendingBlocks_;
            block = block.next();
        }
        scanBlock_ = block.isValid() ? block.blockNumber() : 0;
    }
    flushRelayout();
    if (pendingBlocks_ <= 0)
        idle_.stop();
}

// Finding what is on screen takes two hit tests of the layout, which are not
// made while the marks would wait for the layout anyway.
void SpellMarker::checkShown() {
    if (!visibleRange_ || !shown_ || waitsForLayout())
        return;
    // The text just above and below is marked too, so that scrolling on a
    // little finds it marked without another layout.
    const auto [from, to] = rememberShown();
    checkNow(std::max(0, from - kNearTheScreen), to + kNearTheScreen);
}

void SpellMarker::checkNow(int from, int to) {
    // No screen and its surroundings hold more paragraphs.
    constexpr int kMostShown = 400;
    const QTextBlock last = document_.findBlock(to);
    int count = 0;
    for (QTextBlock block = document_.findBlock(from); block.isValid() && count < kMostShown;
         block = block.next(), ++count) {
        markNow(block);
        if (block == last)
            break;
    }
    flushRelayout();
}

void SpellMarker::checkEverything() {
    for (QTextBlock block = document_.begin(); block.isValid(); block = block.next())
        markNow(block);
    flushRelayout();
    pendingBlocks_ = 0;
    idle_.stop();
}

void SpellMarker::onContentsChange(int from, int removed, int added) {
    // One character typed or deleted: the word it belongs to is in the making.
    typingEnd_ = removed + added == 1 ? from + added : -1;
    if (added > kLargeChange) {
        // The blocks at both ends keep their old state through the change.
        for (const int position : {from, from + added}) {
            QTextBlock block = document_.findBlock(position);
            if (block.isValid())
                block.setUserState(stateOf(0, carriesMarks(block)));
        }
        // What is on screen is known only once the layout has taken the
        // change in, after this notification.
        ++generation_;
        pendingBlocks_ = document_.blockCount();
        QMetaObject::invokeMethod(this, &SpellMarker::checkShownThenScan, Qt::QueuedConnection);
        return;
    }
    const QTextBlock last = document_.findBlock(from + added);
    for (QTextBlock block = document_.findBlock(from); block.isValid(); block = block.next()) {
        if (shown_)
            checkBlock(block, Apply::Now);
        else
            block.setUserState(stateOf(0, carriesMarks(block)));
        if (block == last)
            break;
    }
    // Inside the notification the layout is about to take the change in, and
    // the paragraphs marked here go with it.
    flushRelayout();
}

void SpellMarker::followCaret(int position) {
    if (typingEnd_ < 0 || position == typingEnd_)
        return;
    const QTextBlock block = document_.findBlock(typingEnd_);
    typingEnd_ = -1;
    if (block.isValid() && shown_)
        checkBlock(block, Apply::Now);
    flushRelayout();
}

// A paragraph not checked yet is checked; one checked while it was away from
// the screen gets the marks kept for it.
void SpellMarker::markNow(QTextBlock block) {
    if (!isFresh(block))
        checkBlock(block, Apply::Now);
    else if (const auto* kept = static_cast<PendingMarks*>(block.userData()))
        applyMarks(block, QList(kept->marks));
}

void SpellMarker::checkBlock(QTextBlock block, Apply apply) {
    const QString text = block.text();
    const int start = block.position();
    QList<QTextLayout::FormatRange> marks;
    if (speller_.isReady()) {
        for (const WordSpan& word : wordsIn(text)) {
            if (start + word.end() == typingEnd_)
                continue;
            if (!speller_.isCorrect(QStringView(text).sliced(word.start, word.length)))
                marks.append({int(word.start), int(word.length), markFormat()});
        }
    }
    if (apply == Apply::Now)
        applyMarks(block, std::move(marks));
    else if (block.layout()->formats() == marks)
        block.setUserData(nullptr);
    else
        block.setUserData(new PendingMarks(std::move(marks)));
    block.setUserState(stateOf(generation_, !block.layout()->formats().isEmpty()));
}

void SpellMarker::applyMarks(QTextBlock block, QList<QTextLayout::FormatRange> marks) {
    block.setUserData(nullptr);
    if (block.layout()->formats() == marks)
        return;
    const int start = block.position();
    // New formats always go with a new layout of the paragraph, even one not
    // laid out yet: Qt counts them as a change to lay out and would stretch
    // the next change it lays out, which may be her next keystroke far away,
    // to cover the paragraph. The paragraphs gathered so far are laid out
    // first, for the same reason.
    relayOut(start, block.length());
    block.layout()->setFormats(marks);
    block.setUserState(stateOf(block.userState() / 2, !marks.isEmpty()));
}

void SpellMarker::clearMarks(QTextBlock block) {
    block.setUserState(stateOf(0, false));
    block.setUserData(nullptr);
    if (block.layout()->formats().isEmpty())
        return;
    relayOut(block.position(), block.length());
    block.layout()->clearFormats();
}

// Paragraphs close together join one range; one far away, which would make
// the layout redo all the text between, is laid out on its own.
void SpellMarker::relayOut(int from, int length) {
    constexpr int kMostBetween = 16 * 1024;
    if (relayoutFrom_ >= 0 && (from < relayoutFrom_ || from > relayoutTo_ + kMostBetween))
        flushRelayout();
    if (relayoutFrom_ < 0)
        relayoutFrom_ = from;
    relayoutTo_ = std::max(relayoutTo_, from + length);
}

void SpellMarker::flushRelayout() {
    if (relayoutFrom_ < 0)
        return;
    const int from = relayoutFrom_, length = relayoutTo_ - relayoutFrom_;
    relayoutFrom_ = relayoutTo_ = -1;
    document_.markContentsDirty(from, length);
}

void SpellMarker::setShown(bool shown) {
    if (shown == shown_)
        return;
    shown_ = shown;
    if (!shown) {
        idle_.stop();
        pendingBlocks_ = 0;
        for (QTextBlock block = document_.begin(); block.isValid(); block = block.next())
            clearMarks(block);
        flushRelayout();
        return;
    }
    recheckAll();
}

std::optional<WordSpan> SpellMarker::markedWordAt(int position) const {
    const QTextBlock block = document_.findBlock(position);
    if (!block.isValid() || !carriesMarks(block))
        return std::nullopt;
    const int inBlock = position - block.position();
    for (const QTextLayout::FormatRange& mark : block.layout()->formats())
        if (inBlock >= mark.start && inBlock <= mark.start + mark.length)
            return WordSpan{block.position() + mark.start, mark.length};
    return std::nullopt;
}

}  // namespace vellumora::spelling
