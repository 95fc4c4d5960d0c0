#include "dialogs/qtdialogs.h"

#include "dialogs/bookdialog.h"
#include "dialogs/spellingdialog.h"
#include "files/userplaces.h"
#include "pictures/newpicture.h"

#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QGuiApplication>
#include <QProgressDialog>
#include <QScreen>
#include <QTextEdit>
#include <QUrl>

namespace vellumora {

namespace {

QMessageBox::Icon toQtIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Question:
            return QMessageBox::Question;
        case MessageIcon::Warning:
            return QMessageBox::Warning;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton toQtButton(MessageButton button) {
    switch (button) {
        case MessageButton::Yes:
            return QMessageBox::Yes;
        case MessageButton::No:
            return QMessageBox::No;
        case MessageButton::Cancel:
            return QMessageBox::Cancel;
        case MessageButton::Ok:
            break;
    }
    return QMessageBox::Ok;
}

QMessageBox::StandardButtons toQtButtons(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::YesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case MessageButtons::YesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case MessageButtons::Ok:
            break;
    }
    return QMessageBox::Ok;
}

// Escape (or the close box) on a box without Cancel answers with the last
// button offered, which is No or OK: the safe choice in every question asked.
MessageButton fromQtButton(int pressed, MessageButtons offered) {
    switch (pressed) {
        case QMessageBox::Yes:
            return MessageButton::Yes;
        case QMessageBox::No:
            return MessageButton::No;
        case QMessageBox::Cancel:
            return MessageButton::Cancel;
        case QMessageBox::Ok:
            return MessageButton::Ok;
        default:
            break;
    }
    return safestAnswer(offered);
}

// With no name proposed, a file dialog opens in the user's documents rather
// than wherever the program happened to be started.
void startIn(QFileDialog& dialog, const QString& fileName) {
    if (!fileName.isEmpty()) {
        dialog.selectFile(fileName);
        return;
    }
    dialog.setDirectory(files::existingDocumentsFolder());
}

// Shows a prepared open or save dialog; the chosen file, or nullopt.
std::optional<QString> chosenFile(QFileDialog& dialog, const FileRequest& request) {
    dialog.setNameFilters(request.filters);
    startIn(dialog, request.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

// Every picture the program reads under one filter first, then the common
// kinds one by one. JPEG, PNG, BMP, GIF and WebP are named whether or not this
// machine's Qt reads them all: a file it cannot read is told as such.
QStringList imageFilters() {
    QStringList patterns;
    for (const QString& suffix : pictures::imageFileSuffixes())
        patterns << QStringLiteral("*.") + suffix;
    return {QStringLiteral("Pictures (%1)").arg(patterns.join(u' ')),
            QStringLiteral("JPEG Pictures (*.jpg *.jpeg)"),
            QStringLiteral("PNG Pictures (*.png)"),
            QStringLiteral("BMP Pictures (*.bmp)"),
            QStringLiteral("GIF Pictures (*.gif)"),
            QStringLiteral("WebP Pictures (*.webp)"),
            QStringLiteral("All Files (*)")};
}

QPoint centredOver(const QWidget* parent, QSize size) {
    const QRect over = parent ? parent->window()->frameGeometry()
                              : QGuiApplication::primaryScreen()->availableGeometry();
    return over.center() - QPoint(size.width() / 2, size.height() / 2);
}

// Where the selected text of a text area shows, in screen coordinates.
QRect selectionOnScreen(const QTextEdit& edit) {
    QTextCursor start = edit.textCursor();
    QTextCursor end = start;
    start.setPosition(start.selectionStart());
    end.setPosition(end.selectionEnd());
    const QRect inViewport = edit.cursorRect(start).united(edit.cursorRect(end));
    return QRect(edit.viewport()->mapToGlobal(inViewport.topLeft()), inViewport.size());
}

// The place moved just below the word, or just above it where the screen
// ends, when it would cover the word.
QRect clearOf(QRect place, const QRect& word, const QRect& screen) {
    constexpr int kGap = 16;
    if (!place.intersects(word.adjusted(-kGap, -kGap, kGap, kGap)))
        return place;
    if (word.bottom() + kGap + place.height() <= screen.bottom())
        place.moveTop(word.bottom() + kGap);
    else
        place.moveBottom(word.top() - kGap);
    return place;
}

// A progress window that stays hidden unless the task runs longer than a
// moment. Being window-modal, it lets the program answer its Cancel button
// between two steps. A task that cannot be cancelled shows its window at
// once, without the button, and keeps every other window from input.
class QtProgress final : public Progress {
public:
    QtProgress(QWidget* parent, const ProgressRequest& request)
        : dialog_(request.label, QStringLiteral("Cancel"), 0, request.maximum, parent) {
        dialog_.setWindowTitle(request.title);
        dialog_.setWindowModality(Qt::WindowModal);
        dialog_.setMinimumDuration(kShowAfterMs);
        if (!request.canCancel) {
            dialog_.setCancelButton(nullptr);
            dialog_.setWindowModality(Qt::ApplicationModal);
            dialog_.setMinimumDuration(0);
            dialog_.setAutoClose(false);
        }
        dialog_.setAutoReset(false);
        dialog_.setValue(0);  // starts the clock for the minimum duration
    }
    bool advance(int done) override {
        dialog_.setValue(done);
        return !dialog_.wasCanceled();
    }

private:
    static constexpr int kShowAfterMs = 700;
    QProgressDialog dialog_;
};

}  // namespace

MessageButton QtDialogs::message(QWidget* parent, const MessageRequest& request) {
    QMessageBox box(toQtIcon(request.icon), request.title, request.text,
                    toQtButtons(request.buttons), parent);
    box.setDefaultButton(toQtButton(request.defaultButton));
    return fromQtButton(box.exec(), request.buttons);
}

std::optional<QString> QtDialogs::prompt(QWidget* parent, const QString& title,
                                         const QString& label) {
    bool ok = false;
    const QString text =
        QInputDialog::getText(parent, title, label, QLineEdit::Normal, QString(), &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

std::optional<QString> QtDialogs::openFile(QWidget* parent, const FileRequest& request) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return chosenFile(dialog, request);
}

std::optional<QString> QtDialogs::saveFile(QWidget* parent, const FileRequest& request) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // A missing folder is refused by the AnyFile mode of the save dialog itself.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    // The dialog adds the suffix before it asks about replacing a file, so
    // the question is about the file that will be written.
    dialog.setDefaultSuffix(request.defaultSuffix);
    return chosenFile(dialog, request);
}

std::optional<QString> QtDialogs::openImage(QWidget* parent, const ImageRequest& request) {
    QFileDialog dialog(parent, QStringLiteral("Insert a Photo"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(imageFilters());
    dialog.setDirectory(QDir(request.folder).exists() ? request.folder : QDir::homePath());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

std::optional<FontChoice> QtDialogs::chooseFont(QWidget* parent, const FontChoice& initial) {
    QFont start(initial.family);
    start.setPointSizeF(initial.pointSize);
    start.setBold(initial.bold);
    start.setItalic(initial.italic);
    start.setUnderline(initial.underline);
    start.setStrikeOut(initial.strikeOut);
    bool ok = false;
    const QFont chosen =
        QFontDialog::getFont(&ok, start, parent, QString(), QFontDialog::ScalableFonts);
    if (!ok)
        return std::nullopt;
    FontChoice choice;
    choice.family = chosen.family();
    choice.pointSize = chosen.pointSizeF();
    choice.bold = chosen.bold();
    choice.italic = chosen.italic();
    choice.underline = chosen.underline();
    choice.strikeOut = chosen.strikeOut();
    return choice;
}

std::optional<QColor> QtDialogs::chooseColor(QWidget* parent, const QColor& initial) {
    const QColor chosen = QColorDialog::getColor(initial, parent);
    if (!chosen.isValid())
        return std::nullopt;
    return chosen;
}

bool QtDialogs::setUpPrinter(QWidget* parent, QPrinter& printer) {
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

void QtDialogs::previewPrint(QWidget* parent, QPrinter& printer, const PaintPages& paint) {
    QPrintPreviewDialog dialog(&printer, parent);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&paint, &dialog](QPrinter* target) { paint(*target, &dialog); });
    // Big enough to read a page; the preview opens at the parent's size.
    if (parent)
        dialog.resize(parent->window()->size().expandedTo(QSize(800, 600)));
    dialog.exec();
}

std::optional<BookChoice> QtDialogs::chooseBook(QWidget* parent, const BookChoice& initial) {
    BookDialog dialog(initial, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.choice();
}

SpellingAnswer QtDialogs::checkSpelling(QWidget* parent, const SpellingRequest& request) {
    SpellingDialog dialog(request, parent);
    dialog.adjustSize();
    // One word after another, the question stays where she put it, unless
    // it would hide the word it asks about.
    QRect place(spellingPlace_.value_or(centredOver(parent, dialog.size())), dialog.size());
    if (const auto* edit = qobject_cast<const QTextEdit*>(parent))
        place = clearOf(place, selectionOnScreen(*edit), edit->screen()->availableGeometry());
    dialog.move(place.topLeft());
    dialog.exec();
    spellingPlace_ = dialog.pos();
    return dialog.answer();
}

bool QtDialogs::openWithDesktop(const QString& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

std::unique_ptr<Progress> QtDialogs::showProgress(QWidget* parent, const ProgressRequest& request) {
    return std::make_unique<QtProgress>(parent, request);
}

}  // namespace vellumora
