#include "editor/documentopening.h"
#include "editorfixture.h"
#include "rtf/hiddentext.h"
#include "rtf/rtfreader.h"
#include "shell/session.h"
#include "store/answerstore.h"
#include "store/catalogue.h"
#include "store/datafile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

using namespace vellumora;
using namespace vellumora::test;
using Kind = ScriptedDialogs::Kind;

namespace {

const QString kSavePrompt = QStringLiteral("Do you want to save the current document?");

QByteArray contentsOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

/// Saves the fresh document under path through Save As, the note and the dialog.
void saveAs(EditorFixture& f, const QString& path) {
    f.trigger("mnuFileSaveAs");
    QVERIFY(f.noteShown());
    f.dialogs.answerSaveFile(path);
    f.confirmNote();
}

}  // namespace

class FilesTest : public QObject {
    Q_OBJECT

private slots:
    void init();

    void activationShowsTheNoteBeforeCompiling();
    void unnamedSaveGoesThroughNoteAndDialog();
    void noteClosedSavesNothing();
    void namedSaveWritesBothFilesAtOnce();
    void saveAsRenames();
    void dataFileBesideTheDocument_data();
    void dataFileBesideTheDocument();
    void cancelledSaveDialogKeepsEverything();
    void writeFailuresAreReported_data();
    void writeFailuresAreReported();
    void editsMadeWhileTheNoteIsUpAreSaved();
    void comingBackWhileTheNoteIsUp();
    void saveChosenAgainKeepsTheCloseWaiting();
    void dataFileWithAnswersTheStoreLacks_data();
    void dataFileWithAnswersTheStoreLacks();
    void documentNamedLikeItsDataFileIsRefused();
    void leavingTheEditorClosesTheNote();

    void openLoadsAndNamesTheDocument();
    void hiddenTextStaysHiddenAndWhatSheTypesDoesNot();
    void openFailureIsReported();
    void openPastABoundIsRefusedAndKeepsTheDocument();
    void openLargeFileShowsProgress();
    void openPrompt_data();
    void openPrompt();

    void closing_data();
    void closing();
    void returnCancelledThenExitGoesToMainMenu();
    void exitWithoutChangesEndsAtOnce();
    void reopeningCompilesAfresh();

private:
    QTemporaryDir dir_;
    QString path(const QString& name) const { return dir_.filePath(name); }
    void answerNote(EditorFixture& f, const QString& noteAnswer, bool saveCompletes) const;
};

/// Answers the save note as a row of the prompt tables says: "ok" confirms
/// it, the save dialog then naming S.rtf or cancelled; "close" closes it.
void FilesTest::answerNote(EditorFixture& f, const QString& noteAnswer, bool saveCompletes) const {
    if (noteAnswer == u"ok") {
        f.dialogs.answerSaveFile(saveCompletes ? std::optional(path(QStringLiteral("S.rtf")))
                                               : std::nullopt);
        f.confirmNote();
    } else if (noteAnswer == u"close") {
        f.closeNote();
    }
}

void FilesTest::init() {
    QVERIFY(dir_.isValid());
    for (const QString& name :
         QDir(dir_.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot))
        QVERIFY(QFileInfo(path(name)).isDir() ? QDir(path(name)).removeRecursively()
                                              : QFile::remove(path(name)));
}

// The editing note comes first, over an empty text area; the document is
// compiled only after it was dismissed.
void FilesTest::activationShowsTheNoteBeforeCompiling() {
    EditorFixture f;
    int lengthWhileNoteShown = -1;
    f.observed.onMessage = [&](const MessageRequest& request) {
        if (request.text.startsWith(u"NOTE:  Any changes"))
            lengthWhileNoteShown = f.editor()->textArea()->document()->characterCount();
    };
    f.openEditor();
    QCOMPARE(lengthWhileNoteShown, 1);  // an empty document holds one paragraph break
    const MessageRequest note = f.dialogs.messages().value(0);
    QCOMPARE(note.title, QStringLiteral("Vellumora"));
    QCOMPARE(note.icon, MessageIcon::Warning);
    QCOMPARE(note.buttons, MessageButtons::Ok);
    QCOMPARE(note.text,
             QStringLiteral("NOTE:  Any changes made to this page can be saved to a file BUT the "
                            "answers MUST BE CHANGED IN THEIR INDIVIDUAL TEXT BOXES in order to be "
                            "reloaded correctly later.  It is suggested that you MAKE ALL CHANGES "
                            "(other than font style and color) IN THE TEXT BOXES, not here."));
    // One paragraph break per CR LF: 5,571 characters less 347 line feeds.
    QCOMPARE(f.text()->toPlainText().size(), 5571 - 347);
    QCOMPARE(f.text()->textCursor().position(), 0);
    QVERIFY(f.files().isModified());
    QVERIFY(f.editor()->isWindowModified());
    QCOMPARE(f.editor()->windowTitle(), QStringLiteral("Vellumora - Text Editor"));
}

