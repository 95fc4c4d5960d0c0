// A story with a hundred photos of some 600 KB each: how long it takes to
// open, to save, and to make the recovery copy that follows every pause in
// typing, and how much memory each takes beyond the open story.

#include "pictures/newpicture.h"
#include "pictures/picturestore.h"
#include "rtf/rtffile.h"
#include "rtf/rtfwriter.h"
#include "support/documentshapes.h"
#include "support/memory.h"

#include <QBuffer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "support/qtbenchmain.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace vellumora;
using namespace vellumora::bench;

constexpr int kPhotos = 100;

/// A photo's JPEG of about 600 KB: light that changes across it, and grain.
QByteArray photo(int seed) {
    QImage image(1300, 975, QImage::Format_RGB32);
    QRandomGenerator grain(seed);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int noise = grain.bounded(48);
            line[x] = qRgb((x / 6 + seed * 20 + noise) % 256, (y / 5 + noise) % 256,
                           (x * y / 4000 + noise) % 256);
        }
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", pictures::kPhotoQuality);
    return bytes;
}

/// The story file: a life story with a photo and its caption every few paragraphs.
struct StoryFile {
    QTemporaryDir dir;
    QString path;
    qint64 photoBytes = 0;
    qint64 fileBytes = 0;

    StoryFile() {
        QTextDocument story;
        fillLifeStory(story, 400 * 1000);
        const int step = story.blockCount() / kPhotos;
        for (int i = 0; i < kPhotos; ++i) {
            const QByteArray jpeg = photo(i);
            photoBytes += jpeg.size();
            pictures::Picture::Header header;
            header.encoding = pictures::Encoding::Jpeg;
            header.width = 1300;
            header.height = 975;
            const auto picture = std::make_shared<const pictures::Picture>(header, jpeg);
            QTextCursor cursor(story.findBlockByNumber(i * step));
            cursor.insertImage(pictures::imageFormat(pictures::add(story, picture),
                                                     pictures::firstShownSize(*picture)));
            cursor.insertBlock();
            cursor.insertText(
                QStringLiteral("Photo %1, the summer of %2").arg(i + 1).arg(1950 + i));
            cursor.insertBlock();
        }
        path = dir.filePath(QStringLiteral("Story.rtf"));
        vellumora::rtf::saveDocumentFile(path, story, nullptr);
        fileBytes = QFileInfo(path).size();
    }
};

const StoryFile& storyFile() {
    static const StoryFile file;
    return file;
}

void countFile(benchmark::State& state, double before) {
    state.counters["file_MB"] = storyFile().fileBytes / 1e6;
    state.counters["photos_MB"] = storyFile().photoBytes / 1e6;
    state.counters["extra_peak_MB"] = statusMegabytes("VmHWM:") - before;
}

void BM_OpenStoryWithPhotos(benchmark::State& state) {
    const StoryFile& file = storyFile();
    const double before = statusMegabytes("VmRSS:");
    resetPeak();
    for (auto _ : state) {
        QTextDocument document;
        vellumora::rtf::loadDocumentFile(file.path, document, nullptr);
        benchmark::DoNotOptimize(document.characterCount());
    }
    countFile(state, before);
}
BENCHMARK(BM_OpenStoryWithPhotos)->Unit(benchmark::kMillisecond)->Iterations(3);

// The first save after an open makes each photo's digits; they are kept.
void BM_FirstSaveAfterOpen(benchmark::State& state) {
    const StoryFile& file = storyFile();
    const QString copy = file.dir.filePath(QStringLiteral("Copy.rtf"));
    double before = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto document = std::make_unique<QTextDocument>();
        vellumora::rtf::loadDocumentFile(file.path, *document, nullptr);
        before = statusMegabytes("VmRSS:");
        resetPeak();
        state.ResumeTiming();
        vellumora::rtf::saveDocumentFile(copy, *document, nullptr);
    }
    countFile(state, before);
}
BENCHMARK(BM_FirstSaveAfterOpen)->Unit(benchmark::kMillisecond)->Iterations(3);

/// The story as it stands in the editor after its first save.
QTextDocument& openStory() {
    static const auto document = [] {
        auto d = std::make_unique<QTextDocument>();
        vellumora::rtf::loadDocumentFile(storyFile().path, *d, nullptr);
        vellumora::rtf::writeRtfPieces(*d);  // the first save makes the digits
        return d;
    }();
    return *document;
}

void BM_SaveAgain(benchmark::State& state) {
    QTextDocument& document = openStory();
    const QString copy = storyFile().dir.filePath(QStringLiteral("Again.rtf"));
    const double before = statusMegabytes("VmRSS:");
    resetPeak();
    for (auto _ : state)
        vellumora::rtf::saveDocumentFile(copy, document, nullptr);
    countFile(state, before);
}
BENCHMARK(BM_SaveAgain)->Unit(benchmark::kMillisecond)->Iterations(3);

// What a pause in typing costs the editor: the copy's bytes, made where the
// document lives; the disk is written in the background.
void BM_RecoveryCopyBytes(benchmark::State& state) {
    QTextDocument& document = openStory();
    QTextCursor typing(&document);
    typing.movePosition(QTextCursor::End);
    const double before = statusMegabytes("VmRSS:");
    resetPeak();
    for (auto _ : state) {
        state.PauseTiming();
        typing.insertText(QStringLiteral("x"));
        state.ResumeTiming();
        const QList<QByteArray> copy = vellumora::rtf::writeRtfPieces(document);
        benchmark::DoNotOptimize(copy.data());
    }
    countFile(state, before);
}
BENCHMARK(BM_RecoveryCopyBytes)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

int main(int argc, char** argv) {
    return vellumora::bench::runQtBenchmarks<QGuiApplication>(argc, argv);
}
