#include "model/ExifInfo.h"

#include "model/Utils.h"

#include <QLocale>
#include <QStringList>

namespace {

// How a property value prints: whole numbers without a fraction, a missing value as "(null)".
QString printed(const QVariant& value) {
    if (!value.isValid() || value.isNull()) return QStringLiteral("(null)");
    if (value.typeId() == QMetaType::Double)
        return QString::number(value.toDouble(), 'g', QLocale::FloatingPointShortest);
    return value.toString();
}

QString joinedPrinted(const QVariant& list) {
    QStringList parts;
    for (const QVariant& element : list.toList()) parts.append(printed(element));
    return parts.join(QLatin1Char(','));
}

QVariantMap group(const QVariantMap& properties, const char* name) {
    return properties.value(QLatin1String(name)).toMap();
}

bool hasGroup(const QVariantMap& properties, const char* name) {
    return properties.contains(QLatin1String(name));
}

QString text(const QVariantMap& map, const char* key) {
    const QVariant value = map.value(QLatin1String(key));
    return value.isValid() ? value.toString() : QString();
}

}  // namespace

ExifInfo ExifInfo::initWithFile(const QString& path) {
    ExifInfo info;
    info.resetAllWithDict(exifForFile(path));
    return info;
}

std::optional<QVariantMap> ExifInfo::exifForFile(const QString& path) {
    return Utils::sharedUtils().exifForFile(path);
}

std::optional<platform::WallTime> ExifInfo::getDateFromString(const QString& text) {
    if (text.isEmpty()) return std::nullopt;
    const platform::DateFormat format(Utils::exifDateFormat());
    return format.parse(text);
}

void ExifInfo::resetAllWithDict(const std::optional<QVariantMap>& properties) {
    if (!properties) return;
    const QVariantMap& d = *properties;
    fillFromTop(d);
    if (hasGroup(d, "{Exif}")) fillFromExif(group(d, "{Exif}"));
    if (hasGroup(d, "{TIFF}")) fillFromTiff(group(d, "{TIFF}"));
    if (hasGroup(d, "{GPS}")) fillFromGps(group(d, "{GPS}"));
    if (hasGroup(d, "{IPTC}")) {
        const QVariantMap iptc = group(d, "{IPTC}");
        if (iptc.contains(QStringLiteral("Keywords"))) keywords = joinedPrinted(iptc.value(QStringLiteral("Keywords")));
    }
    if (hasGroup(d, "{ExifAux}")) cameraLensModel = text(group(d, "{ExifAux}"), "LensModel");
}

void ExifInfo::fillFromTop(const QVariantMap& d) {
    const QVariant width = d.value(QStringLiteral("PixelWidth"));
    const QVariant height = d.value(QStringLiteral("PixelHeight"));
    profileName = text(d, "ProfileName");
    pixelWidth = width.toInt();
    pixelHeight = height.toInt();
    imageSize = QStringLiteral("%1 x %2").arg(printed(width), printed(height));
    colorModel = text(d, "ColorModel");
    dpiHeight = 0;
    dpiWidth = 0;
    const int turned = d.value(QStringLiteral("Orientation")).toInt();
    const int shownWidth = int(width.toFloat());
    const int shownHeight = int(height.toFloat());
    const bool quarterTurn = turned >= 5 && turned <= 8;
    imageSizeToDisplay = QStringLiteral("%1 x %2")
                             .arg(quarterTurn ? shownHeight : shownWidth)
                             .arg(quarterTurn ? shownWidth : shownHeight);
    if (d.contains(QStringLiteral("DPIWidth")) && d.contains(QStringLiteral("DPIHeight"))) {
        dpiWidth = d.value(QStringLiteral("DPIWidth")).toDouble();
        dpiHeight = d.value(QStringLiteral("DPIHeight")).toDouble();
        imageDPI = QStringLiteral("%1 x %2").arg(dpiWidth, 0, 'f', 1).arg(dpiHeight, 0, 'f', 1);
    }
}

void ExifInfo::fillFromExif(const QVariantMap& exif) {
    captureDate = getDateFromString(text(exif, "DateTimeOriginal"));
    rating = exif.value(QStringLiteral("Rating"));
    if (exif.contains(QStringLiteral("FocalLength")))
        focalLength = QStringLiteral("%1 mm").arg(printed(exif.value(QStringLiteral("FocalLength"))));
    if (exif.contains(QStringLiteral("ExposureBiasValue")))
        exposureBias =
            QStringLiteral("%1 EV").arg(exif.value(QStringLiteral("ExposureBiasValue")).toDouble(), 0, 'f', 2);
    if (exif.contains(QStringLiteral("ISOSpeedRatings")))
        isoSpeedRating = joinedPrinted(exif.value(QStringLiteral("ISOSpeedRatings")));
    exposureMode = exif.value(QStringLiteral("ExposureMode"));
    exposureProgram = exif.value(QStringLiteral("ExposureProgram"));
    meteringMode = exif.value(QStringLiteral("MeteringMode"));
    lightSource = exif.value(QStringLiteral("LightSource"));
    sensingMethod = exif.value(QStringLiteral("SensingMethod"));
    sceneCaptureType = exif.value(QStringLiteral("SceneCaptureType"));
    digitalZoomRatio = exif.value(QStringLiteral("DigitalZoomRatio"));
    colorSpace = exif.value(QStringLiteral("ColorSpace"));
    // Any non-zero code counts, also the codes that record that the flash did not fire.
    flashFired = exif.value(QStringLiteral("Flash")).toLongLong() != 0;
    userComment = text(exif, "UserComment");
}

void ExifInfo::fillFromTiff(const QVariantMap& tiff) {
    cameraMaker = text(tiff, "Make");
    cameraModel = text(tiff, "Model");
    orientation = tiff.value(QStringLiteral("Orientation")).toInt();
    editingSoftware = text(tiff, "Software");
}

void ExifInfo::fillFromGps(const QVariantMap& gps) {
    gpsLatitude = gps.value(QStringLiteral("Latitude")).toDouble();
    gpsLongitude = gps.value(QStringLiteral("Longitude")).toDouble();
    gpsLatitudeRef = text(gps, "LatitudeRef");
    gpsLongitudeRef = text(gps, "LongitudeRef");
    gpsAltitude = gps.value(QStringLiteral("Altitude")).toDouble();
}