void FilesTest::unnamedSaveGoesThroughNoteAndDialog() {
    EditorFixture f;
    f.openEditor();
    f.trigger("mnuFileSave");
    QVERIFY(f.noteShown());
    QCOMPARE(f.dialogs.count(Kind::SaveFile), 0);
    QCOMPARE(f.note()->windowTitle(), QStringLiteral("Vellumora"));
    QCOMPARE(f.files().saveFlow().state(), SaveFlow::State::WaitingForNote);

    const QString story = path(QStringLiteral("Story.rtf"));
    f.dialogs.answerSaveFile(story);
    f.confirmNote();

    QVERIFY(!f.noteShown());
    QCOMPARE(f.dialogs.count(Kind::SaveFile), 1);
    const FileRequest request = f.dialogs.requests().last().file;
    QCOMPARE(request.filters, QStringList{QStringLiteral("Rich Text Files (*.rtf)")});
    QCOMPARE(request.fileName, QString());
    QVERIFY(request.confirmOverwrite);
    QVERIFY(request.folderMustExist);
    // The activation after the note skips the editing note.
    QCOMPARE(f.dialogs.count(Kind::Message), 1);

    QVERIFY(contentsOf(story).startsWith("{\\rtf"));
    QCOMPARE(contentsOf(path(QStringLiteral("Story.dat"))).size(), 106);
    QCOMPARE(f.editor()->windowTitle(), story + QStringLiteral(" - Text Editor"));
    QVERIFY(!f.files().isModified());
    QCOMPARE(f.files().saveFlow().state(), SaveFlow::State::Idle);
    QVERIFY(f.dialogs.allAnswersUsed());
}

void FilesTest::noteClosedSavesNothing() {
    EditorFixture f;
    f.openEditor();
    f.trigger("mnuFileSaveAs");
    f.closeNote();
    EditorFixture::settle();
    QVERIFY(!f.note());
    QCOMPARE(f.screens().activeScreen(), f.editor());
    QCOMPARE(f.dialogs.count(Kind::SaveFile), 0);
    QCOMPARE(f.dialogs.count(Kind::Message), 1);  // no editing note on coming back
    QVERIFY(f.files().isModified());
    QVERIFY(QDir(dir_.path()).isEmpty());

    // Starting over shows the note again, and now its OK saves.
    saveAs(f, path(QStringLiteral("Again.rtf")));
    QVERIFY(QFile::exists(path(QStringLiteral("Again.rtf"))));
}

void FilesTest::namedSaveWritesBothFilesAtOnce() {
    EditorFixture f;
    f.openEditor();
    const QString story = path(QStringLiteral("Story.rtf"));
    saveAs(f, story);
    f.program.store().store(1, QStringLiteral("A teacher, of course"));
    f.text()->moveCursor(QTextCursor::End);
    QVERIFY(!f.editor()->isWindowModified());
    f.text()->insertPlainText(QStringLiteral("Added in the editor"));
    QVERIFY(f.files().isModified());
    QVERIFY(f.editor()->isWindowModified());

    f.trigger("mnuFileSave");
    QVERIFY(!f.noteShown());
    QCOMPARE(f.dialogs.count(Kind::SaveFile), 1);
    QVERIFY(contentsOf(story).contains("Added in the editor"));
    QVERIFY(contentsOf(path(QStringLiteral("Story.dat"))).startsWith("\"A teacher, of course\","));
    QVERIFY(!f.files().isModified());
    QVERIFY(!f.editor()->isWindowModified());
}

void FilesTest::saveAsRenames() {
    EditorFixture f;
    f.openEditor();
    const QString first = path(QStringLiteral("First.rtf"));
    const QString second = path(QStringLiteral("Second.rtf"));
    saveAs(f, first);
    saveAs(f, second);
    // The dialog proposes the name used last.
    QCOMPARE(f.dialogs.requests().last().file.fileName, first);
    QCOMPARE(f.editor()->windowTitle(), second + QStringLiteral(" - Text Editor"));
    QVERIFY(QFile::exists(path(QStringLiteral("Second.dat"))));
    QVERIFY(QFile::remove(path(QStringLiteral("Second.dat"))));
    f.trigger("mnuFileSave");
    QVERIFY(QFile::exists(path(QStringLiteral("Second.dat"))));
}

