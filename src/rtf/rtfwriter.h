#pragma once

#include <QByteArray>
#include <QList>

class QTextDocument;

namespace vellumora::rtf {

/**
 * The whole document as Rich Text Format: plain ASCII, one paragraph per
 * line, every run with its font, size, bold, italic, underline and colour.
 * Characters outside printable ASCII are written as Unicode escapes with a
 * Windows-1252 fallback byte. Every picture the document keeps (see
 * pictures/picturestore.h) is written with its bytes as they came and the
 * size the document shows it at. The same document always gives the same bytes.
 */
QByteArray writeRtf(const QTextDocument& document);

/**
 * The same bytes in pieces, in order: the pictures' digits are the pictures'
 * own, shared rather than copied, so that a story of many photos is written
 * out (a save, a recovery copy) without first being copied whole.
 */
QList<QByteArray> writeRtfPieces(const QTextDocument& document);

}  // namespace vellumora::rtf
