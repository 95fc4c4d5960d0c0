// Spelling and zoom as she meets them: in the answer boxes of a question
// page and in the editor, through typing, the context menu and the keys.

#include "chapters/chaptertesting.h"
#include "chapters/questionpage.h"
#include "editor/editorfixture.h"
#include "rtf/rtfwriter.h"
#include "spelling/speller.h"
#include "spelling/spellingview.h"
#include "spelling/spellmarker.h"
#include "store/catalogue.h"
#include "zoom/zoomview.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTextBlock>
#include <QTextLayout>
#include <QWheelEvent>

using namespace vellumora;
using namespace vellumora::test;

namespace {

const QString kTestDictionary = QStringLiteral(VELLUMORA_TEST_DICTIONARY);

spelling::SpellingView* spellingOf(QWidget* area) {
    return area->findChild<spelling::SpellingView*>();
}

QTextCursor cursorIn(QTextDocument* document, const QString& word) {
    QTextCursor cursor(document);
    cursor.setPosition(int(document->toPlainText().indexOf(word) + 1));
    return cursor;
}

bool isMarked(QWidget* area, QTextDocument* document, const QString& word) {
    const auto index = document->toPlainText().indexOf(word);
    return index >= 0 && spellingOf(area)->marker().markedWordAt(int(index + 1)).has_value();
}

/// The context menu over a word of an answer box.
std::unique_ptr<QMenu> menuOver(QPlainTextEdit* box, const QString& word) {
    const QPoint point = box->cursorRect(cursorIn(box->document(), word)).center();
    return std::unique_ptr<QMenu>(spellingOf(box)->contextMenuAt(point));
}

QAction* entry(QMenu* menu, const QString& caption) {
    for (QAction* action : menu->actions())
        if (action->text().remove(u'&').section(u'\t', 0, 0) == caption)
            return action;
    return nullptr;
}

/// A question page whose spelling uses the test dictionary, read and ready.
struct PageHarness : Harness {
    QWidget* page = nullptr;
    PageHarness() {
        program.speller().useDictionary(kTestDictionary);
        page = screens().show(catalogue::PageId::Childhood1);
    }
    QPlainTextEdit* box(const char* name) { return control<QPlainTextEdit>(page, name); }
    bool ready() {
        return QTest::qWaitFor([this] { return program.speller().isReady(); }, 10000);
    }
};

void pressCtrl(QWidget* area, Qt::Key key) {
    QTest::keyClick(area, key, Qt::ControlModifier);
}

void wheelWithCtrl(QAbstractScrollArea* area, int delta) {
    const QPointF centre = area->viewport()->rect().center();
    QWheelEvent wheel(centre, area->viewport()->mapToGlobal(centre), QPoint(), QPoint(0, delta),
                      Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(area->viewport(), &wheel);
}

}  // namespace

class SpellingViewTest : public QObject {
    Q_OBJECT

private slots:
    void aSuggestionReplacesTheMarkedWord() {
        PageHarness h;
        QVERIFY(h.ready());
        QPlainTextEdit* box = h.box("txtGrowUp");
        typeInto(box, u"We lived in a smal house "_qs);
        QVERIFY(isMarked(box, box->document(), u"smal"_qs));
        QVERIFY(!isMarked(box, box->document(), u"house"_qs));

        const std::unique_ptr<QMenu> menu = menuOver(box, u"smal"_qs);
        QCOMPARE(menu->actions().first()->text(), u"small"_qs);
        for (const char* caption : {"Add to Dictionary", "Ignore", "Copy", "Paste", "Select All"})
            QVERIFY2(entry(menu.get(), QString::fromLatin1(caption)), caption);
        menu->actions().first()->trigger();
        QCOMPARE(box->toPlainText(), u"We lived in a small house "_qs);
        QVERIFY(!isMarked(box, box->document(), u"small"_qs));
        QCOMPARE(qobject_cast<QuestionPage*>(h.page)->changedFlag(), u"Y"_qs);
        QVERIFY(menuOver(box, u"house"_qs)->actions().first()->text() != u"small"_qs);
    }

