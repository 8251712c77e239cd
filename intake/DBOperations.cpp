#include "intake/DBOperations.h"

#include "intake/LibraryDatabase.h"
#include "intake/LibraryFileLocator.h"
#include "intake/Logging.h"
#include "intake/PhotosLibraryQuery.h"
#include "intake/SqliteStatement.h"
#include "platform/TextEncoding.h"

#include <QFileInfo>

#include <exception>

namespace {

// The three iPhoto and Aperture queries, one constant text per table the reader may name.
const char* librarySql(const QString& tableName) {
    if (tableName == QLatin1String("RKVersion")) {
        return "SELECT modelId, uuid, masterUuid, projectUuid, name FROM RKVersion "
               "WHERE isInTrash = 0 AND showInLibrary= 1 AND versionNumber <> 0;";
    }
    if (tableName == QLatin1String("RKMaster")) return "SELECT uuid, imagePath FROM RKMaster WHERE isInTrash = 0;";
    if (tableName == QLatin1String("RKFolder")) return "SELECT uuid, name FROM RKFolder;";
    return nullptr;
}

std::unique_ptr<LibraryDatabase> openLibraryTable(const QString& dbPath, const QString& tableName,
                                                  const LibraryReading& reading, const char** sql) {
    *sql = librarySql(tableName);
    if (!*sql) {
        qCInfo(lcIntake).noquote() << QStringLiteral("No query for table %1 of %2").arg(tableName, dbPath);
        return nullptr;
    }
    QString error;
    auto database = LibraryDatabase::open(dbPath, LibraryDatabase::Placement::InPlaceWhenSafe, reading, &error);
    if (!database)
        qCInfo(lcIntake).noquote() << QStringLiteral("Cannot open library database %1: %2").arg(dbPath, error);
    return database;
}

// A query ended early (Stop, or one a crafted database kept running) gives nothing: a part of a library
// is not what the user asked for. Answers whether it ended early.
bool endedEarly(const LibraryDatabase& database, const QString& dbPath) {
    const QString why = database.interruption();
    if (why.isEmpty()) return false;
    qCWarning(lcIntake).noquote() << QStringLiteral("Reading the library database %1 ended early: %2").arg(dbPath, why);
    return true;
}

// The first NULL among the columns, or -1.
int firstNull(const SqliteStatement& row, std::initializer_list<int> columns) {
    for (int column : columns) {
        if (row.isNull(column)) return column;
    }
    return -1;
}

}  // namespace

std::optional<QList<PhotoLibraryImageRecord>> DBOperations::getPhotoslibraryPath(const QString& libraryPath,
                                                                                 const LibraryReading& reading) {
    return getImagesFromlibraryPath(libraryPath, reading);
}

QString DBOperations::getDataBasePathForPhotosLib(const QString& libraryPath) {
    static const char* const candidates[] = {"database/apdb/Library.apdb", "database/Library.apdb",
                                             "database/Photos.sqlite", "database/apdb/photos.db", "database/photos.db"};
    for (const char* candidate : candidates) {
        const QString found = LibraryFileLocator::locate(libraryPath, QLatin1String(candidate));
        if (!found.isEmpty() && QFileInfo(found).isFile()) return found;
    }
    return LibraryFileLocator::join(libraryPath, QStringLiteral("database/photos.db"));
}

std::optional<QList<PhotoLibraryImageRecord>> DBOperations::getImagesFromlibraryPath(const QString& libraryPath,
                                                                                     const LibraryReading& reading) {
    const QString databasePath = getDataBasePathForPhotosLib(libraryPath);
    QString error;
    bool copyFailed = false;
    auto database =
        LibraryDatabase::open(databasePath, LibraryDatabase::Placement::PrivateCopy, reading, &error, &copyFailed);
    QList<PhotoLibraryImageRecord> records;
    if (!database) {
        if (copyFailed) {
            qCInfo(lcIntake).noquote() << QStringLiteral("Error in copy Data Base %1").arg(error);
            return std::nullopt;
        }
        qCInfo(lcIntake).noquote() << QStringLiteral("Cannot open library database %1: %2").arg(databasePath, error);
        return records;
    }
    try {
        PhotosLibraryQuery::readImages(*database, libraryPath, &records);
    } catch (const std::exception& failure) {
        qCInfo(lcIntake).noquote() << QStringLiteral("Exception in getImagesFromlibraryPath: %1 (%2)")
                                          .arg(QString::fromLocal8Bit(failure.what()), libraryPath);
    }
    if (endedEarly(*database, databasePath)) records.clear();
    return records;
}

