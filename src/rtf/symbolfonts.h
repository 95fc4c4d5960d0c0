#pragma once

#include <QStringView>

#include <optional>

namespace vellumora::rtf {

/**
 * How the bytes of a font of the symbol character set (\fcharset2) read.
 * Such fonts put pictures where letters would be, so a byte stands for the
 * picture's Unicode character rather than for a letter of a code page.
 */
enum class SymbolGlyphs : unsigned char {
    Symbol,        ///< the Symbol font: Greek letters, mathematical signs, bullets
    Wingdings,     ///< the Wingdings font: bullets, arrows, ticks and pictures
    ZapfDingbats,  ///< ITC Zapf Dingbats: Unicode's dingbats, circled numbers, arrows
    Private,       ///< any other symbol font: byte b is U+F000 + b, as Windows reads it
};

/**
 * The glyph set of a font known by its name to draw pictures: Symbol,
 * Wingdings, Wingdings 2 and 3, Webdings and Zapf Dingbats.
 */
std::optional<SymbolGlyphs> symbolGlyphsByName(QStringView family);

/**
 * The glyph set of a font, from its name and its \fcharset; nothing for a
 * font whose bytes read in a code page. The fonts known by name are symbol
 * fonts whatever character set a file gives them.
 */
std::optional<SymbolGlyphs> symbolGlyphsOf(QStringView family, std::optional<int> charset);

/**
 * The character that the byte draws in the font. Bytes a font leaves empty
 * give U+F000 + byte, where Windows puts them, so that nothing is lost.
 */
char32_t symbolCharacter(SymbolGlyphs glyphs, unsigned char byte);

/**
 * Word writes a symbol font's character as \u with U+F000 + byte; the
 * character it draws, or the code point unchanged when it is not one of those.
 */
char32_t symbolCharacterForCodePoint(SymbolGlyphs glyphs, char32_t codePoint);

}  // namespace vellumora::rtf
