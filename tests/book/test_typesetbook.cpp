#include "book/storyoutline.h"
#include "book/typesetbook.h"
#include "booksample.h"

#include <QBuffer>
#include <QPageSize>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTest>

using namespace vellumora;
using book::TypesetBook;
using Role = TypesetBook::Role;
using Kind = TypesetBook::PageKind;

namespace {

/// A PDF writer with no margins of its own, as the book uses it.
struct Paper {
    QBuffer buffer;
    QPdfWriter writer{&buffer};
    explicit Paper(const QPageSize& size) {
        buffer.open(QIODevice::WriteOnly);
        writer.setPageSize(size);
        writer.setPageMargins(QMarginsF());
        writer.setResolution(300);
    }
};

QPageSize sixByNine() {
    return QPageSize(QSizeF(6, 9), QPageSize::Inch, QStringLiteral("6 x 9"));
}

/// The sample story, dressed with her formats and captioned photos.
struct SampleStory {
    QTextDocument document;
    SampleStory() {
        test::fillSampleStory(document);
        test::dressSampleStory(document);
    }
};

QStringList wordsOf(const QString& text) {
    static const QRegularExpression space(QStringLiteral("\\s+"));
    return text.split(space, Qt::SkipEmptyParts);
}

/// The words of every line in the roles, page after page.
QStringList wordsIn(const TypesetBook& book, QList<Role> roles) {
    QString text;
    for (int page = 0; page < book.pageCount(); ++page)
        for (const TypesetBook::PageLine& line : book.linesOf(page))
            if (roles.contains(line.role))
                text += line.text + u' ';
    return wordsOf(text);
}

bool isHeading(Role role) {
    return role == Role::ChapterNumber || role == Role::ChapterTitle || role == Role::Question;
}

/// The settings the page rules are checked in.
struct Setting {
    const char* name;
    QPageSize paper;
    bool twoSided, largePrint, unanswered;
};

/// The rules every page keeps: no heading is the last line of a page but at
/// a chapter's end or in a run of headings, no paragraph leaves a single line alone at a page's
/// foot or top, every line stands within the text, a picture centred with its caption (if any)
/// under it on its page, every chapter opens a page of its own (a right-hand one on both sides)
/// without a running head, and every other story page has its chapter's. Counts the paragraphs run
/// over a page break.
int checkPageRules(const TypesetBook& book, const QString& name, bool twoSided) {
    int splitParagraphs = 0, openings = 0;
    QString chapter;
    for (int page = 0; page < book.pageCount() && !QTest::currentTestFailed(); ++page) {
        const QString where =
            QStringLiteral("%1, page %2").arg(name).arg(TypesetBook::numberOf(page));
        const QList<TypesetBook::PageLine> lines = book.linesOf(page);
        const Kind kind = book.kindOf(page);
        if (kind == Kind::Title || kind == Kind::Contents || kind == Kind::Blank) {
            [&] { QVERIFY2(lines.isEmpty(), qPrintable(where)); }();
            continue;
        }
        [&] {
            QVERIFY2(!lines.isEmpty(), qPrintable(where));
            const TypesetBook::PageLine& first = lines.constFirst();
            const TypesetBook::PageLine& last = lines.constLast();
            const bool endsChapter =
                page + 1 == book.pageCount() || book.kindOf(page + 1) != Kind::Story;
            // A run of questions left unanswered may be longer than a page.
            const bool onlyHeadings =
                std::all_of(lines.cbegin(), lines.cend(),
                            [](const TypesetBook::PageLine& line) { return isHeading(line.role); });
            QVERIFY2(!isHeading(last.role) || endsChapter || onlyHeadings, qPrintable(where));
            QVERIFY2(!(first.line > 0 && first.line == first.lineCount - 1), qPrintable(where));
            QVERIFY2(!(last.line == 0 && last.lineCount > 1), qPrintable(where));
            splitParagraphs += last.line + 1 < last.lineCount;

            const bool opens = first.role == Role::ChapterNumber;
            QCOMPARE(kind == Kind::ChapterOpening, opens);
            if (opens) {
                ++openings;
                chapter = lines[1].text;
                QVERIFY2(!twoSided || TypesetBook::numberOf(page) % 2 == 1, qPrintable(where));
                QVERIFY2(book.runningHead(page).isEmpty(), qPrintable(where));
            } else {
                QCOMPARE(book.runningHead(page), chapter);
            }
            const QRectF area = book.textArea(page);
            for (int i = 0; i < lines.size(); ++i) {
                QVERIFY2(area.contains(lines[i].box.adjusted(1, 1, -1, -1)), qPrintable(where));
                if (lines[i].role == Role::Picture)
                    QVERIFY2(qAbs(lines[i].box.center().x() - area.center().x()) < 2,
                             qPrintable(where));
                if (lines[i].role == Role::Caption && lines[i].line == 0)
                    QVERIFY2(i > 0 && lines[i - 1].role == Role::Picture, qPrintable(where));
            }
        }();
    }
    if (!QTest::currentTestFailed())
        [&] { QCOMPARE(openings, book.contents().size()); }();
    return splitParagraphs;
}

}  // namespace

