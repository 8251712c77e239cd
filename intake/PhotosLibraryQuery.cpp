#include "intake/PhotosLibraryQuery.h"

#include "intake/LibraryDatabase.h"
#include "intake/LibraryFileLocator.h"
#include "intake/Logging.h"
#include "intake/SqliteStatement.h"

namespace {

// The current and the previous generation differ only in the name of the asset table.
QByteArray assetsSql(const char* assetTable) {
    return QByteArrayLiteral(
               "SELECT COALESCE(attributes.ZORIGINALFILESIZE, 0), asset.ZUUID, "
               "COALESCE(attributes.ZORIGINALFILENAME, asset.ZFILENAME), asset.ZDIRECTORY, "
               "asset.ZFILENAME FROM ") +
           assetTable +
           " AS asset LEFT JOIN ZADDITIONALASSETATTRIBUTES AS attributes ON attributes.ZASSET = asset.Z_PK "
           "WHERE asset.ZKIND = 0 AND asset.ZTRASHEDSTATE = 0 ORDER BY asset.Z_PK";
}

// One row per master, through its first version outside the trash; videos (version type 8) left out.
const char* const kMastersSql =
    "SELECT master.fileSize, master.modelId, master.uuid, version.uuid, master.originalFileName, "
    "master.imagePath, version.extendedDescription "
    "FROM RKMaster AS master "
    "JOIN (SELECT masterUuid, MIN(modelId) AS firstVersion FROM RKVersion WHERE isInTrash = 0 "
    "GROUP BY masterUuid) AS kept ON kept.masterUuid = master.uuid "
    "JOIN RKVersion AS version ON version.modelId = kept.firstVersion "
    "WHERE master.isInTrash = 0 AND COALESCE(version.type, 2) <> 8 ORDER BY master.modelId";

void logNull(int column, const QString& libraryPath) {
    qCInfo(lcIntake).noquote() << QStringLiteral("Exception in getImagesFromlibraryPath: NULL in column %1 (%2)")
                                      .arg(QString::number(column), libraryPath);
}

void readAssetRows(SqliteStatement& row, const QString& libraryPath, QList<PhotoLibraryImageRecord>* records) {
    const QString originals = LibraryFileLocator::locateOrExact(libraryPath, QStringLiteral("originals"));
    while (row.next()) {
        for (int column = 1; column <= 4; ++column) {
            if (row.isNull(column)) logNull(column, libraryPath);
        }
        PhotoLibraryImageRecord record;
        record.fileSize = row.int64Value(0);
        record.uuid = row.text(1);
        record.uuidRKVersion = record.uuid;
        record.originalFileName = row.text(2);
        record.imagePath = QStringLiteral("%1/%2/%3").arg(originals, row.text(3), row.text(4));
        records->append(record);
    }
}

void readMasterRows(SqliteStatement& row, const QString& libraryPath, QList<PhotoLibraryImageRecord>* records) {
    const QString masters = LibraryFileLocator::locateOrExact(libraryPath, QStringLiteral("Masters"));
    while (row.next()) {
        for (int column = 1; column <= 5; ++column) {
            if (row.isNull(column)) logNull(column, libraryPath);
        }
        PhotoLibraryImageRecord record;
        record.fileSize = row.int64Value(0);
        record.modelId = row.text(1);
        record.uuid = row.text(2);
        record.uuidRKVersion = row.text(3);
        record.originalFileName = row.text(4);
        record.imagePath = QStringLiteral("%1/%2").arg(masters, row.text(5));
        record.description = row.text(6);
        records->append(record);
    }
}

// The image query for the generation whose tables the database holds; "" when it holds none of them.
QByteArray imagesSql(const LibraryDatabase& database, bool* masters) {
    *masters = false;
    if (database.hasTable(QStringLiteral("ZASSET"))) return assetsSql("ZASSET");
    if (database.hasTable(QStringLiteral("ZGENERICASSET"))) return assetsSql("ZGENERICASSET");
    if (!database.hasTable(QStringLiteral("RKMaster"))) return {};
    *masters = true;
    return kMastersSql;
}

}  // namespace

void PhotosLibraryQuery::readImages(const LibraryDatabase& database, const QString& libraryPath,
                                    QList<PhotoLibraryImageRecord>* records) {
    bool masters = false;
    const QByteArray sql = imagesSql(database, &masters);
    if (sql.isEmpty()) {
        qCInfo(lcIntake).noquote() << QStringLiteral("No photo table in the database of %1").arg(libraryPath);
        return;
    }
    SqliteStatement row(database.handle(), sql.constData());
    if (!row.isValid()) {
        qCInfo(lcIntake).noquote()
            << QStringLiteral("Cannot read the photos of %1: %2").arg(libraryPath, row.errorMessage());
        return;
    }
    if (masters)
        readMasterRows(row, libraryPath, records);
    else
        readAssetRows(row, libraryPath, records);
}