// A name typed without an extension gets ".rtf"; one with an extension keeps it.
void FilesTest::dataFileBesideTheDocument_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("document");
    QTest::addColumn<QString>("dataFile");
    QTest::newRow("rtf") << "Story.rtf"
                         << "Story.rtf"
                         << "Story.dat";
    QTest::newRow("upper case") << "STORY.RTF"
                                << "STORY.RTF"
                                << "STORY.dat";
    QTest::newRow("no extension") << "My Life Story"
                                  << "My Life Story.rtf"
                                  << "My Life Story.dat";
    QTest::newRow("text file") << "Notes.txt"
                               << "Notes.txt"
                               << "Notes.dat";
}

void FilesTest::dataFileBesideTheDocument() {
    QFETCH(QString, typed);
    QFETCH(QString, document);
    QFETCH(QString, dataFile);
    EditorFixture f;
    f.openEditor();
    saveAs(f, path(typed));
    QCOMPARE(f.dialogs.requests().constLast().file.defaultSuffix, QStringLiteral("rtf"));
    QVERIFY(contentsOf(path(document)).startsWith("{\\rtf"));
    QVERIFY(QFile::exists(path(dataFile)));
    QCOMPARE(QDir(dir_.path()).entryList(QDir::Files).size(), 2);
    QCOMPARE(f.editor()->windowTitle(), path(document) + QStringLiteral(" - Text Editor"));
}

void FilesTest::cancelledSaveDialogKeepsEverything() {
    EditorFixture f;
    f.openEditor();
    f.trigger("mnuFileSaveAs");
    f.dialogs.answerSaveFile(std::nullopt);
    f.confirmNote();
    QCOMPARE(f.dialogs.count(Kind::Message), 1);  // silent
    QVERIFY(QDir(dir_.path()).isEmpty());
    QVERIFY(f.files().isModified());
    QCOMPARE(f.editor()->windowTitle(), DocumentFiles::defaultTitle());
}

// A document or data file that cannot be written is told, naming the file;
// the save counts as not completed, and the document stays without a name
// although the dialog now proposes the name that failed.
void FilesTest::writeFailuresAreReported_data() {
    QTest::addColumn<QString>("document");
    QTest::addColumn<QString>("blocker");  // a folder made where a file should go
    QTest::addColumn<QString>("named");    // what the message must name
    QTest::addColumn<bool>("documentWritten");
    QTest::newRow("document in a missing folder")
        << "missing/Story.rtf" << QString() << "missing/Story.rtf" << false;
    QTest::newRow("folder in the document's place") << "Story.rtf"
                                                    << "Story.rtf"
                                                    << "Story.rtf" << false;
    QTest::newRow("folder in the data file's place") << "Story.rtf"
                                                     << "Story.dat"
                                                     << "Story.dat" << true;
}

void FilesTest::writeFailuresAreReported() {
    QFETCH(QString, document);
    QFETCH(QString, blocker);
    QFETCH(QString, named);
    QFETCH(bool, documentWritten);
    if (!blocker.isEmpty())
        QVERIFY(QDir(dir_.path()).mkdir(blocker));
    EditorFixture f;
    f.openEditor();
    f.dialogs.answerMessage(MessageButton::Ok);
    saveAs(f, path(document));

    QCOMPARE(f.dialogs.count(Kind::Message), 2);
    const MessageRequest report = f.dialogs.messages().last();
    QVERIFY2(report.text.contains(QDir::toNativeSeparators(path(named))), qPrintable(report.text));
    QCOMPARE(report.icon, MessageIcon::Warning);
    QVERIFY(f.files().isModified());
    QCOMPARE(f.editor()->windowTitle(), DocumentFiles::defaultTitle());
    QCOMPARE(QFileInfo(path(QStringLiteral("Story.rtf"))).isFile(), documentWritten);

    f.trigger("mnuFileSave");
    QVERIFY2(f.noteShown(), "a Save without a name goes through the note");
    QCOMPARE(f.dialogs.count(Kind::SaveFile), 1);
}

// The note is not modal: what the text holds when the note is confirmed is saved.
void FilesTest::editsMadeWhileTheNoteIsUpAreSaved() {
    EditorFixture f;
    f.openEditor();
    f.trigger("mnuFileSaveAs");
    f.text()->setPlainText(QStringLiteral("Typed while the note was up"));
    f.dialogs.answerSaveFile(path(QStringLiteral("Story.rtf")));
    f.confirmNote();
    QVERIFY(contentsOf(path(QStringLiteral("Story.rtf"))).contains("Typed while the note was up"));
    QVERIFY(!f.files().isModified());
}