class TypesetBookTest : public QObject {
    Q_OBJECT

private slots:
    void onlyWhatSheAnsweredUnlessAsked();
    void bodyIsHerAnsweredTextWordForWord();
    void pagesKeepTheBooksRules();
    void uncommonParagraphsKeepTheRules();
    void herCentredAndRightAlignedParagraphsStay();
    void storyEditedAroundItsHeadingsStillReads();
};

// Unanswered questions and chapters without an answer are neither on the
// pages nor in the contents; the box puts every one of them back.
void TypesetBookTest::onlyWhatSheAnsweredUnlessAsked() {
    SampleStory story;
    Paper paper(QPageSize(QPageSize::A4));
    for (const bool all : {false, true}) {
        TypesetBook book(story.document, paper.writer, {.includeUnanswered = all});
        QVERIFY(book.layOut());
        QStringList questions, chapters;
        for (int page = 0; page < book.pageCount(); ++page)
            for (const TypesetBook::PageLine& line : book.linesOf(page)) {
                if (line.role == Role::Question && line.line == 0)
                    questions << QString();
                if (line.role == Role::Question)
                    questions.last() += line.text + u' ';
                if (line.role == Role::ChapterTitle)
                    chapters << line.text;
            }
        QStringList expectedQuestions, expectedChapters;
        for (const catalogue::Chapter& chapter : catalogue::chapters()) {
            bool answered = false;
            for (const catalogue::Question& question : catalogue::questionsOf(chapter)) {
                const bool shown = all || test::sampleAnswers(catalogue::positionOf(question));
                if (shown)
                    expectedQuestions << wordsOf(QLatin1StringView(question.text)).join(u' ');
                answered = answered || shown;
            }
            if (answered)
                expectedChapters << book::titleCase(QLatin1StringView(chapter.heading));
        }
        for (QString& question : questions)
            question = wordsOf(question).join(u' ');
        QCOMPARE(questions, expectedQuestions);
        QCOMPARE(chapters, expectedChapters);
        QStringList contents;
        for (const book::ContentsEntry& entry : book.contents())
            contents << entry.chapter;
        QCOMPARE(contents, expectedChapters);
        QVERIFY(all == contents.contains(QStringLiteral("First Car")));
    }
}

// The body, read page after page, is her answers word for word and in
// order, the photos' captions among them: nothing lost or doubled where the
// pages break, her words only.
void TypesetBookTest::bodyIsHerAnsweredTextWordForWord() {
    SampleStory story;
    QStringList expected;
    for (int position = 1; position <= catalogue::kQuestionCount; ++position) {
        if (test::sampleAnswers(position))
            expected << wordsOf(test::sampleAnswer(position));
        if (position == 3)
            expected << wordsOf(QStringLiteral("The river behind the house, summer 1952"));
        if (position == 80)
            expected << wordsOf(QStringLiteral("Our garden, from the roof"));
    }
    Paper paper(sixByNine());
    TypesetBook book(story.document, paper.writer, {.twoSided = true});
    QVERIFY(book.layOut());
    QCOMPARE(wordsIn(book, {Role::Body, Role::Caption}), expected);
    // Her photos are on the pages, once each.
    int pictures = 0;
    for (int page = 0; page < book.pageCount(); ++page)
        for (const TypesetBook::PageLine& line : book.linesOf(page))
            pictures += line.role == Role::Picture;
    QCOMPARE(pictures, 2);
}

// Over papers, one and both sides, large print, and with the questions
// she left unanswered, where a run of them must stay with what follows.
void TypesetBookTest::pagesKeepTheBooksRules() {
    const Setting settings[] = {
        {"A4", QPageSize(QPageSize::A4), false, false, false},
        {"A5 both sides", QPageSize(QPageSize::A5), true, false, false},
        {"6x9 both sides", sixByNine(), true, false, false},
        {"Letter large print", QPageSize(QPageSize::Letter), false, true, false},
        {"6x9 large print both sides", sixByNine(), true, true, false},
        {"A4 unanswered too", QPageSize(QPageSize::A4), false, false, true},
        {"A5 large print both sides unanswered too", QPageSize(QPageSize::A5), true, true, true}};
    SampleStory story;
    for (const Setting& setting : settings) {
        Paper paper(setting.paper);
        TypesetBook book(story.document, paper.writer,
                         {.includeUnanswered = setting.unanswered,
                          .twoSided = setting.twoSided,
                          .largePrint = setting.largePrint});
        QVERIFY(book.layOut());
        const int splitParagraphs =
            checkPageRules(book, QLatin1StringView(setting.name), setting.twoSided);
        if (QTest::currentTestFailed())
            return;
        // The rules were put to the test: paragraphs do run over page breaks.
        QVERIFY2(splitParagraphs > 2, setting.name);
    }
}

