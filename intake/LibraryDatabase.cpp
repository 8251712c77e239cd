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

const char* const kCompanions[] = {"-wal", "-shm", ".lock"};

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
                                                       const QString& cachesFolder, QString* error, bool* copyFailed) {
    ensureInitialised();
    if (copyFailed) *copyFailed = false;
    std::unique_ptr<LibraryDatabase> database(new LibraryDatabase);
    QString openPath = path;
    if (placement == Placement::PrivateCopy || needsPrivateCopy(path)) {
        if (!database->copyInto(path, cachesFolder, &openPath, error)) {
            if (copyFailed) *copyFailed = true;
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
    return database;
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
    // A companion that is missing or cannot be copied is no reason to refuse the read.
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
