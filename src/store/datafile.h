#pragma once

#include <QByteArray>
#include <QString>

class QIODevice;

namespace vellumora {
class AnswerStore;
}

namespace vellumora::datafile {

/**
 * The most bytes a data file may hold: a larger one loads nothing and is not
 * written. The document editor opens no more either, and 81 answers typed by
 * hand never come near it.
 */
inline constexpr qint64 kMaxFileBytes = 64 * 1024 * 1024;

/**
 * The path of the data file that belongs beside a document: the document's
 * extension replaced by "dat", or ".dat" appended when its file name has no
 * point. A point in a folder name plays no part.
 */
QString dataFilePathFor(const QString& documentPath);

/**
 * The file's bytes for the store: one record of 81 comma-separated fields in
 * catalogue order, ended by CR LF. A slot with text is written in double
 * quotation marks (an inner mark doubled, a NUL left out), an unset slot as
 * an empty field.
 * The code page is Windows-1252; when an answer holds a character it cannot
 * hold, the whole file is UTF-8 behind a byte-order mark instead.
 */
QByteArray encode(const AnswerStore& store);

/**
 * Writes the store's data file beside the document (SaveDataFile). An
 * existing data file is replaced only by a complete new one. Returns false on
 * failure, with a sentence for the user in errorMessage that names the reason
 * in the same words as a failed document save.
 */
bool saveDataFile(const QString& documentPath, const AnswerStore& store, QString* errorMessage);

/// How a read ended.
enum class ReadResult {
    Complete,      ///< all 81 fields were read
    Incomplete,    ///< the data ended first; the fields read were applied
    CannotOpen,    ///< not an ordinary file, or it could not be opened; nothing changed
    TooLarge,      ///< more than the bound (kMaxFileBytes); nothing changed
    NotADataFile,  ///< holds what the writer never writes; nothing changed
};

/**
 * Reads 81 fields from the device into the store, field n into catalogue
 * position n, and stops after the 81st: whatever follows is not read. A
 * quoted field runs to its closing mark (a doubled mark inside stands for one
 * mark); an empty unquoted field returns its slot to unset; a line end
 * separates fields like a comma. Fields read before the data ends are applied.
 * A device larger than maxBytes, or one that runs on past it before the 81st
 * field, changes nothing (TooLarge); recovery copies, which keep answers too
 * large for a data file, pass a bound of their own. Nor does one that, before
 * the end of its 81st field, holds text outside quotation marks or a NUL
 * byte: the writer writes neither, and a document, a picture or a UTF-16
 * file shows one at once.
 */
ReadResult read(QIODevice& device, AnswerStore& store, qint64 maxBytes = kMaxFileBytes);
/// Opens the file at path and reads it as above (LoadData's reading step).
ReadResult readFile(const QString& path, AnswerStore& store, qint64 maxBytes = kMaxFileBytes);

}  // namespace vellumora::datafile
