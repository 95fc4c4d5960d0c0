#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>

#include <memory>
#include <optional>
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
 * Decodes bytes of a Windows code page. A code page we have no table for
 * decodes as Windows-1252, so that text is never dropped for want of a table.
 * Each call decodes a complete byte sequence; nothing carries over.
 */
class CodePageDecoder {
public:
    QString decode(int codePage, QByteArrayView bytes);

private:
    QStringDecoder* decoderFor(int codePage);

    std::unordered_map<int, std::unique_ptr<QStringDecoder>> decoders_;
};

}  // namespace vellumora::rtf
