#pragma once

#include <QJsonObject>
#include <QMap>
#include <QString>
#include <QStringList>

#include "model/DateTimeConfiguration.h"
#include "model/MetaDataObject.h"
#include "model/PhotoFile.h"
#include "tests/Helper/HelperFixtures.h"

// Real photo files for the writer's tests, and the independent reader (exiftool) to check what was written.
namespace writerfixtures {

using helperfixtures::exiftoolWrite;

enum class Format { Jpeg, Tiff };

// The dates every seeded photo carries (all six, and the IPTC date created).
inline QString seededDate() {
    return QStringLiteral("2019:07:31 08:30:00");
}

// A copy of a small photo with a full set of EXIF, IPTC and XMP values (see WriterFixtures.cpp), at
// folder/fileName. The name's extension is free: "x.NEF" holds a TIFF, as a raw file does.
QString seededPhoto(const QString& folder, const QString& fileName, Format format);

// The photo item as intake makes it: paths, extension and the record read when it was added.
PhotoFile photoAt(const QString& path);

// exiftool -j -G1 -n of one file ("" keys absent); a failed run gives an empty object.
QJsonObject exiftoolTags(const QString& path);
// The stored format of each EXIF tag as exiftool reports it: "GPSLatitude" -> "rational64u[3]".
QMap<QString, QString> exifFormats(const QString& path);
// The raw XMP packet as exiftool extracts it.
QByteArray xmpPacket(const QString& path);

// A rule record of the given option; the other members keep their defaults.
DateTimeConfigurationRef rule(int option);
// Sets all six date rules of a record.
void setAllRules(MetaDataObject& record, const DateTimeConfigurationRef& config);

// A file's modification time in the wall-clock form of the date rules ("yyyy:MM:dd HH:mm:ss").
QString modificationTime(const QString& path);

}  // namespace writerfixtures
