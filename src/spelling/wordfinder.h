#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>
#include <vector>

namespace vellumora::spelling {

/// Where a word lies in a piece of text, in UTF-16 code units.
struct WordSpan {
    qsizetype start = 0;
    qsizetype length = 0;
    qsizetype end() const { return start + length; }
    friend bool operator==(const WordSpan&, const WordSpan&) = default;
};

/**
 * The words of a paragraph as a word processor checks them: runs of letters
 * (with their accents, composed or combining) that may hold an apostrophe,
 * straight or curly, between letters ("don't", "o’clock"). Hyphens, dashes
 * and other punctuation separate words; an apostrophe at either end is
 * quotation, not part of the word. A run that holds a digit ("1950s", "A4")
 * is not a word to check.
 */
std::vector<WordSpan> wordsIn(QStringView text);

/// The word that covers position (a caret between characters counts for the
/// word on either side), or nothing.
std::optional<WordSpan> wordAt(QStringView text, qsizetype position);

/// The form in which a word is looked up: composed accents, and the curly
/// apostrophe as the straight one that dictionaries list.
QString lookupForm(QStringView word);

/// The suggestions in the dictionary's order, except that those that undo
/// a common slip of typing come first: two neighbouring letters swapped
/// ("teh" for "the") or a double letter typed once ("smal" for "small").
QStringList slipsFirst(const QStringList& suggestions, QStringView word);

/// A dictionary's suggestion written the way the checked word was: with a
/// curly apostrophe where the word had one.
QString inWritingOf(const QString& suggestion, QStringView word);

}  // namespace vellumora::spelling
