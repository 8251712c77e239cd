#include "intake/DataFiller.h"

#include "intake/DBOperations.h"
#include "intake/LibraryFileLocator.h"
#include "intake/Logging.h"
#include "intake/PropertyListReader.h"

#include <QFileInfo>

#include <algorithm>

DataFiller::DataFiller() {
    // No iPhoto application exists on this system to take a version from.
    qCDebug(lcIntake).noquote() << QStringLiteral("com.apple.iPhoto bundleVersion=(null)");
}

bool DataFiller::checkValidLibAndUpdateIfAperture(const QString& path) {
    for (const char* name : {"AlbumData.xml", "ApertureData.xml"}) {
        const QString found = LibraryFileLocator::locate(path, QLatin1String(name));
        if (!found.isEmpty() && QFileInfo(found).isFile()) {
            xmlFile = found;
            return true;
        }
    }
    return false;
}

bool DataFiller::checkIfLibrary9X(const QString& path) {
    const QString found = LibraryFileLocator::locate(path, QStringLiteral("Database/apdb/Library.apdb"));
    if (found.isEmpty() || !QFileInfo(found).isFile()) return false;
    dbPath = found;
    qCDebug(lcIntake).noquote() << QStringLiteral("is9X");
    return true;
}

QString DataFiller::libraryRoot() const {
    if (dbPath.isEmpty()) return libPath;
    QString root = dbPath;
    for (int i = 0; i < 3; ++i) root = root.left(std::max<qsizetype>(0, root.lastIndexOf(QLatin1Char('/'))));
    return root;
}

QString DataFiller::mastersFolder(const QString& root) const {
    const QString masters = LibraryFileLocator::locate(root, QStringLiteral("Masters"));
    if (!masters.isEmpty()) return masters;
    const QString originals = LibraryFileLocator::locateOrExact(root, QStringLiteral("Originals"));
    qCDebug(lcIntake).noquote()
        << QStringLiteral("Masters NOT present. New: %1").arg(dbPath.isEmpty() ? QString() : originals);
    return originals;
}

void DataFiller::fetchImagesFromLib(const QString& path) {
    if (libPath.isEmpty()) libPath = path;
    if (!checkValidLibAndUpdateIfAperture(path)) return;
    checkIfLibrary9X(path);
    qCDebug(lcIntake).noquote() << QStringLiteral("Into Fill Duplicates");
    qCDebug(lcIntake).noquote() << dbPath;

    const QString root = libraryRoot();
    const QString masters = mastersFolder(root);
    QList<LibraryVersionRow> versions;
    if (!dbPath.isEmpty()) {
        // A database that another program keeps locked is waited for once, not once per table, and a library
        // read in part yields nothing.
        bool locked = false;
        LibraryReading reading = m_reading;
        reading.libraryLocked = [this, &locked](const QString& database) {
            locked = true;
            if (m_reading.libraryLocked) m_reading.libraryLocked(database);
        };
        versions = DBOperations::getAllVersionPhotos(dbPath, QStringLiteral("RKVersion"), reading);
        if (!locked)
            DBOperations::getAllMasterPhotos(dbPath, masters, QStringLiteral("RKMaster"), &dictMasterInfo, reading);
        if (!locked) DBOperations::getAllFolders(dbPath, QStringLiteral("RKFolder"), &dictFolderInfo, reading);
        if (locked) return;
    }
    const QVariantMap xmlDict = PropertyListReader::readFile(xmlFile, nullptr, m_reading.stop).toMap();
    // Only the image paths outlive a read; the other lists serve its log lines.
    QStringList originalPaths;
    QStringList thumbnailPaths;
    const QList<LibraryVersionRow> kept =
        makeMastersListFor(versions, originalPaths, arrImagePaths, thumbnailPaths, xmlDict);

    qCDebug(lcIntake).noquote() << QStringLiteral("Total Photos in iPhoto %1").arg(kept.size());
    qCDebug(lcIntake).noquote() << QStringLiteral("Original count=%1").arg(originalPaths.size());
    qCDebug(lcIntake).noquote() << QStringLiteral("Thumbnail count%1").arg(thumbnailPaths.size());
    qCDebug(lcIntake).noquote() << QStringLiteral("Image count%1").arg(arrImagePaths.size());
}

bool DataFiller::isInPlace(const QVariantMap& xmlDict, const QString& root, QString* archivePath) {
    *archivePath = xmlDict.value(QStringLiteral("Archive Path")).toString();
    // A trailing separator is not part of the folder's name; kept, it would glue the root to what follows.
    while (archivePath->size() > 1 && archivePath->endsWith(QLatin1Char('/'))) archivePath->chop(1);
    if (archivePath->isEmpty()) {
        qCInfo(lcIntake).noquote() << QStringLiteral("Archive is nil");
        if (m_archiveAlert) m_archiveAlert();
        return true;
    }
    return root.toUpper() == archivePath->toUpper();
}

QString DataFiller::pathFromList(const QVariantMap& entry, const char* key, bool inPlace, const QString& archivePath,
                                 const QString& root) const {
    QString path = entry.value(QLatin1String(key)).toString();
    if (!inPlace) path.replace(archivePath, root, Qt::CaseSensitive);
    return path;
}

QList<LibraryVersionRow> DataFiller::makeMastersListFor(QList<LibraryVersionRow>& versions, QStringList& arrOP,
                                                        QStringList& arrIP, QStringList& arrTP,
                                                        const QVariantMap& xmlDict) {
    const QString root = libraryRoot();
    QString archivePath;
    const bool inPlace = isInPlace(xmlDict, root, &archivePath);
    const QVariantMap imageList = xmlDict.value(QStringLiteral("Master Image List")).toMap();

    QList<LibraryVersionRow> kept;
    for (LibraryVersionRow& row : versions) {
        if (row.masterUuid.isEmpty()) continue;
        auto master = dictMasterInfo.find(row.masterUuid);
        auto folder = dictFolderInfo.find(row.projectUuid);
        if (master == dictMasterInfo.end() || folder == dictFolderInfo.end()) continue;
        arrOP.append(master->OriginalPath);
        ++master->MasterCount;
        ++folder->VersionCount;

        const QVariantMap entry = imageList.value(row.modelId).toMap();
        QString imagePath = pathFromList(entry, "ImagePath", inPlace, archivePath, root);
        if (!entry.contains(QStringLiteral("ImagePath"))) {
            imagePath = master->OriginalPath;
            row.iPath = true;
        }
        QString thumbPath = pathFromList(entry, "ThumbPath", inPlace, archivePath, root);
        if (!entry.contains(QStringLiteral("ThumbPath"))) {
            thumbPath = master->OriginalPath;
            row.tPath = true;
        }
        arrIP.append(imagePath);
        arrTP.append(thumbPath);
        kept.append(row);
    }
    return kept;
}
