#include "book/bookcommands.h"
#include "editor/editorfixture.h"
#include "files/userplaces.h"
#include "filesizelimit.h"
#include "store/answerstore.h"
#include "store/catalogue.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextCursor>

using namespace vellumora;
using namespace vellumora::test;
using Kind = ScriptedDialogs::Kind;

namespace {

const BookChoice kGrandmasBook{QStringLiteral("Grandma’s Story"), QStringLiteral("Ruth Ames"), true,
                               true};

/// Answers of several lines, accented letters, and one paragraph that runs
/// over more than a page.
void fillAnswers(AnswerStore& store) {
    for (int position = 1; position <= catalogue::kQuestionCount; ++position)
        store.store(
            position,
            QStringLiteral("Zoë’s café, answer %1.\r\nIt went on a second line.").arg(position));
    QString longParagraph;
    for (int sentence = 1; longParagraph.size() < 9000; ++sentence)
        longParagraph += QStringLiteral("In %1 we drove north. ").arg(1900 + sentence);
    store.store(2, longParagraph);
}

/// The output of one of poppler's tools on a file.
QString poppler(const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

/// Each page's text as pdftotext reads it.
QStringList pagesOf(const QString& pdf) {
    QStringList pages =
        poppler(QStringLiteral("pdftotext"),
                {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")})
            .split(u'\f');
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

QStringList wordsOf(const QString& text) {
    static const QRegularExpression space(QStringLiteral("\\s+"));
    return text.split(space, Qt::SkipEmptyParts);
}

QString readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

/// A file standing where the book is to be saved, which must survive.
bool writeOlderBook(const QString& path) {
    QFile old(path);
    return old.open(QIODevice::WriteOnly) && old.write("older book") == 10;
}

/// Saves the book as PDF at path; a message it gives must be scripted.
void savePdf(EditorFixture& f, const QString& path) {
    f.dialogs.answerBook(kGrandmasBook);
    f.dialogs.answerSaveFile(path);
    f.trigger("mnuBookPdf");
}

}  // namespace

class BookTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void pdfHoldsTheWholeStoryAsABook();
    void previewShowsWhatPrints();
    void bookDialogRemembersAndCancelEndsQuietly();
    void cancelledPdfLeavesNoFile_data();
    void cancelledPdfLeavesNoFile();
    void failuresNameTheFileAndTheReason();
    void aPdfCutShortKeepsTheOlderFile();
    void pdfNames();
};

void BookTest::initTestCase() {
    QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty(),
             "pdftotext is missing: tools/dev.sh install puts it on the machine (poppler-utils)");
    QStandardPaths::setTestModeEnabled(true);
}

void BookTest::init() {
    files::Settings().clear();
}

// The book of a compiled document with answers, edited in the editor: a title
// page, a contents page whose numbers are where the chapters begin, every
// later page numbered at its foot, and between them the editor's text, word
// for word and in order.
void BookTest::pdfHoldsTheWholeStoryAsABook() {
    QTemporaryDir dir;
    EditorFixture f;
    fillAnswers(f.program.store());
    f.openEditor();
    f.dialogs.clear();
    QTextCursor edit(f.text()->document());
    edit.movePosition(QTextCursor::End);
    edit.insertText(QStringLiteral("Edited here."));

    f.dialogs.answerBook(kGrandmasBook);
    f.dialogs.answerSaveFile(dir.filePath(QStringLiteral("story")));
    f.trigger("mnuBookPdf");
    const QString pdf = dir.filePath(QStringLiteral("story.pdf"));
    QVERIFY(QFile::exists(pdf));
    QVERIFY(f.dialogs.messages().isEmpty());
    QCOMPARE(f.dialogs.requests().constFirst().kind, Kind::Book);

    const QString info = poppler(QStringLiteral("pdfinfo"), {pdf});
    QVERIFY2(info.contains(QRegularExpression(QStringLiteral("^Title: +Grandma’s Story$"),
                                              QRegularExpression::MultilineOption)),
             qPrintable(info));
    const QStringList fonts =
        poppler(QStringLiteral("pdffonts"), {pdf}).split(u'\n', Qt::SkipEmptyParts);
    QVERIFY(fonts.size() > 2);
    const qsizetype embedded = fonts[0].indexOf(QStringLiteral("emb"));
    for (const QString& font : fonts.mid(2))
        QVERIFY2(font.mid(embedded, 3) == u"yes", qPrintable(font));

    const QStringList pages = pagesOf(pdf);
    QVERIFY(pages.size() > qsizetype(catalogue::chapters().size()) + 2);
    QCOMPARE(wordsOf(pages[0]), wordsOf(kGrandmasBook.title + u' ' + kGrandmasBook.author));
    QStringList story;
    for (int page = 1; page < pages.size(); ++page) {
        QStringList words = wordsOf(pages[page]);
        QCOMPARE(words.takeLast(), QString::number(page + 1));
        if (page > 1)
            story += words;
    }
    QCOMPARE(story, wordsOf(f.text()->toPlainText()));

    // Contents: "Contents", then per chapter its name, a row of dots, its page.
    QStringList contents = wordsOf(pages[1]);
    QCOMPARE(contents.takeFirst(), QStringLiteral("Contents"));
    contents.removeLast();  // the page number
    contents.removeAll(QStringLiteral("."));
    int previous = 2;
    for (const catalogue::Chapter& chapter : catalogue::chapters()) {
        const QStringList heading = wordsOf(QLatin1StringView(chapter.heading));
        QCOMPARE(contents.mid(0, heading.size()).join(u' ') + u':', heading.join(u' '));
        contents.remove(0, heading.size());
        const int page = contents.takeFirst().toInt();
        QVERIFY(page > previous);
        QCOMPARE(wordsOf(pages[page - 1]).mid(0, heading.size()), heading);
        QVERIFY(!pages[page - 2].contains(QLatin1StringView(chapter.heading)));
        previous = page;
    }
    QVERIFY(contents.isEmpty());
}

// The preview paints the very book that printing sends, on many pages where
// File > Print gives one.
void BookTest::previewShowsWhatPrints() {
    QTemporaryDir dir;
    const QString printed = dir.filePath(QStringLiteral("printed.pdf"));
    const QString previewed = dir.filePath(QStringLiteral("previewed.pdf"));
    EditorFixture f;
    fillAnswers(f.program.store());
    f.openEditor();
    f.dialogs.clear();
    f.dialogs.answerBook(kGrandmasBook);
    f.dialogs.answerPrint(true, printed);
    f.trigger("mnuBookPrint");
    f.dialogs.answerBook(kGrandmasBook);
    f.dialogs.answerPreview(previewed);
    f.trigger("mnuBookPreview");

    const QStringList pages = pagesOf(printed);
    QVERIFY(pages.size() > 14);
    QCOMPARE(pagesOf(previewed), pages);
    QCOMPARE(f.dialogs.count(Kind::Progress), 2);
    QVERIFY(f.dialogs.messages().isEmpty());
    QVERIFY(f.dialogs.allAnswersUsed());
}

// Cancel asks nothing more; answers given are offered again next time, even
// when the command went no further.
void BookTest::bookDialogRemembersAndCancelEndsQuietly() {
    EditorFixture f;
    f.openEditor();
    f.dialogs.clear();
    f.dialogs.answerBook(std::nullopt);
    f.trigger("mnuBookPdf");
    QCOMPARE(f.dialogs.requests().size(), 1);
    const BookChoice first = f.dialogs.requests().constFirst().book;
    QVERIFY(first.titlePage && first.contentsPage && first.author.isEmpty());

    const BookChoice changed{QStringLiteral("Our Ruth"), QStringLiteral("Ruth"), false, true};
    f.dialogs.answerBook(changed);
    f.dialogs.answerPrint(false);
    f.trigger("mnuBookPrint");
    f.dialogs.answerBook(std::nullopt);
    f.trigger("mnuBookPreview");
    const BookChoice offered = f.dialogs.requests().constLast().book;
    QCOMPARE(offered.title, changed.title);
    QCOMPARE(offered.author, changed.author);
    QCOMPARE(offered.titlePage, changed.titlePage);
    QCOMPARE(offered.contentsPage, changed.contentsPage);
    QCOMPARE(f.dialogs.count(Kind::Progress), 0);
    QVERIFY(f.dialogs.allAnswersUsed());
}

void BookTest::cancelledPdfLeavesNoFile_data() {
    QTest::addColumn<int>("cancelAt");
    QTest::newRow("while laying out") << 250;
    QTest::newRow("while painting pages") << 750;
}

// A cancelled PDF leaves the older file of that name as it was, and no
// temporary file beside it.
void BookTest::cancelledPdfLeavesNoFile() {
    QFETCH(int, cancelAt);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("story.pdf"));
    QVERIFY(writeOlderBook(pdf));
    EditorFixture f;
    fillAnswers(f.program.store());
    f.openEditor();
    f.dialogs.clear();
    f.dialogs.answerBook(kGrandmasBook);
    f.dialogs.answerSaveFile(pdf);
    f.dialogs.cancelProgressAt(cancelAt);
    f.trigger("mnuBookPdf");
    QVERIFY(f.dialogs.progressReached() >= cancelAt);
    QVERIFY(f.dialogs.progressReached() < cancelAt + 100);
    QCOMPARE(readAll(pdf), QStringLiteral("older book"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("story.pdf")});
    QVERIFY(f.dialogs.messages().isEmpty());
}

void BookTest::failuresNameTheFileAndTheReason() {
    QTemporaryDir dir;
    const QString missingFolder = dir.filePath(QStringLiteral("gone/story.pdf"));
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("taken.pdf")));
    EditorFixture f;
    f.openEditor();
    f.dialogs.clear();
    f.dialogs.answerMessage(MessageButton::Ok);
    savePdf(f, missingFolder);
    f.dialogs.answerMessage(MessageButton::Ok);
    savePdf(f, dir.filePath(QStringLiteral("taken.pdf")));
    f.dialogs.answerBook(kGrandmasBook);
    f.dialogs.answerPrint(true, missingFolder);
    f.dialogs.answerMessage(MessageButton::Ok);
    f.trigger("mnuBookPrint");

    const QList<MessageRequest> told = f.dialogs.messages();
    QCOMPARE(told.size(), 3);
    QCOMPARE(told[0].text, QStringLiteral("Your story could not be saved as \"%1\".  The file "
                                          "could not be written: the folder does not exist.")
                               .arg(QDir::toNativeSeparators(missingFolder)));
    QVERIFY2(told[1].text.contains(QStringLiteral("taken.pdf\".  The file could not be written: "
                                                  "a folder of that name is in the way.")),
             qPrintable(told[1].text));
    QCOMPARE(told[2].text, QStringLiteral("Your story could not be printed to the file \"%1\": "
                                          "the file could not be written.")
                               .arg(QDir::toNativeSeparators(missingFolder)));
    for (const MessageRequest& message : told)
        QCOMPARE(message.icon, MessageIcon::Warning);
    QVERIFY(f.dialogs.allAnswersUsed());
}

