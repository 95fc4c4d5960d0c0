#pragma once

#include <QString>
#include <functional>

class QPagedPaintDevice;
class QPainter;

namespace vellumora::book {

/// What goes into the book besides the story, and how it is set.
struct BookOptions {
    QString title = {};
    QString author = {};
    bool titlePage = true;
    bool contentsPage = true;
    /// A line under her name on the title page; none when empty.
    QString dedication = {};
    /// Questions left without an answer, and chapters without any, are left out unless this is set.
    bool includeUnanswered = false;
    /// Printed on both sides of the paper: margins mirrored, chapters on right-hand pages.
    bool twoSided = false;
    /// A larger type for readers who need it.
    bool largePrint = false;
};

/// One line of the contents page: a chapter found in the story and the page it starts on.
struct ContentsEntry {
    QString chapter;  ///< its name as the contents shows it
    int page = 0;     ///< the page number printed on that page
};

/// Called as work proceeds; returning false stops the work.
using BookProgress = std::function<bool(qsizetype done, qsizetype total)>;

/// A book laid out for one paint device, page by page.
class Book {
public:
    virtual ~Book() = default;
    /**
     * Lays the story out page by page, reporting the characters laid out so
     * far; false when progress asked to stop, which leaves the book unusable.
     */
    virtual bool layOut(const BookProgress& progress = {}) = 0;
    virtual int pageCount() const = 0;
    /// Paints one page on a painter open on the layout's device.
    virtual void paintPage(QPainter& painter, int page) const = 0;
};

/**
 * Paints every page of a laid-out book on a painter that is open on the
 * device, starting a new sheet before each page after the first. Reports the
 * pages painted; false when progress asked to stop.
 */
bool paintBook(const Book& book, QPainter& painter, QPagedPaintDevice& device,
               const BookProgress& progress = {});

}  // namespace vellumora::book
