#include "rtf/rtfreader.h"
#include "rtf/rtfwriter.h"

#include <QFile>
#include <QGuiApplication>
#include <QTextCursor>
#include <QTextDocument>

#include <benchmark/benchmark.h>

#include <memory>

// A long life story: paragraphs of runs in several fonts, sizes and styles,
// mostly Latin text with accented, Cyrillic, Chinese and emoji characters.
namespace {

constexpr qsizetype kDocumentCharacters = 10 * 1000 * 1000;

const QString kSentences[] = {
    QStringLiteral("I was born in a small town by the river, where every summer smelled of hay. "),
    QStringLiteral("Grand-mère Élise taught me to bake crêpes and to say « merci » properly. "),
    QStringLiteral("We wrote letters to cousins in Москва and to a pen friend in 北京. "),
    QStringLiteral("The first car was a green {Beetle} with a \\cracked\\ windscreen 😀. "),
};

void fillDocument(QTextDocument& document) {
    document.setDefaultFont(QFont(QStringLiteral("arial"), 12));
    QTextCursor cursor(&document);
    QTextCharFormat formats[4];
    formats[1].setFontWeight(QFont::Bold);
    formats[2].setFontItalic(true);
    formats[2].setFontFamilies({QStringLiteral("Times New Roman")});
    formats[3].setForeground(QColor(160, 20, 40));
    formats[3].setFontPointSize(14);
    qsizetype written = 0;
    for (int i = 0; written < kDocumentCharacters; ++i) {
        const QString& sentence = kSentences[i % 4];
        cursor.insertText(sentence, formats[(i / 3) % 4]);
        written += sentence.size();
        if (i % 8 == 7) {
            cursor.insertBlock();
        }
    }
}

/// A memory figure of this process, in MB: "VmRSS:" is the resident memory,
/// "VmHWM:" its peak since the last reset.
double statusMegabytes(const QByteArray& key) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return 0;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(key)) {
            return line.mid(key.size()).trimmed().split(' ').value(0).toDouble() / 1024.0;
        }
    }
    return 0;
}

/// Lets the next VmHWM reading show the peak of what follows only.
void resetPeak() {
    QFile clearRefs(QStringLiteral("/proc/self/clear_refs"));
    if (clearRefs.open(QIODevice::WriteOnly)) {
        clearRefs.write("5");
    }
}

const QTextDocument& sampleDocument() {
    static const auto document = [] {
        auto d = std::make_unique<QTextDocument>();
        fillDocument(*d);
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

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
