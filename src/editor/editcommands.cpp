#include "editor/editcommands.h"

#include "dialogs/dialogs.h"
#include "editor/documentfiles.h"
#include "editor/documenttextedit.h"
#include "editor/selectionformat.h"
#include "editor/textsearch.h"
#include "shell/appcontext.h"
#include "shell/session.h"
#include "spelling/checkspelling.h"
#include "zoom/zoomview.h"

#include <QClipboard>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>
#include <QPrinter>
#include <QTextCursor>
#include <QTextDocumentFragment>
#include <algorithm>

namespace vellumora {

EditCommands::EditCommands(AppContext& context, DocumentTextEdit& text, DocumentFiles& files,
                           QWidget& clientArea)
    : context_(context), text_(text), files_(files), clientArea_(clientArea) {}

// --- Clipboard: plain text, and pictures beside it ---

bool EditCommands::canCutOrCopy() const {
    return text_.textCursor().hasSelection();
}

bool EditCommands::canPaste() const {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && (!data->text().isEmpty() || text_.holdsPictures(data));
}

void EditCommands::copy() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setMimeData(text_.selectionData());
}

void EditCommands::cut() {
    copy();
    text_.textCursor().removeSelectedText();
}

// The pasted text takes the format of the insertion point.
void EditCommands::paste() {
    if (const QMimeData* data = QGuiApplication::clipboard()->mimeData())
        text_.insert(data);
}

// --- Find and Find Next ---

void EditCommands::find() {
    const std::optional<QString> answer =
        context_.dialogs.prompt(&text_, QStringLiteral("Find"), QStringLiteral("Find what?"));
    context_.session.searchText = answer.value_or(QString());
    searchFrom(0, "Find", "The search string was not found.");
}

void EditCommands::findNext() {
    searchFrom(editor::findNextStart(text_.textCursor().selectionStart()), "Find Next",
               "The search has been completed.");
}

void EditCommands::checkSpelling() {
    spelling::checkSpelling(text_, context_.speller, context_.dialogs);
}

// Positions count one character per line break on both sides: the search
// reads the text as the text area holds it, where a paragraph break is one
// character, so a match is selected exactly where it was found.
void EditCommands::searchFrom(qsizetype start, const char* title, const char* notFound) {
    const QString& needle = context_.session.searchText;
    const std::optional<qsizetype> found =
        editor::searchForward(text_.toPlainText(), needle, start);
    if (!found) {
        const MessageRequest request{.title = QString::fromLatin1(title),
                                     .text = QString::fromLatin1(notFound),
                                     .icon = MessageIcon::Information};
        context_.dialogs.message(&text_, request);
        return;
    }
    QTextCursor cursor = text_.textCursor();
    cursor.setPosition(int(*found));
    cursor.setPosition(int(*found + needle.size()), QTextCursor::KeepAnchor);
    text_.setTextCursor(cursor);
}

// --- Font and Color ---

namespace {

editor::SelectionFormat selectionFormatOf(const DocumentTextEdit& text) {
    return editor::readSelectionFormat(text.textCursor(), text.document()->defaultFont(),
                                       text.palette().color(QPalette::Text));
}

// The font dialog lists the installed fonts only. A family that is not
// installed (Arial, Times New Roman on most Linux machines) is offered as the
// font the machine draws in its place, so that its styles, Bold among them,
// are there to pick.
QString installedFamily(const QString& family) {
    if (QFontDatabase::hasFamily(family))
        return family;
    const QString drawn = QFontInfo(QFont(family)).family();
    return drawn.isEmpty() ? family : drawn;
}

}  // namespace

// A selection that mixes font attributes ends the command before the dialog.
// Strikeout and colour chosen in the dialog are not applied.
void EditCommands::chooseFont() {
    const editor::SelectionFormat current = selectionFormatOf(text_);
    if (!current.fontIsUniform())
        return;
    FontChoice initial;
    initial.family = installedFamily(*current.family);
    initial.bold = *current.bold;
    initial.italic = *current.italic;
    initial.pointSize = float(*current.pointSize);
    initial.underline = *current.underline;
    const std::optional<FontChoice> chosen = context_.dialogs.chooseFont(&text_, initial);
    if (!chosen)
        return;
    // The stand-in kept as offered leaves the document its own font name,
    // which the machines the document travels to know.
    QTextCharFormat format;
    format.setFontFamilies({chosen->family == initial.family ? *current.family : chosen->family});
    format.setFontWeight(chosen->bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(chosen->italic);
    format.setFontPointSize(chosen->pointSize);
    format.setFontUnderline(chosen->underline);
    text_.mergeCurrentCharFormat(format);
}

// Only a colour that differs from the selection's marks the document modified.
void EditCommands::chooseColor() {
    const std::optional<QColor> current = selectionFormatOf(text_).color;
    if (!current)
        return;
    const std::optional<QColor> chosen = context_.dialogs.chooseColor(&text_, *current);
    if (!chosen || chosen->rgb() == current->rgb())
        return;
    QTextCharFormat format;
    format.setForeground(*chosen);
    text_.mergeCurrentCharFormat(format);
    files_.markModified();
}

// --- Print ---

// The client area as it shows on screen, at its size on screen where the
// page allows, otherwise shrunk to fit the one page.
void EditCommands::print() {
    QPrinter printer(QPrinter::HighResolution);
    if (!context_.dialogs.setUpPrinter(&clientArea_, printer))
        return;
    QPainter painter;
    if (!painter.begin(&printer)) {
        const MessageRequest request{
            .title = QStringLiteral("Print"),
            .text = QStringLiteral("The document could not be printed: the printer "
                                   "could not be started."),
            .icon = MessageIcon::Warning};
        context_.dialogs.message(&clientArea_, request);
        return;
    }
    // The document is printed as it is, not as the view shows it.
    const zoom::AsDocumentWhile asDocument(text_);
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    const QSize client = clientArea_.size();
    const qreal scale =
        std::min({qreal(printer.logicalDpiX()) / clientArea_.logicalDpiX(),
                  qreal(page.width()) / client.width(), qreal(page.height()) / client.height()});
    painter.scale(scale, scale);
    clientArea_.render(&painter, QPoint(), QRegion(), QWidget::DrawChildren);
    painter.end();
}

}  // namespace vellumora
