#pragma once

#include <QString>
#include <QTextCursor>
#include <optional>

class QTextDocument;

namespace vellumora::spelling {

class Speller;

/// A word the check stopped at, and the paragraph it stands in.
struct Misspelling {
    int position = 0;  ///< where the word starts in the document
    QString word;
    QString paragraph;      ///< the paragraph's text
    int offsetInParagraph = 0;
};

/**
 * The spelling check of a whole document, one misspelt word at a time, as
 * word processors do it: from where she is to the end, then on from the top
 * back to where she was, so that every word is seen once. What she decides
 * for a word (change it, change it everywhere, leave it, leave it
 * everywhere, add it to her dictionary) is carried out here; every change is
 * an ordinary edit she can undo, and nothing else in the document changes.
 */
class SpellingCheck {
public:
    SpellingCheck(QTextDocument& document, Speller& speller, int from);

    /// The next misspelt word after the last one, or nothing at the end.
    std::optional<Misspelling> next();

    /// Replaces the word the check stopped at, in its own formatting.
    void change(const QString& replacement);
    /// Replaces the word the check stopped at and every other occurrence of
    /// it (the same letters, a whole word) anywhere in the document, as one
    /// undo step; the number replaced.
    int changeAll(const QString& replacement);
    /// Leaves the word where it stands; it is found again next time.
    void ignore();
    /// Leaves the word everywhere, for the rest of this run.
    void ignoreAll();
    /// Adds the word to her dictionary for good; a message when it could not
    /// be saved (the word still counts as right in this run).
    std::optional<QString> addToDictionary();

    /// How many times a word the speller does not know occurs in a document.
    static int countMisspelled(const QTextDocument& document, const Speller& speller);

private:
    std::optional<Misspelling> findFrom(int position, int before);
    void moveOnFrom(int position);

    QTextDocument& document_;
    Speller& speller_;
    QTextCursor resume_;  ///< where the search goes on; follows edits
    QTextCursor start_;   ///< where the check began; the search ends here after the top
    QTextCursor current_; ///< the word the check stopped at
    bool wrapped_ = false;
};

}  // namespace vellumora::spelling
