#include "files/wholefile.h"

#include "files/filefailure.h"

#include <unistd.h>
#include <QDir>
#include <QFileInfo>
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

// Some file systems (network disks, quotas) turn down data they had accepted
// only when it is written out; that must be known before the rename.
bool reachDisk(QSaveFile& file, QString* reason) {
    errno = 0;
    if (::fsync(file.handle()) == 0)
        return true;
    return fail(reason, failureReason(QFileDevice::WriteError, errno));
}

}  // namespace

WholeFileWriter::WholeFileWriter(const QString& path) : path_(path), file_(path) {}

bool WholeFileWriter::start(QString* reason) {
    if (!placeIsFree(path_, reason))
        return false;
    // Unbuffered, every write meets the disk at once. Buffered, the last
    // write would happen inside commit(), and Qt 6.4 renames the temporary
    // file into place even when that write fell short.
    errno = 0;
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(reason, failureReason(file_, errno));
    return QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

// A short write is followed by another for the rest, so the system either
// takes more or names its error: one call alone may write part and stay
// silent about why it stopped. After a failure nothing more is written.
qint64 WholeFileWriter::writeData(const char* data, qint64 size) {
    if (!failure_.isEmpty())
        return -1;
    for (qint64 done = 0; done < size;) {
        errno = 0;
        const qint64 written = file_.write(data + done, size - done);
        if (written <= 0) {
            failure_ = failureReason(file_, errno);
            return -1;
        }
        done += written;
    }
    return size;
}

bool WholeFileWriter::commit(QString* reason) {
    QIODevice::close();
    if (!failure_.isEmpty()) {
        file_.cancelWriting();  // the temporary file goes with the QSaveFile
        return fail(reason, failure_);
    }
    if (!reachDisk(file_, reason)) {
        file_.cancelWriting();
        return false;
    }
    errno = 0;
    if (!file_.commit())
        return fail(reason, failureReason(file_, errno));
    return true;
}

bool replaceFile(const QString& path, QByteArrayView bytes, QString* reason) {
    WholeFileWriter file(path);
    if (!file.start(reason))
        return false;
    file.write(bytes.data(), bytes.size());  // a failure is told by commit()
    return file.commit(reason);
}

bool replaceFile(const QString& path, const QList<QByteArray>& pieces, QString* reason) {
    WholeFileWriter file(path);
    if (!file.start(reason))
        return false;
    for (const QByteArray& piece : pieces)
        file.write(piece);  // a failure is told by commit()
    return file.commit(reason);
}

}  // namespace vellumora::files
