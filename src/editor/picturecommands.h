#pragma once

#include "pictures/newpicture.h"

#include <QObject>
#include <QPoint>
#include <QStringList>
#include <optional>

class QImage;
class QMenu;

namespace vellumora {

struct AppContext;
class DocumentTextEdit;

/**
 * Photos in the story: Insert, Photo..., image files dropped on the text,
 * pictures pasted from other programs, and the sizes a picture's context
 * menu offers. A new picture stands in a paragraph of its own, and the caret
 * waits under it, where she types its caption as any other text.
 */
class PictureCommands : public QObject {
    Q_OBJECT

public:
    PictureCommands(AppContext& context, DocumentTextEdit& text);

    /// Insert, Photo...: the picture dialog, then the photo chosen at the caret.
    void insertPhoto();
    /// Each file's picture at the caret; a file that is no picture is told of.
    void insertFiles(const QStringList& paths);
    /// A picture from another program at the caret.
    void insertImage(const QImage& image);

    /// The position of the picture under a point of the text area's
    /// viewport, if a picture is there.
    std::optional<int> pictureAt(QPoint viewportPoint) const;
    /// Shows the picture at a position at one of the offered sizes, in its own proportions.
    void showAt(int position, pictures::ShownSize size);
    /// Small, Medium, Large and Full width for the picture under the point,
    /// at the top of its context menu; nothing elsewhere.
    void addSizeEntries(QMenu& menu, QPoint viewportPoint);

private:
    void insert(const pictures::PicturePtr& picture);
    void report(const QString& path, const QString& reason);

    AppContext& context_;
    DocumentTextEdit& text_;
};

}  // namespace vellumora
