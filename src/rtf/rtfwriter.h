#pragma once

#include <QByteArray>

class QTextDocument;

namespace vellumora::rtf {

/**
 * The whole document as Rich Text Format: plain ASCII, one paragraph per
 * line, every run with its font, size, bold, italic, underline and colour.
 * Characters outside printable ASCII are written as Unicode escapes with a
 * Windows-1252 fallback byte. The same document always gives the same bytes.
 */
QByteArray writeRtf(const QTextDocument& document);

}  // namespace vellumora::rtf
