#pragma once

#include <QFileDevice>
#include <QString>

namespace vellumora::files {

/**
 * Why a file operation failed, in words for a person who is not a
 * technician ("the disk is full"), fit to end a sentence. The system's error
 * number says most; Qt's code serves where the system gave none. Neither
 * depends on the language Qt's own messages are in.
 */
QString failureReason(QFileDevice::FileError error, int systemError);

/// The reason for the file's last failure; systemError is errno as it was
/// right after the call that failed.
inline QString failureReason(const QFileDevice& file, int systemError) {
    return failureReason(file.error(), systemError);
}

}  // namespace vellumora::files
