#pragma once

#include <QByteArrayView>
#include <QIODevice>
#include <QList>
#include <QSaveFile>
#include <QString>

namespace vellumora::files {

/**
 * A file written piece by piece that replaces the file at path completely or
 * not at all, for a writer that wants a device (the PDF writer): the pieces
 * go to a temporary file beside it that takes the file's place in commit(),
 * and only when every piece was written whole and has reached the disk.
 * A writer need not check its writes; commit() knows whether one failed.
 * Until commit() succeeds an existing file keeps its old content, and
 * without it no temporary file is left.
 */
class WholeFileWriter final : public QIODevice {
public:
    explicit WholeFileWriter(const QString& path);

    /// Opens the temporary file; false with reason in plain words (see
    /// failureReason).
    bool start(QString* reason);
    /// Puts the file in place once start() has succeeded; false with reason
    /// when this, or a write before it, failed.
    bool commit(QString* reason);

    bool isSequential() const override { return true; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override;

private:
    QString path_;
    QSaveFile file_;
    QString failure_;  ///< why the first write that failed did, in plain words
};

/**
 * Replaces the file at path with bytes, completely or not at all (see
 * WholeFileWriter). On failure an existing file keeps its old content, no
 * temporary file is left, false is returned and reason, when given, holds
 * why in plain words.
 */
bool replaceFile(const QString& path, QByteArrayView bytes, QString* reason);
/// The same for bytes in pieces, written one after the other.
bool replaceFile(const QString& path, const QList<QByteArray>& pieces, QString* reason);

}  // namespace vellumora::files
