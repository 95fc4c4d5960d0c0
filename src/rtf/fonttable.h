#pragma once

#include "rtf/rtfcodepage.h"

#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <unordered_map>

namespace vellumora::rtf {

/// A font that a file declares.
struct Font {
    QString name;                 ///< the family, as the text area knows it
    std::optional<int> codePage;  ///< what its bytes read as; empty: the document's code page
};

/**
 * The fonts of a document, read entry by entry from its \fonttbl, and the
 * code page that text in each of them reads as. An entry is a font's number,
 * character set and name, ended by ';' or by the closing brace of the group
 * that began it. Past kMaxFonts fonts a hostile file's further fonts are
 * dropped; its text stays, in the default font.
 */
class FontTable {
public:
    static constexpr std::size_t kMaxFonts = 4096;

    /// Names are decoded by the decoder that the reader shares for its text.
    explicit FontTable(CodePageDecoder& decoder) : decoder_(decoder) {}

    /// \deffN: the font of text whose font is not in the table.
    void setDefaultFont(int number) {
        defaultFont_ = number;
        ++revision_;
    }
    /// \ansicpgN, \ansi, \mac and the like: what bytes read as in a font without a character set.
    void setDocumentCodePage(int codePage) {
        documentCodePage_ = codePage;
        ++revision_;
    }

    /// \fN in the table: ends an entry still open and begins font N's in the group at depth.
    void beginEntry(int number, std::size_t depth);
    /// \fcharsetN of the entry being read; the rest of its name reads in that character set.
    void setEntryCharset(int charset);
    /// Bytes of the table's text: the entry's name, where ';' ends the entry.
    void appendBytes(QByteArrayView bytes);
    /// Characters of the entry's name given by number (\u).
    void appendName(QStringView text);
    /// The group at depth closes: ends the entry it began, if any, and says whether it did.
    bool closeGroup(std::size_t depth);

    /// The font of that number, or the default font for a number missing from the table.
    const Font* font(int number) const;
    /// What bytes of text in the font of that number read as.
    int codePageOf(int number) const;
    /// Changes whenever a font number may have come to stand for another font.
    std::uint64_t revision() const { return revision_; }

private:
    void decodeNameBytes();
    void commitEntry();

    CodePageDecoder& decoder_;
    std::unordered_map<int, Font> fonts_;
    int defaultFont_ = 0;
    int documentCodePage_ = kWindowsLatin1CodePage;
    std::uint64_t revision_ = 0;

    // The entry being read.
    std::optional<int> entryNumber_;
    std::size_t entryDepth_ = 0;
    std::optional<int> entryCharset_;
    std::optional<int> entryCodePage_;
    QString entryName_;
    QByteArray entryNameBytes_;  // decoded together, so that double-byte characters stay whole
};

}  // namespace vellumora::rtf
