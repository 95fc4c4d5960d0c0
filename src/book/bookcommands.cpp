#include "book/bookcommands.h"

#include "book/booklayout.h"
#include "editor/documentfiles.h"
#include "files/userplaces.h"
#include "files/wholefile.h"
#include "shell/appcontext.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <algorithm>

namespace vellumora::book {

namespace {

const QString kPdfSuffix = QStringLiteral(".pdf");

// The progress bar's steps: laying out takes about a third of the time, painting the rest.
constexpr int kProgressSteps = 1000, kLaidOutAt = 300;

/// The book dialog's answers, kept in the user's settings from one run to the next.
class BookSettings : public files::Settings {
public:
    BookSettings() { beginGroup(QStringLiteral("Book")); }
};

void remember(const BookChoice& choice) {
    BookSettings settings;
    settings.setValue(QStringLiteral("title"), choice.title);
    settings.setValue(QStringLiteral("author"), choice.author);
    settings.setValue(QStringLiteral("titlePage"), choice.titlePage);
    settings.setValue(QStringLiteral("contentsPage"), choice.contentsPage);
}

BookOptions optionsOf(const BookChoice& choice) {
    return {choice.title, choice.author, choice.titlePage, choice.contentsPage};
}

QString shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

// Letter where the system's measures are American, A4 everywhere else.
QPageSize paperForPdf() {
    return QPageSize(QLocale::system().measurementSystem() == QLocale::ImperialUSSystem
                         ? QPageSize::Letter
                         : QPageSize::A4);
}

// A title made safe for a file name: no folder separators or characters
// that some file systems refuse.
QString fileNameFrom(const QString& title) {
    QString name = title.trimmed();
    for (QChar& c : name)
        if (QStringView(u"/\\:*?\"<>|").contains(c) || c.category() == QChar::Other_Control)
            c = u' ';
    name = name.simplified();
    return name.isEmpty() ? QStringLiteral("My Story") : name;
}

}  // namespace

BookCommands::BookCommands(AppContext& context, const QTextDocument& story,
                           const DocumentFiles& files, QWidget& window)
    : context_(context), story_(story), files_(files), window_(window) {}

BookChoice BookCommands::rememberedChoice() {
    const BookSettings settings;
    BookChoice choice;
    choice.title =
        settings.value(QStringLiteral("title"), QStringLiteral("The Story of My Life")).toString();
    choice.author = settings.value(QStringLiteral("author")).toString();
    choice.titlePage = settings.value(QStringLiteral("titlePage"), true).toBool();
    choice.contentsPage = settings.value(QStringLiteral("contentsPage"), true).toBool();
    return choice;
}

std::optional<BookChoice> BookCommands::askForBook() {
    const std::optional<BookChoice> choice =
        context_.dialogs.chooseBook(&window_, rememberedChoice());
    if (choice)
        remember(*choice);
    return choice;
}

// --- Print and preview ---

void BookCommands::printWholeStory() {
    const std::optional<BookChoice> choice = askForBook();
    if (!choice)
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(choice->title);
    if (!context_.dialogs.setUpPrinter(&window_, printer))
        return;
    printOn(printer, *choice, QStringLiteral("Printing your story..."), &window_);
}

void BookCommands::preview() {
    const std::optional<BookChoice> choice = askForBook();
    if (!choice)
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(choice->title);
    context_.dialogs.previewPrint(
        &window_, printer, [this, &choice](QPrinter& target, QWidget* preview) {
            printOn(target, *choice, QStringLiteral("Preparing the pages of your story..."),
                    preview);
        });
}

void BookCommands::printOn(QPrinter& printer, const BookChoice& choice, const QString& doing,
                           QWidget* over) {
    // The book sets its own margins, measured from the paper's edge.
    printer.setFullPage(true);
    QPainter painter;
    switch (render(printer, painter, choice, doing, over)) {
        case Rendered::Done:
            painter.end();
            return;
        case Rendered::Cancelled:
            // A printer that cannot take back what it was sent prints the
            // pages painted so far, as a cancelled print job does.
            printer.abort();
            painter.end();
            return;
        case Rendered::NotStarted:
            break;
    }
    if (printer.outputFormat() == QPrinter::PdfFormat)
        reportFailure(context_.dialogs, &window_,
                      QStringLiteral("Your story could not be printed to the file \"%1\": the file "
                                     "could not be written.")
                          .arg(shown(printer.outputFileName())));
    else
        reportFailure(context_.dialogs, &window_,
                      QStringLiteral("Your story could not be printed on \"%1\": the printer could "
                                     "not be started.")
                          .arg(printer.printerName()));
}

BookCommands::Rendered BookCommands::render(QPagedPaintDevice& device, QPainter& painter,
                                            const BookChoice& choice, const QString& doing,
                                            QWidget* over) {
    const std::unique_ptr<Progress> progress =
        context_.dialogs.showProgress(over, {QStringLiteral("Vellumora"), doing, kProgressSteps});
    auto stage = [&progress](int from, int to) {
        return [&progress, from, to](qsizetype done, qsizetype total) {
            const qsizetype share = (to - from) * done / std::max<qsizetype>(total, 1);
            return !progress || progress->advance(from + int(share));
        };
    };
    BookLayout book(story_, device, optionsOf(choice));
    if (!book.layOut(stage(0, kLaidOutAt)))
        return Rendered::Cancelled;
    if (!painter.begin(&device))
        return Rendered::NotStarted;
    if (!paintBook(book, painter, device, stage(kLaidOutAt, kProgressSteps)))
        return Rendered::Cancelled;
    return Rendered::Done;
}

// --- Save as PDF ---

QString BookCommands::proposedPdfName(const QString& documentPath, const QString& title) {
    if (!documentPath.isEmpty()) {
        const QFileInfo document(documentPath);
        return document.dir().filePath(document.completeBaseName() + kPdfSuffix);
    }
    return QDir(files::existingDocumentsFolder()).filePath(fileNameFrom(title) + kPdfSuffix);
}

QString BookCommands::withPdfSuffix(const QString& path) {
    return path.endsWith(kPdfSuffix, Qt::CaseInsensitive) ? path : path + kPdfSuffix;
}

void BookCommands::saveAsPdf() {
    const std::optional<BookChoice> choice = askForBook();
    if (!choice)
        return;
    FileRequest request;
    request.filters = {QStringLiteral("PDF Files (*.pdf)")};
    request.fileName = proposedPdfName(files_.currentFileName(), choice->title);
    request.confirmOverwrite = true;
    request.folderMustExist = true;
    const std::optional<QString> chosen = context_.dialogs.saveFile(&window_, request);
    if (!chosen)
        return;
    // The save dialog asked about the name as typed; the name with ".pdf"
    // added is another file, and may be there already.
    const QString path = withPdfSuffix(*chosen);
    if (path != *chosen && QFileInfo::exists(path) && !confirmReplace(path))
        return;
    writePdf(path, *choice);
}

bool BookCommands::confirmReplace(const QString& path) {
    const MessageRequest request{
        .title = QStringLiteral("Vellumora"),
        .text =
            QStringLiteral("\"%1\" already exists.  Do you want to replace it?").arg(shown(path)),
        .icon = MessageIcon::Question,
        .buttons = MessageButtons::YesNo,
        .defaultButton = MessageButton::No};
    return context_.dialogs.message(&window_, request) == MessageButton::Yes;
}

// The PDF goes to a temporary file that replaces the chosen one only when
// the book is complete and on the disk: a cancelled or failed book leaves no
// half file, and an older file of that name stays as it was.
void BookCommands::writePdf(const QString& path, const BookChoice& choice) {
    QString reason;
    files::WholeFileWriter file(path);
    if (!file.start(&reason))
        return pdfFailed(path, reason);
    Rendered rendered = Rendered::NotStarted;
    {
        QPdfWriter writer(&file);
        writer.setTitle(choice.title.isEmpty() ? QFileInfo(path).completeBaseName() : choice.title);
        writer.setCreator(QStringLiteral("Vellumora"));
        writer.setPageSize(paperForPdf());
        writer.setPageMargins(QMarginsF());
        QPainter painter;
        rendered = render(writer, painter, choice, QStringLiteral("Saving your story as PDF..."),
                          &window_);
        if (painter.isActive())
            painter.end();
    }
    if (rendered == Rendered::NotStarted)
        pdfFailed(path, QStringLiteral("the PDF could not be started"));
    else if (rendered == Rendered::Done && !file.commit(&reason))
        pdfFailed(path, reason);
}

void BookCommands::pdfFailed(const QString& path, const QString& reason) {
    reportFailure(context_.dialogs, &window_,
                  QStringLiteral("Your story could not be saved as \"%1\".  The file could not be "
                                 "written: %2.")
                      .arg(shown(path), reason));
}

}  // namespace vellumora::book
