#include "pictures/newpicture.h"

#include "files/filefailure.h"
#include "pictures/bytesreader.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>

#include <algorithm>
#include <cerrno>
#include <cmath>

namespace vellumora::pictures {

namespace {

constexpr qreal kPixelsPerCm = 96 / 2.54;
// A picture with no transparency whose PNG is this many times larger than
// its JPEG is a photo.
constexpr qsizetype kPhotoPngToJpeg = 2;

NewPicture failed(const QString& reason) {
    return {nullptr, reason};
}

QByteArray encoded(const QImage& image, const char* format, int quality = -1) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(quality);
    if (qstrcmp(format, "jpeg") == 0)
        writer.setOptimizedWrite(true);
    return writer.write(image) ? bytes : QByteArray();
}

PicturePtr made(Encoding encoding, QByteArray bytes, QSize pixels) {
    Picture::Header header;
    header.encoding = encoding;
    header.width = pixels.width();
    header.height = pixels.height();
    header.goalWidth = qRound(pixels.width() * kTwipsPerPixel);
    header.goalHeight = qRound(pixels.height() * kTwipsPerPixel);
    return std::make_shared<const Picture>(header, std::move(bytes));
}

bool hasTransparency(const QImage& image) {
    if (!image.hasAlphaChannel())
        return false;
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        if (std::any_of(line, line + argb.width(), [](QRgb pixel) { return qAlpha(pixel) != 255; }))
            return true;
    }
    return false;
}

/// The image kept as a JPEG when it is a photo, else as a PNG; a picture
/// with transparent parts is always a PNG, as a JPEG has none.
NewPicture encodedAnew(const QImage& image, bool photo) {
    const bool transparent = hasTransparency(image);
    const QByteArray png = photo && !transparent ? QByteArray() : encoded(image, "png");
    if (!transparent) {
        const QByteArray jpeg =
            encoded(image.convertToFormat(QImage::Format_RGB32), "jpeg", kPhotoQuality);
        if (!jpeg.isEmpty() && (photo || jpeg.size() * kPhotoPngToJpeg < png.size()))
            return {made(Encoding::Jpeg, jpeg, image.size()), {}};
    }
    if (png.isEmpty())
        return failed(QStringLiteral("the picture could not be kept"));
    return {made(Encoding::Png, png, image.size()), {}};
}

int longSide(QSize size) {
    return std::max(size.width(), size.height());
}

QSize withinLongestSide(QSize size) {
    return longSide(size) > kMaxPhotoSide
               ? size.scaled(kMaxPhotoSide, kMaxPhotoSide, Qt::KeepAspectRatio)
               : size;
}

}  // namespace

QStringList imageFileSuffixes() {
    QStringList suffixes = {QStringLiteral("jpg"), QStringLiteral("jpeg"), QStringLiteral("png"),
                            QStringLiteral("bmp"), QStringLiteral("gif"), QStringLiteral("webp")};
    for (const QByteArray& format : QImageReader::supportedImageFormats()) {
        const QString suffix = QString::fromLatin1(format).toLower();
        if (!suffixes.contains(suffix))
            suffixes << suffix;
    }
    return suffixes;
}

NewPicture fromFile(const QString& path) {
    QFile file(path);
    if (file.size() > kMaxImageFileBytes)
        return failed(
            QStringLiteral("it is larger than %1 MB").arg(kMaxImageFileBytes / (1024 * 1024)));
    errno = 0;
    if (!file.open(QIODevice::ReadOnly))
        return failed(files::failureReason(file, errno));
    const QByteArray bytes = file.readAll();
    BytesReader read(bytes);
    QImageReader& reader = read.reader();
    const QByteArray format = reader.format();
    const QSize stored = reader.size();
    const bool upright = reader.transformation() == QImageIOHandler::TransformationNone;
    if (format.isEmpty() || !stored.isValid())
        return failed(QStringLiteral("it is not a picture Vellumora can read"));
    const bool kept =
        (format == "jpeg" || format == "png") && upright && longSide(stored) <= kMaxPhotoSide;
    if (!kept && longSide(stored) > kMaxPhotoSide)
        reader.setScaledSize(withinLongestSide(stored));
    const QImage image = reader.read();
    if (image.isNull())
        return failed(QStringLiteral("the picture in it is damaged or cannot be read"));
    if (kept)
        return {made(format == "png" ? Encoding::Png : Encoding::Jpeg, bytes, image.size()), {}};
    const bool photo = format == "jpeg" || format == "webp" || longSide(stored) > kMaxPhotoSide;
    return encodedAnew(image, photo);
}

NewPicture fromImage(const QImage& image) {
    if (image.isNull())
        return failed(QStringLiteral("there is no picture"));
    if (longSide(image.size()) <= kMaxPhotoSide)
        return encodedAnew(image, false);
    return encodedAnew(image.scaled(withinLongestSide(image.size()), Qt::KeepAspectRatio,
                                    Qt::SmoothTransformation),
                       true);
}

QSizeF shownAt(ShownSize size, QSizeF proportions) {
    if (proportions.isEmpty())
        proportions = QSizeF(1, 1);
    qreal longSideCm = 0;
    switch (size) {
        case ShownSize::Small:
            longSideCm = 5;
            break;
        case ShownSize::Medium:
            longSideCm = 8;
            break;
        case ShownSize::Large:
            longSideCm = 12;
            break;
        case ShownSize::FullWidth: {
            const qreal width = 16 * kPixelsPerCm;
            return {width, width * proportions.height() / proportions.width()};
        }
    }
    const qreal side = longSideCm * kPixelsPerCm;
    return proportions.scaled(side, side, Qt::KeepAspectRatio);
}

QSizeF firstShownSize(const Picture& picture) {
    const QSizeF own = picture.shownSize();
    const QSizeF large = shownAt(ShownSize::Large, own);
    return own.width() <= large.width() && own.height() <= large.height() ? own : large;
}

std::optional<ShownSize> shownSizeOf(QSizeF shown, QSizeF proportions) {
    for (const ShownSize size :
         {ShownSize::Small, ShownSize::Medium, ShownSize::Large, ShownSize::FullWidth}) {
        const QSizeF offered = shownAt(size, proportions);
        if (std::abs(offered.width() - shown.width()) < 1 &&
            std::abs(offered.height() - shown.height()) < 1)
            return size;
    }
    return std::nullopt;
}

}  // namespace vellumora::pictures
