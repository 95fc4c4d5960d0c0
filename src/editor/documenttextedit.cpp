#include "editor/documenttextedit.h"

#include "textlayout/backgroundlayout.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QTextDocumentFragment>

namespace vellumora {

DocumentTextEdit::DocumentTextEdit(QWidget* parent) : QTextEdit(parent) {
    connect(document(), &QTextDocument::contentsChange, this,
            &DocumentTextEdit::finishLayoutBeforeTheChange);
}

// A change made while the layout is still at work in the background would
// end its work short of the end of the story. A change is told to the layout
// just after this signal, so the layout finishes first.
void DocumentTextEdit::finishLayoutBeforeTheChange() {
    textlayout::finishBackgroundLayout(*document());
}

void DocumentTextEdit::reserveKeys(const QList<QKeySequence>& keys) {
    for (const QKeySequence& key : keys)
        if (!key.isEmpty())
            reserved_.append(key[0]);
}

bool DocumentTextEdit::isReserved(const QKeyEvent* event) const {
    return reserved_.contains(event->keyCombination());
}

// Qt asks the focused widget first whether it wants a key that is also a
// shortcut; the text area claims its own editing keys (select all, copy,
// paste), so it declines the menu's keys to let the menu command run.
bool DocumentTextEdit::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride && isReserved(static_cast<QKeyEvent*>(event))) {
        event->ignore();
        return true;
    }
    return QTextEdit::event(event);
}

// A reserved key reaches the text area only while its menu command is
// disabled; then it does nothing at all.
void DocumentTextEdit::keyPressEvent(QKeyEvent* event) {
    if (isReserved(event)) {
        event->accept();
        return;
    }
    QTextEdit::keyPressEvent(event);
}

QMimeData* DocumentTextEdit::createMimeDataFromSelection() const {
    auto* data = new QMimeData;
    data->setText(textCursor().selection().toPlainText());
    return data;
}

bool DocumentTextEdit::canInsertFromMimeData(const QMimeData* source) const {
    return source->hasText();
}

// Inserted text takes the format of the insertion point, never its own.
void DocumentTextEdit::insertFromMimeData(const QMimeData* source) {
    if (!source->hasText())
        return;
    QTextCursor cursor = textCursor();
    cursor.insertText(source->text());
    setTextCursor(cursor);
}

}  // namespace vellumora
