#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

namespace Exiv2 {
class ExifData;
}

class MetaDataObject;
class PhotoFile;
class WriteSession;

// The last steps of a write: the edited containers go into the photo's bytes in memory, and the dates the
// written copy's file then takes are worked out (a file's creation date cannot be set on Linux).
class WriteCommit {
  public:
    // Throws WriteRefusal when the edit must change XMP that Exiv2 could not parse.
    static void write(WriteSession& session);

    struct FileDates {
        QString creation;
        QString modify;
    };
    // The creation and modification dates by the settings' rules, from the photo's original dates.
    static FileDates fileDates(const PhotoFile& photo, const MetaDataObject& settings);
    // The modification date the copy's file takes: the modify text read as the photo's wall-clock time; nothing when
    // it is empty or unreadable, and the file keeps the date its write gave it.
    static std::optional<QDateTime> modificationDate(const FileDates& dates);

    // Why a write that would leave no image data was refused.
    static QString noImageDataMessage() {
        return QStringLiteral("The copy would hold no image data, so it was not written; the photo may be damaged.");
    }

  private:
    static void keepUnreadableXmpPacket(WriteSession& session);
    static void dropEntriesOfUnknownType(WriteSession& session);
    static void dropPointersFromTheThumbnail(WriteSession& session);
    static void markIptcAsUtf8(WriteSession& session);
    static void addGpsVersion(WriteSession& session);
    static void raiseExifVersion(WriteSession& session);
    static void refuseWithoutImage(WriteSession& session);
    static void verifyWritten(WriteSession& session);
    static bool holdsImageData(const Exiv2::ExifData& exif);
};
