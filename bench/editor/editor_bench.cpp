// The editor with 81 answers of 64 KB each (some 5.3 million characters):
// compiling and showing the document, and Find Next across all of it.
// Runs headless on the offscreen platform unless another one is chosen.

#include "app/program.h"
#include "dialogs/dialogs.h"
#include "editor/documentassembly.h"
#include "editor/documentfiles.h"
#include "editor/documenttextedit.h"
#include "editor/texteditor.h"
#include "shell/screenmanager.h"
#include "store/catalogue.h"
#include "rtf/rtfreader.h"
#include "rtf/rtfwriter.h"
#include "shell/session.h"
#include "store/answerstore.h"
#include "support/cancellingdialogs.h"
#include "support/documentshapes.h"

#include "support/qtbenchmain.h"
#include "support/storyprogram.h"

#include <benchmark/benchmark.h>
#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QKeyEvent>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <optional>

#include <ctime>

using namespace vellumora;

namespace {

/// A progress window nobody cancels.
class Unwatched final : public Progress {
public:
    bool advance(int) override { return true; }
};

/// Answers every message with OK (or No to a question), opens openPath when
/// one is set and cancels every other dialog.
class QuietDialogs final : public test::CancellingDialogs {
public:
    QString openPath;

    std::optional<QString> openFile(QWidget*, const FileRequest&) override {
        if (openPath.isEmpty())
            return std::nullopt;
        return openPath;
    }
    std::unique_ptr<Progress> showProgress(QWidget*, const ProgressRequest&) override {
        return std::make_unique<Unwatched>();
    }
};

using BigProgram = bench::StoryProgram<QuietDialogs>;

void BM_CompileDocument(benchmark::State& state) {
    BigProgram big;
    for (auto _ : state)
        benchmark::DoNotOptimize(editor::compileDocument(big.program.store()));
}
BENCHMARK(BM_CompileDocument)->Unit(benchmark::kMillisecond);

// Opening as the user does: creation, the editing note, the compilation and
// the window painted once, with the visible part laid out; the rest of the
// layout continues in idle time.
void BM_OpenEditor(benchmark::State& state) {
    BigProgram big;
    for (auto _ : state) {
        TextEditor* editor = big.open();
        benchmark::DoNotOptimize(editor->grab());
        state.PauseTiming();
        big.close();
        state.ResumeTiming();
    }
    state.counters["chars"] = double(editor::compileDocument(big.program.store()).size());
}
BENCHMARK(BM_OpenEditor)->Unit(benchmark::kMillisecond)->Iterations(5);

// The same with the whole document laid out, as scrolling to its end needs.
void BM_OpenEditorFullLayout(benchmark::State& state) {
    BigProgram big;
    for (auto _ : state) {
        TextEditor* editor = big.open();
        benchmark::DoNotOptimize(editor->textArea()->document()->documentLayout()->documentSize());
        benchmark::DoNotOptimize(editor->grab());
        state.PauseTiming();
        big.close();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenEditorFullLayout)->Unit(benchmark::kMillisecond)->Iterations(5);

// The editor opened on the big document with needle as the search text;
// when present, the needle also ends the very last answer.
struct FindNextBench {
    BigProgram big;
    TextEditor* editor = nullptr;
    QAction* findNext = nullptr;

    FindNextBench(const QString& needle, bool present) {
        if (present)
            big.program.store().store(81, bench::proseAnswer(81) + u' ' + needle);
        big.program.session().searchText = needle;
        editor = big.open();
        findNext = editor->findChild<QAction*>(QStringLiteral("mnuEditFindNext"));
    }
    ~FindNextBench() { big.close(); }
    /// What the text area does in idle time a moment after opening.
    void completeLayout() { editor->textArea()->document()->documentLayout()->documentSize(); }
    void fromTheTop() {
        editor->textArea()->moveCursor(QTextCursor::Start);
        findNext->trigger();
    }
    bool selected(const QString& needle) const {
        return editor->textArea()->textCursor().selectedText() == needle;
    }
};

// Find Next from the top for a text found only in the very last answer, and
// for one found nowhere ("The search has been completed."). The text area
// lays a long document out in idle time after showing its first page; these
// run with the layout complete.
void BM_FindNextToTheEnd(benchmark::State& state) {
    const QString needle = QStringLiteral("the last word");
    FindNextBench bench(needle, true);
    bench.completeLayout();
    for (auto _ : state)
        bench.fromTheTop();
    if (!bench.selected(needle))
        state.SkipWithError("the match was not selected");
}
BENCHMARK(BM_FindNextToTheEnd)->Unit(benchmark::kMillisecond);

void BM_FindNextNotFound(benchmark::State& state) {
    FindNextBench bench(QStringLiteral("zeppelin"), false);
    bench.completeLayout();
    for (auto _ : state)
        bench.fromTheTop();
}
BENCHMARK(BM_FindNextNotFound)->Unit(benchmark::kMillisecond);

// F3 pressed again and again on a word found in every paragraph.
void BM_FindNextNearby(benchmark::State& state) {
    const QString needle = QStringLiteral("rafts");
    FindNextBench bench(needle, false);
    bench.completeLayout();
    for (auto _ : state)
        bench.findNext->trigger();
    if (!bench.selected(needle))
        state.SkipWithError("the match was not selected");
}
BENCHMARK(BM_FindNextNearby)->Unit(benchmark::kMillisecond);

// The worst case: Find Next to the end at once after opening, before the
// layout of the document has been completed in idle time.
void BM_FirstFindNextToTheEnd(benchmark::State& state) {
    const QString needle = QStringLiteral("the last word");
    std::optional<FindNextBench> bench;
    for (auto _ : state) {
        state.PauseTiming();
        bench.emplace(needle, true);
        state.ResumeTiming();
        bench->findNext->trigger();
        state.PauseTiming();
        bench.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FirstFindNextToTheEnd)->Unit(benchmark::kMillisecond)->Iterations(3);

// As the user meets it: opening, two seconds of idle time in which the text
// area completes its layout step by step (the longest step is reported, it
// is how long typing could stall), then Find Next to the end.
void BM_FindNextToTheEndAfterIdle(benchmark::State& state) {
    const QString needle = QStringLiteral("the last word");
    qint64 longestStep = 0;
    std::optional<FindNextBench> bench;
    for (auto _ : state) {
        state.PauseTiming();
        bench.emplace(needle, true);
        QElapsedTimer idle;
        idle.start();
        while (idle.elapsed() < 2000) {
            QElapsedTimer step;
            step.start();
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            longestStep = std::max(longestStep, step.elapsed());
        }
        state.ResumeTiming();
        bench->findNext->trigger();
        state.PauseTiming();
        bench.reset();
        state.ResumeTiming();
    }
    state.counters["longest_idle_step_ms"] = double(longestStep);
}
BENCHMARK(BM_FindNextToTheEndAfterIdle)->Unit(benchmark::kMillisecond)->Iterations(2);

/// A memory figure of this process in MB: "VmRSS:" now, "VmHWM:" the peak
/// since resetPeak().
double statusMegabytes(const QByteArray& key) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0;
}

void resetPeak() {
    QFile clearRefs(QStringLiteral("/proc/self/clear_refs"));
    if (clearRefs.open(QIODevice::WriteOnly))
        clearRefs.write("5");
}

QByteArray lifeStoryRtf(qsizetype characters) {
    QTextDocument document;
    bench::fillLifeStory(document, characters);
    return rtf::writeRtf(document);
}

QByteArray lifeStory(qsizetype bytes) {
    // The writer spends some 1.75 bytes on a character of this story.
    return lifeStoryRtf(qsizetype(bytes / 1.75));
}

double cpuMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// File > Open in the editor as the user does it, up to the first page
// painted, beside the same bytes read into a detached document (both in CPU
// time: the machine is shared). The shapes are made at the size given in KB.
// With expectOpened false the file is past a bound and is to be refused.
void openInEditor(benchmark::State& state, QByteArray (*generate)(qsizetype), bool expectOpened) {
    const QByteArray bytes = generate(state.range(0) * 1024);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Opened.rtf"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
            state.SkipWithError("the file could not be written");
            return;
        }
    }
    const double detachedStart = cpuMilliseconds();
    {
        QTextDocument document;
        rtf::readDocument(bytes, document);
    }
    const double detachedMs = cpuMilliseconds() - detachedStart;

