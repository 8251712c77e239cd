#pragma once

#include <QString>
#include <QVariant>
#include <QVariantMap>

#include <optional>

#include "Helper/ExifWriteResult.h"
#include "platform/FileManager.h"

namespace Exiv2 {
class ExifData;
class IptcData;
class XmpData;
}  // namespace Exiv2

class FLTImageMetadata;
class MetaDataObject;
class PhotoFile;

// The one component that opens image files through Exiv2. Stateless: one shared instance serves every
// thread. Exiv2 exceptions never leave it except from the key-removal operations (MetadataKeyRemoval), whose
// callers are the guarded steps of a write.
class ExifWriter {
  public:
    // Made exactly once, whichever thread asks first; Exiv2's one-time set-up runs with it.
    static ExifWriter& sharedInstance();

    ExifWriter(const ExifWriter&) = delete;
    ExifWriter& operator=(const ExifWriter&) = delete;

    // ---- Reading ----
    // Fills the record from the photo's EXIF, IPTC and XMP values and returns it. A photo that cannot be
    // read looks like a photo without metadata; nothing is reported.
    MetaDataObject& readMetaFromPath(const QString& path, MetaDataObject& record) const;
    // The same read and the photo's image properties (see MetadataReading), from one opening of the file.
    std::optional<QVariantMap> readMetaAndPropertiesFromPath(const QString& path, MetaDataObject& record) const;

    // ---- Writing ----
    // How a copy's bytes are made. A JPEG's head (everything before its image data) is edited in memory and
    // the rest of the photo copied by the kernel; the whole-file road, which takes every other photo and a
    // JPEG whose head cannot be found, edits the whole photo in memory. Both give the same copy.
    enum class CopyRoad { HeadWhereFound, WholeFile };
    // Writes a processed copy of the photo: reads its file, applies the metadata in its editing option in
    // memory, writes the result once, without a name or under a temporary one beside the target, and sets its
    // modification date; only then does the copy take its name, newPath (made collision-free and never over
    // another file or link), or in restore mode its earlier output's (photo.processedPath). Works only on the
    // values it is given, so it may run on any thread; the caller applies the answer (and its processed path)
    // to the live photo item.
    ExifWriteResult writeMetaDataToFilePath(PhotoFile photo, MetaDataObject metadata, const QString& newPath,
                                            MetaDataObject onlyUpdated, bool isForRestore,
                                            platform::FileManager& files = platform::FileManager::defaultManager(),
                                            CopyRoad road = CopyRoad::HeadWhereFound) const;

    // ---- Key removal (containers by value; an unknown key text raises Exiv2's error) ----
    Exiv2::ExifData deleteKeysValuesFromExifData(Exiv2::ExifData data, const QString& key) const;
    // Every keyword dataset goes when the key is "Iptc.Application2.Keywords".
    Exiv2::IptcData deleteKeysValuesFromIptcData(Exiv2::IptcData data, const QString& key) const;
    Exiv2::XmpData deleteKeysValuesFromXmpData(Exiv2::XmpData data, const QString& key) const;

    // ---- Record and text helpers ----
    // Trimmed, without "/", only decimal digits left (an empty remainder counts); a missing text answers NO.
    bool isStringContainsNumericValuesOnly(const std::optional<QString>& text) const;
    // Every "," becomes "." in the thirteen decimal fields; the record is changed in place.
    MetaDataObject& replaceCommaValueToDot(MetaDataObject& record) const;

    // ---- Value helpers of the reader ----
    // A list of three numbers d, m, s gives "%f" of d + m/60 + s/3600; any other list gives "0.000000"; a
    // non-finite element gives ""; anything that is not a list comes back unchanged.
    QVariant extractGPSDataStringFromString(const QVariant& value) const;
    // A list gives "%f" of its first element ("" when empty or not finite); anything else comes back unchanged.
    QVariant extractStringFromArrVal(const QVariant& value) const;
    bool isPrismKeyExist(const Exiv2::XmpData& data, const FLTImageMetadata& converter, const QString& key) const;

  private:
    ExifWriter();
};
