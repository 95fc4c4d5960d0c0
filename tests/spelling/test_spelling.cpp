// The spelling layer without widgets: words, verdicts, suggestions, her own
// word list, the choice of dictionary, the marks in a document, and the
// remembered zoom. Checked against a small dictionary of its own, so the
// results do not depend on what the machine has installed.

#include "rtf/rtfwriter.h"
#include "spelling/dictionary.h"
#include "spelling/personalwords.h"
#include "spelling/speller.h"
#include "spelling/spellingcheck.h"
#include "spelling/spellmarker.h"
#include "spelling/wordfinder.h"
#include "zoom/textzoom.h"

#include <sys/stat.h>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>

using namespace vellumora;
using namespace vellumora::spelling;

namespace {

const QString kTestDictionary = QStringLiteral(VELLUMORA_TEST_DICTIONARY);

QStringList wordsOf(const QString& text) {
    QStringList words;
    for (const WordSpan& span : wordsIn(text))
        words.append(text.mid(span.start, span.length));
    return words;
}

/// A speller on the test dictionary and a word list in a folder of its own,
/// ready to judge.
struct ReadySpeller {
    QTemporaryDir folder;
    Speller speller;
    explicit ReadySpeller(const QString& wordList = {}) {
        speller.useDictionary(kTestDictionary);
        speller.usePersonalWords(wordList.isEmpty() ? folder.filePath(QStringLiteral("words.txt"))
                                                    : wordList);
        speller.prepare();
    }
    bool ready() {
        return QTest::qWaitFor([this] { return speller.isReady(); }, 10000);
    }
};

/// The misspelt words a marker has marked in a document.
QStringList markedWords(const QTextDocument& document, const SpellMarker& marker) {
    QStringList marked;
    const QString text = document.toPlainText();
    for (const WordSpan& span : wordsIn(text))
        if (marker.markedWordAt(int(span.start)))
            marked.append(text.mid(span.start, span.length));
    return marked;
}

}  // namespace