    QuietDialogs dialogs;
    Program program{dialogs, [] {}};
    auto* editor = qobject_cast<TextEditor*>(program.screens().show(FixedScreen::TextEditor));
    dialogs.openPath = path;
    const double before = statusMegabytes("VmRSS:");
    resetPeak();
    double editorMs = 0;
    double paintMs = 0;
    for (auto _ : state) {
        const double start = cpuMilliseconds();
        editor->files().open();
        const double opened = cpuMilliseconds();
        benchmark::DoNotOptimize(editor->grab());
        editorMs += cpuMilliseconds() - start;
        paintMs += cpuMilliseconds() - opened;
    }
    state.counters["first_paint_cpu_ms"] = paintMs / double(state.iterations());
    state.SetBytesProcessed(state.iterations() * bytes.size());
    state.counters["input_MB"] = bytes.size() / 1e6;
    state.counters["detached_read_cpu_ms"] = detachedMs;
    state.counters["editor_to_detached"] = editorMs / double(state.iterations()) / detachedMs;
    state.counters["extra_peak_MB"] = statusMegabytes("VmHWM:") - before;
    const bool opened = editor->windowTitle() == path + QStringLiteral(" - Text Editor");
    if (opened != expectOpened)
        state.SkipWithError(expectOpened ? "the file was not opened" : "the file was opened");
}

