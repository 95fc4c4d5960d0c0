#include "editor/documenttextedit.h"

#include "pictures/newpicture.h"
#include "pictures/picturestore.h"
#include "rtf/hiddentext.h"
#include "textlayout/backgroundlayout.h"
#include "textlayout/longwords.h"

#include <QDataStream>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>
#include <QTextDocumentFragment>
#include <QUrl>

namespace vellumora {

namespace {

// A selection with pictures as this program copies it: its text with a mark
// where each picture stands, and the name and shown size of each picture.
const QString kStoryFormat = QStringLiteral("application/x-vellumora-story");
constexpr QChar kPictureMark = QChar::ObjectReplacementCharacter;

struct PictureInText {
    QString name;
    QSizeF shown;
};

QDataStream& operator<<(QDataStream& out, const PictureInText& picture) {
    return out << picture.name << picture.shown;
}

QDataStream& operator>>(QDataStream& in, PictureInText& picture) {
    return in >> picture.name >> picture.shown;
}

/// The pictures of a selection, in order.
QList<PictureInText> picturesOf(const QTextCursor& selection) {
    QList<PictureInText> pictures;
    const QTextDocument* document = selection.document();
    const int start = selection.selectionStart(), end = selection.selectionEnd();
    for (QTextBlock block = document->findBlock(start); block.isValid() && block.position() < end;
         block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.charFormat().isImageFormat())
                continue;
            const QTextImageFormat format = fragment.charFormat().toImageFormat();
            for (int at = fragment.position(); at < fragment.position() + fragment.length(); ++at)
                if (at >= start && at < end)
                    pictures.append({format.name(), pictures::shownSize(format)});
        }
    }
    return pictures;
}

bool isImageFile(const QUrl& url) {
    static const QStringList kinds = pictures::imageFileSuffixes();
    return url.isLocalFile() && kinds.contains(QFileInfo(url.toLocalFile()).suffix().toLower());
}

QStringList imageFilesIn(const QMimeData* source) {
    QStringList paths;
    if (source->hasUrls())
        for (const QUrl& url : source->urls())
            if (isImageFile(url))
                paths << url.toLocalFile();
    return paths;
}

/// A picture from another program: an image without text beside it, or
/// with no more than the address it came from (as browsers copy one).
bool holdsPictureRatherThanText(const QMimeData* source) {
    if (!source->hasImage())
        return false;
    const QString text = source->text().trimmed();
    return text.isEmpty() || (!text.contains(u' ') && !text.contains(u'\n') && text.contains(u':'));
}

}  // namespace

DocumentTextEdit::DocumentTextEdit(QWidget* parent) : QTextEdit(parent) {
    // First, so that a change of wrap mode, which lays the story out anew,
    // is finished too before the change is laid out.
    textlayout::keepLongWordsCheap(*document());
    connect(document(), &QTextDocument::contentsChange, this,
            &DocumentTextEdit::finishLayoutBeforeTheChange);
    connect(this, &QTextEdit::currentCharFormatChanged, this,
            &DocumentTextEdit::typeVisibleBesideHiddenText);
}

// Hidden text a file brought in stays hidden, but what she types or pastes
// beside it or into it is hers to see: it would otherwise take the hidden
// mark from the text before the caret, and vanish from the story in any
// word processor that hides such text.
void DocumentTextEdit::typeVisibleBesideHiddenText(const QTextCharFormat& format) {
    if (rtf::isHiddenText(format))
        setCurrentCharFormat(rtf::withoutHiddenText(format));
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

// Other programs get the text without the pictures' marks; a picture alone
// goes as that picture.
QMimeData* DocumentTextEdit::createMimeDataFromSelection() const {
    auto* data = new QMimeData;
    const QTextCursor selection = textCursor();
    const QString text = selection.selection().toPlainText();
    if (const QString words = QString(text).remove(kPictureMark);
        !words.isEmpty() || text.isEmpty())
        data->setText(words);
    const QList<PictureInText> pictures = picturesOf(selection);
    if (pictures.isEmpty())
        return data;
    QByteArray story;
    QDataStream out(&story, QIODevice::WriteOnly);
    out << text << pictures;
    data->setData(kStoryFormat, story);
    if (text == kPictureMark)
        if (const pictures::PicturePtr picture = pictures::find(*document(), pictures[0].name))
            if (const QImage image = picture->image(); !image.isNull())
                data->setImageData(image);
    return data;
}

bool DocumentTextEdit::holdsPictures(const QMimeData* source) const {
    return source->hasImage() || source->hasFormat(kStoryFormat) || !imageFilesIn(source).isEmpty();
}

bool DocumentTextEdit::canInsertFromMimeData(const QMimeData* source) const {
    return source->hasText() || holdsPictures(source);
}

// Inserted text takes the format of the insertion point, never its own.
void DocumentTextEdit::insertFromMimeData(const QMimeData* source) {
    if (insertStory(source))
        return;
    if (const QStringList files = imageFilesIn(source); !files.isEmpty()) {
        emit imageFilesArrived(files);
        return;
    }
    if (holdsPictureRatherThanText(source)) {
        emit imageArrived(qvariant_cast<QImage>(source->imageData()));
        return;
    }
    if (!source->hasText())
        return;
    QTextCursor cursor = textCursor();
    cursor.insertText(source->text());
    setTextCursor(cursor);
}

// Text and pictures copied in this program, in one step; a picture this
// document does not keep (copied from an editor since closed) is left out.
bool DocumentTextEdit::insertStory(const QMimeData* source) {
    if (!source->hasFormat(kStoryFormat))
        return false;
    QDataStream in(source->data(kStoryFormat));
    QString text;
    QList<PictureInText> pictures;
    in >> text >> pictures;
    if (in.status() != QDataStream::Ok)
        return false;
    QTextCursor cursor = textCursor();
    const QTextCharFormat textFormat = pictures::textFormatOf(cursor.charFormat());
    cursor.beginEditBlock();
    qsizetype next = 0;
    for (const QStringView piece : QStringView(text).split(kPictureMark)) {
        cursor.insertText(piece.toString(), textFormat);
        if (piece.end() == text.constEnd())
            break;
        const PictureInText picture = pictures.value(next++);
        if (pictures::find(*document(), picture.name))
            cursor.insertImage(pictures::imageFormat(picture.name, picture.shown));
    }
    cursor.endEditBlock();
    setTextCursor(cursor);
    return true;
}

}  // namespace vellumora
