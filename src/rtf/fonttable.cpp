#include "rtf/fonttable.h"

#include "rtf/symbolfonts.h"

namespace vellumora::rtf {

namespace {

// A name longer than any real family is only a file's way of costing memory.
constexpr qsizetype kMaxFontNameLength = 256;

}  // namespace

void FontTable::beginEntry(int number, std::size_t depth) {
    commitEntry();
    entryNumber_ = number;
    entryDepth_ = depth;
}

void FontTable::setEntryCharset(int charset) {
    // The bytes before it read as the character set they came under.
    decodeNameBytes();
    entryCharset_ = charset;
    entryCodePage_ = codePageForCharset(charset);
}

void FontTable::appendBytes(QByteArrayView bytes) {
    for (const char c : bytes) {
        if (c == ';') {
            commitEntry();
        } else if (entryNumber_ &&
                   entryName_.size() + entryNameBytes_.size() < kMaxFontNameLength) {
            entryNameBytes_.append(c);
        }
    }
}

void FontTable::appendName(QStringView text) {
    decodeNameBytes();
    if (entryNumber_ && entryName_.size() < kMaxFontNameLength) {
        entryName_ += text;
    }
}

bool FontTable::closeGroup(std::size_t depth) {
    if (!entryNumber_ || depth > entryDepth_) {
        return false;
    }
    commitEntry();
    return true;
}

const Font* FontTable::font(int number) const {
    if (const auto found = fonts_.find(number); number >= 0 && found != fonts_.end()) {
        return &found->second;
    }
    const auto fallback = fonts_.find(defaultFont_);
    return fallback == fonts_.end() ? nullptr : &fallback->second;
}

int FontTable::codePageOf(int number) const {
    const Font* found = font(number);
    return found && found->codePage ? *found->codePage : documentCodePage_;
}

void FontTable::decodeNameBytes() {
    if (!entryNameBytes_.isEmpty()) {
        entryName_ += decoder_.decode(entryCodePage_.value_or(documentCodePage_), entryNameBytes_);
        entryNameBytes_.clear();
    }
}

void FontTable::commitEntry() {
    decodeNameBytes();
    if (entryNumber_ && (fonts_.size() < kMaxFonts || fonts_.contains(*entryNumber_))) {
        const QString name = entryName_.trimmed();
        // A symbol font's bytes are pictures, not letters of its character set.
        const auto glyphs = symbolGlyphsOf(name, entryCharset_);
        fonts_[*entryNumber_] = Font{name, glyphs ? codePageForGlyphs(*glyphs) : entryCodePage_};
        ++revision_;
    }
    entryNumber_.reset();
    entryCodePage_.reset();
    entryCharset_.reset();
    entryName_.clear();
}

}  // namespace vellumora::rtf
