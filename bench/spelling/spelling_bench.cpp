// Spelling on the editor's big document, 81 answers of 64 KB each (some 5.3
// million characters): the two engines Debian offers, Hunspell and Nuspell,
// side by side on the same dictionary and words; then the program's own
// layer: opening the editor with and without spelling, checking it all in
// idle time, and typing one character.
//   bench_spelling [--benchmark_filter=...]   DICTIONARY=/path/xx_YY.aff to
// choose the dictionary (default: the one for the system's language).

#include "app/program.h"
#include "dialogs/dialogs.h"
#include "editor/documentassembly.h"
#include "editor/documenttextedit.h"
#include "editor/texteditor.h"
#include "spelling/dictionary.h"
#include "spelling/speller.h"
#include "spelling/spellingcheck.h"
#include "spelling/spellingview.h"
#include "spelling/spellmarker.h"
#include "spelling/wordfinder.h"
#include "store/answerstore.h"

#include "support/storyprogram.h"

#include <benchmark/benchmark.h>
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <hunspell.hxx>
#include <nuspell/dictionary.hxx>
#include <optional>

using namespace vellumora;

namespace {

// Varied prose with a misspelling now and then, as she writes it.
QString longAnswer(int position) {
    const QStringList paragraphs = {
        u"We lived in a small house by the river, and every summer my brothers and I built rafts "
        "from whatever the flood had left behind. Mother called us in at dusk.\r\n"_qs,
        u"Teh winter of 1947 was the coldest anyone remembered; the milk froze on the doorstep "
        "and Father recieved a letter from his brother in Ohio that changed everything.\r\n"_qs,
        u"I still don’t know why we moved, but I remember the café on the corner, Mr Grünwald’s "
        "bakery, and the smell of bread at six o’clock every morning.\r\n"_qs,
        u"SCHOOL DAYS: our teacher, Miss Abernathy, read to us every afternoon; I was "
        "embarassed the day I forgot my lines in the Christmas play.\r\n"_qs};
    QString answer = QStringLiteral("Answer %1: ").arg(position);
    for (int i = 0; answer.size() < bench::kLongAnswerSize; ++i)
        answer += paragraphs[(i + position) % paragraphs.size()];
    answer.truncate(bench::kLongAnswerSize);
    return answer;
}

QString affixPath() {
    const QByteArray chosen = qgetenv("DICTIONARY");
    if (!chosen.isEmpty())
        return QString::fromLocal8Bit(chosen);
    const auto file = spelling::dictionaryFor(
        spelling::installedDictionaries(spelling::dictionaryFolders()), QLocale::system());
    return file ? file->affPath : QString();
}

QString dicPath(const QString& aff) {
    return aff.chopped(4) + u".dic"_qs;
}

/// The words of the compiled document in lookup form, as UTF-8.
const std::vector<std::string>& documentWords() {
    static const std::vector<std::string> words = [] {
        AnswerStore store;
        for (int position = 1; position <= 81; ++position)
            store.store(position, longAnswer(position));
        const QString text = editor::compileDocument(store);
        std::vector<std::string> found;
        for (const spelling::WordSpan& span : spelling::wordsIn(text))
            found.push_back(spelling::lookupForm(QStringView(text).sliced(span.start, span.length))
                                .toStdString());
        return found;
    }();
    return words;
}

const std::vector<std::string> kMisspellings = {"recieved",   "embarassed", "teh",   "becuase",
                                                "neccessary", "grammer",    "wierd", "untill"};

// --- The two engines ---

void BM_Nuspell_Load(benchmark::State& state) {
    for (auto _ : state) {
        nuspell::Dictionary dictionary;
        dictionary.load_aff_dic(affixPath().toStdString());
        benchmark::DoNotOptimize(dictionary.spell("house"));
    }
}
BENCHMARK(BM_Nuspell_Load)->Unit(benchmark::kMillisecond);

void BM_Hunspell_Load(benchmark::State& state) {
    const std::string aff = affixPath().toStdString(), dic = dicPath(affixPath()).toStdString();
    for (auto _ : state) {
        Hunspell dictionary(aff.c_str(), dic.c_str());
        benchmark::DoNotOptimize(dictionary.spell(std::string("house")));
    }
}
BENCHMARK(BM_Hunspell_Load)->Unit(benchmark::kMillisecond);

// Every word of the document, one by one, with no cache in front, by either
// engine: both answer spell() for a UTF-8 word.
template <class Dictionary>
void checkDocument(benchmark::State& state, Dictionary& dictionary) {
    const auto& words = documentWords();
    int64_t wrong = 0;
    for (auto _ : state)
        for (const std::string& word : words)
            wrong += !dictionary.spell(word);
    state.counters["words"] = double(words.size());
    state.counters["words_per_s"] =
        benchmark::Counter(double(words.size()), benchmark::Counter::kIsIterationInvariantRate);
    benchmark::DoNotOptimize(wrong);
}

void BM_Nuspell_CheckDocument(benchmark::State& state) {
    nuspell::Dictionary dictionary;
    dictionary.load_aff_dic(affixPath().toStdString());
    checkDocument(state, dictionary);
}
BENCHMARK(BM_Nuspell_CheckDocument)->Unit(benchmark::kMillisecond);

void BM_Hunspell_CheckDocument(benchmark::State& state) {
    Hunspell dictionary(affixPath().toStdString().c_str(),
                        dicPath(affixPath()).toStdString().c_str());
    checkDocument(state, dictionary);
}
BENCHMARK(BM_Hunspell_CheckDocument)->Unit(benchmark::kMillisecond);

// Suggestions for eight common misspellings, as the context menu asks.
void BM_Nuspell_Suggest(benchmark::State& state) {
    nuspell::Dictionary dictionary;
    dictionary.load_aff_dic(affixPath().toStdString());
    std::vector<std::string> out;
    for (auto _ : state)
        for (const std::string& word : kMisspellings)
            dictionary.suggest(word, out);
    state.counters["words"] = double(kMisspellings.size());
}
BENCHMARK(BM_Nuspell_Suggest)->Unit(benchmark::kMillisecond);

void BM_Hunspell_Suggest(benchmark::State& state) {
    Hunspell dictionary(affixPath().toStdString().c_str(),
                        dicPath(affixPath()).toStdString().c_str());
    for (auto _ : state)
        for (const std::string& word : kMisspellings)
            benchmark::DoNotOptimize(dictionary.suggest(word));
    state.counters["words"] = double(kMisspellings.size());
}
BENCHMARK(BM_Hunspell_Suggest)->Unit(benchmark::kMillisecond);

// --- The program's layer ---

/// The program with the story of varied prose, spelling on or off.
struct BigProgram : bench::StoryProgram<> {
    QTemporaryDir noDictionaries;
    explicit BigProgram(bool spelling) : StoryProgram(longAnswer) {
        if (spelling) {
            program.speller().useDictionary(affixPath());
            program.speller().prepare();
            while (!program.speller().isReady())
                QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        } else {
            program.speller().useDictionaryFolders({noDictionaries.path()});
        }
    }
    static spelling::SpellMarker& markerOf(TextEditor* editor) {
        return editor->textArea()->findChild<spelling::SpellingView*>()->marker();
    }
    /// Whether the document is laid out to its end and, with spelling, every
    /// paragraph checked.
    static bool isSettled(TextEditor* editor, bool spelling) {
        return (!spelling || markerOf(editor).isComplete()) &&
               editor->textArea()->document()->lastBlock().layout()->lineCount() > 0;
    }
    /// Opens the editor and waits until the document is settled.
    TextEditor* openSettled(bool spelling) {
        TextEditor* editor = open();
        while (!isSettled(editor, spelling))
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        return editor;
    }
};

// Counting the misspelt words of the whole story, as the book does before it
// offers the check: a fresh speller each time, so no verdict is remembered.
void BM_CountMisspelled(benchmark::State& state) {
    BigProgram big(false);
    TextEditor* editor = big.open();
    for (auto _ : state) {
        state.PauseTiming();
        spelling::Speller speller;
        speller.useDictionary(affixPath());
        speller.waitUntilReady();
        state.ResumeTiming();
        benchmark::DoNotOptimize(
            spelling::SpellingCheck::countMisspelled(*editor->textArea()->document(), speller));
    }
}
BENCHMARK(BM_CountMisspelled)->Unit(benchmark::kMillisecond)->Iterations(3);

// Opening as the user does, the window painted once (the text on screen
// checked and marked), with spelling (argument 1) and without (0).
void BM_OpenEditor(benchmark::State& state) {
    BigProgram big(state.range(0) != 0);
    for (auto _ : state) {
        TextEditor* editor = big.open();
        benchmark::DoNotOptimize(editor->grab());
        state.PauseTiming();
        big.close();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenEditor)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(5);

// After opening, the idle time until the whole document is laid out and,
// with spelling (argument 1), every paragraph is checked; and the longest
// single step of it (how long typing could have to wait). Without spelling
// (0) it is the text area's own layout in the background.
void BM_IdleTimeAfterOpening(benchmark::State& state) {
    const bool spelling = state.range(0) != 0;
    BigProgram big(spelling);
    qint64 longestStep = 0;
    for (auto _ : state) {
        state.PauseTiming();
        TextEditor* editor = big.open();
        editor->grab();
        state.ResumeTiming();
        QElapsedTimer waited;
        waited.start();
        while (!BigProgram::isSettled(editor, spelling)) {
            // A layout that stopped before the end leaves the rest of the
            // document out of reach; that is a fault, not a slow run.
            if (waited.elapsed() > 60'000) {
                state.SkipWithError("the document was never laid out to its end");
                break;
            }
            QElapsedTimer step;
            step.start();
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            longestStep = std::max(longestStep, step.elapsed());
        }
        state.PauseTiming();
        big.close();
        state.ResumeTiming();
    }
    state.counters["longest_step_ms"] = double(longestStep);
}
BENCHMARK(BM_IdleTimeAfterOpening)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(2);

// One character typed and taken back with the keys, at the caret in a
// paragraph in the middle of the document, once it is laid out and checked,
// with spelling (1) and without (0): the change and its recheck.
void BM_TypeOneCharacter(benchmark::State& state) {
    const bool spelling = state.range(0) != 0;
    BigProgram big(spelling);
    DocumentTextEdit* text = big.openSettled(spelling)->textArea();
    const QTextDocument* document = text->document();
    QTextCursor caret(document->findBlockByNumber(document->blockCount() / 2));
    caret.movePosition(QTextCursor::EndOfWord);
    text->setTextCursor(caret);
    const auto press = [text](Qt::Key key, const QString& typed) {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, typed);
        QCoreApplication::sendEvent(text, &event);
    };
    for (auto _ : state) {
        press(Qt::Key_X, u"x"_qs);
        press(Qt::Key_Backspace, {});
    }
    big.close();
}
BENCHMARK(BM_TypeOneCharacter)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->Iterations(30);

// Scrolling the checked document to a place not shown before, where the
// marks found in idle time are set as it comes into view, with spelling (1)
// and without (0): the scroll and the events it brings.
void BM_ScrollToNewText(benchmark::State& state) {
    const bool spelling = state.range(0) != 0;
    BigProgram big(spelling);
    DocumentTextEdit* text = big.openSettled(spelling)->textArea();
    QScrollBar* bar = text->verticalScrollBar();
    int place = 0;
    for (auto _ : state) {
        place = (place + 7919) % 100;
        bar->setValue(bar->maximum() / 100 * place);
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(text->viewport()->grab());
    }
    big.close();
}
BENCHMARK(BM_ScrollToNewText)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(20);

// The first character typed right after opening, while the text area still
// lays the document out in the background: the layout is finished first, so
// that the rest of the document stays within reach.
void BM_TypeWhileTheLayoutIsAtWork(benchmark::State& state) {
    BigProgram big(false);
    for (auto _ : state) {
        state.PauseTiming();
        TextEditor* editor = big.open();
        editor->grab();
        QTextCursor cursor(editor->textArea()->document());
        state.ResumeTiming();
        cursor.insertText(u"x"_qs);
        state.PauseTiming();
        big.close();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_TypeWhileTheLayoutIsAtWork)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (affixPath().isEmpty()) {
        std::fprintf(stderr, "No dictionary: install hunspell-en-us or set DICTIONARY.\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
