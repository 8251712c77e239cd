#pragma once

#include <QByteArray>
#include <QFile>
#include <QList>

// Kilobytes from /proc/self/status ("VmRSS:" now, "VmHWM:" the peak); -1 when it cannot be read.
inline long statusKilobytes(const char* key) {
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(key)) return line.mid(qstrlen(key) + 1).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}
