#pragma once

#include "rtf/symbolfonts.h"

#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>

#include <memory>
#include <optional>
#include <string>
#include <unordered_map>

namespace vellumora::rtf {

/// The Windows "ANSI" code page that the writer declares and that readers assume by default.
inline constexpr int kWindowsLatin1CodePage = 1252;

/**
 * The Windows-1252 byte that stands for the UTF-16 unit, or nothing when the
 * code page has no such character. Checked here, character by character,
 * because a general-purpose encoder quietly substitutes a byte instead.
 */
std::optional<char> windows1252Byte(char16_t unit);

/// The code page that a font's \fcharset stands for, or nothing for a set without one.
std::optional<int> codePageForCharset(int charset);

/**
 * The code page under which bytes of a symbol font are kept: a negative
 * number, which no Windows code page is, so that it never meets a real one.
 */
constexpr int codePageForGlyphs(SymbolGlyphs glyphs) {
    return -1 - static_cast<int>(glyphs);
}

/// The glyph set that codePageForGlyphs gave the code page, or nothing for a real code page.
std::optional<SymbolGlyphs> glyphsForCodePage(int codePage);

/**
 * Decodes bytes of a Windows code page, or of a symbol font by its glyphs. A code page we have no
 * table for decodes as Windows-1252, so that text is never dropped for want of a table. Each call
 * decodes a complete byte sequence; nothing carries over.
 */
class CodePageDecoder {
public:
    QString decode(int codePage, QByteArrayView bytes);
    /// The same, added to the end of text.
    void appendDecoded(int codePage, QByteArrayView bytes, std::u16string& text);

private:
    static QString decodeGlyphs(SymbolGlyphs glyphs, QByteArrayView bytes);
    QStringDecoder* decoderFor(int codePage);

    std::unordered_map<int, std::unique_ptr<QStringDecoder>> decoders_;
};

}  // namespace vellumora::rtf
