#pragma once

#include "dialogs/dialogs.h"

#include <QString>
#include <optional>

class QPagedPaintDevice;
class QPainter;
class QPrinter;
class QTextDocument;
class QWidget;

namespace vellumora {

struct AppContext;
class DocumentFiles;

namespace book {

/**
 * The Book menu: the whole story as it stands in the editor, laid out as a
 * book and printed, previewed or saved as a PDF file. Each command first asks
 * for the title page and the contents page (remembered for next time), then
 * for the printer or the file; a long book shows a progress window whose
 * Cancel stops the work.
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

private:
    enum class Rendered { Done, Cancelled, NotStarted };

    std::optional<BookChoice> askForBook();
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
};

}  // namespace book
}  // namespace vellumora
