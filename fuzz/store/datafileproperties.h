#pragma once
// What must hold for any bytes given to the data file's reader and writer.
// The fuzz targets stop at the first property broken; the regression test
// runs every input the fuzzers ever stopped at through the same checks.
#include "store/answerstore.h"
#include "store/catalogue.h"
#include "store/datafile.h"
#include "store/windows1252.h"

#include <QBuffer>
#include <QString>

namespace vellumora::fuzzing {

inline datafile::ReadResult readBytes(QByteArray bytes, AnswerStore& store) {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return datafile::read(buffer, store);
}

inline bool sameStates(const AnswerStore& a, const AnswerStore& b) {
    for (int position = 1; position <= catalogue::kQuestionCount; ++position)
        if (a.state(position) != b.state(position))
            return false;
    return true;
}

/// The slot's state as the writer keeps it: a NUL is left out of the file.
inline std::optional<QString> asWritten(const std::optional<QString>& state) {
    if (!state)
        return state;
    return QString(*state).remove(QChar(0));
}

/// The answers written and read back are the answers; writing them again
/// gives the same bytes. An empty result means every property held.
inline QString writtenAnswersReadBack(const AnswerStore& store) {
    const QByteArray written = datafile::encode(store);
    AnswerStore back;
    if (readBytes(written, back) != datafile::ReadResult::Complete)
        return QStringLiteral("a written file did not read back complete");
    for (int position = 1; position <= catalogue::kQuestionCount; ++position)
        if (back.state(position) != asWritten(store.state(position)))
            return QStringLiteral("a written file read back to other answers");
    if (datafile::encode(back) != written)
        return QStringLiteral("writing the answers read back gave other bytes");
    return {};
}

/// Whatever the reader makes of the bytes writes and reads back unchanged.
inline QString readerRoundTrip(const QByteArray& bytes) {
    AnswerStore store;
    const datafile::ReadResult result = readBytes(bytes, store);
    if (result == datafile::ReadResult::TooLarge && !sameStates(store, AnswerStore()))
        return QStringLiteral("a file past the bound changed answers");
    if (result == datafile::ReadResult::NotADataFile && !sameStates(store, AnswerStore()))
        return QStringLiteral("a file refused as no data file changed answers");
    return writtenAnswersReadBack(store);
}

/// The bytes taken as 81 answers into the store, split at byte 0x1F: a
/// piece that is one 0x1E byte leaves its slot unset. The first byte chooses
/// how the pieces are decoded (odd: Windows-1252, even: UTF-8), so both code
/// pages of the writer are reached.
inline void answersFrom(QByteArrayView bytes, AnswerStore& store) {
    if (bytes.isEmpty())
        return;
    const bool windows1252 = bytes.front() & 1;
    bytes = bytes.sliced(1);
    int position = 1;
    while (position <= catalogue::kQuestionCount) {
        const qsizetype end = bytes.indexOf('\x1f');
        const QByteArrayView piece = end < 0 ? bytes : bytes.first(end);
        if (piece == "\x1e")
            store.setUnset(position);
        else
            store.store(position,
                        windows1252 ? windows1252::decode(piece) : QString::fromUtf8(piece));
        ++position;
        if (end < 0)
            break;
        bytes = bytes.sliced(end + 1);
    }
}

inline QString writerRoundTrip(QByteArrayView bytes) {
    AnswerStore store;
    answersFrom(bytes, store);
    return writtenAnswersReadBack(store);
}

}  // namespace vellumora::fuzzing
