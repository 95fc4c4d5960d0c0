#pragma once

#include "book/book.h"

#include <QFont>
#include <QList>
#include <QRectF>
#include <QTextBlock>
#include <memory>
#include <vector>

class QPaintDevice;
class QTextDocument;
class QTextLayout;
class QTextOption;

namespace vellumora::book {

struct OutlineChapter;

/**
 * The story set as a book: a title page and a contents page, then every
 * chapter opening a new page under its number and its title, each question a
 * small italic heading over its answer, the answers in a book face at 12
 * points (16 in large print), justified, some 65 characters to the line.
 *
 * The story is read by its words (see outlineOf): questions left without an
 * answer, and chapters without any, are left out unless asked for. Her bold,
 * italic, underlining and colours stay, and so do the paragraphs she centred
 * or set at the right; her fonts and sizes give way to the book's. Pictures
 * stand centred and whole on a page, with the short line under them that
 * captions them.
 *
 * Pages are filled line by line: a question heading goes to the next page
 * with the first two lines of its answer (one left unanswered with the next
 * question), no paragraph leaves a single line at the foot or the top of a
 * page, a picture keeps its caption. Printed on both sides, the margins are
 * mirrored with the wider one inside, every chapter opens on a right-hand
 * page (a blank page before it when needed) and page numbers stand at the
 * outer corners. Every story page but a chapter's first has the chapter's
 * title at its head.
 *
 * The book works on its own copy of the story; the editor's text is never
 * touched. Positions are in the device's pixels from the paper's top-left
 * corner.
 */
class TypesetBook final : public Book {
public:
    enum class PageKind { Title, Contents, Blank, ChapterOpening, Story };
    enum class Role { ChapterNumber, ChapterTitle, Question, Body, Picture, Caption };

    /// One line as it stands on a page.
    struct PageLine {
        Role role = Role::Body;
        QString text;
        int paragraph = 0;  ///< counts the book's paragraphs, headings included
        int line = 0;       ///< its line in the paragraph
        int lineCount = 0;  ///< the paragraph's lines
        QRectF box;         ///< where it stands on the page
    };

    TypesetBook(const QTextDocument& story, QPaintDevice& device, BookOptions options);
    ~TypesetBook() override;
    TypesetBook(const TypesetBook&) = delete;
    TypesetBook& operator=(const TypesetBook&) = delete;

    bool layOut(const BookProgress& progress = {}) override;
    int pageCount() const override { return int(pages_.size()); }
    void paintPage(QPainter& painter, int page) const override;

    PageKind kindOf(int page) const { return pages_[std::size_t(page)].kind; }
    /// The number a page carries (pages count from 0 here, from 1 there).
    static int numberOf(int page) { return page + 1; }
    QList<PageLine> linesOf(int page) const;
    const QList<ContentsEntry>& contents() const { return contents_; }
    /// The chapter's title over a page; empty where a page has none.
    QString runningHead(int page) const;
    /// Where a page's text goes: the paper less its margins, mirrored on left-hand pages.
    QRectF textArea(int page) const;
    /// The body's type, sized for the device.
    QFont bodyFont() const { return bodyFont_; }

private:
    struct Paragraph {
        Role role;
        QTextLayout* layout;
        QTextBlock block;  ///< invalid for the headings the book adds
    };
    /// One line of the book as the pages take it.
    struct Slot {
        int paragraph;
        int line;
        qreal advance;  ///< the height it takes
        qreal above;    ///< space over it, none at the top of a page but a chapter's
        bool mayBreakBefore;
        bool newPage;
        int chapter;  ///< index into chapters_, -1 for none
        qreal y = 0;  ///< its top below the text area's
    };
    struct Page {
        PageKind kind;
        std::size_t first = 0, end = 0;
        int chapter = -1;
    };
    struct Chapter {
        QString title;  ///< empty for text before any heading
        int number = 0;
        int page = -1;
    };

    void prepareCopy();
    void measurePage();
    qreal points(qreal pt) const;
    QFont font(qreal scale, bool italic = false) const;
    bool reportProgress(const QTextBlock& block);
    void addChapter(const OutlineChapter& chapter);
    void addOpening(const OutlineChapter& chapter);
    void addHeading(const QString& text, Role role, const QFont& font, qreal above);
    void addQuestion(const QTextBlock& block);
    void addText(int from, int to);
    void addBody(const QTextBlock& block);
    void addParagraph(Role role, QTextLayout* layout, const QTextBlock& block, qreal above,
                      qreal indent, Qt::Alignment alignment);
    /// Breaks a paragraph (whose text is given: a block's layout does not hold it) into lines.
    int breakLines(QTextLayout& layout, const QString& text, const QTextOption& option,
                   qreal indent) const;
    bool wordAfterIsOverLong(const QString& text, int from) const;
    qreal lineAdvance(Role role, qreal height) const;
    void paginate();
    std::size_t fillPage(std::size_t first);
    void fillContents();

    void paintTitlePage(QPainter& painter, int page) const;
    void paintContentsPage(QPainter& painter, int page) const;
    void paintLines(QPainter& painter, int page) const;
    void paintRunningHead(QPainter& painter, int page) const;
    void paintPageNumber(QPainter& painter, int page) const;

    std::unique_ptr<QTextDocument> copy_;
    QPaintDevice& device_;
    BookOptions options_;
    qreal bodyPoints_;
    QFont bodyFont_;
    QRectF paper_;
    qreal textWidth_ = 0, textHeight_ = 0, inner_ = 0, outer_ = 0, top_ = 0;
    std::vector<std::unique_ptr<QTextLayout>> headings_;
    std::vector<Paragraph> paragraphs_;
    std::vector<Slot> slots_;
    std::vector<Page> pages_;
    QList<Chapter> chapters_;
    QList<ContentsEntry> contents_;
    // While the lines are added: the lines since the last heading, whether
    // the next paragraph follows a heading or a picture (and is not indented),
    // space still owed under the last one, whether the next begins a page.
    int linesSinceHeading_ = 0;
    bool afterHeading_ = true;
    qreal spaceAfter_ = 0;
    bool newPage_ = false;
    int chapterNumber_ = 0;
    // While laying out: where progress is reported, and whether it asked to stop.
    const BookProgress* progress_ = nullptr;
    qsizetype total_ = 0, nextReport_ = 0;
    bool stopped_ = false;
};

}  // namespace vellumora::book
