#include "rtf/rtfcodepage.h"

#include "store/windows1252.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <utility>

namespace vellumora::rtf {

namespace {

struct CharsetCodePage {
    int charset;
    int codePage;
};

// The Mac character sets (77 to 89) name the Mac code pages.
constexpr CharsetCodePage kCharsetCodePages[] = {
    {0, 1252},   {77, 10000}, {78, 10001}, {79, 10003}, {80, 10008}, {81, 10002}, {83, 10005},
    {84, 10004}, {85, 10006}, {86, 10081}, {87, 10021}, {88, 10029}, {89, 10007}, {128, 932},
    {129, 949},  {134, 936},  {136, 950},  {161, 1253}, {162, 1254}, {163, 1258}, {177, 1255},
    {178, 1256}, {186, 1257}, {204, 1251}, {222, 874},  {238, 1250}, {254, 437},  {255, 850}};

struct CodePageName {
    int codePage;
    const char* name;
};

// The Mac code pages that ICU has no table for are read by the standard each
// is built on: Shift JIS, Big Five, KS X 1001, GB 2312, ISO 8859-6 and -8 and
// TIS-620 hold their letters at the same bytes; the Mac Roman and Cyrillic
// variants for Romanian, Icelandic, Croatian and Ukrainian differ from their
// base in a handful of letters.
// clang-format off
constexpr CodePageName kCodePageNames[] = {
    {437, "IBM437"}, {850, "IBM850"}, {866, "IBM866"}, {874, "windows-874"},
    {932, "windows-932"}, {936, "windows-936"}, {949, "windows-949"}, {950, "windows-950"},
    {1250, "windows-1250"}, {1251, "windows-1251"}, {1253, "windows-1253"}, {1254, "windows-1254"},
    {1255, "windows-1255"}, {1256, "windows-1256"}, {1257, "windows-1257"}, {1258, "windows-1258"},
    {10000, "macintosh"}, {10001, "windows-932"}, {10002, "windows-950"}, {10003, "windows-949"},
    {10004, "ISO-8859-6"}, {10005, "ISO-8859-8"}, {10006, "x-mac-greek"}, {10007, "x-mac-cyrillic"},
    {10008, "windows-936"}, {10010, "macintosh"}, {10017, "x-mac-cyrillic"}, {10021, "TIS-620"},
    {10029, "x-mac-centraleurroman"}, {10079, "macintosh"}, {10081, "x-mac-turkish"}, {10082, "macintosh"},
    {65001, "UTF-8"}};
// clang-format on

}  // namespace

std::optional<char> windows1252Byte(char16_t unit) {
    // The five bytes the code page leaves undefined stand for no character
    // in a file that other programs read: those characters get no byte.
    if (unit >= 0x80 && unit < 0xA0)
        return std::nullopt;
    return windows1252::encode(unit);
}

std::optional<int> codePageForCharset(int charset) {
    for (const auto& entry : kCharsetCodePages) {
        if (entry.charset == charset) {
            return entry.codePage;
        }
    }
    return std::nullopt;
}

std::optional<SymbolGlyphs> glyphsForCodePage(int codePage) {
    for (const auto glyphs : {SymbolGlyphs::Symbol, SymbolGlyphs::Wingdings,
                              SymbolGlyphs::ZapfDingbats, SymbolGlyphs::Private}) {
        if (codePageForGlyphs(glyphs) == codePage) {
            return glyphs;
        }
    }
    return std::nullopt;
}

QString CodePageDecoder::decode(int codePage, QByteArrayView bytes) {
    if (const auto glyphs = glyphsForCodePage(codePage)) {
        return decodeGlyphs(*glyphs, bytes);
    }
    QStringDecoder* decoder = codePage == kWindowsLatin1CodePage ? nullptr : decoderFor(codePage);
    if (!decoder) {
        return windows1252::decode(bytes);
    }
    return decoder->decode(bytes);
}

void CodePageDecoder::appendDecoded(int codePage, QByteArrayView bytes, std::u16string& text) {
    if (codePage != kWindowsLatin1CodePage) {
        const QString decoded = decode(codePage, bytes);
        text.append(reinterpret_cast<const char16_t*>(decoded.utf16()), decoded.size());
        return;
    }
    // Most text is in this code page: a character for each byte, from a table.
    static const auto kCharacters = [] {
        std::array<char16_t, 256> characters{};
        for (int byte = 0; byte < 256; ++byte) {
            const char c = static_cast<char>(byte);
            characters[byte] = windows1252::decode(QByteArrayView(&c, 1)).front().unicode();
        }
        return characters;
    }();
    const std::size_t before = text.size();
    text.resize(before + std::size_t(bytes.size()));
    char16_t* out = text.data() + before;
    const char* in = bytes.data();
    const char* const end = in + bytes.size();
    // ASCII, eight bytes at a time, is itself.
    for (std::uint64_t eight; end - in >= 8; in += 8, out += 8) {
        std::memcpy(&eight, in, sizeof eight);
        if (eight & 0x8080808080808080u) {
            break;
        }
        for (int i = 0; i < 8; ++i) {
            out[i] = char16_t(static_cast<unsigned char>(in[i]));
        }
    }
    while (in != end) {
        *out++ = kCharacters[static_cast<unsigned char>(*in++)];
    }
}

QString CodePageDecoder::decodeGlyphs(SymbolGlyphs glyphs, QByteArrayView bytes) {
    QString text;
    text.reserve(bytes.size());
    for (const char byte : bytes) {
        const char32_t character = symbolCharacter(glyphs, static_cast<unsigned char>(byte));
        text += QStringView(QChar::fromUcs4(character));
    }
    return text;
}

QStringDecoder* CodePageDecoder::decoderFor(int codePage) {
    if (const auto cached = decoders_.find(codePage); cached != decoders_.end()) {
        return cached->second.get();
    }
    const auto* entry = std::find_if(std::begin(kCodePageNames), std::end(kCodePageNames),
                                     [codePage](const auto& e) { return e.codePage == codePage; });
    if (entry == std::end(kCodePageNames)) {
        return nullptr;
    }
    auto decoder = std::make_unique<QStringDecoder>(entry->name, QStringConverter::Flag::Stateless);
    if (!decoder->isValid()) {
        return nullptr;
    }
    return decoders_.emplace(codePage, std::move(decoder)).first->second.get();
}

}  // namespace vellumora::rtf
