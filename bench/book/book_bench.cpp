// The whole story as a book in PDF: the 5 MB compiled document (81 answers
// of 64 KB) laid out and painted, in the Book style and as the editor shows
// it, against QTextDocument::print of the same document alone, which
// paginates it without chapters, front pages or a progress report. All
// write to memory. Runs headless on the offscreen
// platform unless another one is chosen.

#include "book/booklayout.h"
#include "book/typesetbook.h"
#include "editor/documentassembly.h"
#include "store/answerstore.h"
#include "store/catalogue.h"

#include "support/longstory.h"
#include "support/qtbenchmain.h"

#include <benchmark/benchmark.h>
#include <QBuffer>
#include <QGuiApplication>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>
#include <map>
#include <memory>

using namespace vellumora;

namespace {

/// The compiled document in Arial 12, as the editor shows it.
QTextDocument& bigStory() {
    static QTextDocument document;
    if (document.isEmpty()) {
        AnswerStore store;
        for (int position = 1; position <= catalogue::kQuestionCount; ++position)
            store.store(position, bench::proseAnswer(position));
        QFont font(QStringLiteral("arial"));
        font.setPointSize(12);
        document.setDefaultFont(font);
        document.setPlainText(editor::compileDocument(store));
    }
    return document;
}

/// A PDF in memory, A4, as Save as PDF makes it.
struct MemoryPdf {
    QBuffer buffer;
    QPdfWriter writer{&buffer};
    MemoryPdf() {
        buffer.open(QIODevice::WriteOnly);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF());
    }
    int pages() const { return int(buffer.data().count("/Type /Page\n")); }
    /// Lays the book out and paints it here, as Save as PDF does; the pages written.
    int print(book::Book& book) {
        book.layOut();
        QPainter painter(&writer);
        book::paintBook(book, painter, writer);
        painter.end();
        return pages();
    }
};

void reportPages(benchmark::State& state, int pages) {
    state.counters["pages"] = pages;
    state.counters["pages/s"] =
        benchmark::Counter(double(pages) * double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["chars"] = double(bigStory().characterCount());
}

// The Book style, one-sided A4 and in large print on both sides.
void BM_TypesetBookPdf(benchmark::State& state) {
    int pages = 0;
    for (auto _ : state) {
        MemoryPdf pdf;
        book::TypesetBook book(bigStory(), pdf.writer,
                               {.title = QStringLiteral("My Life"),
                                .author = QStringLiteral("Ruth"),
                                .twoSided = state.range(0) != 0,
                                .largePrint = state.range(0) != 0});
        pages = pdf.print(book);
    }
    reportPages(state, pages);
}
BENCHMARK(BM_TypesetBookPdf)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_BookPdf(benchmark::State& state) {
    int pages = 0;
    for (auto _ : state) {
        MemoryPdf pdf;
        book::BookLayout book(
            bigStory(), pdf.writer,
            {.title = QStringLiteral("My Life"), .author = QStringLiteral("Ruth")});
        pages = pdf.print(book);
    }
    reportPages(state, pages);
}
BENCHMARK(BM_BookPdf)->Unit(benchmark::kMillisecond)->Iterations(2);

// The layout alone, which the progress bar gives its first part.
void BM_BookLayoutOnly(benchmark::State& state) {
    for (auto _ : state) {
        MemoryPdf pdf;
        book::BookLayout book(bigStory(), pdf.writer, {});
        book.layOut();
        benchmark::DoNotOptimize(book.pageCount());
    }
}
BENCHMARK(BM_BookLayoutOnly)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_QTextDocumentPrint(benchmark::State& state) {
    int pages = 0;
    for (auto _ : state) {
        MemoryPdf pdf;
        bigStory().print(&pdf.writer);
        pages = pdf.pages();
    }
    reportPages(state, pages);
}
BENCHMARK(BM_QTextDocumentPrint)->Unit(benchmark::kMillisecond)->Iterations(2);

/// 81 answers of `answerSize` characters in paragraphs of `paragraphSize`,
/// in a document as wide as the editor shows it: a document shown in a text
/// area has its page size, which its copy for the book takes along.
QTextDocument& storyInTheEditor(qsizetype answerSize, qsizetype paragraphSize) {
    static std::map<std::pair<qsizetype, qsizetype>, std::unique_ptr<QTextDocument>> made;
    std::unique_ptr<QTextDocument>& document = made[{answerSize, paragraphSize}];
    if (!document) {
        const QString sentence = QStringLiteral("We walked to school along the river. ");
        QString paragraph = sentence.repeated(int(paragraphSize / sentence.size()) + 1);
        paragraph.truncate(paragraphSize);
        QString answer = (paragraph + QStringLiteral("\r\n"))
                             .repeated(int(answerSize / (paragraphSize + 2)) + 1);
        answer.truncate(answerSize);
        AnswerStore store;
        for (int position = 1; position <= catalogue::kQuestionCount; ++position)
            store.store(position, answer);
        document = std::make_unique<QTextDocument>();
        QFont font(QStringLiteral("arial"));
        font.setPointSize(12);
        document->setDefaultFont(font);
        document->setPlainText(editor::compileDocument(store));
        document->setTextWidth(700);
    }
    return *document;
}

// The layout of long answers at the PDF's 1200 dpi: answers of one paragraph
// each, and answers in paragraphs of 590 characters.
void BM_BookLayoutOfLongAnswers(benchmark::State& state) {
    QTextDocument& story = storyInTheEditor(state.range(0), state.range(1));
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF());
        book::BookLayout book(story, writer, {});
        book.layOut();
        benchmark::DoNotOptimize(book.pageCount());
    }
    state.counters["chars"] = double(story.characterCount());
}
BENCHMARK(BM_BookLayoutOfLongAnswers)
    ->Args({17'700, 17'700})
    ->Args({38'000, 590})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
    return vellumora::bench::runQtBenchmarks<QGuiApplication>(argc, argv);
}
