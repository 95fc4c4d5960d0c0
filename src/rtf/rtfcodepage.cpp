#include "rtf/rtfcodepage.h"

#include "store/windows1252.h"

#include <algorithm>
#include <array>
#include <utility>

namespace vellumora::rtf {

namespace {

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

QString CodePageDecoder::decode(int codePage, QByteArrayView bytes) {
    QStringDecoder* decoder = codePage == kWindowsLatin1CodePage ? nullptr : decoderFor(codePage);
    if (!decoder) {
        return windows1252::decode(bytes);
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
