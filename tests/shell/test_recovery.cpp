// Recovery inside one process: which copies each way of ending leaves, the
// editor's document kept after a pause, and what the next start offers.
// The same with real processes, killed or left through Exit, and over
// strange leftovers: test_recovery_process.cpp.
#include "app/program.h"
#include "editor/documentfiles.h"
#include "editor/documenttextedit.h"
#include "editor/texteditor.h"
#include "rtf/rtffile.h"
#include "rtf/rtfwriter.h"
#include "shell/mainmenu.h"
#include "shell/remembered.h"
#include "store/datafile.h"
#include "store/recoveryfolder.h"
#include "support/scripteddialogs.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>

using namespace vellumora;
using test::ScriptedDialogs;

namespace {

QStringList runFolders(const QString& root) {
    return QDir(root).entryList({QStringLiteral("run-*")}, QDir::Dirs);
}

struct Fixture {
    QTemporaryDir home;
    RecoveryPlaces places{home.filePath(QStringLiteral("copies")),
                          home.filePath(QStringLiteral("Documents"))};
    ScriptedDialogs dialogs;
    int ends = 0;
    Program program{dialogs, [this] { ++ends; }};

    Fixture() {
        remembered::setLastDataFile({});  // the settings outlive a case
        remembered::setCopiesLeftAlone({});
        program.keepRecoveryCopiesIn(places);
        program.recovery().setDocumentDelay(std::chrono::milliseconds(50));
    }
    ScreenManager& screens() { return program.screens(); }
    Recovery& recovery() { return program.recovery(); }
    QWidget* screen(ScreenId id) { return screens().find(id); }
    template <typename T = QPushButton>
    T* control(ScreenId id, const char* name) {
        return screen(id)->findChild<T*>(QString::fromLatin1(name));
    }

    void enter() {
        program.start();
        control(FixedScreen::Splash, "cmdEnter")->click();
        QCoreApplication::processEvents();  // the recovery question, if any
    }
    /// Types into the first childhood page's first box and saves, as she would.
    void answerOnPage(const QString& text) {
        screens().show(catalogue::PageId::Childhood1);
        auto* box = control<QPlainTextEdit>(catalogue::PageId::Childhood1, "txtGrowUp");
        box->selectAll();
        QTest::keyClicks(box, text);
        QSignalSpy kept(&recovery(), &Recovery::answersKept);
        control(catalogue::PageId::Childhood1, "cmdSave")->click();
        QVERIFY(kept.wait(2000));
    }
    TextEditor* openEditor() {
        screens().show(FixedScreen::MainMenu);
        dialogs.answerMessage(MessageButton::Ok);  // the editing note
        control(FixedScreen::MainMenu, "cmdSaveFile")->click();
        return screens().findAs<TextEditor>(FixedScreen::TextEditor);
    }
    /// Save As through the note to Story.rtf in the home folder.
    void saveFromEditor(TextEditor* editor) {
        editor->findChild<QAction*>(QStringLiteral("mnuFileSaveAs"))->trigger();
        dialogs.answerSaveFile(home.filePath(QStringLiteral("Story.rtf")));
        control(FixedScreen::SaveNote, "cmdOK")->click();
    }
    QString answersCopy() const { return QDir(folder()).filePath(QStringLiteral("answers.dat")); }
    QString documentCopy() const { return QDir(folder()).filePath(QStringLiteral("document.rtf")); }
    QString folder() const { return folder_; }
    /// The run's own folder, which is gone once the program ended.
    void rememberFolder() { folder_ = program.recovery().folder(); }

private:
    QString folder_;
};

/// Leaves copies below root as a run that was killed, or left with work in
/// no file, would: the first slots answered, and a document.
void leaveCopies(const QString& root, int answered, const QString& documentText,
                 bool leftAtExit = false) {
    QString error;
    std::unique_ptr<RecoveryFolder> folder = RecoveryFolder::create(root, &error);
    QVERIFY2(folder, qPrintable(error));
    AnswerStore store;
    for (int position = 1; position <= answered; ++position)
        store.store(position, QStringLiteral("kept answer %1").arg(position));
    QVERIFY(folder->writeAnswers(store, &error));
    if (!documentText.isNull()) {
        QTextDocument document(documentText);
        QVERIFY(folder->writeDocument(rtf::writeRtf(document), &error));
    }
    if (leftAtExit)
        QVERIFY(folder->markLeftAtExit(&error));
    // Destroying it gives up the lock and leaves the copies, as a dead run does.
}

QDateTime lastWrittenBelow(const QString& root) {
    std::vector<std::unique_ptr<RecoveryFolder>> left = RecoveryFolder::claimLeftBehind(root);
    return left.empty() ? QDateTime() : left.back()->lastWritten();
}

}  // namespace

