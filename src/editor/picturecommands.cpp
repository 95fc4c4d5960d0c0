#include "editor/picturecommands.h"

#include "dialogs/dialogs.h"
#include "editor/documenttextedit.h"
#include "files/userplaces.h"
#include "shell/appcontext.h"

#include <QAbstractTextDocumentLayout>
#include <QActionGroup>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QMenu>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTextCursor>
#include <QTextDocument>

namespace vellumora {

namespace {

using pictures::ShownSize;

struct SizeEntry {
    ShownSize size;
    const char* name;
    const char* caption;
};

constexpr SizeEntry kSizes[] = {
    {ShownSize::Small, "pictureSmall", "Small"},
    {ShownSize::Medium, "pictureMedium", "Medium"},
    {ShownSize::Large, "pictureLarge", "Large"},
    {ShownSize::FullWidth, "pictureFullWidth", "Full width"},
};

/// The cursor that selects the character at a position.
QTextCursor characterAt(QTextDocument& document, int position) {
    QTextCursor cursor(&document);
    cursor.setPosition(position);
    cursor.setPosition(position + 1, QTextCursor::KeepAnchor);
    return cursor;
}

bool isPictureAt(QTextDocument& document, int position) {
    return position >= 0 && position + 1 < document.characterCount() &&
           document.characterAt(position) == QChar::ObjectReplacementCharacter &&
           characterAt(document, position).charFormat().isImageFormat();
}

const QString kPhotoFolderKey = QStringLiteral("pictures/folder");

// The folder she chose a photo from last; her Pictures folder the first time.
QString folderToOpen() {
    return files::Settings()
        .value(kPhotoFolderKey, QStandardPaths::writableLocation(QStandardPaths::PicturesLocation))
        .toString();
}

}  // namespace

PictureCommands::PictureCommands(AppContext& context, DocumentTextEdit& text)
    : QObject(&text), context_(context), text_(text) {
    connect(&text_, &DocumentTextEdit::imageFilesArrived, this, &PictureCommands::insertFiles);
    connect(&text_, &DocumentTextEdit::imageArrived, this, &PictureCommands::insertImage);
}

void PictureCommands::insertPhoto() {
    const std::optional<QString> path =
        context_.dialogs.openImage(&text_, ImageRequest{folderToOpen()});
    if (!path)
        return;
    files::Settings().setValue(kPhotoFolderKey, QFileInfo(*path).absolutePath());
    insertFiles({*path});
}

void PictureCommands::insertFiles(const QStringList& paths) {
    for (const QString& path : paths) {
        const pictures::NewPicture made = pictures::fromFile(path);
        if (made.picture)
            insert(made.picture);
        else
            report(path, made.error);
    }
}

void PictureCommands::insertImage(const QImage& image) {
    const pictures::NewPicture made = pictures::fromImage(image);
    if (made.picture)
        insert(made.picture);
    else
        report({}, made.error);
}

// One step to undo: the picture in a paragraph of its own, and the caret at
// the start of the paragraph under it, in the text's own format.
void PictureCommands::insert(const pictures::PicturePtr& picture) {
    QTextDocument& document = *text_.document();
    QTextCursor cursor = text_.textCursor();
    const QTextCharFormat textFormat = pictures::textFormatOf(cursor.charFormat());
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    if (!cursor.atBlockStart())
        cursor.insertBlock(cursor.blockFormat(), textFormat);
    const QString name = pictures::add(document, picture);
    cursor.insertImage(pictures::imageFormat(name, pictures::firstShownSize(*picture)));
    cursor.insertBlock(cursor.blockFormat(), textFormat);
    cursor.endEditBlock();
    text_.setTextCursor(cursor);
    text_.setCurrentCharFormat(textFormat);
    text_.ensureCursorVisible();
}

void PictureCommands::report(const QString& path, const QString& reason) {
    const QString what = path.isEmpty()
                             ? QStringLiteral("The picture could not be inserted: %1.").arg(reason)
                             : QStringLiteral("The picture \"%1\" could not be inserted: %2.")
                                   .arg(QDir::toNativeSeparators(path), reason);
    reportFailure(context_.dialogs, &text_, what);
}

// --- Sizes ---

std::optional<int> PictureCommands::pictureAt(QPoint viewportPoint) const {
    QTextDocument& document = *text_.document();
    const QPointF inDocument = viewportPoint + QPointF(text_.horizontalScrollBar()->value(),
                                                       text_.verticalScrollBar()->value());
    const int position = document.documentLayout()->hitTest(inDocument, Qt::ExactHit);
    // Over a picture's right half the nearest position is the one after it.
    for (const int candidate : {position, position - 1})
        if (position >= 0 && isPictureAt(document, candidate))
            return candidate;
    return std::nullopt;
}

void PictureCommands::showAt(int position, ShownSize size) {
    QTextDocument& document = *text_.document();
    if (!isPictureAt(document, position))
        return;
    QTextCursor cursor = characterAt(document, position);
    QTextImageFormat format = cursor.charFormat().toImageFormat();
    const QSizeF shown = pictures::shownAt(size, pictures::shownSize(format));
    format.setWidth(shown.width());
    format.setHeight(shown.height());
    cursor.setCharFormat(format);
}

void PictureCommands::addSizeEntries(QMenu& menu, QPoint viewportPoint) {
    const std::optional<int> position = pictureAt(viewportPoint);
    if (!position)
        return;
    const QSizeF shown =
        pictures::shownSize(characterAt(*text_.document(), *position).charFormat().toImageFormat());
    const std::optional<ShownSize> current = pictures::shownSizeOf(shown, shown);
    QAction* first = menu.actions().value(0);
    auto* group = new QActionGroup(&menu);
    for (const SizeEntry& entry : kSizes) {
        QAction* action = group->addAction(QString::fromLatin1(entry.caption));
        action->setObjectName(QLatin1StringView(entry.name));
        action->setCheckable(true);
        action->setChecked(current == entry.size);
        connect(action, &QAction::triggered, this,
                [this, at = *position, size = entry.size] { showAt(at, size); });
        menu.insertAction(first, action);
    }
    menu.insertSeparator(first);
}

}  // namespace vellumora
