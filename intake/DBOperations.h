#pragma once

#include "intake/LibraryFolderInfo.h"
#include "intake/LibraryMasterInfo.h"
#include "intake/LibraryReading.h"
#include "intake/LibraryVersionRow.h"
#include "intake/PhotoLibraryImageRecord.h"

#include <QHash>
#include <QList>
#include <QString>

#include <optional>

// Reads photo-library databases, each call opening and closing its database itself. No call ever writes
// to a library: a Photos library is read from a private copy, an iPhoto or Aperture database read-only.
// reading: where private copies are made, and what ends a query early; a query ended early gives nothing.
class DBOperations {
  public:
    // The image records of a Photos library package; nothing when its database could not be copied.
    static std::optional<QList<PhotoLibraryImageRecord>> getPhotoslibraryPath(const QString& libraryPath,
                                                                              const LibraryReading& reading = {});
    static std::optional<QList<PhotoLibraryImageRecord>> getImagesFromlibraryPath(const QString& libraryPath,
                                                                                  const LibraryReading& reading = {});
    // The database file of a Photos library; the last candidate when none exists.
    static QString getDataBasePathForPhotosLib(const QString& libraryPath);

    // tableName "RKVersion": kept versions that are not in the trash and are shown in the library.
    static QList<LibraryVersionRow> getAllVersionPhotos(const QString& dbPath, const QString& tableName,
                                                        const LibraryReading& reading = {});
    // tableName "RKMaster": masters not in the trash, by uuid, their paths under dbPrefix.
    static void getAllMasterPhotos(const QString& dbPath, const QString& dbPrefix, const QString& tableName,
                                   QHash<QString, LibraryMasterInfo>* updateDict, const LibraryReading& reading = {});
    // tableName "RKFolder": folders by uuid.
    static void getAllFolders(const QString& dbPath, const QString& tableName,
                              QHash<QString, LibraryFolderInfo>* updateDict, const LibraryReading& reading = {});
};