class RecoveryTest : public QObject {
    Q_OBJECT

private slots:
    void copiesFollowTheAnswersAndTheDocument();
    void endings_data();
    void endings();
    void keptWorkIsOfferedOnce_data();
    void keptWorkIsOfferedOnce();
    void aDocumentThatCannotBeSavedStaysKept();
    void aCopyTheProgramWroteIsOffered();
    void goesOnWithTheLastDataFile_data();
    void goesOnWithTheLastDataFile();
};

// A page's Save copies the answers at once; the document is copied only once
// she has changed it and paused, and at once when she leaves the editor.
void RecoveryTest::copiesFollowTheAnswersAndTheDocument() {
    Fixture f;
    f.enter();
    QVERIFY(runFolders(f.places.copies).isEmpty());  // nothing changed, nothing kept
    f.answerOnPage(QStringLiteral("By the river"));
    f.rememberFolder();
    AnswerStore copy;
    QCOMPARE(datafile::readFile(f.answersCopy(), copy), datafile::ReadResult::Complete);
    QCOMPARE(copy.answer(QStringLiteral("Childhood.GrowUp")), QStringLiteral("By the river"));

    TextEditor* editor = f.openEditor();
    QTest::qWait(200);
    QVERIFY2(!QFile::exists(f.documentCopy()), "the compiled document is not her change");

    QSignalSpy documentKept(&f.recovery(), &Recovery::documentKept);
    QTest::keyClicks(editor->textArea(), QStringLiteral("Dear family, "));
    QVERIFY(documentKept.wait(2000));
    QTextDocument read;
    QVERIFY(rtf::loadDocumentFile(f.documentCopy(), read, nullptr));
    QVERIFY(read.toPlainText().startsWith(QStringLiteral("Dear family, ")));

    f.recovery().setDocumentDelay(std::chrono::hours(1));
    QTest::keyClicks(editor->textArea(), QStringLiteral("hello"));
    f.dialogs.answerMessage(MessageButton::No);  // do not save the document
    editor->findChild<QAction*>(QStringLiteral("mnuFileReturn"))->trigger();
    QVERIFY(documentKept.wait(2000));
    QVERIFY(rtf::loadDocumentFile(f.documentCopy(), read, nullptr));
    QVERIFY(read.toPlainText().startsWith(QStringLiteral("Dear family, hello")));
}

void RecoveryTest::endings_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("answersKept");
    QTest::addColumn<bool>("documentKept");
    // An exit keeps what is in no file: the answers, and the document that
    // the editor, still open behind the main menu, holds unsaved.
    QTest::newRow("main menu Exit, Yes") << "exit" << true << true;
    QTest::newRow("close box, Yes") << "close box" << true << true;
    QTest::newRow("main menu Exit after a save") << "save, exit" << false << false;
    // The editor asks about its document only: the answers survive ...
    QTest::newRow("editor Exit, answers in no file") << "editor exit" << true << false;
    // ... unless they went to a data file since their last change.
    QTest::newRow("editor Exit after a save") << "save, editor exit" << false << false;
    QTest::newRow("editor Exit, answers changed after a save")
        << "save, answer, editor exit" << true << false;
}