// Clicking back into the editor while the note is up brings the editing
// note back for the activation after OK, and does not end a waiting close.
void FilesTest::comingBackWhileTheNoteIsUp() {
    EditorFixture f;
    f.openEditor();
    f.dialogs.answerMessage(MessageButton::Yes);
    f.trigger("mnuFileExit");
    QVERIFY(f.noteShown());
    f.screens().show(FixedScreen::TextEditor);
    QCOMPARE(f.screens().activeScreen(), f.editor());
    QVERIFY(!f.ended);
    QVERIFY(f.noteShown());
    QCOMPARE(f.dialogs.count(Kind::Message), 2);  // no editing note on this activation

    f.dialogs.answerMessage(MessageButton::Ok);
    f.dialogs.answerSaveFile(path(QStringLiteral("Story.rtf")));
    f.screens().show(FixedScreen::SaveNote);  // the user clicks on the note again
    f.confirmNote();
    const QList<ScriptedDialogs::Request>& requests = f.dialogs.requests();
    QCOMPARE(requests.size(), 4);
    QVERIFY(requests[2].message.text.startsWith(u"NOTE:  Any changes"));
    QCOMPARE(requests[3].kind, Kind::SaveFile);
    QVERIFY(f.ended);
}

// Save chosen again while a close waits for the note shows the note again;
// the close still waits for that save.
void FilesTest::saveChosenAgainKeepsTheCloseWaiting() {
    EditorFixture f;
    f.openEditor();
    f.dialogs.answerMessage(MessageButton::Yes);
    f.trigger("mnuFileExit");
    QCOMPARE(f.files().saveFlow().behind(), SaveFlow::Behind::Close);
    f.screens().show(FixedScreen::TextEditor);
    f.trigger("mnuFileSave");
    QVERIFY(f.noteShown());
    QCOMPARE(f.files().saveFlow().behind(), SaveFlow::Behind::Close);
    f.dialogs.answerSaveFile(path(QStringLiteral("Story.rtf")));
    f.confirmNote();
    QVERIFY(QFile::exists(path(QStringLiteral("Story.dat"))));
    QVERIFY(f.ended);
}

// A save over a data file asks first when the file holds answers that the
// store has unset or empty; keeping the file is the default.
void FilesTest::dataFileWithAnswersTheStoreLacks_data() {
    QTest::addColumn<QList<int>>("inFile");   // positions the existing file answers; none: no file
    QTest::addColumn<QList<int>>("inStore");  // positions the store answers
    QTest::addColumn<MessageButton>("answer");  // Ok: no question expected
    QTest::addColumn<QString>("outcome");       // "replaced", "kept" or "nothing written"
    const QList<int> none;
    QTest::newRow("no data file yet") << none << QList<int>{1} << MessageButton::Ok << "replaced";
    QTest::newRow("store holds them all")
        << QList<int>{3, 40} << QList<int>{3, 40, 81} << MessageButton::Ok << "replaced";
    QTest::newRow("lacks two, keep")
        << QList<int>{2, 40, 81} << QList<int>{2} << MessageButton::No << "kept";
    QTest::newRow("lacks two, replace")
        << QList<int>{2, 40, 81} << QList<int>{2} << MessageButton::Yes << "replaced";
    QTest::newRow("lacks two, cancel")
        << QList<int>{2, 40, 81} << QList<int>{2} << MessageButton::Cancel << "nothing written";
}

