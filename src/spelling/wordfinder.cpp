#include "spelling/wordfinder.h"

namespace vellumora::spelling {

namespace {

constexpr char16_t kCurlyApostrophe = u'\u2019';

bool isApostrophe(QChar ch) {
    return ch == u'\'' || ch == kCurlyApostrophe;
}

// Letters, and the combining accents that follow them in decomposed text.
bool isWordLetter(QChar ch) {
    return ch.isLetter() || ch.isMark();
}

// A run of letters, digits and inner apostrophes that begins at start.
qsizetype runEnd(QStringView text, qsizetype start) {
    qsizetype end = start;
    while (end < text.size()) {
        const QChar ch = text[end];
        if (isWordLetter(ch) || ch.isDigit()) {
            ++end;
        } else if (isApostrophe(ch) && end + 1 < text.size() && isWordLetter(text[end + 1]) &&
                   end > start) {
            ++end;
        } else {
            break;
        }
    }
    return end;
}

bool holdsDigit(QStringView run) {
    for (const QChar ch : run)
        if (ch.isDigit())
            return true;
    return false;
}

}  // namespace

std::vector<WordSpan> wordsIn(QStringView text) {
    std::vector<WordSpan> words;
    qsizetype i = 0;
    while (i < text.size()) {
        if (!isWordLetter(text[i]) && !text[i].isDigit()) {
            ++i;
            continue;
        }
        const qsizetype end = runEnd(text, i);
        if (!holdsDigit(text.sliced(i, end - i)))
            words.push_back({i, end - i});
        i = end;
    }
    return words;
}

std::optional<WordSpan> wordAt(QStringView text, qsizetype position) {
    for (const WordSpan& word : wordsIn(text)) {
        if (position < word.start)
            break;
        if (position <= word.end())
            return word;
    }
    return std::nullopt;
}

QString lookupForm(QStringView word) {
    QString form = word.toString();
    form.replace(QChar(kCurlyApostrophe), u'\'');
    return form.normalized(QString::NormalizationForm_C);
}

namespace {

bool swapsNeighbours(const QString& suggestion, const QString& word) {
    if (suggestion.size() != word.size())
        return false;
    qsizetype i = 0;
    while (i < word.size() && suggestion[i] == word[i])
        ++i;
    return i + 1 < word.size() && suggestion[i] == word[i + 1] && suggestion[i + 1] == word[i] &&
           suggestion.mid(i + 2) == word.mid(i + 2);
}

bool doublesALetter(const QString& suggestion, const QString& word) {
    if (suggestion.size() != word.size() + 1)
        return false;
    for (qsizetype i = 1; i < suggestion.size(); ++i)
        if (suggestion[i] == suggestion[i - 1] && QString(suggestion).remove(i, 1) == word)
            return true;
    return false;
}

}  // namespace

QStringList slipsFirst(const QStringList& suggestions, QStringView word) {
    const QString lower = word.toString().toLower();
    QStringList slips, others;
    for (const QString& suggestion : suggestions) {
        const QString candidate = suggestion.toLower();
        if (swapsNeighbours(candidate, lower) || doublesALetter(candidate, lower))
            slips.append(suggestion);
        else
            others.append(suggestion);
    }
    return slips + others;
}

QString inWritingOf(const QString& suggestion, QStringView word) {
    if (!word.contains(QChar(kCurlyApostrophe)))
        return suggestion;
    QString written = suggestion;
    written.replace(u'\'', QChar(kCurlyApostrophe));
    return written;
}

}  // namespace vellumora::spelling