void opened(benchmark::State& state, QByteArray (*generate)(qsizetype)) {
    openInEditor(state, generate, true);
}

void refused(benchmark::State& state, QByteArray (*generate)(qsizetype)) {
    openInEditor(state, generate, false);
}

// Some 90,000 runs in 12,000 paragraphs at 10 MB.
BENCHMARK_CAPTURE(opened, life_story, lifeStory)
    ->Arg(5 * 1024)
    ->Arg(10 * 1024)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);
BENCHMARK_CAPTURE(opened, paragraphs, bench::manyParagraphs)
    ->Arg(256)
    ->Arg(768)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK_CAPTURE(opened, plain_line_breaks, bench::plainLineBreaks)
    ->Arg(64)
    ->Arg(192)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK_CAPTURE(opened, one_long_line, bench::oneLongLine)
    ->Arg(4096)
    ->Arg(16384)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
// One paragraph's runs are laid out in time that grows with their square;
// these stay under the bound of runs in a paragraph.
BENCHMARK_CAPTURE(opened, runs_in_one_paragraph, bench::manyRunsInOneParagraph)
    ->Arg(11)
    ->Arg(21)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK_CAPTURE(opened, font_switches, bench::manyFontSwitches)
    ->Arg(11)
    ->Arg(21)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
// Past a bound: refused after the counting pass, the document untouched.
BENCHMARK_CAPTURE(refused, runs_in_one_paragraph, bench::manyRunsInOneParagraph)
    ->Arg(16 * 1024)
    ->Arg(60 * 1024)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK_CAPTURE(refused, font_switches, bench::manyFontSwitches)
    ->Arg(16 * 1024)
    ->Arg(53 * 1024)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK_CAPTURE(refused, paragraphs, bench::manyParagraphs)
    ->Arg(16 * 1024)
    ->Arg(60 * 1024)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK_CAPTURE(refused, plain_line_breaks, bench::plainLineBreaks)
    ->Arg(16 * 1024)
    ->Arg(60 * 1024)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

// A word of a million characters without a break pasted into an answer box
// on its page, then one key typed at its end: the paste and the key, each
// with the layout it brings.
void BM_PasteLongWordIntoAnswerBox(benchmark::State& state) {
    const QString word(state.range(0), u'x');
    for (auto _ : state) {
        state.PauseTiming();
        test::CancellingDialogs dialogs;
        Program program(dialogs, [] {});
        QWidget* page = program.screens().show(catalogue::PageId::Childhood1);
        auto* box = page->findChild<QPlainTextEdit*>();
        box->setFocus();
        QClipboard* clipboard = QApplication::clipboard();
        clipboard->setText(word);
        QElapsedTimer timer;
        state.ResumeTiming();
        timer.start();
        box->paste();
        QCoreApplication::processEvents();
        state.counters["paste ms"] = double(timer.restart());
        QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        QCoreApplication::sendEvent(box, &key);
        QCoreApplication::processEvents();
        state.counters["key ms"] = double(timer.elapsed());
        state.PauseTiming();
        box->clear();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_PasteLongWordIntoAnswerBox)
    ->Arg(1'000'000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
    return vellumora::bench::runQtBenchmarks<QApplication>(argc, argv);
}
