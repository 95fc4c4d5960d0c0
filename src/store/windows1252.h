#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace vellumora::windows1252 {

/// The byte that stands for the character, or nullopt when the code page has none.
std::optional<char> encode(char16_t character);
/// Every byte decodes; the five bytes the code page leaves undefined become
/// the control characters of the same number, so they survive a round trip.
QString decode(QByteArrayView bytes);

}  // namespace vellumora::windows1252