void RecoveryTest::endings() {
    QFETCH(QString, how);
    QFETCH(bool, answersKept);
    QFETCH(bool, documentKept);
    Fixture f;
    f.enter();
    f.answerOnPage(QStringLiteral("By the river"));
    f.rememberFolder();

    TextEditor* editor = f.openEditor();
    QSignalSpy documentCopied(&f.recovery(), &Recovery::documentKept);
    QTest::keyClicks(editor->textArea(), QStringLiteral("Dear family, "));
    QVERIFY(documentCopied.wait(2000));
    if (how.startsWith(QStringLiteral("save"))) {
        f.saveFromEditor(editor);
        QVERIFY(!editor->files().isModified());
    }
    if (how.contains(QStringLiteral("answer, "))) {
        editor->findChild<QAction*>(QStringLiteral("mnuFileReturn"))->trigger();
        f.answerOnPage(QStringLiteral("By the sea"));
        editor = f.openEditor();
    }

    if (how.endsWith(QStringLiteral("editor exit"))) {
        if (editor->files().isModified())
            f.dialogs.answerMessage(MessageButton::No);
        editor->findChild<QAction*>(QStringLiteral("mnuFileExit"))->trigger();
    } else {
        f.dialogs.answerMessage(MessageButton::Yes);
        if (how.endsWith(u"exit")) {
            f.control(FixedScreen::MainMenu, "cmdExit")->click();
        } else {
            QCloseEvent close;
            QCoreApplication::sendEvent(f.screen(FixedScreen::MainMenu), &close);
        }
    }
    QCOMPARE(f.ends, 1);
    QVERIFY(f.dialogs.allAnswersUsed());
    QCOMPARE(QFile::exists(f.answersCopy()), answersKept);
    QCOMPARE(QFile::exists(f.documentCopy()), documentKept);
    if (answersKept) {
        AnswerStore copy;
        QCOMPARE(datafile::readFile(f.answersCopy(), copy), datafile::ReadResult::Complete);
        QCOMPARE(copy.answer(QStringLiteral("Childhood.GrowUp")), f.program.store().answer(1));
    }
    if (answersKept || documentKept)
        QVERIFY(QFile::exists(QDir(f.folder()).filePath(QStringLiteral("left-at-exit"))));
    else
        QVERIFY(runFolders(f.places.copies).isEmpty());
}

void RecoveryTest::keptWorkIsOfferedOnce_data() {
    QTest::addColumn<int>("answered");
    QTest::addColumn<QString>("documentText");
    QTest::addColumn<bool>("leftAtExit");
    QTest::addColumn<MessageButton>("answer");
    QTest::addColumn<MessageButton>("open");  ///< to opening the document brought back
    QTest::addColumn<QString>("asked");
    const QString crash = QStringLiteral(
        "Vellumora was not closed properly last time, but it kept %1, as they were on %2.  Do "
        "you want them back?  If you answer No, they will be deleted.");
    const QString exit = QStringLiteral(
        "You left Vellumora last time without saving %1 to a file, so it kept them for you, as "
        "they were on %2.  Do you want them back?  If you answer No, they will be deleted.");
    const QString both = QStringLiteral("10 answers and the document you were editing");
    QTest::newRow("both, Yes") << 10 << "Dear family" << false << MessageButton::Yes
                               << MessageButton::No << crash.arg(both, "%1");
    QTest::newRow("both, No") << 10 << "Dear family" << false << MessageButton::No
                              << MessageButton::No << crash.arg(both, "%1");
    QTest::newRow("one answer") << 1 << QString() << false << MessageButton::Yes
                                << MessageButton::No << crash.arg("1 answer", "%1");
    QTest::newRow("left at an exit, opened in the editor")
        << 0 << "Dear family" << true << MessageButton::Yes << MessageButton::Yes
        << exit.arg("the document you were editing", "%1");
}

