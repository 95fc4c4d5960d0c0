#include "rtf/rtfcodepage.h"

#include <algorithm>
#include <array>
#include <utility>

namespace vellumora::rtf {

namespace {

// Windows-1252 differs from ISO 8859-1 only in 0x80..0x9F; zero marks the
// five bytes the code page leaves undefined.
constexpr std::array<char16_t, 32> kWindows1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

struct CharsetCodePage {
    int charset;
    int codePage;
};

constexpr CharsetCodePage kCharsetCodePages[] = {
    {0, 1252},   {77, 10000}, {128, 932},  {129, 949},  {134, 936},  {136, 950},
    {161, 1253}, {162, 1254}, {163, 1258}, {177, 1255}, {178, 1256}, {186, 1257},
    {204, 1251}, {222, 874},  {238, 1250}, {254, 437},  {255, 850}};

struct CodePageName {
    int codePage;
    const char* name;
};

constexpr CodePageName kCodePageNames[] = {
    {437, "IBM437"},        {850, "IBM850"},        {866, "IBM866"},        {874, "windows-874"},
    {932, "windows-932"},   {936, "windows-936"},   {949, "windows-949"},   {950, "windows-950"},
    {1250, "windows-1250"}, {1251, "windows-1251"}, {1253, "windows-1253"}, {1254, "windows-1254"},
    {1255, "windows-1255"}, {1256, "windows-1256"}, {1257, "windows-1257"}, {1258, "windows-1258"},
    {10000, "macintosh"},   {65001, "UTF-8"}};

QString decodeWindows1252(QByteArrayView bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        char16_t unit = byte;
        if (byte >= 0x80 && byte < 0xA0) {
            // An undefined byte keeps its C1 value, as Windows itself does.
            unit = kWindows1252High[byte - 0x80] ? kWindows1252High[byte - 0x80] : byte;
        }
        *out++ = QChar(unit);
    }
    return text;
}

}  // namespace

std::optional<char> windows1252Byte(char16_t unit) {
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) {
        return static_cast<char>(unit);
    }
    const auto* found = std::find(kWindows1252High.begin(), kWindows1252High.end(), unit);
    if (unit == 0 || found == kWindows1252High.end()) {
        return std::nullopt;
    }
    return static_cast<char>(0x80 + (found - kWindows1252High.begin()));
}

std::optional<int> codePageForCharset(int charset) {
    for (const auto& entry : kCharsetCodePages) {
        if (entry.charset == charset) {
            return entry.codePage;
        }
    }
    return std::nullopt;
}

QString CodePageDecoder::decode(int codePage, QByteArrayView bytes) {
    QStringDecoder* decoder = codePage == kWindowsLatin1CodePage ? nullptr : decoderFor(codePage);
    if (!decoder) {
        return decodeWindows1252(bytes);
    }
    return decoder->decode(bytes);
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
