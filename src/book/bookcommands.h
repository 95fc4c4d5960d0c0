#pragma once

#include "dialogs/dialogs.h"

#include <QString>
#include <functional>
#include <memory>
#include <optional>

class QPagedPaintDevice;
class QPageSize;
class QPainter;
class QPaintDevice;
class QPrinter;
class QTextDocument;
class QWidget;

namespace vellumora {

struct AppContext;
class DocumentFiles;

namespace book {

class Book;

/// The spelling check the book dialog offers before the book is made.
struct SpellingOffer {
    /// The words of the story that may be misspelled; -1 when not known.
    std::function<int()> misspelledWords;
    /// Checks the story's spelling; true when the check ran to its end, and
    /// the book dialog comes back for the book to be made.
    std::function<bool()> check;
};

/**
 * The Book menu: the whole story as it stands in the editor, set as a book
 * or laid out as the editor shows it, and printed, previewed or saved as a
 * PDF file. Each command first asks how the book is to be made (remembered
 * for next time), then for the printer or the file; a long book shows a
 * progress window whose Cancel stops the work. A saved PDF is named with its
 * folder, and offered to be opened.
 */
class BookCommands {
public:
    BookCommands(AppContext& context, const QTextDocument& story, const DocumentFiles& files,
                 QWidget& window);

    void printWholeStory();
    void preview();
    void saveAsPdf();

    /// The name proposed for the PDF: the document's own name with ".pdf",
    /// or the book's title in the documents folder while it has none.
    static QString proposedPdfName(const QString& documentPath, const QString& title);
    /// The chosen name, with ".pdf" added unless it already ends so.
    static QString withPdfSuffix(const QString& path);

    /// The book dialog's answers from last time, or its defaults.
    static BookChoice rememberedChoice();
    /// The paper of the choice.
    static QPageSize pageSizeOf(BookPaper paper);

    /// Lets the book dialog tell of words that may be misspelled and offer
    /// the check; without one it says nothing of spelling.
    void offerSpellingCheck(SpellingOffer offer) { spelling_ = std::move(offer); }

private:
    enum class Rendered { Done, Cancelled, NotStarted };

    std::optional<BookChoice> askForBook();
    bool checkSpellingFirst();
    std::unique_ptr<Book> bookFor(QPaintDevice& device, const BookChoice& choice) const;
    void tellWhereItWent(const QString& path);
    void printOn(QPrinter& printer, const BookChoice& choice, const QString& doing, QWidget* over);
    void writePdf(const QString& path, const BookChoice& choice);
    void pdfFailed(const QString& path, const QString& reason);
    /// Lays the book out for the device and paints it with the painter,
    /// which this begins, while a progress window over `over` shows how far
    /// it got; on Cancel the painter may be left active.
    Rendered render(QPagedPaintDevice& device, QPainter& painter, const BookChoice& choice,
                    const QString& doing, QWidget* over);
    bool confirmReplace(const QString& path);

    AppContext& context_;
    const QTextDocument& story_;
    const DocumentFiles& files_;
    QWidget& window_;
    SpellingOffer spelling_;
};

}  // namespace book
}  // namespace vellumora
