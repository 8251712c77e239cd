#include "intake/LibraryDatabase.h"

#include "intake/SqliteStatement.h"
#include "platform/FileManager.h"
#include "platform/StandardPaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <mutex>

#include <sqlite3.h>

namespace {

// The rollback journal matters most: a library copied while its application was writing has a database
// file with half a transaction in it, and only the journal lets SQLite take that back.
const char* const kCompanions[] = {"-wal", "-shm", "-journal", ".lock"};

// How many virtual-machine steps SQLite runs between two looks at Stop and the clock.
constexpr int kProgressSteps = 10000;
// How long to wait between two looks at a database that another program keeps locked.
constexpr std::chrono::milliseconds kLockLook(50);

}  // namespace

void LibraryDatabase::ensureInitialised() {
    static std::once_flag once;
    std::call_once(once, [] { sqlite3_initialize(); });
}

bool LibraryDatabase::needsPrivateCopy(const QString& path) {
    for (const char* suffix : {"-wal", "-shm", "-journal"}) {
        if (QFileInfo::exists(path + QLatin1String(suffix))) return true;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return true;
    const QByteArray header = file.read(20);
    // Bytes 18 and 19 are the write and read format versions: 2 means WAL, whose readers write a
    // shared-memory file beside the database.
    return header.size() < 20 || header.at(18) == 2 || header.at(19) == 2;
}

std::unique_ptr<LibraryDatabase> LibraryDatabase::open(const QString& path, Placement placement,
                                                       const LibraryReading& reading, QString* error,
                                                       bool* copyFailed) {
    ensureInitialised();
    if (copyFailed) *copyFailed = false;
    std::unique_ptr<LibraryDatabase> database(new LibraryDatabase);
    QString openPath = path;
    // Only a regular file is opened in place; the copy refuses anything else and says what it is.
    const bool isFile = platform::FileManager::defaultManager().isRegularFile(path);
    if (placement == Placement::PrivateCopy || !isFile || needsPrivateCopy(path)) {
        if (!database->copyInto(path, reading.cachesFolder, &openPath, error)) {
            if (copyFailed) *copyFailed = true;
            return nullptr;
        }
        if (QFileInfo::exists(openPath + QStringLiteral("-journal")) &&
            !rollBackUnfinishedTransaction(openPath, error)) {
            return nullptr;
        }
    }
    const QByteArray encoded = QFile::encodeName(openPath);
    const int result = sqlite3_open_v2(encoded.constData(), &database->m_handle, SQLITE_OPEN_READONLY, nullptr);
    if (result != SQLITE_OK) {
        if (error) {
            *error = database->m_handle ? QString::fromUtf8(sqlite3_errmsg(database->m_handle))
                                        : QString::fromUtf8(sqlite3_errstr(result));
        }
        return nullptr;
    }
    database->m_reading = reading;
    database->m_path = path;
    database->m_deadline = reading.currentTime() + reading.queryTimeLimit;
    sqlite3_progress_handler(database->m_handle, kProgressSteps, &LibraryDatabase::progress, database.get());
    sqlite3_busy_handler(database->m_handle, &LibraryDatabase::busy, database.get());
    return database;
}

bool LibraryDatabase::rollBackUnfinishedTransaction(const QString& copyPath, QString* error) {
    // A reader that may not write refuses a database with a hot journal, so our own copy is opened for
    // writing once: SQLite takes it back to its last committed state at the first read.
    sqlite3* handle = nullptr;
    const QByteArray encoded = QFile::encodeName(copyPath);
    int result = sqlite3_open_v2(encoded.constData(), &handle, SQLITE_OPEN_READWRITE, nullptr);
    if (result == SQLITE_OK) {
        result = sqlite3_exec(handle, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    }
    if (result != SQLITE_OK && error) {
        *error = handle ? QString::fromUtf8(sqlite3_errmsg(handle)) : QString::fromUtf8(sqlite3_errstr(result));
    }
    sqlite3_close(handle);
    return result == SQLITE_OK;
}

int LibraryDatabase::progress(void* self) {
    auto* database = static_cast<LibraryDatabase*>(self);
    if (database->m_reading.stopRequested()) {
        database->m_interruption = Interruption::Stopped;
        return 1;
    }
    if (database->m_reading.currentTime() >= database->m_deadline) {
        database->m_interruption = Interruption::TimedOut;
        return 1;
    }
    return 0;
}

int LibraryDatabase::busy(void* self, int attempts) {
    // The library's own program is writing, or holds the database while it runs: it usually lets go within a
    // moment, and the user is told if it does not.
    auto* database = static_cast<LibraryDatabase*>(self);
    const LibraryReading& reading = database->m_reading;
    if (reading.stopRequested()) {
        database->m_interruption = Interruption::Stopped;
        return 0;
    }
    const LibraryReading::Clock::time_point now = reading.currentTime();
    if (attempts == 0) database->m_lockedSince = now;
    if (now - database->m_lockedSince >= reading.lockWaitLimit) {
        if (database->m_interruption != Interruption::Locked && reading.libraryLocked) {
            reading.libraryLocked(database->m_path);
        }
        database->m_interruption = Interruption::Locked;
        return 0;
    }
    reading.wait(kLockLook);
    return 1;
}

QString LibraryDatabase::interruption() const {
    switch (m_interruption) {
        case Interruption::Stopped:
            return QStringLiteral("the import was stopped");
        case Interruption::TimedOut:
            return QStringLiteral("it took longer than ") +
                   QString::number(std::chrono::duration_cast<std::chrono::seconds>(m_reading.queryTimeLimit).count()) +
                   QStringLiteral(" s, so the library database may be damaged");
        case Interruption::Locked:
            return QStringLiteral("another program kept it locked for longer than ") +
                   QString::number(std::chrono::duration_cast<std::chrono::seconds>(m_reading.lockWaitLimit).count()) +
                   QStringLiteral(" s");
        case Interruption::None:
            break;
    }
    return {};
}

bool LibraryDatabase::copyInto(const QString& source, const QString& cachesFolder, QString* copyPath, QString* error) {
    const QString caches = cachesFolder.isEmpty() ? platform::StandardPaths::cachesFolder() : cachesFolder;
    QDir().mkpath(caches);
    m_copyFolder = std::make_unique<QTemporaryDir>(caches + QStringLiteral("/library-read-XXXXXX"));
    if (!m_copyFolder->isValid()) {
        if (error) *error = m_copyFolder->errorString();
        m_copyFolder.reset();
        return false;
    }
    const QString target = m_copyFolder->filePath(QFileInfo(source).fileName());
    auto& files = platform::FileManager::defaultManager();
    if (!files.copyItem(source, target, error)) return false;
    // The reader takes locks in the shared-memory file, so the copies must be writable even when the
    // library's own files are not.
    const auto writable = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    QFile::setPermissions(target, writable);
    // A companion that is missing or cannot be copied (a pipe, say) is no reason to refuse the read.
    for (const char* suffix : kCompanions) {
        const QString companionCopy = target + QLatin1String(suffix);
        if (files.copyItem(source + QLatin1String(suffix), companionCopy)) {
            QFile::setPermissions(companionCopy, writable);
        }
    }
    *copyPath = target;
    return true;
}

LibraryDatabase::~LibraryDatabase() {
    // Closed before the folder goes, so that SQLite removes nothing of ours behind our back.
    sqlite3_close(m_handle);
    m_copyFolder.reset();
}

bool LibraryDatabase::hasTable(const QString& name) const {
    SqliteStatement statement(m_handle,
                              "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?1 COLLATE NOCASE");
    return statement.bind(1, name) && statement.next();
}
