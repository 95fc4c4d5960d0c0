#include "files/wholefile.h"

#include "files/filefailure.h"

#include <unistd.h>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <cerrno>

namespace vellumora::files {

namespace {

bool fail(QString* reason, const QString& words) {
    if (reason)
        *reason = words;
    return false;
}

// QSaveFile refuses these two in words of its own and leaves errno as it was,
// so they are told apart here.
bool placeIsFree(const QString& path, QString* reason) {
    const QFileInfo info(path);
    if (info.isDir())
        return fail(reason, failureReason(QFileDevice::NoError, EISDIR));
    if (!info.absoluteDir().exists())
        return fail(reason, failureReason(QFileDevice::NoError, ENOENT));
    return true;
}

// A short write is followed by another for the rest, so the system either
// takes more or names its error: one call alone may write part and stay
// silent about why it stopped.
bool writeAll(QSaveFile& file, QByteArrayView bytes, QString* reason) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        errno = 0;
        const qint64 written = file.write(bytes.data() + done, bytes.size() - done);
        if (written <= 0)
            return fail(reason, failureReason(file, errno));
        done += written;
    }
    return true;
}

// Some file systems (network disks, quotas) turn down data they had accepted
// only when it is written out; that must be known before the rename.
bool reachDisk(QSaveFile& file, QString* reason) {
    errno = 0;
    if (::fsync(file.handle()) == 0)
        return true;
    return fail(reason, failureReason(QFileDevice::WriteError, errno));
}

}  // namespace

bool replaceFile(const QString& path, QByteArrayView bytes, QString* reason) {
    return replaceFile(path, QList<QByteArray>{QByteArray::fromRawData(bytes.data(), bytes.size())},
                       reason);
}

bool replaceFile(const QString& path, const QList<QByteArray>& pieces, QString* reason) {
    if (!placeIsFree(path, reason))
        return false;
    QSaveFile file(path);
    // Unbuffered, every write meets the disk at once. Buffered, the last
    // write would happen inside commit(), and Qt 6.4 renames the temporary
    // file into place even when that write fell short.
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(reason, failureReason(file, errno));
    const bool written = std::all_of(pieces.begin(), pieces.end(), [&](const QByteArray& piece) {
        return writeAll(file, piece, reason);
    });
    if (!written || !reachDisk(file, reason)) {
        file.cancelWriting();  // the temporary file goes with the QSaveFile
        return false;
    }
    errno = 0;
    if (!file.commit())
        return fail(reason, failureReason(file, errno));
    return true;
}

}  // namespace vellumora::files