void FilesTest::dataFileWithAnswersTheStoreLacks() {
    QFETCH(QList<int>, inFile);
    QFETCH(QList<int>, inStore);
    QFETCH(MessageButton, answer);
    QFETCH(QString, outcome);
    const QString story = path(QStringLiteral("Story.rtf"));
    const QString data = path(QStringLiteral("Story.dat"));
    if (!inFile.isEmpty()) {
        AnswerStore earlier;
        for (int position : inFile)
            earlier.store(position, QStringLiteral("from an earlier run"));
        QString error;
        QVERIFY(datafile::saveDataFile(story, earlier, &error));
    }
    const QByteArray before = contentsOf(data);

    EditorFixture f;
    for (int position : inStore)
        f.program.store().store(position, QStringLiteral("typed today"));
    if (!inStore.contains(40))
        f.program.store().store(40, QString());  // empty text lacks it as unset does
    f.openEditor();
    const bool asked = answer != MessageButton::Ok;
    if (asked)
        f.dialogs.answerMessage(answer);
    saveAs(f, story);

    QCOMPARE(f.dialogs.count(Kind::Message), asked ? 2 : 1);
    if (asked) {
        const MessageRequest question = f.dialogs.messages().last();
        QVERIFY(question.text.contains(u"holds 2 answers"));
        QVERIFY(question.text.contains(QLatin1StringView(catalogue::question(40).text)));
        QVERIFY(question.text.contains(QDir::toNativeSeparators(data)));
        QCOMPARE(question.buttons, MessageButtons::YesNoCancel);
        QCOMPARE(question.defaultButton, MessageButton::No);
    }
    QCOMPARE(QFile::exists(story), outcome != u"nothing written");
    QCOMPARE(f.files().isModified(), outcome == u"nothing written");
    if (outcome == u"replaced")
        QCOMPARE(contentsOf(data), datafile::encode(f.program.store()));
    else
        QCOMPARE(contentsOf(data), before);
}

// A document named like its own data file would be replaced by the answers:
// the name is refused with a reason, and the dialog comes back.
void FilesTest::documentNamedLikeItsDataFileIsRefused() {
    EditorFixture f;
    f.openEditor();
    f.dialogs.answerSaveFile(path(QStringLiteral("Story.dat")));
    f.dialogs.answerMessage(MessageButton::Ok);
    f.dialogs.answerSaveFile(path(QStringLiteral("Story.rtf")));
    f.trigger("mnuFileSaveAs");
    f.confirmNote();
    QCOMPARE(f.dialogs.count(Kind::SaveFile), 2);
    QVERIFY(f.dialogs.messages().last().text.contains(u"would replace it"));
    QCOMPARE(f.dialogs.requests().last().file.fileName, path(QStringLiteral("Story.dat")));
    QVERIFY(contentsOf(path(QStringLiteral("Story.rtf"))).startsWith("{\\rtf"));
    QVERIFY(!f.files().isModified());

    // A data file opened as the document is not saved over itself either.
    f.dialogs.answerOpenFile(path(QStringLiteral("Story.dat")));
    f.trigger("mnuFileOpen");
    const QByteArray answers = contentsOf(path(QStringLiteral("Story.dat")));
    f.text()->insertPlainText(QStringLiteral("more"));
    f.dialogs.answerMessage(MessageButton::Ok);
    f.trigger("mnuFileSave");
    QVERIFY(f.dialogs.messages().last().text.contains(u"would replace it"));
    QCOMPARE(contentsOf(path(QStringLiteral("Story.dat"))), answers);
    QVERIFY(f.files().isModified());
    QVERIFY(f.dialogs.allAnswersUsed());
}

// Leaving the editor takes an open save note with it: its OK would save a
// document that is gone.
void FilesTest::leavingTheEditorClosesTheNote() {
    EditorFixture f;
    f.openEditor();
    f.trigger("mnuFileSaveAs");
    QVERIFY(f.noteShown());
    f.dialogs.answerMessage(MessageButton::No);
    f.trigger("mnuFileReturn");
    EditorFixture::settle();
    QVERIFY(!f.editor());
    QVERIFY(!f.note());
    QCOMPARE(f.screens().activeScreen(), f.screens().find(FixedScreen::MainMenu));
    QVERIFY(QDir(dir_.path()).isEmpty());
}

// Hidden text of a file goes back into the file on save; what she types
// right after it or into it is not hidden with it.
void FilesTest::hiddenTextStaysHiddenAndWhatSheTypesDoesNot() {
    const QString letter = path(QStringLiteral("Letter.rtf"));
    {
        QFile file(letter);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 Dear Ann,{\\v  secret} see you\\par}");
    }
    EditorFixture f;
    f.openEditor();
    f.dialogs.answerMessage(MessageButton::No);
    f.dialogs.answerOpenFile(letter);
    f.trigger("mnuFileOpen");
    QTextCursor caret = f.text()->textCursor();
    caret.setPosition(int(f.text()->toPlainText().indexOf(u" see")));
    f.text()->setTextCursor(caret);
    QTest::keyClicks(f.text(), QStringLiteral(" mine"));
    caret.setPosition(int(f.text()->toPlainText().indexOf(u"cret")));
    f.text()->setTextCursor(caret);
    QTest::keyClicks(f.text(), QStringLiteral("ME"));
    f.trigger("mnuFileSave");

    QTextDocument reread;
    QFile saved(letter);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(rtf::readDocument(saved.readAll(), reread), rtf::ReadStatus::Loaded);
    QString shown;
    for (QTextBlock block = reread.begin(); block.isValid(); block = block.next())
        for (auto run = block.begin(); !run.atEnd(); ++run)
            if (!rtf::isHiddenText(run.fragment().charFormat()))
                shown += run.fragment().text();
    QCOMPARE(shown, QStringLiteral("Dear Ann,ME mine see you"));
    QVERIFY(reread.toPlainText().startsWith(u"Dear Ann, seMEcret mine see you"));
}