// A disk that fills as the book's last bytes are written, the last write
// falling short without an error of its own, keeps the older file byte for
// byte and says why.
void BookTest::aPdfCutShortKeepsTheOlderFile() {
    QTemporaryDir dir;
    EditorFixture f;
    f.openEditor();
    f.dialogs.clear();
    const QString whole = dir.filePath(QStringLiteral("whole.pdf"));
    savePdf(f, whole);
    const qint64 size = QFileInfo(whole).size();
    QVERIFY(size > 1000);
    const QString pdf = dir.filePath(QStringLiteral("story.pdf"));
    QVERIFY(writeOlderBook(pdf));
    {
        const FileSizeLimit limit(rlim_t(size - 1));
        f.dialogs.answerMessage(MessageButton::Ok);
        savePdf(f, pdf);
    }
    QCOMPARE(readAll(pdf), QStringLiteral("older book"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files),
             (QStringList{QStringLiteral("story.pdf"), QStringLiteral("whole.pdf")}));
    QCOMPARE(f.dialogs.messages().size(), 1);
    QCOMPARE(f.dialogs.messages().constFirst().text,
             QStringLiteral("Your story could not be saved as \"%1\".  The file could not be "
                            "written: the file is too large for the disk.")
                 .arg(QDir::toNativeSeparators(pdf)));
    QVERIFY(f.dialogs.allAnswersUsed());
}

