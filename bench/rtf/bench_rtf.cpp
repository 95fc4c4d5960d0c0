#include "rtf/rtfreader.h"
#include "rtf/rtfwriter.h"
#include "support/documentshapes.h"
#include "support/memory.h"

#include <QFile>
#include <QGuiApplication>
#include <QTextCursor>
#include <QTextDocument>

#include "support/qtbenchmain.h"

#include <benchmark/benchmark.h>

#include <memory>

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