void RecoveryTest::keptWorkIsOfferedOnce() {
    QFETCH(int, answered);
    QFETCH(QString, documentText);
    QFETCH(bool, leftAtExit);
    QFETCH(MessageButton, answer);
    QFETCH(MessageButton, open);
    QFETCH(QString, asked);
    Fixture f;
    leaveCopies(f.places.copies, answered, documentText, leftAtExit);
    const QDateTime keptAt = lastWrittenBelow(f.places.copies);
    const QString leftFolder = f.places.copies + u'/' + runFolders(f.places.copies).value(0);
    QVERIFY(keptAt.isValid());

    const bool restored = answer == MessageButton::Yes;
    const bool opened = restored && open == MessageButton::Yes;
    f.dialogs.answerMessage(answer);
    if (restored)
        f.dialogs.answerMessage(documentText.isNull() ? MessageButton::Ok : open);
    if (opened)
        f.dialogs.answerMessage(MessageButton::Ok);  // the editing note
    f.enter();
    QVERIFY(f.dialogs.allAnswersUsed());
    const MessageRequest question = f.dialogs.messages().value(0);
    const QLocale locale;
    QCOMPARE(question.text,
             asked.arg(QStringLiteral("%1 at %2")
                           .arg(locale.toString(keptAt.date(), QLocale::LongFormat),
                                locale.toString(keptAt.time(), QLocale::ShortFormat))));
    QCOMPARE(question.title, QStringLiteral("Vellumora"));
    QCOMPARE(question.icon, MessageIcon::Question);
    QCOMPARE(question.buttons, MessageButtons::YesNo);
    QCOMPARE(question.defaultButton, MessageButton::Yes);
    QVERIFY2(!QFileInfo::exists(leftFolder), "what was offered is gone either way");

    const AnswerStore& store = f.program.store();
    for (int position = 1; position <= 11; ++position)
        QCOMPARE(store.isAnswered(position), restored && position <= answered);
    // Ten answers complete the first chapter: its mark shows without leaving the menu.
    QCOMPARE(f.program.screens()
                 .findAs<MainMenu>(FixedScreen::MainMenu)
                 ->markOf(catalogue::ChapterId::Childhood)
                 ->isMarked(),
             restored && answered == 10);

    const QStringList saved = QDir(f.places.documents).entryList(QDir::Files);
    QCOMPARE(saved.size(), restored && !documentText.isNull() ? 1 : 0);
    if (!saved.isEmpty()) {
        const QString path = QDir(f.places.documents).filePath(saved.first());
        QCOMPARE(saved.first(), QStringLiteral("Vellumora story %1.rtf")
                                    .arg(keptAt.toString(QStringLiteral("yyyy-MM-dd HH.mm"))));
        const MessageRequest told = f.dialogs.messages().value(1);
        QVERIFY2(told.text.contains(QStringLiteral("is saved as \"%1\".  Do you want to open it "
                                                   "in the editor now?")
                                        .arg(QDir::toNativeSeparators(path))),
                 qPrintable(told.text));
        QCOMPARE(told.defaultButton, MessageButton::Yes);
        QTextDocument document;
        QVERIFY(rtf::loadDocumentFile(path, document, nullptr));
        QCOMPARE(document.toPlainText(), documentText);
        auto* editor = f.screens().findAs<TextEditor>(FixedScreen::TextEditor);
        QCOMPARE(editor && editor->isVisible(), opened);
        if (opened) {
            QCOMPARE(editor->textArea()->toPlainText(), documentText);
            QCOMPARE(editor->files().currentFileName(), path);
            QVERIFY(!editor->files().isModified());
        }
    }

    // Asked once: the main menu's next showing asks nothing. (The editor,
    // opened, shows its note whenever the window system activates it.)
    if (opened)
        return;
    const qsizetype messages = f.dialogs.messages().size();
    f.screens().show(catalogue::ChapterId::Childhood);
    f.screens().show(FixedScreen::MainMenu);
    QCoreApplication::processEvents();
    QCOMPARE(f.dialogs.messages().size(), messages);
}

// A document that cannot be saved for her stays in the copies for next time;
// the answers, restored, are not offered again.
void RecoveryTest::aDocumentThatCannotBeSavedStaysKept() {
    Fixture f;
    QFile blocker(f.places.documents);  // a file where the folder should be
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    leaveCopies(f.places.copies, 3, QStringLiteral("Dear family"));
    f.dialogs.answerMessage(MessageButton::Yes);
    f.dialogs.answerMessage(MessageButton::Ok);
    f.enter();
    const MessageRequest told = f.dialogs.messages().value(1);
    QCOMPARE(told.icon, MessageIcon::Warning);
    QVERIFY2(told.text.contains(QStringLiteral("could not be saved")), qPrintable(told.text));
    QVERIFY(f.program.store().isAnswered(3));

    std::vector<std::unique_ptr<RecoveryFolder>> left =
        RecoveryFolder::claimLeftBehind(f.places.copies);
    QCOMPARE(left.size(), std::size_t(1));
    QVERIFY(left.front()->hasDocument());
    QVERIFY(!left.front()->hasAnswers());
}