QList<LibraryVersionRow> DBOperations::getAllVersionPhotos(const QString& dbPath, const QString& tableName,
                                                           const LibraryReading& reading) {
    QList<LibraryVersionRow> rows;
    const char* sql = nullptr;
    auto database = openLibraryTable(dbPath, tableName, reading, &sql);
    if (!database) return rows;
    try {
        SqliteStatement row(database->handle(), sql);
        while (row.next()) {
            if (const int column = firstNull(row, {1, 2, 3, 4}); column >= 0) {
                qCInfo(lcIntake).noquote()
                    << QStringLiteral("Exception in getAllVersionPhotos: NULL in column %1").arg(column);
                continue;
            }
            LibraryVersionRow version{QString::number(row.intValue(0)), row.text(1), row.text(2), row.text(3),
                                      row.text(4)};
            if (version.uuid.isEmpty() || version.masterUuid.isEmpty() || version.projectUuid.isEmpty()) continue;
            rows.append(version);
        }
    } catch (const std::exception& failure) {
        qCInfo(lcIntake).noquote()
            << QStringLiteral("Exception in getAllVersionPhotos: %1").arg(QString::fromLocal8Bit(failure.what()));
    }
    if (endedEarly(*database, dbPath)) rows.clear();
    return rows;
}

void DBOperations::getAllMasterPhotos(const QString& dbPath, const QString& dbPrefix, const QString& tableName,
                                      QHash<QString, LibraryMasterInfo>* updateDict, const LibraryReading& reading) {
    const char* sql = nullptr;
    auto database = openLibraryTable(dbPath, tableName, reading, &sql);
    if (!database) return;
    QHash<QString, LibraryMasterInfo> found;
    try {
        SqliteStatement row(database->handle(), sql);
        while (row.next()) {
            if (const int column = firstNull(row, {0, 1}); column >= 0) {
                qCInfo(lcIntake).noquote()
                    << QStringLiteral("Exception in getAllMasterPhotos: NULL in column %1").arg(column);
                continue;
            }
            const QString path = LibraryFileLocator::join(dbPrefix, row.text(1));
            if (!path.isEmpty()) found.insert(row.text(0), LibraryMasterInfo{path, 0});
        }
    } catch (const std::exception& failure) {
        qCInfo(lcIntake).noquote()
            << QStringLiteral("Exception in getAllMasterPhotos: %1").arg(QString::fromLocal8Bit(failure.what()));
    }
    if (!endedEarly(*database, dbPath)) updateDict->insert(found);
}

void DBOperations::getAllFolders(const QString& dbPath, const QString& tableName,
                                 QHash<QString, LibraryFolderInfo>* updateDict, const LibraryReading& reading) {
    const char* sql = nullptr;
    auto database = openLibraryTable(dbPath, tableName, reading, &sql);
    if (!database) return;
    QHash<QString, LibraryFolderInfo> found;
    try {
        SqliteStatement row(database->handle(), sql);
        while (row.next()) {
            if (row.isNull(0)) {
                qCInfo(lcIntake).noquote() << QStringLiteral("Exception in getAllFolders: NULL in column 0");
                continue;
            }
            QString name;
            if (!row.isNull(1)) {
                const QByteArray bytes = row.bytes(1);
                if (!platform::isValidUtf8(bytes))
                    name = QStringLiteral("Untitled Event");
                else
                    name = bytes.isEmpty() ? QStringLiteral("untitled event") : QString::fromUtf8(bytes);
            }
            found.insert(row.text(0), LibraryFolderInfo{name, 0});
        }
    } catch (const std::exception& failure) {
        qCInfo(lcIntake).noquote()
            << QStringLiteral("Exception in getAllFolders: %1").arg(QString::fromLocal8Bit(failure.what()));
    }
    if (!endedEarly(*database, dbPath)) updateDict->insert(found);
}