void FilesTest::openLoadsAndNamesTheDocument() {
    const QString notes = path(QStringLiteral("Notes.txt"));
    {
        QFile file(notes);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Plain notes\r\nsecond line\r\n");
    }
    EditorFixture f;
    f.openEditor();
    f.dialogs.answerMessage(MessageButton::No);
    f.dialogs.answerOpenFile(notes);
    f.trigger("mnuFileOpen");

    const FileRequest request = f.dialogs.requests().last().file;
    QCOMPARE(request.filters,
             (QStringList{QStringLiteral("Rich Text Files (*.rtf)"),
                          QStringLiteral("Text Files (*.txt)"), QStringLiteral("All Files (*)")}));
    QCOMPARE(request.fileName, QString());
    QVERIFY(f.text()->toPlainText().startsWith(u"Plain notes\nsecond line"));
    QVERIFY(!f.files().isModified());
    QCOMPARE(f.files().returnRequest(), DocumentFiles::ReturnRequest::Opened);
    QCOMPARE(f.editor()->windowTitle(), notes + QStringLiteral(" - Text Editor"));

    // Save writes back to the opened file, with the answers beside it.
    f.trigger("mnuFileSave");
    QVERIFY(contentsOf(notes).startsWith("{\\rtf"));
    QVERIFY(QFile::exists(path(QStringLiteral("Notes.dat"))));

    // Cancelling the open dialog changes nothing.
    f.dialogs.answerOpenFile(std::nullopt);
    f.trigger("mnuFileOpen");
    QCOMPARE(f.editor()->windowTitle(), notes + QStringLiteral(" - Text Editor"));
    QCOMPARE(f.dialogs.count(Kind::Progress), 0);
    QVERIFY(f.dialogs.allAnswersUsed());
}

void FilesTest::openFailureIsReported() {
    EditorFixture f;
    f.openEditor();
    f.dialogs.answerMessage(MessageButton::No);
    const QString missing = path(QStringLiteral("Gone.rtf"));
    f.dialogs.answerOpenFile(missing);
    f.dialogs.answerMessage(MessageButton::Ok);
    f.trigger("mnuFileOpen");
    const MessageRequest report = f.dialogs.messages().last();
    QVERIFY(report.text.contains(QDir::toNativeSeparators(missing)));
    QVERIFY(report.text.contains(u"does not exist"));
    QCOMPARE(f.text()->toPlainText().size(), 5571 - 347);
    QVERIFY(f.files().isModified());
    QCOMPARE(f.editor()->windowTitle(), DocumentFiles::defaultTitle());
}

void FilesTest::openPastABoundIsRefusedAndKeepsTheDocument() {
    const QString lines = path(QStringLiteral("Lines.txt"));
    {
        QFile file(lines);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(rtf::kMaxParagraphs, '\n'));
    }
    EditorFixture f;
    f.openEditor();
    const QString compiled = f.text()->toPlainText();
    f.dialogs.answerMessage(MessageButton::No);
    f.dialogs.answerOpenFile(lines);
    f.dialogs.answerMessage(MessageButton::Ok);
    f.trigger("mnuFileOpen");
    QCOMPARE(f.dialogs.messages().last().text,
             QStringLiteral("The document \"%1\" could not be opened.  The file could not be "
                            "opened: it has more than 200,000 paragraphs, more than the editor "
                            "can hold.")
                 .arg(QDir::toNativeSeparators(lines)));
    QCOMPARE(f.text()->toPlainText(), compiled);
    QVERIFY(f.files().isModified());
    QCOMPARE(f.editor()->windowTitle(), DocumentFiles::defaultTitle());
    QVERIFY(f.dialogs.allAnswersUsed());
}

