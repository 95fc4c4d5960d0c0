#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <functional>
#include <memory>
#include <optional>

class QPrinter;
class QWidget;

namespace vellumora {

/// The icon a message box shows.
enum class MessageIcon { None, Information, Question, Warning };

/// The buttons a message box offers, and the one the user pressed.
enum class MessageButtons { Ok, YesNo, YesNoCancel };
enum class MessageButton { Ok, Yes, No, Cancel };

/// The answer that changes nothing, given for a box closed without a button:
/// Cancel where offered, else No, else OK.
constexpr MessageButton safestAnswer(MessageButtons offered) {
    switch (offered) {
        case MessageButtons::YesNoCancel:
            return MessageButton::Cancel;
        case MessageButtons::YesNo:
            return MessageButton::No;
        case MessageButtons::Ok:
            break;
    }
    return MessageButton::Ok;
}

/// Everything a message box is asked to show.
struct MessageRequest {
    QString title;
    QString text;
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
    MessageButton defaultButton = MessageButton::Ok;
};

/// What the open and save dialogs are asked to show. The filters are Qt name
/// filters such as "Data Files (*.dat)"; the first one is selected.
struct FileRequest {
    QStringList filters;
    QString fileName;
    bool confirmOverwrite = false;  ///< ask before an existing file is replaced
    bool folderMustExist = false;   ///< refuse a folder that does not exist
    /// For the save dialog: the extension (without its point) given to a
    /// name typed without one; empty gives none.
    QString defaultSuffix;
};

/**
 * The path as the save dialog hands it back for a request's default suffix:
 * a file name with no point in it gets the point and the suffix ("My Life
 * Story" becomes "My Life Story.rtf"), any other stays as it is ("Notes.txt").
 */
inline QString withDefaultSuffix(const QString& path, const QString& suffix) {
    const qsizetype nameStart = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\')) + 1;
    if (suffix.isEmpty() || path.size() == nameStart || path.indexOf(u'.', nameStart) >= 0)
        return path;
    return path + u'.' + suffix;
}

/// What the open dialog for a picture is asked: the folder it opens in.
struct ImageRequest {
    QString folder;
};

/// The font attributes the font dialog starts from and hands back.
struct FontChoice {
    QString family;
    qreal pointSize = 12;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
};

/// How the book is set: as a book, or page by page as the editor shows the story.
enum class BookStyle { Book, AsInTheEditor };
/// The paper the book is made for.
enum class BookPaper { A4, Letter, A5, SixByNineInches };

/// What the book dialog asks before the whole story is printed or saved as
/// PDF: the title page's words, which front pages the book has, its style,
/// paper and type. The dialog starts from one and hands one back.
struct BookChoice {
    QString title = {};
    QString author = {};
    bool titlePage = true;
    bool contentsPage = true;
    QString dedication = {};
    BookStyle style = BookStyle::Book;
    bool includeUnanswered = false;
    BookPaper paper = BookPaper::A4;
    bool twoSided = false;
    bool largePrint = false;
    /// For the dialog to tell: the words of the story that may be
    /// misspelled; -1 when not known, and nothing is said.
    int misspelledWords = -1;
    /// What she chose to do: make the book, or check the spelling first.
    enum class Then { MakeBook, CheckSpellingFirst } then = Then::MakeBook;
};

/// A word the spelling check stopped at: the word in its paragraph and the
/// dictionary's suggestions for it.
struct SpellingRequest {
    QString word;
    QString paragraph;
    int offsetInParagraph = 0;  ///< where the word starts in the paragraph
    QStringList suggestions;
};

/// What she decided for a word; Stop ends the check.
enum class SpellingAction { Change, ChangeAll, Ignore, IgnoreAll, AddToDictionary, Stop };

struct SpellingAnswer {
    SpellingAction action = SpellingAction::Stop;
    QString replacement;  ///< the word's new spelling, for the two Change actions
};

/// What a progress window shows while a long task runs.
struct ProgressRequest {
    QString title;
    QString label;
    int maximum = 100;
    /// A task that cannot stop halfway (reading a file into the editor)
    /// shows no Cancel button and shows at once; advance() then never fails.
    bool canCancel = true;
};

/// Draws a book's pages on the printer it is handed. `over` is the window
/// that shows while it paints (the print preview, when there is one), for a
/// progress window to open over.
using PaintPages = std::function<void(QPrinter& printer, QWidget* over)>;

/// The progress window of one task; it closes when this object goes.
class Progress {
public:
    virtual ~Progress() = default;
    /// Shows that `done` of the maximum is done; false once the user has cancelled.
    virtual bool advance(int done) = 0;
};

/**
 * Every modal interaction of the program: message boxes, the one-line text
 * prompt, the file, picture, font, colour and print dialogs, the print
 * preview, the book dialog, the spelling check's question and the progress
 * window of a long task. Screens receive one instance when they are built; the production implementation shows Qt's
 * dialogs, the tests pass a scripted one that answers from a queue.
 *
 * Every chooser returns std::nullopt (or false) when the user cancels.
 */
class Dialogs {
public:
    virtual ~Dialogs() = default;

    virtual MessageButton message(QWidget* parent, const MessageRequest& request) = 0;
    /// The one-line prompt; nullopt on Cancel.
    virtual std::optional<QString> prompt(QWidget* parent, const QString& title,
                                          const QString& label) = 0;
    virtual std::optional<QString> openFile(QWidget* parent, const FileRequest& request) = 0;
    virtual std::optional<QString> saveFile(QWidget* parent, const FileRequest& request) = 0;
    /// The open dialog for a picture, offering the image files the program reads.
    virtual std::optional<QString> openImage(QWidget* parent, const ImageRequest& request) = 0;
    virtual std::optional<FontChoice> chooseFont(QWidget* parent, const FontChoice& initial) = 0;
    virtual std::optional<QColor> chooseColor(QWidget* parent, const QColor& initial) = 0;
    /// Shows the print dialog over the given printer; false when cancelled.
    virtual bool setUpPrinter(QWidget* parent, QPrinter& printer) = 0;
    /// The print preview over the given printer. paint draws the pages on the
    /// printer it is handed, whenever the preview, or printing from it, needs them.
    virtual void previewPrint(QWidget* parent, QPrinter& printer, const PaintPages& paint) = 0;
    /// The book's title page words and front pages, starting from initial.
    virtual std::optional<BookChoice> chooseBook(QWidget* parent, const BookChoice& initial) = 0;
    /// The spelling check's question about one word; Stop when she closes it.
    virtual SpellingAnswer checkSpelling(QWidget* parent, const SpellingRequest& request) = 0;
    /// Opens a file the program made (the book's PDF) in the program the
    /// desktop opens such files with; false when none could be started.
    virtual bool openWithDesktop(const QString& path) = 0;
    /// The progress window of a task that may take long. The production
    /// window appears only once the task has run for a moment, so a short
    /// task shows nothing.
    virtual std::unique_ptr<Progress> showProgress(QWidget* parent,
                                                   const ProgressRequest& request) = 0;
};

/// Tells of something that went wrong, in a warning box titled with the
/// program's name.
inline void reportFailure(Dialogs& dialogs, QWidget* parent, const QString& text) {
    dialogs.message(
        parent, {.title = QStringLiteral("Vellumora"), .text = text, .icon = MessageIcon::Warning});
}

}  // namespace vellumora