// The proposed name follows the document; ".pdf" is added to any name that
// does not end so, and a file that the added suffix would replace is asked about.
void BookTest::pdfNames() {
    QCOMPARE(book::BookCommands::proposedPdfName(QStringLiteral("/home/ruth/Our Life.rtf"), {}),
             QStringLiteral("/home/ruth/Our Life.pdf"));
    QVERIFY(book::BookCommands::proposedPdfName({}, QStringLiteral("Ruth: a/b"))
                .endsWith(QStringLiteral("/Ruth a b.pdf")));
    QCOMPARE(book::BookCommands::withPdfSuffix(QStringLiteral("/a/Ruth.v2")),
             QStringLiteral("/a/Ruth.v2.pdf"));
    QCOMPARE(book::BookCommands::withPdfSuffix(QStringLiteral("/a/Ruth.PDF")),
             QStringLiteral("/a/Ruth.PDF"));

    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("story.pdf"));
    QVERIFY(writeOlderBook(pdf));
    EditorFixture f;
    f.openEditor();
    f.dialogs.answerBook(kGrandmasBook);
    f.dialogs.answerSaveFile(dir.filePath(QStringLiteral("story")));
    f.dialogs.answerMessage(MessageButton::No);
    f.trigger("mnuBookPdf");
    QCOMPARE(f.dialogs.messages().constLast().buttons, MessageButtons::YesNo);
    QCOMPARE(readAll(pdf), QStringLiteral("older book"));
    QVERIFY(f.dialogs.allAnswersUsed());
}

QTEST_MAIN(BookTest)
#include "test_book.moc"
