#include "rtf/notes.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>

namespace vellumora::rtf {

Notes::Notes(DocumentBuilder& body)
    : body_(body.document()), records_(body.records()), recording_(body.recordingBounds()) {}

Notes::~Notes() = default;

DocumentBuilder& Notes::output() {
    if (!builder_ && !body_) {
        builder_ = records_ ? std::make_unique<DocumentBuilder>(recording_)
                            : std::make_unique<DocumentBuilder>();
    } else if (!builder_) {
        document_ = std::make_unique<QTextDocument>();
        builder_ = std::make_unique<DocumentBuilder>(*document_, body_);
    }
    paragraphOpen_ = true;
    return *builder_;
}

void Notes::endParagraph(const CharStyle& style) {
    output().endParagraph(style);
    paragraphOpen_ = false;
}

void Notes::endNote(const CharStyle& style) {
    if (paragraphOpen_) {
        endParagraph(style);
    }
}

QString Notes::mark(bool insideNote) {
    if (!insideNote) {
        ++count_;
    }
    return count_ > 0 ? QString::number(count_) : QString();
}

void Notes::appendTo(DocumentBuilder& builder) {
    if (!builder_) {
        return;
    }
    builder_->finish(true);
    if (!builder.document()) {
        builder.countAlso(builder_->tally());
        if (builder.records()) {
            builder.attachAfter(std::move(builder_));
        }
        return;
    }
    appendDocument(*builder.document(), *document_);
}

void Notes::replay(DocumentBuilder& recorded, DocumentBuilder& body) {
    if (!body.document()) {
        return;
    }
    QTextDocument notes;
    DocumentBuilder builder(notes, body.document());
    recorded.replayInto(builder);
    appendDocument(*body.document(), notes);
}

void Notes::appendDocument(QTextDocument& target, const QTextDocument& notes) {
    if (notes.isEmpty()) {
        return;
    }
    // The notes are part of what was read, not a step the user can undo.
    const bool undoWasEnabled = target.isUndoRedoEnabled();
    target.setUndoRedoEnabled(false);
    QTextCursor cursor(&target);
    cursor.movePosition(QTextCursor::End);
    if (!cursor.block().text().isEmpty()) {
        cursor.insertBlock();
    }
    cursor.insertFragment(QTextDocumentFragment(&notes));
    target.setUndoRedoEnabled(undoWasEnabled);
}

}  // namespace vellumora::rtf