// A file of a few MB shows a progress window that moves up to its end; a
// small one (as in the tests above) shows none.
void FilesTest::openLargeFileShowsProgress() {
    const QString story = path(QStringLiteral("Long story.txt"));
    const QByteArray line = "We lived in a small house by the river, and every summer...\r\n";
    {
        QFile file(story);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(line.repeated(editor::kProgressShownFromBytes / line.size() + 1));
    }
    EditorFixture f;
    f.openEditor();
    f.dialogs.answerMessage(MessageButton::No);
    f.dialogs.answerOpenFile(story);
    f.trigger("mnuFileOpen");
    QCOMPARE(f.dialogs.count(Kind::Progress), 1);
    const ScriptedDialogs::Request& progress = f.dialogs.requests().last();
    QCOMPARE(progress.kind, Kind::Progress);
    QCOMPARE(progress.progress.title, QStringLiteral("Vellumora"));
    QCOMPARE(progress.progress.label, QStringLiteral("Opening \"Long story.txt\"..."));
    QCOMPARE(progress.progress.maximum, 100);
    QVERIFY(!progress.progress.canCancel);
    const QList<int>& values = f.dialogs.progressValues();
    QVERIFY(values.size() > 3);
    QVERIFY(std::is_sorted(values.begin(), values.end()));
    QCOMPARE(values.last(), 100);
    QVERIFY(f.text()->toPlainText().startsWith(u"We lived in a small house"));
    QCOMPARE(f.editor()->windowTitle(), story + QStringLiteral(" - Text Editor"));
}

// The save prompt before Open, on an unnamed document.
void FilesTest::openPrompt_data() {
    QTest::addColumn<MessageButton>("answer");
    QTest::addColumn<QString>("noteAnswer");  // "ok", "close" or "" (no note)
    QTest::addColumn<bool>("saveCompletes");
    QTest::addColumn<bool>("openDialogShown");
    QTest::newRow("no") << MessageButton::No << "" << false << true;
    QTest::newRow("cancel") << MessageButton::Cancel << "" << false << false;
    QTest::newRow("yes, note OK, saved") << MessageButton::Yes << "ok" << true << true;
    QTest::newRow("yes, note OK, dialog cancelled") << MessageButton::Yes << "ok" << false << false;
    QTest::newRow("yes, note closed") << MessageButton::Yes << "close" << false << false;
}

void FilesTest::openPrompt() {
    QFETCH(MessageButton, answer);
    QFETCH(QString, noteAnswer);
    QFETCH(bool, saveCompletes);
    QFETCH(bool, openDialogShown);
    EditorFixture f;
    f.openEditor();
    f.dialogs.answerMessage(answer);
    if (openDialogShown)
        f.dialogs.answerOpenFile(std::nullopt);
    f.trigger("mnuFileOpen");
    QCOMPARE(f.dialogs.messages().last().text, kSavePrompt);
    QCOMPARE(f.dialogs.messages().last().buttons, MessageButtons::YesNoCancel);
    QCOMPARE(f.dialogs.messages().last().defaultButton, MessageButton::Cancel);
    QCOMPARE(f.noteShown(), !noteAnswer.isEmpty());
    answerNote(f, noteAnswer, saveCompletes);
    QCOMPARE(f.dialogs.count(Kind::OpenFile), openDialogShown ? 1 : 0);
    QCOMPARE(QFile::exists(path(QStringLiteral("S.rtf"))), saveCompletes);
    QVERIFY(f.dialogs.allAnswersUsed());
}

// Exit, Return and the close box with unsaved changes.
void FilesTest::closing_data() {
    QTest::addColumn<QString>("command");  // "exit", "return" or "closebox"
    QTest::addColumn<MessageButton>("answer");
    QTest::addColumn<QString>("noteAnswer");  // "ok", "close" or ""
    QTest::addColumn<bool>("saveCompletes");
    QTest::addColumn<QString>("outcome");  // "ended", "main", "main, kept", "stays"

    QTest::newRow("exit, no") << "exit" << MessageButton::No << "" << false << "ended";
    QTest::newRow("exit, cancel") << "exit" << MessageButton::Cancel << "" << false << "stays";
    QTest::newRow("exit, yes, saved") << "exit" << MessageButton::Yes << "ok" << true << "ended";
    QTest::newRow("exit, yes, dialog cancelled")
        << "exit" << MessageButton::Yes << "ok" << false << "stays";
    QTest::newRow("exit, yes, note closed")
        << "exit" << MessageButton::Yes << "close" << false << "stays";
    QTest::newRow("close box, yes, saved")
        << "closebox" << MessageButton::Yes << "ok" << true << "ended";
    QTest::newRow("close box, cancel")
        << "closebox" << MessageButton::Cancel << "" << false << "stays";
    QTest::newRow("return, no") << "return" << MessageButton::No << "" << false << "main";
    QTest::newRow("return, cancel") << "return" << MessageButton::Cancel << "" << false << "stays";
    QTest::newRow("return, yes, saved") << "return" << MessageButton::Yes << "ok" << true << "main";
    QTest::newRow("return, yes, dialog cancelled")
        << "return" << MessageButton::Yes << "ok" << false << "main, kept";
    QTest::newRow("return, yes, note closed")
        << "return" << MessageButton::Yes << "close" << false << "main, kept";
}

