#include "pictures/picture.h"

#include "pictures/bytesreader.h"

#include <QImageReader>
#include <QtEndian>

#include <algorithm>
#include <cmath>

namespace vellumora::pictures {

namespace {

constexpr double kTwipsPerMillimetre = 1440.0 / 25.4;
constexpr int kHexDigitsPerLine = 128;
// A picture the file gives no size at all is shown an inch square.
constexpr int kUnknownSideTwips = 1440;
// A bitmap's file header: "BM", the file's size, two reserved words, the offset of the bits.
constexpr int kBitmapFileHeaderBytes = 14;
constexpr int kBitmapInfoHeaderBytes = 40;

bool isMetafile(Encoding encoding) {
    return encoding == Encoding::Wmf || encoding == Encoding::Emf ||
           encoding == Encoding::Os2Metafile;
}

/// One side before cropping and scaling, in twips: the goal, else \picw or
/// \pich (hundredths of a millimetre for a metafile, pixels for the rest),
/// else the pixels the bytes hold.
double baseTwips(int goal, int given, int fromBytes, Encoding encoding) {
    if (goal > 0)
        return goal;
    if (given > 0)
        return isMetafile(encoding) ? given / 100.0 * kTwipsPerMillimetre : given * kTwipsPerPixel;
    if (fromBytes > 0)
        return fromBytes * kTwipsPerPixel;
    return kUnknownSideTwips;
}

int shownTwips(double base, int cropBefore, int cropAfter, int scale) {
    double twips = base - cropBefore - cropAfter;
    if (scale > 0)
        twips *= scale / 100.0;
    return std::clamp(int(std::lround(twips)), 1, kMaxShownTwips);
}

quint32 littleEndian32(const QByteArray& bytes, int offset) {
    return qFromLittleEndian<quint32>(bytes.constData() + offset);
}

/// A device-independent bitmap with the file header Qt's reader expects before it.
QByteArray bitmapFileOf(const QByteArray& dib) {
    if (dib.size() < kBitmapInfoHeaderBytes)
        return {};
    const quint32 headerBytes = littleEndian32(dib, 0);
    const int bitCount = qFromLittleEndian<quint16>(dib.constData() + 14);
    const quint32 compression = littleEndian32(dib, 16);
    const quint32 coloursUsed = littleEndian32(dib, 32);
    if (headerBytes < kBitmapInfoHeaderBytes || headerBytes > quint32(dib.size()))
        return {};
    quint64 palette = coloursUsed != 0 ? coloursUsed : (bitCount <= 8 ? 1u << bitCount : 0);
    palette *= 4;
    constexpr quint32 kBitFields = 3;
    if (compression == kBitFields && headerBytes == kBitmapInfoHeaderBytes)
        palette += 12;  // the three colour masks follow the header
    const quint64 offset = kBitmapFileHeaderBytes + headerBytes + palette;
    if (offset > quint64(dib.size()) + kBitmapFileHeaderBytes)
        return {};
    QByteArray file(kBitmapFileHeaderBytes, '\0');
    file[0] = 'B';
    file[1] = 'M';
    qToLittleEndian<quint32>(quint32(dib.size() + kBitmapFileHeaderBytes), file.data() + 2);
    qToLittleEndian<quint32>(quint32(offset), file.data() + 10);
    return file + dib;
}

/// The bits of a device-dependent bitmap, top row first, as a picture.
QImage deviceBitmap(const Picture::Header& header, const QByteArray& bits) {
    const int width = header.width, height = header.height, stride = header.widthBytes;
    if (width <= 0 || height <= 0 || stride <= 0 || header.planes > 1 ||
        qint64(stride) * height > bits.size())
        return {};
    QImage::Format format = QImage::Format_Invalid;
    switch (header.bitsPerPixel) {
        case 1:
            format = QImage::Format_Mono;
            break;
        case 24:
            format = QImage::Format_BGR888;
            break;
        case 32:
            format = QImage::Format_RGB32;
            break;
        default:
            return {};
    }
    const qint64 rowBytes = (qint64(width) * header.bitsPerPixel + 7) / 8;
    QImage image(width, height, format);
    if (image.isNull() || rowBytes > stride)
        return {};
    if (format == QImage::Format_Mono)
        image.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    for (int y = 0; y < height; ++y)
        std::copy_n(bits.constData() + qint64(y) * stride, rowBytes, image.scanLine(y));
    return image;
}

QImage readImage(const QByteArray& bytes, const char* format, QSize fit) {
    BytesReader read(bytes, format);
    QImageReader& reader = read.reader();
    const QSize size = reader.size();
    if (fit.isValid() && size.isValid() &&
        (size.width() > fit.width() || size.height() > fit.height()))
        reader.setScaledSize(size.scaled(fit, Qt::KeepAspectRatio).expandedTo(QSize(1, 1)));
    return reader.read();
}

QImage fitted(QImage image, QSize fit) {
    if (image.isNull() || !fit.isValid() ||
        (image.width() <= fit.width() && image.height() <= fit.height()))
        return image;
    return image.scaled(fit, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

}  // namespace

Picture::Picture(Header header, QByteArray bytes) : header_(header), bytes_(std::move(bytes)) {}

QSize Picture::twips() const {
    const bool sized = (header_.goalWidth > 0 || header_.width > 0) &&
                       (header_.goalHeight > 0 || header_.height > 0);
    const QSize pixels = sized ? QSize() : pixelSize();
    const double width =
        baseTwips(header_.goalWidth, header_.width, pixels.width(), header_.encoding);
    const double height =
        baseTwips(header_.goalHeight, header_.height, pixels.height(), header_.encoding);
    return {shownTwips(width, header_.cropLeft, header_.cropRight, header_.scaleX),
            shownTwips(height, header_.cropTop, header_.cropBottom, header_.scaleY)};
}

const QByteArray& Picture::hex() const {
    std::call_once(hexMade_, [this] {
        static constexpr char kDigits[] = "0123456789abcdef";
        const qsizetype lines = (bytes_.size() * 2 + kHexDigitsPerLine - 1) / kHexDigitsPerLine;
        hex_.resize(bytes_.size() * 2 + lines * 2);
        char* out = hex_.data();
        int onLine = 0;
        for (const char c : bytes_) {
            const auto byte = static_cast<unsigned char>(c);
            *out++ = kDigits[byte >> 4];
            *out++ = kDigits[byte & 0x0F];
            if ((onLine += 2) == kHexDigitsPerLine) {
                *out++ = '\r';
                *out++ = '\n';
                onLine = 0;
            }
        }
        if (onLine > 0) {
            *out++ = '\r';
            *out++ = '\n';
        }
    });
    return hex_;
}

bool Picture::mayBeDrawn() const {
    switch (header_.encoding) {
        case Encoding::Png:
        case Encoding::Jpeg:
        case Encoding::Dib:
        case Encoding::DeviceBitmap:
            return true;
        default:
            return false;
    }
}

QImage Picture::image(QSize fit) const {
    switch (header_.encoding) {
        case Encoding::Png:
        case Encoding::Jpeg:
            // Read by what the bytes are: some writers call a JPEG a PNG.
            return readImage(bytes_, nullptr, fit);
        case Encoding::Dib: {
            const QByteArray file = bitmapFileOf(bytes_);
            return file.isEmpty() ? QImage() : fitted(readImage(file, "bmp", {}), fit);
        }
        case Encoding::DeviceBitmap:
            return fitted(deviceBitmap(header_, bytes_), fit);
        default:
            return {};
    }
}

QSize Picture::pixelSize() const {
    switch (header_.encoding) {
        case Encoding::Png:
        case Encoding::Jpeg: {
            BytesReader read(bytes_);
            QImageReader& reader = read.reader();
            const QSize size = reader.size();
            const bool turned = reader.transformation() & QImageIOHandler::TransformationRotate90;
            return turned ? size.transposed() : size;
        }
        case Encoding::Dib:
            if (bytes_.size() >= kBitmapInfoHeaderBytes)
                return {std::abs(int(littleEndian32(bytes_, 4))),
                        std::abs(int(littleEndian32(bytes_, 8)))};
            return {};
        case Encoding::DeviceBitmap:
            return {header_.width, header_.height};
        default:
            return {};
    }
}

QRectF Picture::sourceRect(QSize imageSize) const {
    const QSize pixels = imageSize;
    const double width =
        baseTwips(header_.goalWidth, header_.width, pixels.width(), header_.encoding);
    const double height =
        baseTwips(header_.goalHeight, header_.height, pixels.height(), header_.encoding);
    // Only cropping shows less; a negative crop's margin is left out.
    const auto share = [](int crop, double side) { return std::clamp(crop / side, 0.0, 0.45); };
    const double left = share(header_.cropLeft, width), right = share(header_.cropRight, width);
    const double top = share(header_.cropTop, height), bottom = share(header_.cropBottom, height);
    return QRectF(left * pixels.width(), top * pixels.height(), (1 - left - right) * pixels.width(),
                  (1 - top - bottom) * pixels.height());
}

QString Picture::encodingName() const {
    switch (header_.encoding) {
        case Encoding::Png:
            return QStringLiteral("PNG picture");
        case Encoding::Jpeg:
            return QStringLiteral("JPEG picture");
        case Encoding::Emf:
            return QStringLiteral("Enhanced metafile");
        case Encoding::Wmf:
            return QStringLiteral("Windows metafile");
        case Encoding::MacPict:
            return QStringLiteral("QuickDraw picture");
        case Encoding::Os2Metafile:
            return QStringLiteral("OS/2 metafile");
        case Encoding::Dib:
        case Encoding::DeviceBitmap:
            return QStringLiteral("Bitmap");
        case Encoding::Unnamed:
            break;
    }
    return QStringLiteral("Picture");
}

}  // namespace vellumora::pictures
