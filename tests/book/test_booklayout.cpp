#include "book/booklayout.h"
#include "editor/documentassembly.h"
#include "pictures/picturestore.h"
#include "store/answerstore.h"
#include "store/catalogue.h"

#include <QBuffer>
#include <QPageSize>
#include <QPdfWriter>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

using namespace vellumora;
using book::BookLayout;
using book::BookOptions;
using Kind = BookLayout::PageKind;

namespace {

/// One paragraph of some 9,000 characters, more than an A4 page holds in 12 points.
QString paragraphLongerThanAPage() {
    QString text;
    for (int sentence = 1; text.size() < 9000; ++sentence)
        text += QStringLiteral("Sentence %1 of the day we moved to the farm. ").arg(sentence);
    return text;
}

/// A compiled story with short answers, a few of several paragraphs, and one
/// paragraph longer than a page.
QString compiledStory() {
    AnswerStore store;
    for (int position = 1; position <= catalogue::kQuestionCount; ++position)
        store.store(position, QStringLiteral("Answer %1.\r\nA second line.").arg(position));
    store.store(3, paragraphLongerThanAPage());
    return editor::compileDocument(store);
}

/// A PDF writer on A4 at 300 dpi with no margins of its own, as the book uses it.
struct Paper {
    QBuffer buffer;
    QPdfWriter writer{&buffer};
    Paper() {
        buffer.open(QIODevice::WriteOnly);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF());
        writer.setResolution(300);
    }
};

struct Story {
    QTextDocument document;
    explicit Story(const QString& text) {
        QFont font(QStringLiteral("arial"));
        font.setPointSize(12);
        document.setDefaultFont(font);
        document.setPlainText(text);
    }
};

QString storyTextOfAllPages(const BookLayout& book) {
    QString text;
    for (int page = 0; page < book.pageCount(); ++page)
        if (book.kindOf(page) == Kind::Story)
            text += book.storyText(page);
    return text;
}

}  // namespace

class BookLayoutTest : public QObject {
    Q_OBJECT

private slots:
    void chaptersStartPagesTheContentsNames();
    void nothingIsLostOrDoubledAtPageBreaks();
    void picturesStandWholeOnAPage();
    void frontMatterShiftsThePageNumbers_data();
    void frontMatterShiftsThePageNumbers();
    void storyWithoutHeadingsHasNoBreaksAndNoContents();
    void longAnswersOfATextAreaAreLaidOutForThePaper();
};

// Each chapter's page begins with its heading, the page before ends in the
// chapter before, and the contents gives exactly that page.
void BookLayoutTest::chaptersStartPagesTheContentsNames() {
    Story story(compiledStory());
    Paper paper;
    BookLayout book(story.document, paper.writer, {.title = QStringLiteral("My Life")});
    QVERIFY(book.layOut());

    QCOMPARE(book.kindOf(0), Kind::Title);
    QCOMPARE(book.kindOf(1), Kind::Contents);
    QCOMPARE(book.kindOf(2), Kind::Story);
    QCOMPARE(book.contents().size(), int(catalogue::chapters().size()));
    QCOMPARE(book.contents().first().page, 3);
    int previous = 0;
    for (qsizetype i = 0; i < book.contents().size(); ++i) {
        const book::ContentsEntry& entry = book.contents()[i];
        const QString heading = QLatin1StringView(catalogue::chapters()[i].heading);
        QCOMPARE(entry.chapter + u':', heading);
        QVERIFY2(entry.page > previous, qPrintable(heading));
        const int page = entry.page - 1;
        QVERIFY2(book.storyText(page).startsWith(heading + u'\n'), qPrintable(heading));
        if (i > 0)
            QVERIFY(!book.storyText(page - 1).contains(heading));
        previous = entry.page;
    }
    QCOMPARE(book.kindOf(book.pageCount() - 1), Kind::Story);
}

// Every line lies whole on one page: the pages' texts, joined, give the
// story back character for character, the long paragraph included.
void BookLayoutTest::nothingIsLostOrDoubledAtPageBreaks() {
    Story story(compiledStory());
    Paper paper;
    BookLayout book(story.document, paper.writer, {.titlePage = false, .contentsPage = false});
    QVERIFY(book.layOut());
    QCOMPARE(storyTextOfAllPages(book), story.document.toPlainText());

    // The check above is only as good as its story: the long paragraph must
    // really run over a page break.
    const QString end = paragraphLongerThanAPage().right(40);
    int firstPage = -1, lastPage = -1;
    for (int page = 0; page < book.pageCount(); ++page) {
        if (firstPage < 0 && book.storyText(page).contains(QStringLiteral("Sentence 1 of")))
            firstPage = page;
        if (book.storyText(page).contains(end))
            lastPage = page;
    }
    QVERIFY(firstPage >= 0 && lastPage > firstPage);
}

