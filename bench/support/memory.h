#pragma once

// The memory of the benchmark's own process, from /proc/self/status.

#include <QByteArray>
#include <QFile>

namespace vellumora::bench {

/// A memory figure of this process, in MB: "VmRSS:" is the resident memory,
/// "VmHWM:" its peak since the last reset.
inline double statusMegabytes(const QByteArray& key) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return 0;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(key)) {
            return line.mid(key.size()).trimmed().split(' ').value(0).toDouble() / 1024.0;
        }
    }
    return 0;
}

/// Lets the next VmHWM reading show the peak of what follows only.
inline void resetPeak() {
    QFile clearRefs(QStringLiteral("/proc/self/clear_refs"));
    if (clearRefs.open(QIODevice::WriteOnly)) {
        clearRefs.write("5");
    }
}

}  // namespace vellumora::bench
