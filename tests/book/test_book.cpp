#include "book/bookcommands.h"
#include "editor/editorfixture.h"
#include "files/userplaces.h"
#include "filesizelimit.h"
#include "store/answerstore.h"
#include "store/catalogue.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPageSize>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextCursor>

using namespace vellumora;
using namespace vellumora::test;
using Kind = ScriptedDialogs::Kind;

namespace {

const BookChoice kGrandmasBook{.title = QStringLiteral("Grandma’s Story"),
                               .author = QStringLiteral("Ruth Ames")};

BookChoice asInTheEditor(BookChoice choice) {
    choice.style = BookStyle::AsInTheEditor;
    return choice;
}

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

/// One piece of text of a PDF, as pdftohtml places and sizes it (in points).
struct PdfText {
    int page = 0;
    qreal pageWidth = 0, pageHeight = 0;
    qreal top = 0, left = 0, width = 0;
    int size = 0;
    QString family;
    QString text;
};

/// Every piece of text of a PDF with its font's size and family.
QList<PdfText> textsOf(const QString& pdf) {
    const QString xml =
        poppler(QStringLiteral("pdftohtml"),
                {QStringLiteral("-xml"), QStringLiteral("-i"), QStringLiteral("-zoom"),
                 QStringLiteral("1"), QStringLiteral("-stdout"), pdf});
    static const QRegularExpression page(
        QStringLiteral("<page number=\"(\\d+)\".* height=\"([\\d.]+)\" width=\"([\\d.]+)\""));
    static const QRegularExpression font(
        QStringLiteral("<fontspec id=\"(\\d+)\" size=\"(\\d+)\" family=\"([^\"]*)\""));
    static const QRegularExpression text(
        QStringLiteral("<text top=\"([\\d.-]+)\" left=\"([\\d.-]+)\" width=\"([\\d.]+)\" "
                       "height=\"[\\d.]+\" font=\"(\\d+)\">(.*)</text>"));
    QHash<QString, std::pair<int, QString>> fonts;
    QList<PdfText> texts;
    PdfText current;
    for (const QString& line : xml.split(u'\n')) {
        if (const auto m = page.match(line); m.hasMatch()) {
            current.page = m.captured(1).toInt();
            current.pageHeight = m.captured(2).toDouble();
            current.pageWidth = m.captured(3).toDouble();
        } else if (const auto f = font.match(line); f.hasMatch()) {
            fonts.insert(f.captured(1), {f.captured(2).toInt(), f.captured(3)});
        } else if (const auto t = text.match(line); t.hasMatch()) {
            current.top = t.captured(1).toDouble();
            current.left = t.captured(2).toDouble();
            current.width = t.captured(3).toDouble();
            std::tie(current.size, current.family) = fonts.value(t.captured(4));
            current.text = t.captured(5);
            texts.append(current);
        }
    }
    return texts;
}

/// The size and family most of the text is set in.
std::pair<int, QString> bodyTypeOf(const QList<PdfText>& texts) {
    QHash<std::pair<int, QString>, qsizetype> characters;
    for (const PdfText& text : texts)
        characters[{text.size, text.family}] += text.text.size();
    std::pair<int, QString> most;
    for (auto it = characters.cbegin(); it != characters.cend(); ++it)
        if (it.value() > characters.value(most))
            most = it.key();
    return most;
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
    void bookPdfIsSetAsABook();
    void checkingSpellingFirstComesBackToTheBook();
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

// The book as the editor shows it, of a compiled document with answers, edited in the editor: a
// title page, a contents page whose numbers are where the chapters begin, every later page numbered
// at its foot, and between them the editor's text, word for word and in order.
void BookTest::pdfHoldsTheWholeStoryAsABook() {
    QTemporaryDir dir;
    EditorFixture f;
    fillAnswers(f.program.store());
    f.openEditor();
    f.dialogs.clear();
    QTextCursor edit(f.text()->document());
    edit.movePosition(QTextCursor::End);
    edit.insertText(QStringLiteral("Edited here."));

    f.dialogs.answerBook(asInTheEditor(kGrandmasBook));
    f.dialogs.answerSaveFile(dir.filePath(QStringLiteral("story")));
    f.dialogs.answerMessage(MessageButton::No);
    f.trigger("mnuBookPdf");
    const QString pdf = dir.filePath(QStringLiteral("story.pdf"));
    QVERIFY(QFile::exists(pdf));
    QCOMPARE(f.dialogs.requests().constFirst().kind, Kind::Book);
    // Where it went, and an offer to open it, which she declines.
    QCOMPARE(f.dialogs.messages().size(), 1);
    QCOMPARE(f.dialogs.messages().constFirst().text,
             QStringLiteral("Your story was saved as \"story.pdf\" in the folder \"%1\".\n\nDo you "
                            "want to open it now?")
                 .arg(QDir::toNativeSeparators(dir.path())));
    QCOMPARE(f.dialogs.count(Kind::OpenWithDesktop), 0);

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

// Saved on each paper: pages of that size; the body in the book's face at 12
// points (16 in large print); chapter titles well above it; questions in
// another face than the answers; every font in the file. Printed on both
// sides, page numbers stand at the outer corners. Yes opens the file.
void BookTest::bookPdfIsSetAsABook() {
    struct Case {
        BookPaper paper;
        QPageSize size;
        bool twoSided, largePrint;
    };
    const Case cases[] = {
        {BookPaper::A4, QPageSize(QPageSize::A4), false, false},
        {BookPaper::SixByNineInches, QPageSize(QSizeF(6, 9), QPageSize::Inch), true, false},
        {BookPaper::Letter, QPageSize(QPageSize::Letter), false, true},
        {BookPaper::A5, QPageSize(QPageSize::A5), true, true}};
    QTemporaryDir dir;
    EditorFixture f;
    fillAnswers(f.program.store());
    f.openEditor();
    for (const Case& c : cases) {
        f.dialogs.clear();
        BookChoice choice = kGrandmasBook;
        choice.paper = c.paper;
        choice.twoSided = c.twoSided;
        choice.largePrint = c.largePrint;
        if (c.paper == BookPaper::A5)
            choice.title = QStringLiteral("The Story of My Life");  // two lines in large print
        const QString pdf = dir.filePath(QStringLiteral("paper%1.pdf").arg(int(c.paper)));
        f.dialogs.answerBook(choice);
        f.dialogs.answerSaveFile(pdf);
        f.dialogs.answerMessage(c.largePrint ? MessageButton::Yes : MessageButton::No);
        f.trigger("mnuBookPdf");
        QVERIFY2(QFile::exists(pdf), qPrintable(pdf));
        QCOMPARE(f.dialogs.count(Kind::OpenWithDesktop), int(c.largePrint));
        if (c.largePrint)
            QCOMPARE(f.dialogs.requests().constLast().opened, pdf);

        const QSizeF points = c.size.size(QPageSize::Point);
        const QString info = poppler(QStringLiteral("pdfinfo"), {pdf});
        const QRegularExpressionMatch size =
            QRegularExpression(QStringLiteral("Page size: +([\\d.]+) x ([\\d.]+) pts")).match(info);
        QVERIFY2(size.hasMatch(), qPrintable(info));
        QVERIFY2(qAbs(size.captured(1).toDouble() - points.width()) < 1 &&
                     qAbs(size.captured(2).toDouble() - points.height()) < 1,
                 qPrintable(info));

        const QStringList fonts =
            poppler(QStringLiteral("pdffonts"), {pdf}).split(u'\n', Qt::SkipEmptyParts);
        const qsizetype embedded = fonts[0].indexOf(QStringLiteral("emb"));
        for (const QString& font : fonts.mid(2))
            QVERIFY2(font.mid(embedded, 3) == u"yes", qPrintable(font));

        const QList<PdfText> texts = textsOf(pdf);
        const auto [bodySize, bodyFamily] = bodyTypeOf(texts);
        QCOMPARE(bodySize, c.largePrint ? 16 : 12);
        QCOMPARE(bodyFamily, QStringLiteral("LinLibertineO"));
        int titles = 0, questions = 0, numbers = 0;
        for (const PdfText& text : texts) {
            if (text.text == u"Childhood" || text.text == u"Final Comments") {
                titles += text.size >= 1.6 * bodySize;
            } else if (text.text.startsWith(QStringLiteral("When you were a child"))) {
                QVERIFY2(text.family != bodyFamily, qPrintable(text.family));
                ++questions;
            } else if (c.twoSided && text.text == QString::number(text.page) &&
                       text.top > text.pageHeight * 0.85) {
                const bool right = text.left > text.pageWidth / 2;
                QVERIFY2(right == (text.page % 2 == 1), qPrintable(text.text));
                ++numbers;
            }
        }
        QCOMPARE(titles, 2);
        QCOMPARE(questions, 1);
        QVERIFY(!c.twoSided || numbers > 10);

        // A title of two lines is set in lines of even length, no word alone under the rest.
        QList<qreal> titleWidths;
        for (const PdfText& text : texts)
            if (text.page == 1 && text.size >= 2 * bodySize)
                titleWidths << text.width;
        QCOMPARE(titleWidths.size(), c.paper == BookPaper::A5 ? 2 : 1);
        QVERIFY2(*std::min_element(titleWidths.cbegin(), titleWidths.cend()) >
                     0.6 * *std::max_element(titleWidths.cbegin(), titleWidths.cend()),
                 qPrintable(pdf));

        // The contents' rows of dots end in one column, the page numbers flush right after them.
        QList<qreal> leaderEnds, numberEnds;
        for (const PdfText& leaders : texts) {
            if (!leaders.text.contains(u'.') ||
                !QString(leaders.text).remove(u'.').trimmed().isEmpty())
                continue;
            leaderEnds << leaders.left + leaders.width;
            for (const PdfText& number : texts)
                if (number.page == leaders.page && number.top == leaders.top &&
                    number.left > leaders.left && number.text.toInt() > 0)
                    numberEnds << number.left + number.width;
        }
        QCOMPARE(leaderEnds.size(), catalogue::chapters().size());
        QCOMPARE(numberEnds.size(), leaderEnds.size());
        for (const QList<qreal>& ends : {leaderEnds, numberEnds})
            QVERIFY2(*std::max_element(ends.cbegin(), ends.cend()) -
                             *std::min_element(ends.cbegin(), ends.cend()) <=
                         1.5,
                     qPrintable(pdf));
    }
}

// The dialog tells how many words may be misspelled. "Check Spelling First"
// runs the editor's check in place of the book; once it has run to its end
// the dialog comes back with the new count, and a check she closes ends the
// command without a file or printer asked for.
void BookTest::checkingSpellingFirstComesBackToTheBook() {
    EditorFixture f;
    f.program.speller().useDictionary(QStringLiteral(VELLUMORA_TEST_DICTIONARY));
    f.openEditor();
    f.text()->setPlainText(QStringLiteral("Teh house by the rivver"));
    f.dialogs.clear();
    BookChoice checkFirst = kGrandmasBook;
    checkFirst.then = BookChoice::Then::CheckSpellingFirst;
    f.dialogs.answerBook(checkFirst);
    f.dialogs.answerSpelling(SpellingAction::Change, QStringLiteral("The"));
    f.dialogs.answerSpelling(SpellingAction::Change, QStringLiteral("river"));
    f.dialogs.answerMessage(MessageButton::Ok);
    f.dialogs.answerBook(std::nullopt);
    f.trigger("mnuBookPdf");
    QList<int> counts;
    for (const auto& request : f.dialogs.requests())
        if (request.kind == Kind::Book)
            counts << request.book.misspelledWords;
    QCOMPARE(counts, (QList<int>{2, 0}));
    QCOMPARE(f.text()->toPlainText(), QStringLiteral("The house by the river"));

    f.text()->setPlainText(QStringLiteral("Teh"));
    f.dialogs.clear();
    f.dialogs.answerBook(checkFirst);
    f.dialogs.answerSpelling(SpellingAction::Stop);
    f.trigger("mnuBookPrint");
    QCOMPARE(f.dialogs.requests().size(), 2);
    QVERIFY(f.dialogs.allAnswersUsed());
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
    QCOMPARE(first.style, BookStyle::Book);
    QVERIFY(!first.includeUnanswered && !first.twoSided && !first.largePrint);

    const BookChoice changed{.title = QStringLiteral("Our Ruth"),
                             .author = QStringLiteral("Ruth"),
                             .titlePage = false,
                             .dedication = QStringLiteral("For Emma"),
                             .style = BookStyle::AsInTheEditor,
                             .includeUnanswered = true,
                             .paper = BookPaper::SixByNineInches,
                             .twoSided = true,
                             .largePrint = true};
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
    QCOMPARE(offered.dedication, changed.dedication);
    QCOMPARE(offered.style, changed.style);
    QCOMPARE(offered.includeUnanswered, changed.includeUnanswered);
    QCOMPARE(offered.paper, changed.paper);
    QCOMPARE(offered.twoSided, changed.twoSided);
    QCOMPARE(offered.largePrint, changed.largePrint);
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
    f.dialogs.answerMessage(MessageButton::No);
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
    QCOMPARE(f.dialogs.messages().size(), 2);
    QCOMPARE(f.dialogs.messages().constLast().text,
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
