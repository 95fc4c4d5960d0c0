#pragma once

#include "spelling/wordfinder.h"

#include <QObject>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextLayout>
#include <QTimer>
#include <functional>
#include <optional>
#include <utility>

class QTextDocument;

namespace vellumora::spelling {

class Speller;

/**
 * Puts the red wavy line under the misspelt words of one text document. The
 * line is drawn by the text layout alone (as a syntax highlighter's formats
 * are): the document's own formats, its text, its undo steps and its
 * modified state never change, so nothing of it reaches a saved file.
 *
 * The text on screen is checked at once; the rest in short slices while the
 * program is idle, so a long document opens as fast as before. Marks found
 * far from the screen are kept and set when the text comes into view. A
 * change rechecks only the paragraphs it touched, and the word being typed
 * is left alone until the caret leaves it.
 */
class SpellMarker : public QObject {
    Q_OBJECT

public:
    /// Document positions of the first and last character on screen.
    using VisibleRange = std::function<std::pair<int, int>()>;

    SpellMarker(QTextDocument& document, Speller& speller);
    ~SpellMarker() override;

    /// Tells where the text on screen is; it is checked first.
    void setVisibleRange(VisibleRange range) { visibleRange_ = std::move(range); }

    /// Checks the paragraphs on screen and near it at once, those already
    /// checked excepted, and sets the marks kept for them while they were
    /// away from the screen.
    void checkShown();
    /// Checks every paragraph at once and sets every mark.
    void checkEverything();
    /// Whether every paragraph has been checked against the current verdicts.
    bool isComplete() const { return pendingBlocks_ == 0 && !idle_.isActive(); }

    /// Where the caret is; the word at the caret that was just typed is
    /// marked once the caret leaves it.
    void followCaret(int position);

    /// Hides the lines while the text is printed, and shows them again.
    void setShown(bool shown);
    bool isShown() const { return shown_; }

    /// The marked word at a document position, in document positions.
    std::optional<WordSpan> markedWordAt(int position) const;

    /// How a misspelt word is drawn.
    static QTextCharFormat markFormat();

private:
    void onContentsChange(int from, int removed, int added);
    void recheckAll();
    void checkShownThenScan();
    void startIdleScan();
    void checkInIdleSlice();
    bool waitsForLayout() const;
    void checkNow(int from, int to);
    void markNow(QTextBlock block);
    /// Whether marks found away from the screen are set now or kept.
    enum class Apply { Now, WhenShown };
    void checkBlock(QTextBlock block, Apply apply);
    void applyMarks(QTextBlock block, QList<QTextLayout::FormatRange> marks);
    std::pair<int, int> rememberShown();
    bool isNearTheScreen(const QTextBlock& block) const;
    void clearMarks(QTextBlock block);
    void relayOut(int from, int length);
    void flushRelayout();
    bool isFresh(const QTextBlock& block) const;
    QTextBlock firstVisibleBlock();

    QTextDocument& document_;
    Speller& speller_;
    VisibleRange visibleRange_;
    QTimer idle_;
    int generation_ = 0;     ///< a block whose state holds it is checked
    int scanBlock_ = 0;      ///< the block number where the idle scan goes on
    int pendingBlocks_ = 0;  ///< blocks the idle scan still has to pass
    int typingEnd_ = -1;     ///< end of the word being typed, or -1
    int nearFrom_ = 0;       ///< document positions near the text last on screen
    int nearTo_ = 0;
    int pollsWithoutProgress_ = 0;  ///< looks at a layout at work that reported nothing
    bool shown_ = true;
    /// Paragraphs whose marks changed after they were laid out, laid out
    /// again together: each new layout walks the whole document, so one per
    /// paragraph made checking a long document take time by its square.
    int relayoutFrom_ = -1;
    int relayoutTo_ = -1;
};

}  // namespace vellumora::spelling
