#include "platform/ReadableFile.h"

#include <unistd.h>
#include <cerrno>
#include <cstring>
#include <utility>

namespace platform {

ReadableFile::ReadableFile(ReadableFile&& other) noexcept
    : m_fd(std::exchange(other.m_fd, -1)),
      m_size(other.m_size),
      m_mode(other.m_mode),
      m_modified(other.m_modified),
      m_changed(other.m_changed) {}

ReadableFile& ReadableFile::operator=(ReadableFile&& other) noexcept {
    if (this != &other) {
        if (m_fd >= 0) ::close(m_fd);
        m_fd = std::exchange(other.m_fd, -1);
        m_size = other.m_size;
        m_mode = other.m_mode;
        m_modified = other.m_modified;
        m_changed = other.m_changed;
    }
    return *this;
}

ReadableFile::~ReadableFile() {
    if (m_fd >= 0) ::close(m_fd);
}

bool ReadableFile::isUnchanged() const {
    struct stat now {};
    if (::fstat(m_fd, &now) != 0) return false;
    const auto same = [](const timespec& a, const timespec& b) {
        return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
    };
    return now.st_size == m_size && same(now.st_mtim, m_modified) && same(now.st_ctim, m_changed);
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
