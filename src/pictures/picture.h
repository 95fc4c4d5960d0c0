#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QSizeF>
#include <QString>

#include <cstdint>
#include <mutex>

namespace vellumora::pictures {

/// How a picture's bytes are encoded, as a Rich Text Format file names it.
enum class Encoding : std::uint8_t {
    Png,           ///< \pngblip
    Jpeg,          ///< \jpegblip
    Emf,           ///< \emfblip, an enhanced metafile
    Wmf,           ///< \wmetafileN, a Windows metafile in mapping mode N
    MacPict,       ///< \macpict, a QuickDraw picture
    Os2Metafile,   ///< \pmmetafileN
    Dib,           ///< \dibitmapN, a device-independent bitmap without its file header
    DeviceBitmap,  ///< \wbitmapN, the bits of a device-dependent bitmap
    Unnamed,       ///< a picture whose file named no encoding
};

/// Twips (1/1440 inch) in a pixel of the text area's unit, 1/96 inch.
inline constexpr double kTwipsPerPixel = 15.0;
/// The largest side a picture is shown with, 22 inches in twips: past it a
/// file's sizes are nonsense, and the text area would make a page of it.
inline constexpr int kMaxShownTwips = 22 * 1440;

/**
 * One picture of a document: its bytes exactly as they came, how they are
 * encoded, and what the file said about its size, so that it is written back
 * unchanged. A picture never changes once made; its hexadecimal text, which
 * every RTF copy of the document needs, is made once on first use.
 */
class Picture {
public:
    /// The sizes and bitmap words of an RTF \pict group, 0 where not given.
    struct Header {
        Encoding encoding = Encoding::Unnamed;
        int encodingParameter = 0;  ///< the N of \wmetafileN, \dibitmapN, \wbitmapN, \pmmetafileN
        int width = 0, height = 0;  ///< \picw \pich: pixels, or 0.01 mm for a metafile
        int goalWidth = 0, goalHeight = 0;  ///< \picwgoal \pichgoal, in twips
        int scaleX = 100, scaleY = 100;     ///< \picscalex \picscaley, percent
        int cropLeft = 0, cropRight = 0, cropTop = 0, cropBottom = 0;  ///< \piccrop*, twips
        int bitsPerPixel = 0, planes = 0, widthBytes = 0;  ///< \wbmbitspixel \wbmplanes ...

        bool operator==(const Header&) const = default;
    };

    Picture(Header header, QByteArray bytes);
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    const Header& header() const { return header_; }
    Encoding encoding() const { return header_.encoding; }
    const QByteArray& bytes() const { return bytes_; }

    /// The size the file gives it on the page, in twips, cropped and scaled.
    QSize twips() const;
    /// The same in the text area's pixels (1/96 inch).
    QSizeF shownSize() const { return QSizeF(twips()) / kTwipsPerPixel; }

    /// The bytes as lowercase hexadecimal in lines of 128 digits, each line
    /// ended by CR LF; made at the first call and kept.
    const QByteArray& hex() const;

    /// Whether Qt may be able to draw it; a damaged file of such an encoding
    /// still fails in image().
    bool mayBeDrawn() const;
    /// The picture decoded, at most `fit` large (the whole picture when `fit`
    /// is empty), or a null image where Qt cannot draw it. Cropping is not
    /// applied: sourceRect() tells which part of the image is shown.
    QImage image(QSize fit = {}) const;
    /// The part of an image of the given size that the file's cropping shows.
    QRectF sourceRect(QSize imageSize) const;
    /// Its size in pixels from its bytes alone, without decoding them;
    /// empty where that is not known.
    QSize pixelSize() const;

    /// A few words for the encoding, for a placeholder: "Windows metafile".
    QString encodingName() const;

private:
    Header header_;
    QByteArray bytes_;
    mutable std::once_flag hexMade_;
    mutable QByteArray hex_;
};

}  // namespace vellumora::pictures
