#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QString>

#include <sys/types.h>

#include "platform/ReadableFile.h"

#include <optional>

namespace platform {

// File-system services. Virtual so that tests can stand in for the disk (free space, failures).
class FileManager {
  public:
    virtual ~FileManager() = default;
    static FileManager& defaultManager();

    virtual bool fileExists(const QString& path) const;
    // Whether anything at all stands at path, a link that leads nowhere included: a new file cannot take its name.
    virtual bool isNameTaken(const QString& path) const;
    virtual bool isDirectory(const QString& path) const;
    // A regular file (through links), judged without opening it: opening a named pipe would block.
    virtual bool isRegularFile(const QString& path) const;
    // Size, modification time (UTC, to the millisecond) and kind of what is at path, through links; nothing
    // when there is nothing. One system call, cheap enough for every photo of an add.
    struct FileStatus {
        qint64 size = 0;
        QDateTime modified;
        bool isRegular = false;
    };
    virtual std::optional<FileStatus> status(const QString& path) const;
    virtual bool isReadable(const QString& path) const;
    // Whether a new file can be made in the folder at path: it is a folder, and this process may write into it
    // and search it (writing alone lets no file be created).
    virtual bool isWritable(const QString& path) const;
    // The immutable attribute; file systems without it read as "not locked".
    virtual bool isLocked(const QString& path) const;

    // Reading and copying refuse anything but a regular file (a named pipe, a device, a socket) with a message
    // saying what it is, and never block on one.
    // Copies a regular file to a path that must not exist yet, with the permission bits copyPermissions gives.
    // Verifies that every byte arrived; on any failure removes what this call created and explains in *error.
    virtual bool copyItem(const QString& source, const QString& target, QString* error = nullptr);
    // The whole content of a regular file; nothing (with the reason in *error) when it cannot be read.
    virtual std::optional<QByteArray> readFile(const QString& path, QString* error = nullptr) const;
    // A regular file open for reading in parts; nothing (with the reason in *error) when it cannot be opened.
    virtual std::optional<ReadableFile> openForReading(const QString& path, QString* error = nullptr) const;
    enum class WriteMode { CreateNew, Replace };
    // What a written file is to be besides its bytes.
    struct NewFile {
        mode_t permissions = 0644;  // exactly these bits, whatever the umask
        QDateTime modified;         // invalid: the date the write gives it
        WriteMode mode = WriteMode::CreateNew;
    };
    // Writes bytes, followed by the rest of a file if one is given, as a file that takes the name target only once it
    // is complete, its permission bits and date included: CreateNew never over anything at target, Replace over the
    // earlier file in one step. Until then it has no name, or where the file system cannot hold a file without one, a
    // hidden pending name of its own in the target's folder; so a process killed midway leaves no partial or undated
    // file under a name the user sees, and a later write to the folder removes a pending file whose process is gone and
    // that no process holds.
    // The kernel copies the rest where the file system lets it. Refused when the rest's file changed meanwhile, when
    // the folder was moved, or when something else took the pending name's place; on any failure nothing this call
    // created remains, and nothing outside the target's folder is ever touched.
    virtual bool writeFile(const QString& target, QByteArrayView bytes, const NewFile& file, QString* error = nullptr,
                           FileRest rest = {});
    // The answers of a write that others interfered with.
    static QString sourceChangedMessage() {
        return QStringLiteral("The source file changed while it was being copied, so the copy was not kept.");
    }
    static QString copyReplacedMessage() {
        return QStringLiteral(
            "Another program replaced the copy's file while it was being written, so the copy was not kept.");
    }
    static QString folderMovedMessage() {
        return QStringLiteral(
            "The destination folder was moved or removed while the copy was being written, so the copy was not kept.");
    }
    // "what: the system's reason for error", as every failure of a write reads.
    static QString failureText(const QString& what, int error);
    // The permission bits of a copy of a file with sourceMode: its read and execute bits as the user's umask
    // lets them through, and owner write so that the copy can be edited again. Never set-user-ID,
    // set-group-ID or sticky, and never writable by others, whatever the source allowed.
    static mode_t copyPermissions(mode_t sourceMode);
    static mode_t copyPermissions(mode_t sourceMode, mode_t umask);
    // The process's umask, read without setting it: umask() can only be read by changing it, which would give
    // the files other threads create meanwhile the wrong access.
    static mode_t processUmask();
    // The whole text of a file the kernel makes up as it is read (in /proc), which has no size to go by; empty when
    // it cannot be read.
    static QByteArray kernelText(const QByteArray& path);
    // The permission bits of a copy this manager writes: copyPermissions under the umask of the moment.
    virtual mode_t permissionsOfCopy(mode_t sourceMode) const { return copyPermissions(sourceMode); }
    virtual bool removeItem(const QString& path);
    virtual bool createDirectory(const QString& path);  // with intermediate folders
    // Bytes available to an unprivileged user on the file system holding path (or its nearest existing
    // ancestor); nothing when it cannot be measured.
    virtual std::optional<qint64> freeSpace(const QString& path) const;

  protected:
    // Called as soon as copyItem or writeFile has given a file a name that it removes unless it completes: a caller
    // that may be stopped midway learns what to clean up.
    virtual void didCreate(const QString& path) { Q_UNUSED(path); }
    // Whether writeFile may keep a file without a name until it is complete; without, it takes a pending name.
    virtual bool writesUnnamedFiles() const { return true; }
    // The steps of writeFile, for callers that watch a write: the file exists with no byte in it; it holds every
    // byte, not yet dated; its pending name was found to hold it and is about to become the target's. pending is its
    // pending name, empty while it has none.
    enum class WriteStep { Created, Written, Naming };
    virtual void didReach(WriteStep step, const QString& pending) {
        Q_UNUSED(step);
        Q_UNUSED(pending);
    }
};

}  // namespace platform
