#include "files/filefailure.h"

#include <cerrno>
#include <cstring>

namespace vellumora::files {

namespace {

const char* wordsForSystemError(int systemError) {
    switch (systemError) {
        case EACCES:
        case EPERM:
            return "permission denied";
        case ENOSPC:
        case EDQUOT:
            return "the disk is full";
        case EFBIG:
            return "the file is too large for the disk";
        case EROFS:
            return "the disk cannot be written to";
        case ENOENT:
        case ENOTDIR:
            return "the folder does not exist";
        case EISDIR:
            return "a folder of that name is in the way";
        case EIO:
            return "the disk could not be read or written";
        case ENAMETOOLONG:
            return "the name is too long";
        case EMFILE:
        case ENFILE:
            return "too many files are open";
        case ENOMEM:
            return "there is not enough memory";
        default:
            return nullptr;
    }
}

const char* wordsForQtError(QFileDevice::FileError error) {
    switch (error) {
        case QFileDevice::ResourceError:
            return "the disk is full";  // Qt's code for a write that found no room
        case QFileDevice::PermissionsError:
            return "permission denied";
        default:
            return nullptr;
    }
}

// An error number the table does not know still says more than nothing: the
// system's own words, which follow the user's language settings.
QString systemWords(int systemError) {
    QString words = QString::fromLocal8Bit(std::strerror(systemError)).trimmed();
    while (words.endsWith(u'.'))
        words.chop(1);
    if (!words.isEmpty())
        words[0] = words[0].toLower();
    return words;
}

}  // namespace

QString failureReason(QFileDevice::FileError error, int systemError) {
    if (const char* words = wordsForSystemError(systemError))
        return QString::fromLatin1(words);
    if (const char* words = wordsForQtError(error))
        return QString::fromLatin1(words);
    if (systemError != 0) {
        const QString words = systemWords(systemError);
        if (!words.isEmpty())
            return words;
    }
    return QStringLiteral("the system gave no reason");
}

}  // namespace vellumora::files