class SpellingTest : public QObject {
    Q_OBJECT

private slots:
    void wordsAreFoundAsAWordProcessorFindsThem_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("words");
        QTest::newRow("apostrophes inside")
            << u"don’t o'clock"_qs << QStringList{u"don’t"_qs, "o'clock"};
        QTest::newRow("quotation marks around")
            << "'quoted' dogs' tails" << QStringList{"quoted", "dogs", "tails"};
        QTest::newRow("digits") << "in 1950s on A4 paper" << QStringList{"in", "on", "paper"};
        QTest::newRow("hyphen and dash")
            << u"well-known—yes"_qs << QStringList{"well", "known", "yes"};
        QTest::newRow("accents") << u"cafe\u0301 Grünwald CAFÉ"_qs
                                 << QStringList{u"cafe\u0301"_qs, u"Grünwald"_qs, u"CAFÉ"_qs};
    }
    void wordsAreFoundAsAWordProcessorFindsThem() {
        QFETCH(QString, text);
        QFETCH(QStringList, words);
        QCOMPARE(wordsOf(text), words);
    }

    void verdictsHandleCaseAccentsAndApostrophes() {
        ReadySpeller ready;
        QVERIFY(ready.ready());
        const QStringList right = {"the",      "The",       "THE",   u"café"_qs, u"cafe\u0301"_qs,
                                   u"CAFÉ"_qs, u"don’t"_qs, "don't", "DON'T"};
        const QStringList wrong = {"teh", "TEH", "recieved", "cafe", "dont"};
        for (const QString& word : right)
            QVERIFY2(ready.speller.isCorrect(word), qPrintable(word));
        for (const QString& word : wrong)
            QVERIFY2(!ready.speller.isCorrect(word), qPrintable(word));
    }

    void typingSlipsAreSuggestedFirst() {
        // The order the dictionaries give for these two words.
        QCOMPARE(slipsFirst({"slam", "sal", "smalt", "small", "seal"}, u"smal").value(0),
                 u"small"_qs);
        QCOMPARE(slipsFirst({"Eh", "Th", "Te", "Tet", "The", "Teth"}, u"Teh").value(0), u"The"_qs);
        QCOMPARE(slipsFirst({"river", "Rivers"}, u"rivver"), (QStringList{"river", "Rivers"}));
    }

    void suggestionsAreWrittenAsTheWordWas() {
        ReadySpeller ready;
        QVERIFY(ready.ready());
        QCOMPARE(ready.speller.suggestions(u"recieved").value(0), u"received"_qs);
        QCOMPARE(ready.speller.suggestions(u"Recieved").value(0), u"Received"_qs);
        QCOMPARE(ready.speller.suggestions(u"don’tt").value(0), u"don’t"_qs);
        QVERIFY(ready.speller.suggestions(u"a").size() <= Speller::kMaxSuggestions);
    }

    void addedWordsStayAddedInLaterRuns() {
        QTemporaryDir folder;
        const QString list = folder.filePath(QStringLiteral("sub/words.txt"));
        {
            ReadySpeller first(list);
            QVERIFY(first.ready());
            QVERIFY(!first.speller.isCorrect(u"Grünwald"));
            QSignalSpy changed(&first.speller, &Speller::verdictsChanged);
            QCOMPARE(first.speller.addToDictionary(u"Grünwald"), std::nullopt);
            QCOMPARE(changed.count(), 1);
            QVERIFY(first.speller.isCorrect(u"GRÜNWALD"));
            first.speller.ignore(u"smal");
            QVERIFY(first.speller.isCorrect(u"smal"));
        }
        QFile file(list);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), u"Grünwald\n"_qs.toUtf8());
        ReadySpeller later(list);
        QVERIFY(later.ready());
        QVERIFY(later.speller.isCorrect(u"Grünwald"));
        QVERIFY(!later.speller.isCorrect(u"smal"));  // ignored for one run only
    }

    void aWordListThatCannotBeWrittenSaysSo() {
        QTemporaryDir folder;
        QFile blocker(folder.filePath(QStringLiteral("file")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        ReadySpeller ready(folder.filePath(QStringLiteral("file/words.txt")));
        QVERIFY(ready.ready());
        QVERIFY(ready.speller.addToDictionary(u"teh").has_value());
        QVERIFY(ready.speller.isCorrect(u"teh"));
    }

    // A pipe in the list's place would keep the first question page waiting
    // for a writer: it counts as no list, and stays a pipe.
    void aPipeInPlaceOfTheWordListIsLeftAlone() {
        QTemporaryDir folder;
        const QByteArray pipe = QFile::encodeName(folder.filePath(QStringLiteral("words.txt")));
        QCOMPARE(mkfifo(pipe.constData(), 0600), 0);
        ReadySpeller ready(QFile::decodeName(pipe));
        QVERIFY(ready.ready());
        QVERIFY(!ready.speller.isCorrect(u"teh"));
        QVERIFY(ready.speller.addToDictionary(u"teh").has_value());
        QVERIFY(ready.speller.isCorrect(u"teh"));
        struct stat status {};
        QCOMPARE(stat(pipe.constData(), &status), 0);
        QVERIFY(S_ISFIFO(status.st_mode));
    }

    // A list that another editor wrote in an 8-bit code page keeps every byte
    // when a word is added; a word that code page cannot hold is not written.
    void aLatin1WordListKeepsItsBytes() {
        QTemporaryDir folder;
        const QString list = folder.filePath(QStringLiteral("words.txt"));
        const QByteArray before("Gr\xFCnwald\r\ncaf\xE9");
        {
            QFile file(list);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QCOMPARE(file.write(before), before.size());
        }
        ReadySpeller ready(list);
        QVERIFY(ready.ready());
        QVERIFY(ready.speller.isCorrect(u"Grünwald"));
        QCOMPARE(ready.speller.addToDictionary(u"naïve"), std::nullopt);
        QVERIFY(ready.speller.addToDictionary(u"Ωmega").has_value());
        QVERIFY(ready.speller.isCorrect(u"Ωmega"));
        QFile file(list);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before + "\nna\xEFve\n");
    }

    void theDictionaryFollowsTheLocale() {
        QTemporaryDir folder;
        for (const char* name : {"de_DE.aff", "de_DE.dic", "en_GB.aff", "en_GB.dic", "en_US.aff",
                                 "en_US.dic", "hyph_en_US.aff", "hyph_en_US.dic", "fr_FR.aff"}) {
            QFile file(folder.filePath(QString::fromLatin1(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        const auto installed = installedDictionaries({folder.path()});
        QStringList names;
        for (const DictionaryFile& file : installed)
            names.append(file.name);
        QCOMPARE(names, (QStringList{"de_DE", "en_GB", "en_US"}));
        QCOMPARE(dictionaryFor(installed, QLocale(u"en_US"_qs))->name, u"en_US"_qs);
        QCOMPARE(dictionaryFor(installed, QLocale(u"en_AU"_qs))->name, u"en_GB"_qs);
        QCOMPARE(dictionaryFor(installed, QLocale(u"fr_FR"_qs))->name, u"de_DE"_qs);
        QVERIFY(!dictionaryFor({}, QLocale(u"en_US"_qs)));
    }

    void withoutADictionaryNothingIsMarked() {
        QTemporaryDir empty;
        Speller speller;
        speller.useDictionaryFolders({empty.path()});
        QTest::ignoreMessage(QtWarningMsg,
                             "No spelling dictionary is installed, so spelling is not checked.");
        QTextDocument document(u"Teh smal house"_qs);
        SpellMarker marker(document, speller);
        marker.checkEverything();
        QVERIFY(markedWords(document, marker).isEmpty());
        QVERIFY(speller.isCorrect(u"teh"));
        QVERIFY(speller.suggestions(u"teh").isEmpty());
    }

    void misspeltWordsAreMarkedOnceTheDictionaryIsRead() {
        ReadySpeller ready;
        QTextDocument document(u"We lived in a smal house\nby the rivver.\nTeh story"_qs);
        SpellMarker marker(document, ready.speller);
        QVERIFY(ready.ready());
        QTRY_VERIFY(marker.isComplete());
        QCOMPARE(markedWords(document, marker), (QStringList{"smal", "rivver", "Teh"}));
    }

    // The word at the caret is not marked while it is being typed.
    void theWordBeingTypedWaitsForTheCaretToLeave() {
        ReadySpeller ready;
        QVERIFY(ready.ready());
        QTextDocument document(u"the "_qs);
        SpellMarker marker(document, ready.speller);
        marker.checkEverything();
        QTextCursor cursor(&document);
        cursor.movePosition(QTextCursor::End);
        for (const QChar ch : u"teh"_qs) {
            cursor.insertText(ch);
            marker.followCaret(cursor.position());
        }
        QVERIFY(markedWords(document, marker).isEmpty());
        cursor.insertText(u" "_qs);
        marker.followCaret(cursor.position());
        QCOMPARE(markedWords(document, marker), QStringList{"teh"});
    }

    // A word added in one text area loses its mark in every other one.
    void anAddedWordLosesItsMarkEverywhere() {
        ReadySpeller ready;
        QVERIFY(ready.ready());
        QTextDocument one(u"Teh house"_qs), other(u"the house\n\nTeh story"_qs);
        SpellMarker first(one, ready.speller), second(other, ready.speller);
        first.checkEverything();
        second.checkEverything();
        QCOMPARE(markedWords(other, second), QStringList{"Teh"});
        QVERIFY(!ready.speller.addToDictionary(u"Teh"));
        QTRY_VERIFY(first.isComplete() && second.isComplete());
        QVERIFY(markedWords(one, first).isEmpty());
        QVERIFY(markedWords(other, second).isEmpty());
    }

    // The marks live in the layout only: the document, its undo history and
    // the file written from it are exactly as without them.
    void marksNeverReachTheDocument() {
        const QString text = u"Teh smal house by the rivver\r\nwe lived in"_qs;
        QTextDocument plain(text), marked(text);
        for (QTextDocument* document : {&plain, &marked}) {
            QTextCursor all(document);
            all.select(QTextCursor::Document);
            QTextCharFormat arial;
            arial.setFontFamilies({u"arial"_qs});
            arial.setFontPointSize(12);
            all.mergeCharFormat(arial);
            document->setModified(false);
            document->clearUndoRedoStacks();
        }
        ReadySpeller ready;
        QVERIFY(ready.ready());
        QSignalSpy edits(&marked, &QTextDocument::contentsChanged);
        SpellMarker marker(marked, ready.speller);
        marker.checkEverything();
        QCOMPARE(markedWords(marked, marker).size(), 3);
        QCOMPARE(edits.count(), 0);
        QCOMPARE(rtf::writeRtf(marked), rtf::writeRtf(plain));
        QVERIFY(!marked.isModified());
        QVERIFY(!marked.isUndoAvailable());
        marker.setShown(false);
        QVERIFY(markedWords(marked, marker).isEmpty());
        marker.setShown(true);
        QTRY_COMPARE(markedWords(marked, marker).size(), 3);
    }

    // From the caret to the end, then from the top back to the caret: every
    // misspelt word once, each answer carried out and nothing else touched.
    void theCheckGoesRoundFromTheCaretDoingWhatSheSays() {
        ReadySpeller ready;
        QVERIFY(ready.ready());
        QTextDocument document;
        QTextCursor cursor(&document);
        cursor.insertText(u"We lived in a hous by the rivver.\n"_qs);
        QTextCharFormat bold;
        bold.setFontWeight(QFont::Bold);
        cursor.insertText(u"Teh"_qs, bold);
        cursor.insertText(u" letter recieved, the hous small, the houss small.\nTeh"_qs,
                          QTextCharFormat());
        QCOMPARE(SpellingCheck::countMisspelled(document, ready.speller), 7);

        SpellingCheck check(document, ready.speller, int(document.toPlainText().indexOf(u"ivver")));
        QStringList stops;
        const auto stopAt = [&] {
            const std::optional<Misspelling> found = check.next();
            stops << (found ? found->word : u"(end)"_qs);
            return found;
        };
        QCOMPARE(stopAt()->position, document.toPlainText().indexOf(u"rivver"));
        check.change(u"river"_qs);
        stopAt();
        check.change(u"The"_qs);  // keeps its bold
        stopAt();
        QVERIFY(!check.addToDictionary());  // "recieved", for good
        stopAt();
        QCOMPARE(check.changeAll(u"house"_qs), 2);  // "hous" twice, not "houss"
        stopAt();
        check.ignore();  // "houss", this once
        stopAt();
        check.ignoreAll();  // the last "Teh"
        QVERIFY(!stopAt());
        QCOMPARE(stops, (QStringList{u"rivver"_qs, u"Teh"_qs, u"recieved"_qs, u"hous"_qs,
                                     u"houss"_qs, u"Teh"_qs, u"(end)"_qs}));
        QCOMPARE(document.toPlainText(),
                 u"We lived in a house by the river.\nThe letter recieved, the house small, "
                 "the houss small.\nTeh"_qs);
        QTextCursor changed(document.findBlockByNumber(1));
        changed.setPosition(changed.position() + 1);
        QCOMPARE(changed.charFormat().fontWeight(), int(QFont::Bold));
        changed.setPosition(changed.position() + 4);
        QCOMPARE(changed.charFormat().fontWeight(), int(QFont::Normal));

        // "Change All" is one step back; a word ignored once is found again.
        document.undo();
        QCOMPARE(document.toPlainText().count(u"hous "_qs), 2);
        QVERIFY(ready.speller.isCorrect(u"recieved"_qs));
        QCOMPARE(SpellingCheck(document, ready.speller, 0).next()->word, u"hous"_qs);
        QCOMPARE(SpellingCheck::countMisspelled(document, ready.speller), 3);
    }

    void theZoomMovesInStepsAndIsRemembered() {
        {
            TextZoom zoom(u"test"_qs);
            QCOMPARE(zoom.percent(), TextZoom::kNormal);
            QSignalSpy changed(&zoom, &TextZoom::changed);
            zoom.zoomIn();
            QCOMPARE(zoom.percent(), 110);
            zoom.step(100);
            QCOMPARE(zoom.percent(), 300);
            zoom.reset();
            zoom.step(-100);
            QCOMPARE(zoom.percent(), 50);
            zoom.step(-1);  // already the smallest: nothing changes
            QCOMPARE(changed.count(), 4);
        }
        QCOMPARE(TextZoom(u"test"_qs).percent(), 50);
        QCOMPARE(TextZoom(u"other"_qs).percent(), TextZoom::kNormal);
    }
};

QTEST_MAIN(SpellingTest)
#include "test_spelling.moc"
