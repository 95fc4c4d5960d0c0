#pragma once

#include <QFileInfo>
#include <QString>

namespace vellumora::files {

// QFileInfo looks at a link itself for isSymLink() only; every other answer
// is about what the link points to. These look at the entry itself, so that
// a link (also one that points nowhere) is never taken for what it names.

/// Something stands there: a file, a folder, a pipe or a link.
inline bool isPresent(const QFileInfo& entry) {
    return entry.isSymLink() || entry.exists();
}
inline bool isPresent(const QString& path) {
    return isPresent(QFileInfo(path));
}

/// An ordinary file, not a link to one.
inline bool isOrdinaryFile(const QFileInfo& entry) {
    return !entry.isSymLink() && entry.isFile();
}

/// A folder, not a link to one.
inline bool isRealFolder(const QString& path) {
    const QFileInfo entry(path);
    return !entry.isSymLink() && entry.isDir();
}

}  // namespace vellumora::files
