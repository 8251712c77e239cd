#pragma once

#include <QString>
#include <QVariant>
#include <QVariantMap>

#include <optional>

#include "platform/WallClock.h"

// What the image decoders and the metadata reader report about one image file, for display only: the
// metadata that is edited and written is MetaDataObject's. Made from a path, read, dropped.
// Object fields are null (QString) or invalid (QVariant) when their source is absent.
class ExifInfo {
  public:
    // exifForFile, then resetAllWithDict with what it found.
    static ExifInfo initWithFile(const QString& path);
    // The image properties of the file's first image; nothing when the file is no readable image.
    static std::optional<QVariantMap> exifForFile(const QString& path);
    // Fills the fields from the properties; nothing changes when there are none.
    void resetAllWithDict(const std::optional<QVariantMap>& properties);
    // "yyyy:MM:dd HH:mm:ss" as wall-clock time; nothing when empty or unreadable.
    static std::optional<platform::WallTime> getDateFromString(const QString& text);

    QString fileName;
    QString fileType;
    QString fileLabel;
    QString folderName;
    QVariant rating;
    QString keywords;
    QString imageSize;  // "4000 x 3000", as stored (never turned)
    QString imageDPI;   // "72.0 x 72.0", only when both resolutions are known
    int orientation = 0;
    QString editingSoftware;
    QString exposure;
    QString focalLength;
    QString exposureBias;
    QString isoSpeedRating;
    QVariant exposureMode;
    QVariant exposureProgram;
    QVariant meteringMode;
    QVariant lightSource;
    QVariant sensingMethod;
    QVariant sceneCaptureType;
    QString cameraMaker;
    QString cameraModel;
    QString cameraLensModel;
    QString cameraFirmware;
    QString colorModel;
    QVariant colorSpace;
    QString profileName;
    std::optional<platform::WallTime> fileCreated;
    std::optional<platform::WallTime> fileModified;
    std::optional<platform::WallTime> captureDate;
    quint64 fileSize = 0;
    QVariant digitalZoomRatio;
    bool flashFired = false;
    double gpsAltitude = 0;
    double gpsLatitude = 0;
    double gpsLongitude = 0;
    int pixelWidth = 0;
    int pixelHeight = 0;
    double dpiWidth = 0;
    double dpiHeight = 0;
    QString gpsLatitudeRef;
    QString gpsLongitudeRef;
    float imgWidth = 0;
    float imgHeight = 0;
    QString imageSizeToDisplay;  // "3000 x 4000" for a 4000 x 3000 picture turned a quarter
    QString userComment;

  private:
    void fillFromTop(const QVariantMap& properties);
    void fillFromExif(const QVariantMap& exif);
    void fillFromTiff(const QVariantMap& tiff);
    void fillFromGps(const QVariantMap& gps);
};
