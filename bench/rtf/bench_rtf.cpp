#include "rtf/documentbuilder.h"
#include "rtf/rtfparser.h"
#include "rtf/rtfreader.h"
#include "rtf/rtfwriter.h"
#include "support/documentshapes.h"
#include "support/memory.h"

#include <QFile>
#include <QGuiApplication>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "support/qtbenchmain.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

using namespace vellumora::bench;

constexpr qsizetype kDocumentCharacters = 10 * 1000 * 1000;

const QTextDocument& sampleDocument() {
    static const auto document = [] {
        auto d = std::make_unique<QTextDocument>();
        fillLifeStory(*d, kDocumentCharacters);
        return d;
    }();
    return *document;
}

void BM_WriteRtf(benchmark::State& state) {
    const QTextDocument& document = sampleDocument();
    const double before = statusMegabytes("VmRSS:");
    resetPeak();
    qsizetype bytes = 0;
    for (auto _ : state) {
        const QByteArray rtf = vellumora::rtf::writeRtf(document);
        bytes = rtf.size();
        benchmark::DoNotOptimize(rtf.data());
    }
    state.SetBytesProcessed(state.iterations() * bytes);
    state.counters["rtf_MB"] = bytes / 1e6;
    state.counters["extra_peak_MB"] = statusMegabytes("VmHWM:") - before;
}
BENCHMARK(BM_WriteRtf)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ReadRtf(benchmark::State& state) {
    const QByteArray rtf = vellumora::rtf::writeRtf(sampleDocument());
    const double before = statusMegabytes("VmRSS:");
    resetPeak();
    for (auto _ : state) {
        QTextDocument document;
        vellumora::rtf::readDocument(rtf, document);
        benchmark::DoNotOptimize(document.characterCount());
    }
    state.SetBytesProcessed(state.iterations() * rtf.size());
    state.counters["rtf_MB"] = rtf.size() / 1e6;
    state.counters["extra_peak_MB"] = statusMegabytes("VmHWM:") - before;
}
BENCHMARK(BM_ReadRtf)->Unit(benchmark::kMillisecond)->Iterations(3);

// The reader's first pass alone: it counts what the file would make, and
// refuses a file past the bounds before the document is touched.
void BM_CountRtf(benchmark::State& state) {
    const QByteArray rtf = vellumora::rtf::writeRtf(sampleDocument());
    for (auto _ : state) {
        vellumora::rtf::DocumentBuilder counter;
        vellumora::rtf::readRtf(rtf, counter);
        counter.finish(true);
        benchmark::DoNotOptimize(counter.tally().runs);
    }
    state.SetBytesProcessed(state.iterations() * rtf.size());
}
BENCHMARK(BM_CountRtf)->Unit(benchmark::kMillisecond)->Iterations(3);

/// A paragraph as the reader builds it: its runs and the format of its mark.
struct Paragraph {
    std::vector<std::pair<QString, QTextCharFormat>> runs;
    QTextCharFormat mark;
};

std::vector<Paragraph> paragraphsOf(const QTextDocument& document) {
    std::vector<Paragraph> paragraphs;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        Paragraph& paragraph = paragraphs.emplace_back();
        paragraph.mark = block.charFormat();
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            paragraph.runs.emplace_back(it.fragment().text(), it.fragment().charFormat());
        }
    }
    return paragraphs;
}

// The floor under BM_ReadRtf: the same document as the reader makes of the
// file, built run by run with a text cursor from text and formats at hand,
// in one edit block without undo history, as the reader builds it.
void BM_BuildReadDocumentDirectly(benchmark::State& state) {
    const std::vector<Paragraph> paragraphs = [] {
        QTextDocument read;
        vellumora::rtf::readDocument(vellumora::rtf::writeRtf(sampleDocument()), read);
        return paragraphsOf(read);
    }();
    for (auto _ : state) {
        QTextDocument document;
        document.setUndoRedoEnabled(false);
        QTextCursor cursor(&document);
        cursor.beginEditBlock();
        for (std::size_t i = 0; i < paragraphs.size(); ++i) {
            if (i > 0) {
                cursor.insertBlock(QTextBlockFormat(), paragraphs[i].mark);
            } else {
                cursor.setBlockCharFormat(paragraphs[i].mark);
            }
            for (const auto& [text, format] : paragraphs[i].runs) {
                cursor.insertText(text, format);
            }
        }
        cursor.endEditBlock();
        benchmark::DoNotOptimize(document.characterCount());
    }
    state.counters["paragraphs"] = double(paragraphs.size());
}
BENCHMARK(BM_BuildReadDocumentDirectly)->Unit(benchmark::kMillisecond)->Iterations(3);

// Hostile and odd shapes, each generated at the two sizes given in KB, so
// that the figures show how the cost grows.
void readShape(benchmark::State& state, QByteArray (*generate)(qsizetype)) {
    const QByteArray input = generate(state.range(0) * 1024);
    const double before = statusMegabytes("VmRSS:");
    resetPeak();
    for (auto _ : state) {
        QTextDocument document;
        vellumora::rtf::readDocument(input, document);
        benchmark::DoNotOptimize(document.characterCount());
    }
    state.SetBytesProcessed(state.iterations() * input.size());
    state.counters["input_MB"] = input.size() / 1e6;
    state.counters["extra_peak_MB"] = statusMegabytes("VmHWM:") - before;
}

BENCHMARK_CAPTURE(readShape, runs_in_one_paragraph, manyRunsInOneParagraph)
    ->Arg(11)
    ->Arg(21)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK_CAPTURE(readShape, paragraphs, manyParagraphs)
    ->Arg(256)
    ->Arg(768)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK_CAPTURE(readShape, font_switches, manyFontSwitches)
    ->Arg(11)
    ->Arg(21)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK_CAPTURE(readShape, unicode_escapes, unicodeEscapes)
    ->Arg(2048)
    ->Arg(8192)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK_CAPTURE(readShape, plain_line_breaks, plainLineBreaks)
    ->Arg(64)
    ->Arg(192)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
    return vellumora::bench::runQtBenchmarks<QGuiApplication>(argc, argv);
}