    // An added word loses its mark in every box at once and stays added;
    // an ignored one comes back in the next run.
    void addToDictionaryLastsIgnoreDoesNot() {
        {
            PageHarness h;
            h.store().store(catalogue::positionOf(u"Childhood.School"_qs), u"Teh smal school"_qs);
            QPlainTextEdit* other = control<QPlainTextEdit>(
                h.screens().show(catalogue::PageId::Childhood2), u"txtSchool"_qs);
            QWidget* page = h.screens().show(catalogue::PageId::Childhood1);
            QVERIFY(h.ready());
            QPlainTextEdit* box = control<QPlainTextEdit>(page, u"txtGrowUp"_qs);
            typeInto(box, u"Teh story was smal "_qs);
            QTRY_VERIFY(isMarked(other, other->document(), u"Teh"_qs));
            entry(menuOver(box, u"Teh"_qs).get(), u"Add to Dictionary"_qs)->trigger();
            entry(menuOver(box, u"smal"_qs).get(), u"Ignore"_qs)->trigger();
            QVERIFY(!isMarked(box, box->document(), u"Teh"_qs));
            QVERIFY(!isMarked(box, box->document(), u"smal"_qs));
            QTRY_VERIFY(!isMarked(other, other->document(), u"Teh"_qs));
            QVERIFY(h.dialogs.messages().isEmpty());
        }
        Harness restarted;
        restarted.program.speller().useDictionary(kTestDictionary);
        restarted.store().store(catalogue::positionOf(u"Childhood.School"_qs), u"Teh smal"_qs);
        QPlainTextEdit* box = control<QPlainTextEdit>(
            restarted.screens().show(catalogue::PageId::Childhood2), u"txtSchool"_qs);
        QVERIFY(QTest::qWaitFor([&] { return restarted.program.speller().isReady(); }, 10000));
        QTRY_VERIFY(isMarked(box, box->document(), u"smal"_qs));
        QVERIFY(!isMarked(box, box->document(), u"Teh"_qs));
    }

    // A long story is marked to its end as she scrolls there, and marking it
    // never stops the layout, which goes on in the background, short of the
    // end: every paragraph keeps its lines, so all of it can be scrolled to.
    void aLongStoryIsMarkedToItsEnd() {
        PageHarness h;
        QVERIFY(h.ready());
        QTextEdit edit;
        edit.resize(600, 400);
        edit.setPlainText(u"we lived in a smal house\n"_qs +
                          u"we lived in a house by the river\n"_qs.repeated(8000) + u"lastt"_qs);
        spelling::SpellingView::attach(&edit, h.program.speller(), h.dialogs);
        edit.show();
        const QTextDocument* document = edit.document();
        QVERIFY2(document->lastBlock().layout()->lineCount() == 0,
                 "the story is too short to be laid out in the background");
        QTRY_VERIFY_WITH_TIMEOUT(spellingOf(&edit)->marker().isComplete() &&
                                     document->lastBlock().layout()->lineCount() > 0,
                                 20000);
        QVERIFY(isMarked(&edit, edit.document(), u"smal"_qs));
        // Marks far from the screen are set as the text comes into view.
        QVERIFY(!isMarked(&edit, edit.document(), u"lastt"_qs));
        edit.verticalScrollBar()->setValue(edit.verticalScrollBar()->maximum());
        QTRY_VERIFY(isMarked(&edit, edit.document(), u"lastt"_qs));
        int withoutLines = 0;
        for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
            withoutLines += block.layout()->lineCount() == 0;
        QCOMPARE(withoutLines, 0);
    }

