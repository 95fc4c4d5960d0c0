#include "book/book.h"

#include <QPagedPaintDevice>

namespace vellumora::book {

bool paintBook(const Book& book, QPainter& painter, QPagedPaintDevice& device,
               const BookProgress& progress) {
    const int pages = book.pageCount();
    for (int page = 0; page < pages; ++page) {
        if (page > 0 && !device.newPage())
            return false;
        book.paintPage(painter, page);
        if (progress && !progress(page + 1, pages))
            return false;
    }
    return true;
}

}  // namespace vellumora::book
