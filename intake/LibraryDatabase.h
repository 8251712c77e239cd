#pragma once

#include <QString>
#include <QTemporaryDir>

#include <memory>

#include "intake/LibraryReading.h"

struct sqlite3;

// A library database opened for reading only, so that no byte and no file of the library ever changes.
// A database that SQLite could open in place without writing beside it (rollback journal, no companion
// files) is read where it lies; any other is copied with its "-wal", "-shm", "-journal" and ".lock"
// companions into a fresh private folder under the caches folder, read there, and the folder is removed when
// this object ends. Only regular files are read: a named pipe in their place is refused, not waited on.
class LibraryDatabase {
  public:
    enum class Placement { InPlaceWhenSafe, PrivateCopy };

    // Nothing when the database could not be copied or opened; *error says why and *copyFailed which.
    // Queries end early when reading.stop is set or after reading.queryTimeLimit, and a database another program
    // keeps locked is waited for until reading.lockWaitLimit (see interruption()).
    static std::unique_ptr<LibraryDatabase> open(const QString& path, Placement placement,
                                                 const LibraryReading& reading, QString* error,
                                                 bool* copyFailed = nullptr);
    ~LibraryDatabase();
    LibraryDatabase(const LibraryDatabase&) = delete;
    LibraryDatabase& operator=(const LibraryDatabase&) = delete;

    sqlite3* handle() const { return m_handle; }
    bool hasTable(const QString& name) const;
    bool isPrivateCopy() const { return m_copyFolder != nullptr; }

    // Why the last query was ended early, in words for the log; "" when it was not.
    QString interruption() const;

  private:
    enum class Interruption { None, Stopped, TimedOut, Locked };

    LibraryDatabase() = default;
    // SQLite is set up once for the whole run and never shut down while other threads may use it.
    static void ensureInitialised();
    // Whether SQLite would need to write beside the file to read it (WAL mode or companion files present).
    static bool needsPrivateCopy(const QString& path);
    bool copyInto(const QString& source, const QString& cachesFolder, QString* copyPath, QString* error);
    static bool rollBackUnfinishedTransaction(const QString& copyPath, QString* error);
    static int progress(void* self);
    // SQLite's question whether to try a locked database again.
    static int busy(void* self, int attempts);

    sqlite3* m_handle = nullptr;
    std::unique_ptr<QTemporaryDir> m_copyFolder;
    LibraryReading m_reading;
    LibraryReading::Clock::time_point m_deadline;
    LibraryReading::Clock::time_point m_lockedSince;
    Interruption m_interruption = Interruption::None;
    QString m_path;
};
