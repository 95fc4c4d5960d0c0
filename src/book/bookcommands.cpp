#include "book/bookcommands.h"

#include "book/booklayout.h"
#include "book/typesetbook.h"
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
#include <QSettings>
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
    settings.setValue(QStringLiteral("dedication"), choice.dedication);
    settings.setValue(QStringLiteral("style"), int(choice.style));
    settings.setValue(QStringLiteral("includeUnanswered"), choice.includeUnanswered);
    settings.setValue(QStringLiteral("paper"), int(choice.paper));
    settings.setValue(QStringLiteral("twoSided"), choice.twoSided);
    settings.setValue(QStringLiteral("largePrint"), choice.largePrint);
}

/// A remembered value of an enum, or the default where the settings hold
/// none or one the program does not know.
template <typename Enum>
Enum rememberedEnum(const QSettings& settings, const QString& key, Enum last, Enum fallback) {
    bool ok = false;
    const int value = settings.value(key).toInt(&ok);
    return ok && value >= 0 && value <= int(last) ? Enum(value) : fallback;
}

BookOptions optionsOf(const BookChoice& choice) {
    BookOptions options{choice.title, choice.author, choice.titlePage, choice.contentsPage,
                        choice.dedication};
    options.includeUnanswered = choice.includeUnanswered;
    options.twoSided = choice.twoSided;
    options.largePrint = choice.largePrint;
    return options;
}

QString shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

// Letter where the system's measures are American, A4 everywhere else.
BookPaper usualPaper() {
    return QLocale::system().measurementSystem() == QLocale::ImperialUSSystem ? BookPaper::Letter
                                                                              : BookPaper::A4;
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

// The print job is named after the book and starts on the book's paper.
void prepare(QPrinter& printer, const BookChoice& choice) {
    printer.setDocName(choice.title);
    printer.setPageSize(BookCommands::pageSizeOf(choice.paper));
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
    choice.dedication = settings.value(QStringLiteral("dedication")).toString();
    choice.style = rememberedEnum(settings, QStringLiteral("style"), BookStyle::AsInTheEditor,
                                  BookStyle::Book);
    choice.includeUnanswered = settings.value(QStringLiteral("includeUnanswered"), false).toBool();
    choice.paper =
        rememberedEnum(settings, QStringLiteral("paper"), BookPaper::SixByNineInches, usualPaper());
    choice.twoSided = settings.value(QStringLiteral("twoSided"), false).toBool();
    choice.largePrint = settings.value(QStringLiteral("largePrint"), false).toBool();
    return choice;
}

QPageSize BookCommands::pageSizeOf(BookPaper paper) {
    switch (paper) {
        case BookPaper::A4:
            break;
        case BookPaper::Letter:
            return QPageSize(QPageSize::Letter);
        case BookPaper::A5:
            return QPageSize(QPageSize::A5);
        case BookPaper::SixByNineInches:
            return QPageSize(QSizeF(6, 9), QPageSize::Inch, QStringLiteral("6 × 9 in"));
    }
    return QPageSize(QPageSize::A4);
}

// The answers are remembered even when she goes to check her spelling
// first, so that the book is made as she set it when she comes back; once
// the check has run to its end the dialog comes back with the new count.
std::optional<BookChoice> BookCommands::askForBook() {
    for (;;) {
        BookChoice initial = rememberedChoice();
        if (spelling_.misspelledWords)
            initial.misspelledWords = spelling_.misspelledWords();
        const std::optional<BookChoice> choice = context_.dialogs.chooseBook(&window_, initial);
        if (!choice)
            return std::nullopt;
        remember(*choice);
        if (choice->then == BookChoice::Then::MakeBook)
            return choice;
        if (!checkSpellingFirst())
            return std::nullopt;
    }
}

bool BookCommands::checkSpellingFirst() {
    return spelling_.check && spelling_.check();
}

std::unique_ptr<Book> BookCommands::bookFor(QPaintDevice& device, const BookChoice& choice) const {
    if (choice.style == BookStyle::AsInTheEditor)
        return std::make_unique<BookLayout>(story_, device, optionsOf(choice));
    return std::make_unique<TypesetBook>(story_, device, optionsOf(choice));
}

// --- Print and preview ---

void BookCommands::printWholeStory() {
    const std::optional<BookChoice> choice = askForBook();
    if (!choice)
        return;
    QPrinter printer(QPrinter::HighResolution);
    prepare(printer, *choice);
    if (choice->twoSided)
        printer.setDuplex(QPrinter::DuplexLongSide);
    if (!context_.dialogs.setUpPrinter(&window_, printer))
        return;
    printOn(printer, *choice, QStringLiteral("Printing your story..."), &window_);
}

void BookCommands::preview() {
    const std::optional<BookChoice> choice = askForBook();
    if (!choice)
        return;
    QPrinter printer(QPrinter::HighResolution);
    prepare(printer, *choice);
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
    const std::unique_ptr<Book> book = bookFor(device, choice);
    if (!book->layOut(stage(0, kLaidOutAt)))
        return Rendered::Cancelled;
    if (!painter.begin(&device))
        return Rendered::NotStarted;
    if (!paintBook(*book, painter, device, stage(kLaidOutAt, kProgressSteps)))
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
        writer.setPageSize(pageSizeOf(choice.paper));
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
    else if (rendered == Rendered::Done)
        tellWhereItWent(path);
}

// A PDF saved somewhere she did not look is a book lost: the message names
// its folder too, and opens it for her.
void BookCommands::tellWhereItWent(const QString& path) {
    const QFileInfo pdf(path);
    const MessageRequest request{
        .title = QStringLiteral("Vellumora"),
        .text = QStringLiteral("Your story was saved as \"%1\" in the folder \"%2\".\n\nDo you "
                               "want to open it now?")
                    .arg(pdf.fileName(), shown(pdf.absolutePath())),
        .icon = MessageIcon::Information,
        .buttons = MessageButtons::YesNo,
        .defaultButton = MessageButton::Yes};
    if (context_.dialogs.message(&window_, request) != MessageButton::Yes)
        return;
    if (!context_.dialogs.openWithDesktop(path))
        reportFailure(context_.dialogs, &window_,
                      QStringLiteral("\"%1\" could not be opened: no program to show PDF files "
                                     "was found.")
                          .arg(shown(path)));
}

void BookCommands::pdfFailed(const QString& path, const QString& reason) {
    reportFailure(context_.dialogs, &window_,
                  QStringLiteral("Your story could not be saved as \"%1\".  The file could not be "
                                 "written: %2.")
                      .arg(shown(path), reason));
}

}  // namespace vellumora::book
