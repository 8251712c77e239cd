#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

namespace platform {

// File-system services. Virtual so that tests can stand in for the disk (free space, failures).
class FileManager {
public:
    virtual ~FileManager() = default;
    static FileManager& defaultManager();

    virtual bool fileExists(const QString& path) const;
    virtual bool isDirectory(const QString& path) const;
    virtual bool isReadable(const QString& path) const;
    virtual bool isWritable(const QString& path) const;
    // The immutable attribute; file systems without it read as "not locked".
    virtual bool isLocked(const QString& path) const;

    // Copies a regular file to a path that must not exist yet. Verifies that every byte arrived; on any
    // failure removes what this call created and explains in *error.
    virtual bool copyItem(const QString& source, const QString& target, QString* error = nullptr);
    virtual bool removeItem(const QString& path);
    virtual bool createDirectory(const QString& path);  // with intermediate folders
    virtual bool setModificationDate(const QString& path, const QDateTime& date);
    // Bytes available to an unprivileged user on the file system holding path (or its nearest existing
    // ancestor); nothing when it cannot be measured.
    virtual std::optional<qint64> freeSpace(const QString& path) const;
};

}  // namespace platform
