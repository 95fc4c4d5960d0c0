#pragma once

#include <QList>
#include <QRectF>
#include <QString>
#include <functional>
#include <memory>

class QPagedPaintDevice;
class QPaintDevice;
class QPainter;
class QTextDocument;

namespace vellumora::book {

/// What goes before the story in the book.
struct BookOptions {
    QString title;
    QString author;
    bool titlePage = true;
    bool contentsPage = true;
};

/// One line of the contents page: a chapter found in the story and the page it starts on.
struct ContentsEntry {
    QString chapter;  ///< its heading without the closing colon, "HIGH SCHOOL"
    int page = 0;     ///< the page number printed at the foot of that page
};

/// Called as work proceeds; returning false stops the work.
using BookProgress = std::function<bool(qsizetype done, qsizetype total)>;

/**
 * The story laid out as a book for one paper and resolution: an optional title
 * page, an optional contents page, then the story itself with margins of
 * 2.5 cm, every chapter heading at the top of a new page and the page number
 * centred at the foot of every page but the title page.
 *
 * The layout works on its own copy of the story, so the editor's text is never
 * touched. Chapter headings are found by their text, as the compiled document
 * writes them ("CHILDHOOD:"), each at its first appearance; a story without
 * them simply has no chapter breaks and no contents page.
 *
 * Positions are in the paint device's pixels, with the origin at the paper's
 * top-left corner (a printer must print the full page).
 */
class BookLayout {
public:
    enum class PageKind { Title, Contents, Story };

    /// Margin on every side of the paper.
    static constexpr qreal kMarginCm = 2.5;

    BookLayout(const QTextDocument& story, QPaintDevice& device, BookOptions options);
    ~BookLayout();
    BookLayout(const BookLayout&) = delete;
    BookLayout& operator=(const BookLayout&) = delete;

    /**
     * Lays the story out page by page, reporting the characters laid out so
     * far; false when progress asked to stop, which leaves the book unusable.
     */
    bool layOut(const BookProgress& progress = {});

    int pageCount() const { return frontPages() + storyPages_; }
    PageKind kindOf(int page) const;
    /// The number printed at the foot of a page (pages count from 0 here, from 1 there).
    static int numberOf(int page) { return page + 1; }
    const QList<ContentsEntry>& contents() const { return contents_; }
    /// The body area of every page: the paper less its margins.
    QRectF body() const { return body_; }

    /**
     * The story's text that shows whole on a page: every line that lies
     * entirely within the page's body, each paragraph's end as "\n". Over all
     * pages these texts add up to the story's plain text exactly when no line
     * is lost or cut at a page break.
     */
    QString storyText(int page) const;

    /// Paints one page on a painter open on the layout's device.
    void paintPage(QPainter& painter, int page) const;

private:
    int frontPages() const;
    int storyPageOf(qreal y) const;
    void markChapterHeadings();
    void fillContents();
    void paintTitlePage(QPainter& painter) const;
    void paintContentsPage(QPainter& painter) const;
    void paintStoryPage(QPainter& painter, int storyPage) const;
    void paintPageNumber(QPainter& painter, int page) const;

    struct Chapter {
        QString name;
        int block;  ///< its heading's block number in the copy
    };

    std::unique_ptr<QTextDocument> copy_;
    QPaintDevice& device_;
    BookOptions options_;
    QRectF paper_, body_;
    QList<Chapter> chapters_;
    QList<ContentsEntry> contents_;
    int storyPages_ = 0;
};

/**
 * Paints every page of a laid-out book on a painter that is open on the
 * device, starting a new sheet before each page after the first. Reports the
 * pages painted; false when progress asked to stop.
 */
bool paintBook(const BookLayout& book, QPainter& painter, QPagedPaintDevice& device,
               const BookProgress& progress = {});

}  // namespace vellumora::book
