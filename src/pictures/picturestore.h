#pragma once

#include "pictures/picture.h"

#include <QString>
#include <QTextImageFormat>

#include <memory>

class QTextDocument;

namespace vellumora::pictures {

using PicturePtr = std::shared_ptr<const Picture>;

/**
 * The pictures of a text document live beside its text, each under the name
 * its image format carries, as a resource of the document: they go with the
 * document's copies (QTextDocument::clone) and with undo, and a new content
 * (QTextDocument::clear) lets them go. The name is one no other picture of
 * the program has, so a picture can move between documents by its name.
 */
/// Keeps the picture with the document; the name it is kept under.
QString add(QTextDocument& document, PicturePtr picture);
/// Keeps the picture with the document under a name it had in another one.
void addAs(QTextDocument& document, const QString& name, PicturePtr picture);
/// The picture kept under the name, or null.
PicturePtr find(const QTextDocument& document, const QString& name);

/// The format that shows a kept picture at a size in the text area's pixels (1/96 inch).
QTextImageFormat imageFormat(const QString& name, QSizeF shown);
/// The size an image format shows its picture at, in the same pixels.
QSizeF shownSize(const QTextImageFormat& format);
/// The format without its picture: what text typed beside a picture takes.
QTextCharFormat textFormatOf(QTextCharFormat format);

}  // namespace vellumora::pictures