void FilesTest::closing() {
    QFETCH(QString, command);
    QFETCH(MessageButton, answer);
    QFETCH(QString, noteAnswer);
    QFETCH(bool, saveCompletes);
    QFETCH(QString, outcome);
    EditorFixture f;
    TextEditor* editor = f.openEditor();
    f.dialogs.answerMessage(answer);
    if (command == u"exit")
        f.trigger("mnuFileExit");
    else if (command == u"return")
        f.trigger("mnuFileReturn");
    else
        editor->close();
    QCOMPARE(f.dialogs.messages().last().text, kSavePrompt);

    // Nothing closes or ends while the save waits for the note.
    QCOMPARE(f.noteShown(), !noteAnswer.isEmpty());
    if (!noteAnswer.isEmpty()) {
        QVERIFY(!f.ended);
        QVERIFY(editor->isVisible());
    }
    answerNote(f, noteAnswer, saveCompletes);
    EditorFixture::settle();

    QCOMPARE(QFile::exists(path(QStringLiteral("S.dat"))), saveCompletes);
    QCOMPARE(f.ended, outcome == u"ended");
    const bool atMain = outcome.startsWith(u"main");
    QCOMPARE(f.screens().find(FixedScreen::MainMenu)->isVisible(), atMain);
    QCOMPARE(f.screens().activeScreen() == f.screens().find(FixedScreen::MainMenu), atMain);
    if (outcome == u"main")
        QVERIFY(!f.editor());
    if (outcome == u"main, kept")
        QVERIFY(f.editor() && !f.editor()->isVisible());
    if (outcome == u"stays") {
        QVERIFY(f.editor() && f.editor()->isVisible());
        QVERIFY(f.files().isModified());
    }
    QVERIFY(!f.noteShown());
    QVERIFY(f.dialogs.allAnswersUsed());
}

// A Return abandoned at the prompt keeps its request: Exit then goes back to
// the main menu instead of ending the program.
void FilesTest::returnCancelledThenExitGoesToMainMenu() {
    EditorFixture f;
    f.openEditor();
    f.dialogs.answerMessage(MessageButton::Cancel);
    f.trigger("mnuFileReturn");
    QVERIFY(f.editor()->isVisible());
    f.dialogs.answerMessage(MessageButton::No);
    f.trigger("mnuFileExit");
    EditorFixture::settle();
    QVERIFY(!f.ended);
    QVERIFY(!f.editor());
    QCOMPARE(f.screens().activeScreen(), f.screens().find(FixedScreen::MainMenu));
}

void FilesTest::exitWithoutChangesEndsAtOnce() {
    EditorFixture f;
    f.openEditor();
    saveAs(f, path(QStringLiteral("Story.rtf")));
    const int messages = f.dialogs.count(Kind::Message);
    f.trigger("mnuFileExit");
    QVERIFY(f.ended);
    QCOMPARE(f.dialogs.count(Kind::Message), messages);
}

// Leaving destroys the editor; the next opening compiles the answers stored
// meanwhile and keeps only what the session holds.
void FilesTest::reopeningCompilesAfresh() {
    EditorFixture f;
    f.openEditor();
    f.program.session().searchText = QStringLiteral("kept");
    f.text()->setPlainText(QStringLiteral("edited away"));
    f.dialogs.answerMessage(MessageButton::No);
    f.trigger("mnuFileReturn");
    EditorFixture::settle();
    QVERIFY(!f.editor());

    f.program.store().store(QStringLiteral("Childhood.GrowUp"), QStringLiteral("A pilot"));
    f.openEditor();
    QCOMPARE(f.dialogs.messages().last().text.left(12), QStringLiteral("NOTE:  Any c"));
    QVERIFY(f.text()->toPlainText().contains(u"grew up?\n\nA pilot\n"));
    QCOMPARE(f.editor()->windowTitle(), DocumentFiles::defaultTitle());
    QCOMPARE(f.program.session().searchText, QStringLiteral("kept"));
}

QTEST_MAIN(FilesTest)
#include "test_files.moc"
