#pragma once

#include <QByteArray>
#include <QString>

#include <sys/types.h>

namespace platform {

// A regular file held open for reading (FileManager::openForReading). A copy can take part of its bytes
// straight from it, so that part never passes through this process; the open file also keeps the copy to the
// one file that was read, whatever happens to its path meanwhile. Closed when it goes.
class ReadableFile {
  public:
    ReadableFile(ReadableFile&& other) noexcept;
    ReadableFile& operator=(ReadableFile&& other) noexcept;
    ReadableFile(const ReadableFile&) = delete;
    ReadableFile& operator=(const ReadableFile&) = delete;
    ~ReadableFile();

    // The size when it was opened; a copy takes no more than that.
    qint64 size() const { return m_size; }
    // The file's type and permission bits when it was opened.
    mode_t mode() const { return m_mode; }
    int descriptor() const { return m_fd; }

    // Appends count bytes from offset on to bytes; false, with the reason in *error, when not all of them can
    // be read.
    bool readInto(QByteArray& bytes, qint64 offset, qint64 count, QString* error) const;

  private:
    friend class FileManager;
    ReadableFile(int fd, qint64 size, mode_t mode) : m_fd(fd), m_size(size), m_mode(mode) {}

    int m_fd = -1;
    qint64 m_size = 0;
    mode_t m_mode = 0;
};

// The rest of an open file, from offset to the size it had when opened.
struct FileRest {
    const ReadableFile* file = nullptr;
    qint64 offset = 0;
};

}  // namespace platform
