#pragma once

#include <QString>
#include <QtGlobal>

// One image row of a Photos library database.
struct PhotoLibraryImageRecord {
    qint64 fileSize = 0;
    QString modelId;
    QString uuid;
    QString uuidRKVersion;
    QString originalFileName;  // the name the photo is shown under
    QString imagePath;         // full path of the image file inside the library
    QString description;
};
