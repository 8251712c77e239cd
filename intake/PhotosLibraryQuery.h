#pragma once

#include "intake/PhotoLibraryImageRecord.h"

#include <QList>
#include <QString>

class LibraryDatabase;

// The image query of a Photos library, chosen by the tables its database holds: "ZASSET" (current
// libraries), "ZGENERICASSET" (the generation before) or "RKMaster" (the oldest). Photos only, nothing
// from the trash.
class PhotosLibraryQuery {
  public:
    // Appends one record per image row; libraryPath prefixes every image path exactly as given.
    static void readImages(const LibraryDatabase& database, const QString& libraryPath,
                           QList<PhotoLibraryImageRecord>* records);
};