// Whatever answers the program copies, it can read back and offer: the
// copy's bound is the reader's, far above a data file's.
void RecoveryTest::aCopyTheProgramWroteIsOffered() {
    QTemporaryDir home;
    const RecoveryPlaces places{home.filePath(QStringLiteral("copies")),
                                home.filePath(QStringLiteral("Documents"))};
    const QString answer(830 * 1024, u'x');
    {
        ScriptedDialogs dialogs;
        Program killed(dialogs);
        killed.keepRecoveryCopiesIn(places);
        QSignalSpy kept(&killed.recovery(), &Recovery::answersKept);
        for (int position = 1; position <= catalogue::kQuestionCount; ++position)
            killed.store().store(position, answer);
        QVERIFY(kept.wait(20000));
        // Gone without an end, as a killed run is.
    }
    QVERIFY(
        QFileInfo(QDir(places.copies).filePath(runFolders(places.copies).value(0) + "/answers.dat"))
            .size() > datafile::kMaxFileBytes);
    Fixture f;
    f.program.keepRecoveryCopiesIn(places);
    f.dialogs.answerMessage(MessageButton::Yes);
    f.dialogs.answerMessage(MessageButton::Ok);
    f.enter();
    QVERIFY2(f.dialogs.messages().value(0).text.contains(QStringLiteral("kept 81 answers,")),
             qPrintable(f.dialogs.messages().value(0).text.left(200)));
    QCOMPARE(f.program.store().answer(81), answer);
}

void RecoveryTest::goesOnWithTheLastDataFile_data() {
    QTest::addColumn<QString>("situation");
    QTest::addColumn<bool>("asked");
    QTest::newRow("the file is there") << "there" << true;
    QTest::newRow("the file is gone") << "gone" << false;
    QTest::newRow("it is no data file any more") << "not data" << false;
    // Work in no file comes first; one question a start.
    QTest::newRow("unsaved answers wait as well") << "unsaved" << false;
}

void RecoveryTest::goesOnWithTheLastDataFile() {
    QFETCH(QString, situation);
    QFETCH(bool, asked);
    Fixture f;
    AnswerStore story;
    for (int position = 1; position <= 10; ++position)
        story.store(position, QStringLiteral("told %1").arg(position));
    QString error;
    QVERIFY(datafile::saveDataFile(f.home.filePath(QStringLiteral("Story.rtf")), story, &error));
    const QString dataFile = f.home.filePath(QStringLiteral("Story.dat"));
    f.recovery().answersSavedToFile(dataFile);
    if (situation == u"gone")
        QVERIFY(QFile::remove(dataFile));
    if (situation == u"not data")
        QVERIFY(QFile::resize(dataFile, 20));
    if (situation == u"unsaved")
        leaveCopies(f.places.copies, 1, QString());

    if (asked)
        f.dialogs.answerMessage(MessageButton::Yes);
    if (situation == u"unsaved")
        f.dialogs.answerMessage(MessageButton::No);
    f.enter();
    QVERIFY(f.dialogs.allAnswersUsed());
    if (situation == u"unsaved")
        QVERIFY(!f.dialogs.messages().value(0).text.startsWith(QStringLiteral("Welcome")));
    if (!asked)
        return;
    const MessageRequest question = f.dialogs.messages().value(0);
    QCOMPARE(question.text,
             QStringLiteral("Welcome back!  Do you want to go on with your story saved as "
                            "\"Story\" on %1?")
                 .arg(QLocale().toString(QFileInfo(dataFile).lastModified().date(),
                                         QLocale::LongFormat)));
    QCOMPARE(question.icon, MessageIcon::Question);
    QCOMPARE(question.buttons, MessageButtons::YesNo);
    QCOMPARE(question.defaultButton, MessageButton::Yes);
    // Loaded as Load Previously Saved Data loads it; the ticks show at once.
    for (int position = 1; position <= catalogue::kQuestionCount; ++position)
        QCOMPARE(f.program.store().state(position), story.state(position));
    QVERIFY(f.program.screens()
                .findAs<MainMenu>(FixedScreen::MainMenu)
                ->markOf(catalogue::ChapterId::Childhood)
                ->isMarked());

    // The load dialog opens where the file is.
    f.dialogs.answerMessage(MessageButton::Yes);
    f.dialogs.answerOpenFile(std::nullopt);
    f.control(FixedScreen::MainMenu, "cmdLoad")->click();
    QCOMPARE(f.dialogs.requests().last().file.fileName, dataFile);
}

QTEST_MAIN(RecoveryTest)
#include "test_recovery.moc"
