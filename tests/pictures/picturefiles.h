#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>

namespace vellumora::test {

/// A picture whose top-left quarter is red, so that a test can tell which way up it stands.
inline QImage redTopLeft(int width, int height, bool grain = false) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(250, 250, 250));
    {
        QPainter painter(&image);
        painter.fillRect(0, 0, width / 2, height / 2, QColor(220, 20, 20));
    }
    if (grain) {
        // Light that changes across the picture, and a camera's noise in it:
        // what makes a photo a photo, and a poor PNG.
        QRandomGenerator noise(11);
        for (int y = 0; y < height; ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < width; ++x) {
                const int light = (x + y) * 40 / (width + height) + noise.bounded(40);
                line[x] = qRgb(qBound(0, qRed(line[x]) - light, 255),
                               qBound(0, qGreen(line[x]) - light + 20, 255),
                               qBound(0, qBlue(line[x]) - light, 255));
            }
        }
    }
    return image;
}

/// The image as a file of the format; a JPEG of quality 90, as cameras write them.
inline QByteArray encodedAs(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, qstrcmp(format, "JPEG") == 0 ? 90 : -1);
    return bytes;
}

/**
 * A JPEG with a camera's orientation mark: an APP1 segment holding an Exif
 * block of one entry, Orientation (0x0112), right after the start of image.
 * Mark 6 means the picture must be turned a quarter clockwise to stand upright.
 */
inline QByteArray jpegWithOrientation(const QImage& image, quint16 orientation) {
    const QByteArray jpeg = encodedAs(image, "JPEG");
    QByteArray exif("Exif\0\0", 6);
    // Big-endian TIFF header, first directory right after it at offset 8.
    exif += QByteArray("MM\x00\x2a\x00\x00\x00\x08", 8);
    exif += QByteArray("\x00\x01", 2);                          // one entry
    exif += QByteArray("\x01\x12\x00\x03\x00\x00\x00\x01", 8);  // Orientation, SHORT, 1 value
    exif += char(orientation >> 8);
    exif += char(orientation & 0xFF);
    exif += QByteArray(2, '\0');  // the value's padding
    exif += QByteArray(4, '\0');  // no next directory
    const int length = int(exif.size()) + 2;
    QByteArray segment("\xFF\xE1", 2);
    segment += char(length >> 8);
    segment += char(length & 0xFF);
    segment += exif;
    return jpeg.left(2) + segment + jpeg.mid(2);
}

}  // namespace vellumora::test
