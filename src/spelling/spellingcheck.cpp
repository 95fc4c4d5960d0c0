#include "spelling/spellingcheck.h"

#include "spelling/speller.h"
#include "spelling/wordfinder.h"

#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>
#include <climits>
#include <vector>

namespace vellumora::spelling {

namespace {

QTextCursor cursorAt(QTextDocument& document, int position) {
    QTextCursor cursor(&document);
    cursor.setPosition(std::clamp(position, 0, document.characterCount() - 1));
    return cursor;
}

// A check begun in the middle of a word begins with that word.
int startOfWordAt(const QTextDocument& document, int position) {
    const QTextBlock block = document.findBlock(position);
    const std::optional<WordSpan> word = wordAt(block.text(), position - block.position());
    return word ? block.position() + int(word->start) : position;
}

// The format of a word's first letter: the one its replacement takes, so
// that a word in bold or in colour stays so.
QTextCharFormat formatOfWordAt(QTextDocument& document, int start) {
    return cursorAt(document, start + 1).charFormat();
}

}  // namespace

SpellingCheck::SpellingCheck(QTextDocument& document, Speller& speller, int from)
    : document_(document),
      speller_(speller),
      resume_(cursorAt(document, startOfWordAt(document, from))),
      start_(resume_) {}

std::optional<Misspelling> SpellingCheck::next() {
    if (!wrapped_) {
        if (std::optional<Misspelling> found = findFrom(resume_.position(), INT_MAX))
            return found;
        wrapped_ = true;
        resume_.setPosition(0);
    }
    return findFrom(resume_.position(), start_.position());
}

std::optional<Misspelling> SpellingCheck::findFrom(int position, int before) {
    for (QTextBlock block = document_.findBlock(position);
         block.isValid() && block.position() < before; block = block.next()) {
        const QString text = block.text();
        for (const WordSpan& span : wordsIn(text)) {
            const int start = block.position() + int(span.start);
            if (start < position)
                continue;
            if (start >= before)
                return std::nullopt;
            const QStringView word = QStringView(text).mid(span.start, span.length);
            if (speller_.isCorrect(word))
                continue;
            current_ = cursorAt(document_, start);
            current_.setPosition(start + int(span.length), QTextCursor::KeepAnchor);
            return Misspelling{start, word.toString(), text, int(span.start)};
        }
    }
    return std::nullopt;
}

void SpellingCheck::moveOnFrom(int position) {
    resume_.setPosition(std::clamp(position, 0, document_.characterCount() - 1));
}

void SpellingCheck::change(const QString& replacement) {
    current_.insertText(replacement, formatOfWordAt(document_, current_.selectionStart()));
    moveOnFrom(current_.position());
}

int SpellingCheck::changeAll(const QString& replacement) {
    const QString word = current_.selectedText();
    const int currentStart = current_.selectionStart();
    std::vector<int> starts;
    for (QTextBlock block = document_.begin(); block.isValid(); block = block.next()) {
        const QString text = block.text();
        for (const WordSpan& span : wordsIn(text))
            if (QStringView(text).mid(span.start, span.length) == word)
                starts.push_back(block.position() + int(span.start));
    }
    QTextCursor edit(&document_);
    edit.beginEditBlock();
    // From the end backwards, so that the positions still to come stay true.
    for (auto start = starts.rbegin(); start != starts.rend(); ++start) {
        const QTextCharFormat format = formatOfWordAt(document_, *start);
        edit.setPosition(*start);
        edit.setPosition(*start + int(word.size()), QTextCursor::KeepAnchor);
        edit.insertText(replacement, format);
    }
    edit.endEditBlock();
    const auto before = std::count_if(starts.begin(), starts.end(),
                                      [currentStart](int start) { return start < currentStart; });
    const int shift = int(replacement.size() - word.size());
    moveOnFrom(currentStart + int(before) * shift + int(replacement.size()));
    return int(starts.size());
}

void SpellingCheck::ignore() {
    moveOnFrom(current_.selectionEnd());
}

void SpellingCheck::ignoreAll() {
    speller_.ignore(current_.selectedText());
    moveOnFrom(current_.selectionEnd());
}

std::optional<QString> SpellingCheck::addToDictionary() {
    const std::optional<QString> failure = speller_.addToDictionary(current_.selectedText());
    moveOnFrom(current_.selectionEnd());
    return failure;
}

int SpellingCheck::countMisspelled(const QTextDocument& document, const Speller& speller) {
    int count = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QString text = block.text();
        for (const WordSpan& span : wordsIn(text))
            count += speller.isCorrect(QStringView(text).mid(span.start, span.length)) ? 0 : 1;
    }
    return count;
}

}  // namespace vellumora::spelling
