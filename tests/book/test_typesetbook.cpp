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
    bool twoSided, largePrint;
};

}  // namespace

class TypesetBookTest : public QObject {
    Q_OBJECT

private slots:
    void onlyWhatSheAnsweredUnlessAsked();
    void bodyIsHerAnsweredTextWordForWord();
    void pagesKeepTheBooksRules();
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

// Over papers, one and both sides and large print: no heading is the last
// line of a page, no paragraph leaves a single line alone at a page's foot
// or top, a picture stands centred within the text with its caption under
// it, every chapter opens a page of its own (a right-hand one on both
// sides) without a running head, and every other story page has its chapter's.
void TypesetBookTest::pagesKeepTheBooksRules() {
    const Setting settings[] = {{"A4", QPageSize(QPageSize::A4), false, false},
                                {"A5 both sides", QPageSize(QPageSize::A5), true, false},
                                {"6x9 both sides", sixByNine(), true, false},
                                {"Letter large print", QPageSize(QPageSize::Letter), false, true},
                                {"6x9 large print both sides", sixByNine(), true, true}};
    SampleStory story;
    for (const Setting& setting : settings) {
        Paper paper(setting.paper);
        TypesetBook book(story.document, paper.writer,
                         {.twoSided = setting.twoSided, .largePrint = setting.largePrint});
        QVERIFY(book.layOut());
        int splitParagraphs = 0, openings = 0;
        QString chapter;
        for (int page = 0; page < book.pageCount(); ++page) {
            const QString where = QStringLiteral("%1, page %2")
                                      .arg(QLatin1StringView(setting.name))
                                      .arg(TypesetBook::numberOf(page));
            const QList<TypesetBook::PageLine> lines = book.linesOf(page);
            const Kind kind = book.kindOf(page);
            if (kind == Kind::Title || kind == Kind::Contents || kind == Kind::Blank) {
                QVERIFY2(lines.isEmpty(), qPrintable(where));
                continue;
            }
            QVERIFY2(!lines.isEmpty(), qPrintable(where));
            const TypesetBook::PageLine& first = lines.constFirst();
            const TypesetBook::PageLine& last = lines.constLast();
            QVERIFY2(!isHeading(last.role), qPrintable(where));
            QVERIFY2(!(first.line > 0 && first.line == first.lineCount - 1), qPrintable(where));
            QVERIFY2(!(last.line == 0 && last.lineCount > 1), qPrintable(where));
            splitParagraphs += last.line + 1 < last.lineCount;

            const bool opens = first.role == Role::ChapterNumber;
            QCOMPARE(kind == Kind::ChapterOpening, opens);
            if (opens) {
                ++openings;
                chapter = lines[1].text;
                QVERIFY2(!setting.twoSided || TypesetBook::numberOf(page) % 2 == 1,
                         qPrintable(where));
                QVERIFY2(book.runningHead(page).isEmpty(), qPrintable(where));
            } else {
                QCOMPARE(book.runningHead(page), chapter);
            }
            const QRectF area = book.textArea(page);
            for (int i = 0; i < lines.size(); ++i) {
                QVERIFY2(area.contains(lines[i].box.adjusted(1, 1, -1, -1)), qPrintable(where));
                if (lines[i].role != Role::Picture)
                    continue;
                QVERIFY2(qAbs(lines[i].box.center().x() - area.center().x()) < 2,
                         qPrintable(where));
                QVERIFY2(i + 1 < lines.size() && lines[i + 1].role == Role::Caption,
                         qPrintable(where));
            }
        }
        QCOMPARE(openings, book.contents().size());
        // The rules were put to the test: paragraphs do run over page breaks.
        QVERIFY2(splitParagraphs > 2, setting.name);
    }
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
