#include "book/storyoutline.h"

#include "store/catalogue.h"

#include <QHash>
#include <QTextBlock>
#include <QTextDocument>

namespace vellumora::book {

namespace {

/// The catalogue's wording of every question, for a paragraph to be looked up by.
const QHash<QString, int>& questionWordings() {
    static const QHash<QString, int> wordings = [] {
        QHash<QString, int> all;
        for (int position = 1; position <= catalogue::kQuestionCount; ++position)
            all.insert(QString::fromLatin1(catalogue::question(position).text).trimmed(), position);
        return all;
    }();
    return wordings;
}

int chapterHeadedBy(const QString& text) {
    if (text.size() > 32 || !text.endsWith(u':'))
        return -1;
    const auto chapters = catalogue::chapters();
    for (std::size_t i = 0; i < chapters.size(); ++i)
        if (text == QLatin1StringView(chapters[i].heading))
            return int(i);
    return -1;
}

bool isQuestion(const QString& text) {
    return !text.isEmpty() && questionWordings().contains(text);
}

/// Adds a paragraph to the chapter being read: to its last question's answer, or to its own text.
void addParagraph(OutlineChapter& chapter, int block, bool blank) {
    if (chapter.questions.isEmpty()) {
        chapter.textEnd = block + 1;
        chapter.hasText = chapter.hasText || !blank;
    } else {
        OutlineQuestion& question = chapter.questions.last();
        question.answerEnd = block + 1;
        question.answered = question.answered || !blank;
    }
    chapter.end = block + 1;
}

}  // namespace

bool OutlineChapter::answered() const {
    if (hasText)
        return true;
    for (const OutlineQuestion& question : questions)
        if (question.answered)
            return true;
    return false;
}

bool isBlank(const QString& paragraph) {
    for (const QChar c : paragraph)
        if (!c.isSpace())
            return false;
    return true;
}

QList<OutlineChapter> outlineOf(const QTextDocument& story) {
    QList<OutlineChapter> chapters(1);
    chapters[0].textEnd = chapters[0].end = 0;
    QList<bool> headed(catalogue::kChapterCount, false);
    for (QTextBlock block = story.begin(); block.isValid(); block = block.next()) {
        const QString text = block.text().trimmed();
        const int number = block.blockNumber();
        const int chapter = chapterHeadedBy(text);
        if (chapter >= 0 && !headed[chapter]) {
            headed[chapter] = true;
            OutlineChapter& opened = chapters.emplace_back();
            opened.chapter = chapter;
            opened.block = number;
            opened.textEnd = opened.end = number + 1;
        } else if (isQuestion(text)) {
            chapters.last().questions.append({number, number + 1, false});
            chapters.last().end = number + 1;
        } else {
            addParagraph(chapters.last(), number, isBlank(text));
        }
    }
    // Nothing before the first heading: no part of the book.
    if (chapters.first().end == 0)
        chapters.removeFirst();
    return chapters;
}

QString titleCase(const QString& heading) {
    static const QStringList small{
        QStringLiteral("a"),  QStringLiteral("an"),  QStringLiteral("and"), QStringLiteral("in"),
        QStringLiteral("of"), QStringLiteral("the"), QStringLiteral("to"),  QStringLiteral("on")};
    QString text = heading.trimmed();
    if (text.endsWith(u':'))
        text.chop(1);
    QStringList words = text.toLower().split(u' ', Qt::SkipEmptyParts);
    for (qsizetype i = 0; i < words.size(); ++i)
        if (i == 0 || !small.contains(words[i]))
            words[i][0] = words[i][0].toUpper();
    return words.join(u' ');
}

}  // namespace vellumora::book
