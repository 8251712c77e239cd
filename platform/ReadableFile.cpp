#include "platform/ReadableFile.h"

#include <unistd.h>
#include <cerrno>
#include <cstring>
#include <utility>

namespace platform {

ReadableFile::ReadableFile(ReadableFile&& other) noexcept
    : m_fd(std::exchange(other.m_fd, -1)), m_size(other.m_size), m_mode(other.m_mode) {}

ReadableFile& ReadableFile::operator=(ReadableFile&& other) noexcept {
    if (this != &other) {
        if (m_fd >= 0) ::close(m_fd);
        m_fd = std::exchange(other.m_fd, -1);
        m_size = other.m_size;
        m_mode = other.m_mode;
    }
    return *this;
}

ReadableFile::~ReadableFile() {
    if (m_fd >= 0) ::close(m_fd);
}

bool ReadableFile::readInto(QByteArray& bytes, qint64 offset, qint64 count, QString* error) const {
    const qsizetype start = bytes.size();
    bytes.resize(start + static_cast<qsizetype>(count));
    qint64 done = 0;
    while (done < count) {
        const ssize_t n = ::pread(m_fd, bytes.data() + start + done, static_cast<size_t>(count - done), offset + done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (error) {
                *error =
                    n < 0 ? QStringLiteral("Could not read the source: ") + QString::fromLocal8Bit(std::strerror(errno))
                          : QStringLiteral("Could not read the source: it ended early");
            }
            bytes.truncate(start);
            return false;
        }
        done += n;
    }
    return true;
}

}  // namespace platform
