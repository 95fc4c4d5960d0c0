#include "rtf/rtfwriter.h"

#include "rtf/hiddentext.h"
#include "rtf/rtfcodepage.h"
#include "rtf/structuremarks.h"
#include "rtf/symbolfonts.h"

#include "pictures/picturestore.h"

#include <QColor>
#include <QFont>
#include <QHash>
#include <QList>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextDocument>

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#ifndef VELLUMORA_VERSION
#define VELLUMORA_VERSION ""
#endif

namespace vellumora::rtf {

namespace {

constexpr double kFallbackPointSize = 12.0;
constexpr char16_t kSoftHyphen = 0x00AD;
constexpr char16_t kNonBreakingHyphen = 0x2011;

/// What one run of text looks like, as the RTF run group states it.
struct RunStyle {
    int font = 0;
    int halfPoints = 24;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool hidden = false;
    QTextCharFormat::VerticalAlignment shift = QTextCharFormat::AlignNormal;
    int colour = 0;  // 0 is the automatic colour
};

/// Font and colour tables, numbered in order of first use so output is deterministic.
class Tables {
public:
    explicit Tables(const QString& defaultFamily) { fontIndex(defaultFamily); }

    int fontIndex(const QString& family) {
        if (const auto found = fontIndices_.constFind(family); found != fontIndices_.cend()) {
            return found.value();
        }
        fontIndices_.insert(family, int(fonts_.size()));
        fonts_.append(family);
        symbolFonts_.append(symbolGlyphsByName(family).has_value());
        return int(fonts_.size()) - 1;
    }

    /// Whether the font draws pictures for its bytes, as readers know it by its name.
    bool isSymbolFont(int index) const { return symbolFonts_.value(index); }

    int colourIndex(QRgb rgb) {
        if (const auto found = colourIndices_.constFind(rgb); found != colourIndices_.cend()) {
            return found.value();
        }
        colours_.append(rgb);
        colourIndices_.insert(rgb, int(colours_.size()));
        return int(colours_.size());
    }

