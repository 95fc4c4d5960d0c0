#pragma once

#include <QByteArrayView>

class QTextDocument;

namespace vellumora::rtf {

/// The largest file the reader takes on; its text and formatting fit in memory many times over.
inline constexpr qsizetype kMaxInputBytes = 64 * 1024 * 1024;

enum class ReadStatus {
    Loaded,    ///< the document holds the file's content
    TooLarge,  ///< more than kMaxInputBytes; the document is unchanged
};

/// Whether the bytes start as an RTF file does: "{\rtf", white space allowed around the brace.
bool looksLikeRtf(QByteArrayView bytes);

/**
 * Replaces the document's content with the bytes read as Rich Text Format,
 * or as plain text (UTF-8 where valid, else Windows-1252) when they do not
 * start like RTF. Damaged or hostile input is read as far as it makes sense,
 * in time and memory proportional to its size; it never fails for content.
 */
ReadStatus readDocument(QByteArrayView bytes, QTextDocument& document);

}  // namespace vellumora::rtf
