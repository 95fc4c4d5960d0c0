#pragma once

#include "book/book.h"

#include <QList>
#include <QRectF>
#include <QString>
#include <memory>

class QPagedPaintDevice;
class QPaintDevice;
class QPainter;
class QTextDocument;

namespace vellumora::book {

/**
 * The story laid out as it stands in the editor, for one paper and
 * resolution: an optional title page (with the dedication, if any), an
 * optional contents page, then the story itself with margins of
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
class BookLayout final : public Book {
public:
    enum class PageKind { Title, Contents, Story };

    /// Margin on every side of the paper.
    static constexpr qreal kMarginCm = 2.5;

    BookLayout(const QTextDocument& story, QPaintDevice& device, BookOptions options);
    ~BookLayout();
    BookLayout(const BookLayout&) = delete;
    BookLayout& operator=(const BookLayout&) = delete;

    bool layOut(const BookProgress& progress = {}) override;
    int pageCount() const override { return frontPages() + storyPages_; }
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

    void paintPage(QPainter& painter, int page) const override;

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

}  // namespace vellumora::book
