#include "platform/Log.h"

#include <cstdio>

namespace platform {

void log(const QString& line) {
    QByteArray bytes = line.toUtf8();
    if (!bytes.endsWith('\n')) bytes.append('\n');
    // One write per line keeps lines from different threads whole.
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stderr);
    std::fflush(stderr);
}

}  // namespace platform
