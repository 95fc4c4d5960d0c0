// Writing and reading a data file of 81 answers of 100 KB each.
#include "store/answersonlyinfile.h"
#include "store/answerstore.h"
#include "store/datafile.h"

#include <benchmark/benchmark.h>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

void fillWithBigAnswers(vellumora::AnswerStore& store, const QString& sample) {
    QString answer;
    while (answer.size() < 100 * 1024)
        answer += sample;
    answer.truncate(100 * 1024);
    for (int position = 1; position <= 81; ++position)
        store.store(position, answer);
}

const QString kWindows1252Sample =
    QStringLiteral("We lived by the river, \"caf\u00e9\" \u2014 and so on.\r\n");
const QString kUtf8Sample =
    QStringLiteral("\u0411\u0430\u0431\u0443\u0448\u043a\u0430, \"\u4e2d\".\r\n");

void writeFile(benchmark::State& state, const QString& sample) {
    vellumora::AnswerStore store;
    fillWithBigAnswers(store, sample);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Story.rtf"));
    const qint64 size = vellumora::datafile::encode(store).size();
    for (auto _ : state) {
        QString error;
        if (!vellumora::datafile::saveDataFile(path, store, &error))
            state.SkipWithError("write failed");
    }
    state.SetBytesProcessed(state.iterations() * size);
}

void readFile(benchmark::State& state, const QString& sample) {
    QTemporaryDir dir;
    const QString document = dir.filePath(QStringLiteral("Story.rtf"));
    vellumora::AnswerStore big;
    fillWithBigAnswers(big, sample);
    QString error;
    vellumora::datafile::saveDataFile(document, big, &error);
    const QString path = vellumora::datafile::dataFilePathFor(document);
    const qint64 size = QFileInfo(path).size();
    for (auto _ : state) {
        vellumora::AnswerStore store;
        if (vellumora::datafile::readFile(path, store) != vellumora::datafile::ReadResult::Complete)
            state.SkipWithError("read failed");
        benchmark::DoNotOptimize(store);
    }
    state.SetBytesProcessed(state.iterations() * size);
}

void encodeOnly(benchmark::State& state, const QString& sample) {
    vellumora::AnswerStore store;
    fillWithBigAnswers(store, sample);
    qint64 size = 0;
    for (auto _ : state)
        size = vellumora::datafile::encode(store).size();
    state.SetBytesProcessed(state.iterations() * size);
}

// What every save over an existing data file adds: reading it back to look
// for answers the store lacks (here it lacks none, the usual case).
void checkBeforeReplacing(benchmark::State& state, const QString& sample) {
    QTemporaryDir dir;
    const QString document = dir.filePath(QStringLiteral("Story.rtf"));
    vellumora::AnswerStore store;
    fillWithBigAnswers(store, sample);
    QString error;
    vellumora::datafile::saveDataFile(document, store, &error);
    const QString path = vellumora::datafile::dataFilePathFor(document);
    for (auto _ : state) {
        if (vellumora::datafile::answersOnlyInFile(path, store).count != 0)
            state.SkipWithError("store lacks answers");
    }
    state.SetBytesProcessed(state.iterations() * QFileInfo(path).size());
}

}  // namespace

BENCHMARK_CAPTURE(encodeOnly, windows1252, kWindows1252Sample)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(writeFile, windows1252, kWindows1252Sample)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readFile, windows1252, kWindows1252Sample)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(writeFile, utf8, kUtf8Sample)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readFile, utf8, kUtf8Sample)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(checkBeforeReplacing, windows1252, kWindows1252Sample)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