// A picture is never cut by a page break: it moves to the next page, and
// one taller than a page is made to fit one.
void BookLayoutTest::picturesStandWholeOnAPage() {
    Story story(compiledStory());
    const auto picture = std::make_shared<const pictures::Picture>(
        pictures::Picture::Header{.encoding = pictures::Encoding::Png}, QByteArray());
    const QString name = pictures::add(story.document, picture);
    int pictures = 0;
    for (QTextBlock block = story.document.begin(); block.isValid(); block = block.next()) {
        if (block.blockNumber() % 23 != 5)
            continue;
        QTextCursor(block).insertImage(pictures::imageFormat(name, QSizeF(640, 480)));
        ++pictures;
    }
    QTextCursor end(&story.document);
    end.movePosition(QTextCursor::End);
    end.insertImage(pictures::imageFormat(name, QSizeF(300, 3000)));  // three pages tall
    Paper paper;
    BookLayout book(story.document, paper.writer, {.titlePage = false, .contentsPage = false});
    QVERIFY(book.layOut());
    QVERIFY(pictures > 10);
    QCOMPARE(storyTextOfAllPages(book), story.document.toPlainText());
}

void BookLayoutTest::frontMatterShiftsThePageNumbers_data() {
    QTest::addColumn<bool>("titlePage");
    QTest::addColumn<bool>("contentsPage");
    QTest::newRow("story alone") << false << false;
    QTest::newRow("title page") << true << false;
    QTest::newRow("contents page") << false << true;
}

// Against the book with both front pages, a book with fewer starts each
// chapter that many pages earlier, and its first story page is its first page.
void BookLayoutTest::frontMatterShiftsThePageNumbers() {
    QFETCH(bool, titlePage);
    QFETCH(bool, contentsPage);
    Story story(compiledStory());
    Paper paper;
    BookLayout full(story.document, paper.writer, {});
    BookLayout book(story.document, paper.writer,
                    {.titlePage = titlePage, .contentsPage = contentsPage});
    QVERIFY(full.layOut() && book.layOut());
    const int dropped = 2 - int(titlePage) - int(contentsPage);
    QCOMPARE(book.pageCount(), full.pageCount() - dropped);
    QCOMPARE(book.kindOf(2 - dropped), Kind::Story);
    if (dropped < 2)
        QCOMPARE(book.kindOf(0), titlePage ? Kind::Title : Kind::Contents);
    for (qsizetype i = 0; i < full.contents().size(); ++i)
        QCOMPARE(book.contents()[i].page, full.contents()[i].page - dropped);
}

// An opened document that is not the compiled one (or has lost its headings)
// runs on without chapter breaks, and a contents page would be empty.
void BookLayoutTest::storyWithoutHeadingsHasNoBreaksAndNoContents() {
    Story story(QStringLiteral("Dear family,\nChildhood: the farm.\nCHILDHOOD\n") +
                paragraphLongerThanAPage());
    Paper paper;
    BookLayout book(story.document, paper.writer, {.title = QStringLiteral("Letters")});
    QVERIFY(book.layOut());
    QVERIFY(book.contents().isEmpty());
    QCOMPARE(book.kindOf(1), Kind::Story);
    // Words close to a heading are not one: no page break before them.
    QVERIFY(book.storyText(1).startsWith(
        QStringLiteral("Dear family,\nChildhood: the farm.\nCHILDHOOD\nSentence 1 of")));
}

namespace {

/// Ends the test run with a failure when the work in its scope is not done
/// in time, rather than letting it hang until the test runner's own limit.
class Watchdog {
public:
    explicit Watchdog(std::chrono::seconds limit)
        : thread_([this, limit] {
              std::unique_lock lock(mutex_);
              if (!done_.wait_for(lock, limit, [this] { return finished_; }))
                  qFatal("Not done within %lld s", static_cast<long long>(limit.count()));
          }) {}
    ~Watchdog() {
        {
            const std::lock_guard lock(mutex_);
            finished_ = true;
        }
        done_.notify_one();
        thread_.join();
    }

private:
    std::mutex mutex_;
    std::condition_variable done_;
    bool finished_ = false;
    std::thread thread_;
};

}  // namespace

// A story shown in a text area has that area's width as its page size, and
// its copy for the book takes it along. 81 answers of one long paragraph
// each, laid out at a PDF's 1200 dpi, once never finished; laid out for the
// paper alone they take a second or two.
void BookLayoutTest::longAnswersOfATextAreaAreLaidOutForThePaper() {
    const QString sentence = QStringLiteral("We walked to school along the river. ");
    AnswerStore store;
    for (int position = 1; position <= catalogue::kQuestionCount; ++position)
        store.store(position, sentence.repeated(17'700 / sentence.size()));
    Story story(editor::compileDocument(store));
    story.document.setTextWidth(700);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);  // 1200 dpi
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF());

    const Watchdog watchdog(std::chrono::seconds(60));
    BookLayout book(story.document, writer, {});
    QVERIFY(book.layOut());
    QCOMPARE(book.contents().size(), int(catalogue::chapters().size()));
    QVERIFY(book.pageCount() > catalogue::kQuestionCount);
}

QTEST_MAIN(BookLayoutTest)
#include "test_booklayout.moc"
