#pragma once

#include <QtGlobal>

class QChar;
class QStringView;
class QTextDocument;

namespace vellumora::textlayout {

/**
 * Qt wraps a word too long for its line anywhere, but only after looking for
 * the word's end from every line it fills: a word takes time that grows with
 * the square of its length, seconds for 100,000 characters and without end
 * for millions. Laid out with the wrap mode that breaks anywhere at once, the
 * same word takes time in proportion to its length, as any paragraph does.
 */

/// A stretch without a place to break a line longer than this makes a
/// document wrap anywhere: long past any word or web address, short enough
/// that stretches just under it cost a paragraph little more than words do.
inline constexpr qsizetype kLongestWordWrappedAtWords = 500;

/// Whether a line may break after the character: after white space and
/// hyphens, and between the ideographs of scripts written without spaces.
bool offersLineBreak(QChar c);

/// Counts the longest stretch of text without a place to break a line, over
/// pieces of text that follow one another.
class UnbrokenRunCounter {
public:
    void add(QStringView text);
    /// A paragraph's end, where a line always breaks.
    void breakLine() { current_ = 0; }
    qsizetype longest() const { return longest_; }

private:
    qsizetype current_ = 0;
    qsizetype longest_ = 0;
};

qsizetype longestUnbrokenRun(QStringView text);

/**
 * Keeps the layout of a document's words cheap whatever text it is given:
 * while one of its paragraphs holds a stretch of more than
 * kLongestWordWrappedAtWords characters without a break, the document wraps
 * anywhere; otherwise it wraps at words (or anywhere in a word too long for
 * its line). The text itself is never changed. Watches the document for as
 * long as it lives.
 */
void keepLongWordsCheap(QTextDocument& document);

}  // namespace vellumora::textlayout
