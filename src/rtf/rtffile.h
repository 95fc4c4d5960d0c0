#pragma once

#include "rtf/rtfreader.h"

#include <QString>

class QFileDevice;
class QTextDocument;

namespace vellumora::rtf {

/**
 * Loads a document file into the text document, replacing its whole content.
 * A file in Rich Text Format is parsed; any other file loads as plain text.
 * On failure the document is left as it was, false is returned and, when
 * given, errorMessage holds a sentence fit for the user naming the reason.
 * A file past the reader's bounds is such a failure. progress, when given,
 * hears how far the reading has come, and notKept what the file held that
 * the document cannot keep.
 */
bool loadDocumentFile(const QString& path, QTextDocument& document, QString* errorMessage,
                      const ReadProgress& progress = {}, NotKept* notKept = nullptr);

/**
 * Writes the whole document, with its character formatting, as a Rich Text
 * Format file. The file is replaced only by a complete new one: on failure an
 * existing file keeps its old content, false is returned and errorMessage
 * holds a sentence fit for the user naming the reason.
 */
bool saveDocumentFile(const QString& path, const QTextDocument& document, QString* errorMessage);

}  // namespace vellumora::rtf
