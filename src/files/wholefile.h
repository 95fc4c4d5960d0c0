#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

namespace vellumora::files {

/**
 * Replaces the file at path with bytes, completely or not at all: the bytes
 * go to a temporary file beside it that takes the file's place only once
 * every byte has reached the disk. On failure an existing file keeps its old
 * content, no temporary file is left, false is returned and reason, when
 * given, holds why in plain words (see failureReason).
 */
bool replaceFile(const QString& path, QByteArrayView bytes, QString* reason);
/// The same for bytes in pieces, written one after the other.
bool replaceFile(const QString& path, const QList<QByteArray>& pieces, QString* reason);

}  // namespace vellumora::files
