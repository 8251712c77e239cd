#pragma once

#include <QByteArray>
#include <QString>

#include <sys/stat.h>
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
    // Whether the file still has the size and the modification and change times it had when it was opened. A file
    // rewritten in place meanwhile has not: a copy that took part of it from here would mix two versions of it.
    bool isUnchanged() const;

    // Appends count bytes from offset on to bytes; false, with the reason in *error, when not all of them can
    // be read.
    bool readInto(QByteArray& bytes, qint64 offset, qint64 count, QString* error) const;

  private:
    friend class FileManager;
    ReadableFile(int fd, const struct stat& opened)
        : m_fd(fd),
          m_size(opened.st_size),
          m_mode(opened.st_mode),
          m_modified(opened.st_mtim),
          m_changed(opened.st_ctim) {}

    int m_fd = -1;
    qint64 m_size = 0;
    mode_t m_mode = 0;
    timespec m_modified{};
    timespec m_changed{};
};

// The rest of an open file, from offset to the size it had when opened.
struct FileRest {
    const ReadableFile* file = nullptr;
    qint64 offset = 0;
};

}  // namespace platform
