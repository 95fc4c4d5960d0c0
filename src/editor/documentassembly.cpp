#include "editor/documentassembly.h"

#include "store/answerstore.h"
#include "store/catalogue.h"

namespace vellumora::editor {

namespace {

constexpr QStringView kLineBreak = u"\r\n";
constexpr QStringView kBlankLine = u"\r\n\r\n";

// The fixed text without the answers, so the result is allocated only once.
qsizetype expectedLength(const AnswerStore& store) {
    qsizetype length = 0;
    for (const catalogue::Chapter& chapter : catalogue::chapters()) {
        length += qstrlen(chapter.heading) + kBlankLine.size();
        for (const catalogue::Question& question : catalogue::questionsOf(chapter))
            length += qstrlen(question.text) + 2 * kBlankLine.size();
    }
    for (int position = 1; position <= catalogue::kQuestionCount; ++position)
        length += store.answer(position).size();
    return length;
}

}  // namespace

QString compileDocument(const AnswerStore& store) {
    QString document;
    document.reserve(expectedLength(store));
    for (const catalogue::Chapter& chapter : catalogue::chapters()) {
        document += QLatin1StringView(chapter.heading);
        document += kBlankLine;
        const int end = chapter.firstPosition + chapter.questionCount;
        for (int position = chapter.firstPosition; position < end; ++position) {
            document += QLatin1StringView(catalogue::question(position).text);
            document += kBlankLine;
            document += store.answer(position);
            document += kBlankLine;
        }
    }
    // The last answer closes the document with one line break, not a blank line.
    document.chop(kBlankLine.size() - kLineBreak.size());
    return document;
}

}  // namespace vellumora::editor
