// The recovery copies: the answers' copy written on every Save, for 81
// answers of 100 KB, and the editor's document copied a few seconds after a
// change, for a document of 5 MB of text.
#include "rtf/rtfwriter.h"
#include "store/answerstore.h"
#include "store/datafile.h"
#include "store/recoveryfolder.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>

#include "support/qtbenchmain.h"

#include <benchmark/benchmark.h>

namespace {

void fillWithBigAnswers(vellumora::AnswerStore& store) {
    const QString answer = QStringLiteral("We lived by the river, \"café\" and so on.\r\n")
                               .repeated(100 * 1024 / 44)
                               .left(100 * 1024);
    for (int position = 1; position <= 81; ++position)
        store.store(position, answer);
}

// What a Save waits for: the copy's bytes. The disk is written on another thread.
void BM_RecoveryAnswersBytes(benchmark::State& state) {
    vellumora::AnswerStore store;
    fillWithBigAnswers(store);
    for (auto _ : state)
        benchmark::DoNotOptimize(vellumora::datafile::encode(store));
}
BENCHMARK(BM_RecoveryAnswersBytes)->Unit(benchmark::kMillisecond);

// The whole copy, bytes and disk, as the writing thread does it.
void BM_RecoveryAnswersOnSave(benchmark::State& state) {
    vellumora::AnswerStore store;
    fillWithBigAnswers(store);
    QTemporaryDir root;
    auto folder = vellumora::RecoveryFolder::create(root.path(), nullptr);
    for (auto _ : state) {
        if (!folder->writeAnswers(store, nullptr))
            state.SkipWithError("write failed");
    }
    state.SetBytesProcessed(state.iterations() * QFileInfo(folder->answersFile()).size());
}
BENCHMARK(BM_RecoveryAnswersOnSave)->Unit(benchmark::kMillisecond)->UseRealTime();

// Paragraphs of runs in a few formats, as an edited story has them.
void fillDocument(QTextDocument& document, qsizetype characters) {
    const QString sentence =
        QStringLiteral("Grand-mère Élise taught me to bake crêpes by the river, every summer. ");
    QTextCharFormat formats[3];
    formats[1].setFontWeight(QFont::Bold);
    formats[2].setForeground(QColor(160, 20, 40));
    QTextCursor cursor(&document);
    for (qsizetype written = 0, i = 0; written < characters; written += sentence.size(), ++i) {
        cursor.insertText(sentence, formats[(i / 3) % 3]);
        if (i % 8 == 7)
            cursor.insertBlock();
    }
}

QTextDocument& fiveMegabytes() {
    static QTextDocument document;
    if (document.isEmpty())
        fillDocument(document, 5 * 1000 * 1000);
    return document;
}

// What the editor's pause holds up: the document as RTF. The disk is written
// on another thread.
void BM_RecoveryDocumentBytes5MB(benchmark::State& state) {
    const QTextDocument& document = fiveMegabytes();
    for (auto _ : state)
        benchmark::DoNotOptimize(vellumora::rtf::writeRtf(document));
}
BENCHMARK(BM_RecoveryDocumentBytes5MB)->Unit(benchmark::kMillisecond)->Iterations(5);

// The whole copy of the document, bytes and disk.
void BM_RecoveryDocument5MB(benchmark::State& state) {
    const QTextDocument& document = fiveMegabytes();
    QTemporaryDir root;
    auto folder = vellumora::RecoveryFolder::create(root.path(), nullptr);
    qsizetype bytes = 0;
    for (auto _ : state) {
        const QByteArray rtf = vellumora::rtf::writeRtf(document);
        bytes = rtf.size();
        if (!folder->writeDocument(rtf, nullptr))
            state.SkipWithError("write failed");
    }
    state.SetBytesProcessed(state.iterations() * bytes);
    state.counters["rtf_MB"] = bytes / 1e6;
}
BENCHMARK(BM_RecoveryDocument5MB)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
    return vellumora::bench::runQtBenchmarks<QGuiApplication>(argc, argv);
}
