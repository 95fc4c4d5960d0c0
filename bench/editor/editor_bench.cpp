// The editor with 81 answers of 64 KB each (some 5.3 million characters):
// compiling and showing the document, and Find Next across all of it.
// Runs headless on the offscreen platform unless another one is chosen.

#include "app/program.h"
#include "dialogs/dialogs.h"
#include "editor/documentassembly.h"
#include "editor/documenttextedit.h"
#include "editor/texteditor.h"
#include "shell/session.h"
#include "store/answerstore.h"

#include <benchmark/benchmark.h>
#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QApplication>
#include <QTextCursor>

using namespace vellumora;

namespace {

constexpr qsizetype kAnswerSize = 64 * 1024;

/// Answers every message with OK and cancels every other dialog.
class QuietDialogs final : public Dialogs {
public:
    MessageButton message(QWidget*, const MessageRequest&) override { return MessageButton::Ok; }
    std::optional<QString> prompt(QWidget*, const QString&, const QString&) override {
        return std::nullopt;
    }
    std::optional<QString> openFile(QWidget*, const FileRequest&) override { return std::nullopt; }
    std::optional<QString> saveFile(QWidget*, const FileRequest&) override { return std::nullopt; }
    std::optional<FontChoice> chooseFont(QWidget*, const FontChoice&) override {
        return std::nullopt;
    }
    std::optional<QColor> chooseColor(QWidget*, const QColor&) override { return std::nullopt; }
    bool setUpPrinter(QWidget*, QPrinter&) override { return false; }
};

// Paragraphs of ordinary prose, as a long answer has them.
QString longAnswer(int position) {
    const QString paragraph = QStringLiteral(
        "We lived in a small house by the river, and every summer my brothers and I built rafts "
        "from whatever the flood had left behind. Mother called us in at dusk.\r\n");
    QString answer = QStringLiteral("Answer %1: ").arg(position);
    while (answer.size() < kAnswerSize)
        answer += paragraph;
    answer.truncate(kAnswerSize);
    return answer;
}

struct BigProgram {
    QuietDialogs dialogs;
    Program program{dialogs, [] {}};
    BigProgram() {
        for (int position = 1; position <= 81; ++position)
            program.store().store(position, longAnswer(position));
    }
    TextEditor* open() {
        return qobject_cast<TextEditor*>(program.screens().show(QStringLiteral("frmTxtEditor")));
    }
    void close() {
        program.screens().destroy(QStringLiteral("frmTxtEditor"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

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

// Find Next from the top for a text found only in the very last answer, and
// for one found nowhere ("The search has been completed.").
void findNextAcross(benchmark::State& state, const QString& needle, bool present) {
    BigProgram big;
    if (present)
        big.program.store().store(81, longAnswer(81) + QStringLiteral(" the last word"));
    big.program.session().searchText = needle;
    TextEditor* editor = big.open();
    QAction* findNext = editor->findChild<QAction*>(QStringLiteral("mnuEditFindNext"));
    DocumentTextEdit* text = editor->textArea();
    for (auto _ : state) {
        text->moveCursor(QTextCursor::Start);
        findNext->trigger();
    }
    if (present && text->textCursor().selectedText() != needle)
        state.SkipWithError("the match was not selected");
    big.close();
}

void BM_FindNextToTheEnd(benchmark::State& state) {
    findNextAcross(state, QStringLiteral("the last word"), true);
}
BENCHMARK(BM_FindNextToTheEnd)->Unit(benchmark::kMillisecond);

void BM_FindNextNotFound(benchmark::State& state) {
    findNextAcross(state, QStringLiteral("zeppelin"), false);
}
BENCHMARK(BM_FindNextNotFound)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