    const QStringList& fonts() const { return fonts_; }
    const QList<QRgb>& colours() const { return colours_; }

private:
    QStringList fonts_;
    QList<bool> symbolFonts_;
    QHash<QString, int> fontIndices_;
    QList<QRgb> colours_;
    QHash<QRgb, int> colourIndices_;
};

void appendNumber(QByteArray& out, long long value) {
    out += QByteArray::number(value);
}

void appendHexByte(QByteArray& out, unsigned char byte) {
    static constexpr char kDigits[] = "0123456789abcdef";
    out += "\\'";
    out += kDigits[byte >> 4];
    out += kDigits[byte & 0x0F];
}

/// One UTF-16 unit outside printable ASCII: \uN (signed) and its Windows-1252 byte or '?'.
void appendUnicodeEscape(QByteArray& out, char16_t unit) {
    out += "\\u";
    appendNumber(out, unit > 0x7FFF ? static_cast<int>(unit) - 0x10000 : static_cast<int>(unit));
    appendHexByte(out, static_cast<unsigned char>(windows1252Byte(unit).value_or('?')));
}

/// Text in a symbol font goes wholly as Unicode escapes: its bytes would be read as pictures.
void appendEscaped(QByteArray& out, QStringView text, bool symbolFont = false) {
    for (const QChar ch : text) {
        const char16_t unit = ch.unicode();
        switch (unit) {
            case u'\\':
            case u'{':
            case u'}':
                out += '\\';
                out += static_cast<char>(unit);
                break;
            case u'\t':
                out += "\\tab ";
                break;
            case QChar::LineSeparator:
                out += "\\line ";
                break;
            case QChar::Nbsp:
                out += "\\~";
                break;
            case kSoftHyphen:
                out += "\\-";
                break;
            case kNonBreakingHyphen:
                out += "\\_";
                break;
            default:
                if (isStructureMark(unit))
                    break;  // frame and object marks stand for no text
                if (unit >= 0x20 && unit < 0x7F && !symbolFont) {
                    out += static_cast<char>(unit);
                } else {
                    appendUnicodeEscape(out, unit);
                }
        }
    }
}

/// A ';' would end the font table entry early, so it goes as a Unicode escape.
void appendFontName(QByteArray& out, const QString& family) {
    for (const QStringView part : QStringView(family).split(u';')) {
        if (part.data() != family.data()) {
            appendUnicodeEscape(out, u';');
        }
        appendEscaped(out, part);
    }
}

double pointSizeOf(const QFont& font) {
    if (font.pointSizeF() > 0) {
        return font.pointSizeF();
    }
    if (font.pixelSize() > 0) {
        return font.pixelSize() * 0.75;  // 96 pixels to the inch, 72 points
    }
    return kFallbackPointSize;
}

bool underlined(const QTextCharFormat& format, const QFont& documentFont) {
    if (format.hasProperty(QTextFormat::TextUnderlineStyle)) {
        return format.underlineStyle() != QTextCharFormat::NoUnderline &&
               format.underlineStyle() != QTextCharFormat::SpellCheckUnderline;
    }
    if (format.hasProperty(QTextFormat::FontUnderline)) {
        return format.boolProperty(QTextFormat::FontUnderline);
    }
    return documentFont.underline();
}

/// Qt names a family that more than one foundry makes "Family [foundry]";
/// other programs know the family alone and would put another font in its place.
QString withoutFoundry(const QString& family) {
    if (!family.endsWith(u']')) {
        return family;
    }
    const qsizetype open = family.lastIndexOf(u'[');
    const QString name = open > 0 ? family.first(open).trimmed() : QString();
    return name.isEmpty() ? family : name;
}

QString familyOf(const QFont& font) {
    const QString family = withoutFoundry(font.families().value(0, font.family()));
    return family.isEmpty() ? QStringLiteral("Arial") : family;
}

RunStyle styleOf(const QTextCharFormat& format, const QFont& documentFont, Tables& tables) {
    const QFont font = format.font().resolve(documentFont);
    RunStyle style;
    style.font = tables.fontIndex(familyOf(font));
    style.halfPoints = std::clamp(static_cast<int>(std::lround(pointSizeOf(font) * 2)), 2, 3276);
    style.bold = font.weight() >= QFont::DemiBold;
    style.italic = font.italic();
    style.underline = underlined(format, documentFont);
    style.hidden = isHiddenText(format);
    style.shift = format.verticalAlignment();
    const QBrush foreground = format.foreground();
    if (format.hasProperty(QTextFormat::ForegroundBrush) && foreground.style() != Qt::NoBrush) {
        style.colour = tables.colourIndex(foreground.color().rgb() & 0xFFFFFF);
    }
    return style;
}

/// Hebrew, Arabic and other complex scripts take font, size, bold and italic
/// from the associated properties in Word and LibreOffice, so they are stated too.
void appendComplexScriptStyle(QByteArray& out, const RunStyle& style) {
    out += "\\rtlch\\af";
    appendNumber(out, style.font);
    out += "\\afs";
    appendNumber(out, style.halfPoints);
    if (style.bold) {
        out += "\\ab";
    }
    if (style.italic) {
        out += "\\ai";
    }
    out += "\\ltrch";
}

void appendRunStart(QByteArray& out, const RunStyle& style) {
    out += '{';
    appendComplexScriptStyle(out, style);
    out += "\\f";
    appendNumber(out, style.font);
    out += "\\fs";
    appendNumber(out, style.halfPoints);
    if (style.bold) {
        out += "\\b";
    }
    if (style.italic) {
        out += "\\i";
    }
    if (style.underline) {
        out += "\\ul";
    }
    if (style.hidden) {
        out += "\\v";
    }
    if (style.shift == QTextCharFormat::AlignSuperScript) {
        out += "\\super";
    } else if (style.shift == QTextCharFormat::AlignSubScript) {
        out += "\\sub";
    }
    if (style.colour) {
        out += "\\cf";
        appendNumber(out, style.colour);
    }
    out += ' ';
}

const char* encodingWord(pictures::Encoding encoding) {
    using pictures::Encoding;
    switch (encoding) {
        case Encoding::Png:
            return "\\pngblip";
        case Encoding::Jpeg:
            return "\\jpegblip";
        case Encoding::Emf:
            return "\\emfblip";
        case Encoding::Wmf:
            return "\\wmetafile";
        case Encoding::MacPict:
            return "\\macpict";
        case Encoding::Os2Metafile:
            return "\\pmmetafile";
        case Encoding::Dib:
            return "\\dibitmap";
        case Encoding::DeviceBitmap:
            return "\\wbitmap";
        case Encoding::Unnamed:
            break;
    }
    return "";
}

bool hasParameter(pictures::Encoding encoding) {
    using pictures::Encoding;
    return encoding == Encoding::Wmf || encoding == Encoding::Os2Metafile ||
           encoding == Encoding::Dib || encoding == Encoding::DeviceBitmap;
}

/// The picture's header as read, with the goal size changed where the
/// document shows it at another size than the file gave it.
pictures::Picture::Header headerShownAt(const pictures::Picture& picture, QSizeF shown) {
    pictures::Picture::Header header = picture.header();
    const QSize twips(qRound(shown.width() * pictures::kTwipsPerPixel),
                      qRound(shown.height() * pictures::kTwipsPerPixel));
    if (shown.isEmpty() || twips == picture.twips()) {
        return header;
    }
    // In floating point: a hostile file's crops may be as large as an int goes.
    const auto goal = [](int twips, int scale, int cropBefore, int cropAfter) {
        const double uncropped = twips * 100.0 / (scale > 0 ? scale : 100) + cropBefore + cropAfter;
        return int(std::clamp(std::round(uncropped), 1.0, double(std::numeric_limits<int>::max())));
    };
    header.goalWidth = goal(twips.width(), header.scaleX, header.cropLeft, header.cropRight);
    header.goalHeight = goal(twips.height(), header.scaleY, header.cropTop, header.cropBottom);
    return header;
}

void appendWord(QByteArray& out, const char* word, int value, int unless) {
    if (value != unless) {
        out += word;
        appendNumber(out, value);
    }
}

/// The body of the document as it is written: text made here, and between
/// it the pictures' digits, which are the pictures' own and never copied.
class Body {
public:
    /// Where the text goes next.
    QByteArray& text() { return text_; }
    void appendShared(const QByteArray& bytes) {
        pieces_.append(std::exchange(text_, QByteArray()));
        pieces_.append(bytes);
    }
    QList<QByteArray> takePieces() {
        pieces_.append(std::exchange(text_, QByteArray()));
        return std::move(pieces_);
    }

private:
    QList<QByteArray> pieces_;
    QByteArray text_;
};

/// A picture as a \pict group: its bytes as they came, and the size it is shown at.
void appendPicture(Body& body, const pictures::Picture& picture, QSizeF shown) {
    const pictures::Picture::Header header = headerShownAt(picture, shown);
    QByteArray& out = body.text();
    out += "{\\pict";
    appendWord(out, "\\picscalex", header.scaleX, 100);
    appendWord(out, "\\picscaley", header.scaleY, 100);
    appendWord(out, "\\piccropl", header.cropLeft, 0);
    appendWord(out, "\\piccropr", header.cropRight, 0);
    appendWord(out, "\\piccropt", header.cropTop, 0);
    appendWord(out, "\\piccropb", header.cropBottom, 0);
    appendWord(out, "\\picw", header.width, 0);
    appendWord(out, "\\pich", header.height, 0);
    appendWord(out, "\\picwgoal", header.goalWidth, 0);
    appendWord(out, "\\pichgoal", header.goalHeight, 0);
    appendWord(out, "\\wbmbitspixel", header.bitsPerPixel, 0);
    appendWord(out, "\\wbmplanes", header.planes, 0);
    appendWord(out, "\\wbmwidthbytes", header.widthBytes, 0);
    out += encodingWord(header.encoding);
    if (hasParameter(header.encoding)) {
        appendNumber(out, header.encodingParameter);
    }
    out += "\r\n";
    body.appendShared(picture.hex());
    body.text() += '}';
}

/// The pictures of an image fragment (Qt joins neighbours of one format); none for an image
/// the document keeps no picture for.
void appendPictures(Body& out, const QTextFragment& fragment, const QTextDocument& document) {
    const QTextImageFormat format = fragment.charFormat().toImageFormat();
    const pictures::PicturePtr picture = pictures::find(document, format.name());
    if (!picture) {
        return;
    }
    for (int i = 0; i < fragment.length(); ++i) {
        appendPicture(out, *picture, pictures::shownSize(format));
    }
}

void appendParagraph(Body& body, const QTextBlock& block, const QFont& documentFont,
                     Tables& tables) {
    body.text() += "\\pard\\plain ";
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        if (!fragment.isValid() || fragment.length() == 0) {
            continue;
        }
        if (fragment.charFormat().isImageFormat()) {
            appendPictures(body, fragment, *block.document());
            continue;
        }
        QByteArray& out = body.text();
        const RunStyle style = styleOf(fragment.charFormat(), documentFont, tables);
        appendRunStart(out, style);
        appendEscaped(out, fragment.text(), tables.isSymbolFont(style.font));
        out += '}';
    }
    body.text() += "\\par\r\n";
}

QByteArray header(const Tables& tables) {
    QByteArray out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033\\uc1\r\n{\\fonttbl";
    for (qsizetype i = 0; i < tables.fonts().size(); ++i) {
        out += "{\\f";
        appendNumber(out, i);
        // Readers take Symbol, Wingdings and the like for symbol fonts by their name alone.
        out += tables.isSymbolFont(int(i)) ? "\\fnil\\fcharset2 " : "\\fnil\\fcharset0 ";
        appendFontName(out, tables.fonts()[i]);
        out += ";}";
    }
    out += "}\r\n{\\colortbl;";
    for (const QRgb rgb : tables.colours()) {
        out += "\\red";
        appendNumber(out, qRed(rgb));
        out += "\\green";
        appendNumber(out, qGreen(rgb));
        out += "\\blue";
        appendNumber(out, qBlue(rgb));
        out += ';';
    }
    out += "}\r\n{\\*\\generator Vellumora " VELLUMORA_VERSION ";}\r\n";
    return out;
}

}  // namespace

QList<QByteArray> writeRtfPieces(const QTextDocument& document) {
    const QFont documentFont = document.defaultFont();
    Tables tables(familyOf(documentFont));
    Body body;
    body.text().reserve(document.characterCount() + document.blockCount() * 32);
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        appendParagraph(body, block, documentFont, tables);
    }
    body.text() += "}\r\n";
    QList<QByteArray> pieces = body.takePieces();
    pieces.prepend(header(tables));
    return pieces;
}

QByteArray writeRtf(const QTextDocument& document) {
    const QList<QByteArray> pieces = writeRtfPieces(document);
    qsizetype size = 0;
    for (const QByteArray& piece : pieces) {
        size += piece.size();
    }
    QByteArray out;
    out.reserve(size);
    for (const QByteArray& piece : pieces) {
        out += piece;
    }
    return out;
}

}  // namespace vellumora::rtf