// A word or a web address longer than a line is broken where the line is
// full, and a photo without a caption stands as one with it does; the rules hold.
void TypesetBookTest::uncommonParagraphsKeepTheRules() {
    SampleStory story;
    for (const int position : {3, 8, 25, 27, 29})
        test::addUncommonParagraphs(story.document, position);
    // And a photo a page tall, without a caption, right under a question.
    QTextCursor answer = story.document.find(QLatin1StringView(catalogue::question(12).text));
    answer.movePosition(QTextCursor::NextBlock);
    answer.movePosition(QTextCursor::NextBlock);
    answer.insertImage(
        pictures::imageFormat(test::addSamplePicture(story.document), QSizeF(300, 3000)));
    answer.insertBlock();
    for (const bool largePrint : {false, true}) {
        Paper paper(sixByNine());
        TypesetBook book(story.document, paper.writer,
                         {.twoSided = true, .largePrint = largePrint});
        QVERIFY(book.layOut());
        checkPageRules(book, largePrint ? QStringLiteral("large print") : QStringLiteral("6x9"),
                       true);
        if (QTest::currentTestFailed())
            return;
        // Her eight photos stand on the pages, the two with captions
        // captioned; the line before her long laugh is not left short.
        int pictures = 0, captions = 0, laughs = 0;
        for (int page = 0; page < book.pageCount(); ++page)
            for (const TypesetBook::PageLine& line : book.linesOf(page)) {
                pictures += line.role == Role::Picture;
                captions += line.role == Role::Caption && line.line == 0;
                if (line.text.startsWith(QStringLiteral("When he read"))) {
                    ++laughs;
                    QVERIFY2(line.text.contains(QStringLiteral("laughed haha")),
                             qPrintable(line.text));
                }
            }
        QCOMPARE(pictures, 8);
        QCOMPARE(captions, 2);
        QCOMPARE(laughs, 5);
    }
}

// The lines of a poem she centred stand in the middle of the text, apart
// from the paragraph before, a line
// she set at the right ends at its right; a paragraph she set at the left
// is the book's, indented, its short last line at the left.
void TypesetBookTest::herCentredAndRightAlignedParagraphsStay() {
    SampleStory story;
    test::addUncommonParagraphs(story.document, 3);
    Paper paper(QPageSize(QPageSize::A4));
    TypesetBook book(story.document, paper.writer, {});
    QVERIFY(book.layOut());
    int centred = 0, right = 0, left = 0, laugh = -1;
    for (int page = 0; page < book.pageCount(); ++page) {
        const QRectF area = book.textArea(page);
        const QList<TypesetBook::PageLine> lines = book.linesOf(page);
        for (int i = 0; i < lines.size(); ++i) {
            const TypesetBook::PageLine& line = lines[i];
            const QString where = line.text;
            if (line.text.startsWith(QStringLiteral("The river ran"))) {
                QVERIFY2(
                    i > 0 && line.box.top() - lines[i - 1].box.bottom() > line.box.height() / 3,
                    "a poem stands apart");
            } else if (line.text.contains(QStringLiteral("summer long")) ||
                       line.text.contains(QStringLiteral("boatman"))) {
                ++centred;
                QVERIFY2(qAbs(line.box.center().x() - area.center().x()) < 2, qPrintable(where));
                QVERIFY2(line.box.width() < area.width() * 0.8, qPrintable(where));
            } else if (line.text.trimmed() == QStringLiteral("Grandfather, 1952")) {
                ++right;
                QVERIFY2(qAbs(line.box.right() - area.right()) < 2, qPrintable(where));
            } else if (line.text.startsWith(QStringLiteral("When he read"))) {
                laugh = line.paragraph;
                QVERIFY2(line.box.left() > area.left() + 10, "indented as the book's");
            } else if (line.paragraph == laugh && line.line == line.lineCount - 1) {
                ++left;
                QCOMPARE(line.box.left(), area.left());
            }
        }
    }
    QCOMPARE(centred, 2);
    QCOMPARE(right, 1);
    QCOMPARE(left, 1);
}

// She may have typed blanks after a heading or a question, or words of her
// own before the first chapter: the structure is still found, and her words
// open the book.
void TypesetBookTest::storyEditedAroundItsHeadingsStillReads() {
    SampleStory story;
    QTextCursor cursor(&story.document);
    cursor.insertText(QStringLiteral("Dear family, these are my memories.\n"));
    for (const QString& words :
         {QStringLiteral("HIGH SCHOOL:"), QString::fromLatin1(catalogue::question(1).text)}) {
        QTextCursor found = story.document.find(words);
        found.movePosition(QTextCursor::EndOfBlock);
        found.insertText(QStringLiteral("  \t"));
    }
    Paper paper(QPageSize(QPageSize::A4));
    TypesetBook book(story.document, paper.writer, {.titlePage = false});
    QVERIFY(book.layOut());
    QCOMPARE(book.kindOf(0), Kind::Contents);
    QCOMPARE(book.linesOf(1).constFirst().text,
             QStringLiteral("Dear family, these are my memories."));
    QCOMPARE(book.kindOf(2), Kind::ChapterOpening);
    QCOMPARE(book.linesOf(2).at(2).role, Role::Question);
    QCOMPARE(book.contents().at(1).chapter, QStringLiteral("High School"));
}

QTEST_MAIN(TypesetBookTest)
#include "test_typesetbook.moc"