    // The file the editor saves is the same, byte for byte, whether the
    // document on screen shows marks or not.
    void theSavedDocumentIsTheSameWithMarks() {
        QTemporaryDir folder;
        QTemporaryDir noDictionaries;
        QByteArray saved[2];
        for (const bool withMarks : {true, false}) {
            EditorFixture f;
            if (withMarks)
                f.program.speller().useDictionary(kTestDictionary);
            else
                f.program.speller().useDictionaryFolders({noDictionaries.path()});
            if (!withMarks)
                QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"No spelling"_qs));
            f.program.store().store(1, u"Teh smal house by the rivver\r\nwe lived in"_qs);
            f.openEditor();
            if (withMarks) {
                QVERIFY(QTest::qWaitFor([&f] { return f.program.speller().isReady(); }, 10000));
                QTRY_VERIFY(spellingOf(f.text())->marker().isComplete());
                QVERIFY(isMarked(f.text(), f.text()->document(), u"rivver"_qs));
            }
            const QString path = folder.filePath(withMarks ? u"marked.rtf"_qs : u"plain.rtf"_qs);
            f.trigger("mnuFileSaveAs");
            f.dialogs.answerSaveFile(path);
            f.confirmNote();
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            saved[withMarks] = file.readAll();
        }
        QVERIFY(!saved[0].isEmpty());
        QCOMPARE(saved[1], saved[0]);
    }

    // F7 in the editor asks about each misspelt word in turn, with the word
    // selected and the dictionary's suggestions, and changes only what she
    // says; the personal list keeps the word she added.
    void checkSpellingChangesOnlyWhatSheSays() {
        EditorFixture f;
        QTemporaryDir folder;
        f.program.speller().useDictionary(kTestDictionary);
        f.program.speller().usePersonalWords(folder.filePath(u"words.txt"_qs));
        f.openEditor();
        const QString before = u"Teh smal house\nby the rivver"_qs;
        f.text()->setPlainText(before);
        f.dialogs.answerSpelling(SpellingAction::Change, u"The"_qs);
        f.dialogs.answerSpelling(SpellingAction::Ignore);
        f.dialogs.answerSpelling(SpellingAction::AddToDictionary);
        f.dialogs.answerMessage(MessageButton::Ok);
        f.trigger("mnuEditSpelling");

        QList<SpellingRequest> asked;
        for (const auto& request : f.dialogs.requests())
            if (request.kind == ScriptedDialogs::Kind::Spelling)
                asked << request.spelling;
        QCOMPARE(asked.size(), 3);
        QCOMPARE(asked[0].word, u"Teh"_qs);
        QCOMPARE(asked[0].suggestions.value(0), u"The"_qs);
        QCOMPARE(asked[1].word, u"smal"_qs);
        QCOMPARE(asked[2].word, u"rivver"_qs);
        QCOMPARE(asked[2].paragraph.mid(asked[2].offsetInParagraph, 6), u"rivver"_qs);
        QCOMPARE(f.dialogs.messages().last().text, u"The spelling check is complete."_qs);
        QVERIFY(f.dialogs.allAnswersUsed());

        QString expected = before;
        expected.replace(u"Teh smal"_qs, u"The smal"_qs);
        QCOMPARE(f.text()->toPlainText(), expected);
        QCOMPARE(f.text()->textCursor().position(), 0);
        QTest::keyClicks(f.text(), u"So "_qs);  // she goes on typing where she was
        QVERIFY(f.text()->toPlainText().startsWith(u"So The smal"_qs));
        QFile words(folder.filePath(u"words.txt"_qs));
        QVERIFY(words.open(QIODevice::ReadOnly));
        QCOMPARE(words.readAll().trimmed(), QByteArray("rivver"));
        f.text()->document()->undo();
        f.text()->document()->undo();
        QCOMPARE(f.text()->toPlainText(), before);
    }

    // Zoom keys and Ctrl+wheel change how large the text shows, never the
    // document's formats; the zoom is remembered for the next run.
    void theEditorZoomsItsViewOnly() {
        int normalHeight = 0;
        QByteArray normalRtf;
        {
            EditorFixture f;
            f.program.store().store(1, u"We lived in a house"_qs);
            f.openEditor();
            DocumentTextEdit* text = f.text();
            text->moveCursor(QTextCursor::End);
            const QTextCharFormat format = text->textCursor().charFormat();
            normalHeight = text->cursorRect().height();
            normalRtf = rtf::writeRtf(*text->document());
            const auto viewHeight = [text] { return text->cursorRect().height(); };

            QSignalSpy edits(text, &QTextEdit::textChanged);
            // The editor opens with nothing focused: the window has the key.
            pressCtrl(f.editor(), Qt::Key_Plus);
            const int larger = viewHeight();
            QVERIFY(larger > normalHeight);
            pressCtrl(text, Qt::Key_Equal);
            QVERIFY(viewHeight() > larger);
            pressCtrl(text, Qt::Key_Minus);
            QCOMPARE(viewHeight(), larger);
            pressCtrl(text, Qt::Key_0);
            QCOMPARE(viewHeight(), normalHeight);
            wheelWithCtrl(text, 2 * QWheelEvent::DefaultDeltasPerStep);
            QVERIFY(viewHeight() > larger);
            {
                const zoom::AsDocumentWhile printing(*text);
                QCOMPARE(viewHeight(), normalHeight);
            }
            QVERIFY(viewHeight() > larger);

            QCOMPARE(text->textCursor().charFormat(), format);
            QCOMPARE(rtf::writeRtf(*text->document()), normalRtf);
            QCOMPARE(edits.count(), 0);
        }
        EditorFixture restarted;
        restarted.program.store().store(1, u"We lived in a house"_qs);
        restarted.openEditor();
        restarted.text()->moveCursor(QTextCursor::End);
        QVERIFY(restarted.text()->cursorRect().height() > normalHeight);
        pressCtrl(restarted.text(), Qt::Key_0);
        QCOMPARE(restarted.text()->cursorRect().height(), normalHeight);
    }

    // One zoom for every answer box; a box keeps its place and size.
    void answerBoxesZoomTogether() {
        PageHarness h;
        QPlainTextEdit* box = h.box("txtGrowUp");
        QPlainTextEdit* other = h.box("txtLived");
        const qreal normalSize = other->font().pointSizeF();
        const QRect place = box->geometry();
        typeInto(box, u"A long answer that wraps inside the box as it grows"_qs);
        wheelWithCtrl(box, QWheelEvent::DefaultDeltasPerStep);
        QVERIFY(other->font().pointSizeF() > normalSize);
        QCOMPARE(box->font().pointSizeF(), other->font().pointSizeF());
        QCOMPARE(box->geometry(), place);
        QCOMPARE(box->toPlainText(), u"A long answer that wraps inside the box as it grows"_qs);
        pressCtrl(other, Qt::Key_0);
        QCOMPARE(box->font().pointSizeF(), normalSize);
    }
};

QTEST_MAIN(SpellingViewTest)
#include "test_spellingview.moc"
