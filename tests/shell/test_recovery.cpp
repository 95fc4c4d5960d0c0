// Recovery inside one process: which copies each way of ending leaves, the
// editor's document kept after a pause, and the question of the next run.
// The same with real processes killed by SIGKILL: test_recovery_process.cpp.
#include "app/program.h"
#include "editor/documentfiles.h"
#include "editor/documenttextedit.h"
#include "editor/texteditor.h"
#include "rtf/rtffile.h"
#include "rtf/rtfwriter.h"
#include "shell/mainmenu.h"
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

/// Leaves copies below root as a run that was killed would: answers with the
/// first childhood chapter answered, and a document.
void leaveCopies(const QString& root, int answered, const QString& documentText) {
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
    // Destroying it gives up the lock and leaves the copies, as a dead run does.
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
    // An exit she confirmed was told that unsaved work is lost.
    QTest::newRow("main menu Exit, Yes") << "exit" << false;
    QTest::newRow("close box, Yes") << "close box" << false;
    // The editor asks about its document only: the answers survive ...
    QTest::newRow("editor Exit, answers in no file") << "editor exit" << true;
    // ... unless they went to a data file since their last change.
    QTest::newRow("editor Exit after a save") << "save, editor exit" << false;
    QTest::newRow("editor Exit, answers changed after a save")
        << "save, answer, editor exit" << true;
}

void RecoveryTest::endings() {
    QFETCH(QString, how);
    QFETCH(bool, answersKept);
    Fixture f;
    f.enter();
    f.answerOnPage(QStringLiteral("By the river"));
    f.rememberFolder();

    TextEditor* editor = f.openEditor();
    QSignalSpy documentKept(&f.recovery(), &Recovery::documentKept);
    QTest::keyClicks(editor->textArea(), QStringLiteral("Dear family, "));
    QVERIFY(documentKept.wait(2000));
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
        if (how == u"exit") {
            f.control(FixedScreen::MainMenu, "cmdExit")->click();
        } else {
            QCloseEvent close;
            QCoreApplication::sendEvent(f.screen(FixedScreen::MainMenu), &close);
        }
    }
    QCOMPARE(f.ends, 1);
    QVERIFY(f.dialogs.allAnswersUsed());
    QVERIFY2(!QFile::exists(f.documentCopy()), "every ending here was told about the document");
    QCOMPARE(QFile::exists(f.answersCopy()), answersKept);
    if (answersKept) {
        AnswerStore copy;
        QCOMPARE(datafile::readFile(f.answersCopy(), copy), datafile::ReadResult::Complete);
        QCOMPARE(copy.answer(QStringLiteral("Childhood.GrowUp")), f.program.store().answer(1));
    } else {
        QVERIFY(runFolders(f.places.copies).isEmpty());
    }
}

void RecoveryTest::keptWorkIsOfferedOnce_data() {
    QTest::addColumn<int>("answered");
    QTest::addColumn<QString>("documentText");
    QTest::addColumn<MessageButton>("answer");
    QTest::addColumn<QString>("kept");
    QTest::newRow("both, Yes") << 10 << "Dear family" << MessageButton::Yes
                               << "10 answers and the document you were editing";
    QTest::newRow("both, No") << 10 << "Dear family" << MessageButton::No
                              << "10 answers and the document you were editing";
    QTest::newRow("one answer") << 1 << QString() << MessageButton::Yes << "1 answer";
    QTest::newRow("document only")
        << 0 << "Dear family" << MessageButton::Yes << "the document you were editing";
}

void RecoveryTest::keptWorkIsOfferedOnce() {
    QFETCH(int, answered);
    QFETCH(QString, documentText);
    QFETCH(MessageButton, answer);
    QFETCH(QString, kept);
    Fixture f;
    leaveCopies(f.places.copies, answered, documentText);
    QDateTime keptAt;
    QString leftFolder;
    if (std::unique_ptr<RecoveryFolder> left = RecoveryFolder::claimLeftBehind(f.places.copies)) {
        keptAt = left->lastWritten();
        leftFolder = left->path();
    }
    QVERIFY(!leftFolder.isEmpty());

    f.dialogs.answerMessage(answer);
    if (answer == MessageButton::Yes)
        f.dialogs.answerMessage(MessageButton::Ok);
    f.enter();
    QVERIFY(f.dialogs.allAnswersUsed());
    const MessageRequest asked = f.dialogs.messages().value(0);
    const QLocale locale;
    QCOMPARE(asked.text, QStringLiteral("Vellumora was not closed properly last time, but it "
                                        "kept %1, as they were on %2 at %3.  Do you want them "
                                        "back?  If you answer No, they will be deleted.")
                             .arg(kept, locale.toString(keptAt.date(), QLocale::LongFormat),
                                  locale.toString(keptAt.time(), QLocale::ShortFormat)));
    QCOMPARE(asked.title, QStringLiteral("Vellumora"));
    QCOMPARE(asked.icon, MessageIcon::Question);
    QCOMPARE(asked.buttons, MessageButtons::YesNo);
    QCOMPARE(asked.defaultButton, MessageButton::Yes);
    QVERIFY2(!QFileInfo::exists(leftFolder), "what was offered is gone either way");

    const bool restored = answer == MessageButton::Yes;
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
        QVERIFY2(f.dialogs.messages().last().text.contains(QDir::toNativeSeparators(path)),
                 "the message names the file");
        QTextDocument document;
        QVERIFY(rtf::loadDocumentFile(path, document, nullptr));
        QCOMPARE(document.toPlainText(), documentText);
    }

    // Asked once: the main menu's next showing asks nothing.
    f.screens().show(catalogue::ChapterId::Childhood);
    f.screens().show(FixedScreen::MainMenu);
    QCoreApplication::processEvents();
    QCOMPARE(f.dialogs.messages().size(), restored ? 2 : 1);
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

    std::unique_ptr<RecoveryFolder> left = RecoveryFolder::claimLeftBehind(f.places.copies);
    QVERIFY(left);
    QVERIFY(left->hasDocument());
    QVERIFY(!left->hasAnswers());
}

QTEST_MAIN(RecoveryTest)
#include "test_recovery.moc"
