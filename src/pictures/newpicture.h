#pragma once

#include "pictures/picturestore.h"

#include <QSizeF>
#include <QString>
#include <QStringList>

#include <optional>

class QImage;

namespace vellumora::pictures {

/// A photo longer than this on its long side, in pixels, is kept smaller:
/// more than a printed page needs, and ten megabytes of story for every
/// picture a phone takes otherwise.
inline constexpr int kMaxPhotoSide = 2000;
/// The quality a photo is kept at once it has to be encoded anew.
inline constexpr int kPhotoQuality = 90;
/// The largest image file taken in.
inline constexpr qint64 kMaxImageFileBytes = 256 * 1024 * 1024;

/**
 * The suffixes of the image files taken in, in small letters: JPEG, PNG,
 * BMP, GIF and WebP first, whether or not this machine's Qt reads them all
 * (a file it cannot read is told as such), then every other kind Qt reads.
 */
QStringList imageFileSuffixes();

/// A picture made for the document, or why none could be made.
struct NewPicture {
    PicturePtr picture;  ///< null on failure
    QString error;       ///< why, in words for the user, on failure
};

/**
 * A picture from an image file. It stands upright as the camera's
 * orientation mark says. A PNG or JPEG file that is upright and not too
 * large is kept byte for byte; anything else is encoded anew, no longer than
 * kMaxPhotoSide: a photo as JPEG, a drawing or a picture with transparent
 * parts as PNG.
 */
NewPicture fromFile(const QString& path);
/// A picture from an image (the clipboard's), made as fromFile() makes one.
NewPicture fromImage(const QImage& image);

/// The sizes the editor offers for a picture.
enum class ShownSize { Small, Medium, Large, FullWidth };

/**
 * The size a picture of the given proportions is shown at, in pixels of
 * 1/96 inch: Small, Medium and Large are 5, 8 and 12 cm on the long side,
 * Full width is the width of a book page's text, 16 cm.
 */
QSizeF shownAt(ShownSize size, QSizeF proportions);
/// The size a new picture is first shown at: Large, or its own size at
/// 96 pixels to the inch where that is smaller.
QSizeF firstShownSize(const Picture& picture);
/// Which offered size the shown size is, if any.
std::optional<ShownSize> shownSizeOf(QSizeF shown, QSizeF proportions);

}  // namespace vellumora::pictures
