#include "Helper/ExifImageProperties.h"

#include "Helper/Logging.h"
#include "platform/ImageSource.h"
#include "platform/TextEncoding.h"

#include <exiv2/exiv2.hpp>

#include <QFile>

#include <cmath>

namespace {

struct GroupEntry {
    const char* property;
    const char* key;
    enum Form { Text, Integer, Number, IntegerList } form;
};

// The property groups of the platform's image I/O, and the EXIF keys they come from.
const GroupEntry kExifEntries[] = {
    {"DateTimeOriginal", "Exif.Photo.DateTimeOriginal", GroupEntry::Text},
    {"FocalLength", "Exif.Photo.FocalLength", GroupEntry::Number},
    {"ExposureBiasValue", "Exif.Photo.ExposureBiasValue", GroupEntry::Number},
    {"ISOSpeedRatings", "Exif.Photo.ISOSpeedRatings", GroupEntry::IntegerList},
    {"ExposureMode", "Exif.Photo.ExposureMode", GroupEntry::Integer},
    {"ExposureProgram", "Exif.Photo.ExposureProgram", GroupEntry::Integer},
    {"MeteringMode", "Exif.Photo.MeteringMode", GroupEntry::Integer},
    {"LightSource", "Exif.Photo.LightSource", GroupEntry::Integer},
    {"SensingMethod", "Exif.Photo.SensingMethod", GroupEntry::Integer},
    {"SceneCaptureType", "Exif.Photo.SceneCaptureType", GroupEntry::Integer},
    {"ColorSpace", "Exif.Photo.ColorSpace", GroupEntry::Integer},
    {"DigitalZoomRatio", "Exif.Photo.DigitalZoomRatio", GroupEntry::Number},
    {"Flash", "Exif.Photo.Flash", GroupEntry::Integer},
};
const GroupEntry kTiffEntries[] = {
    {"Make", "Exif.Image.Make", GroupEntry::Text},
    {"Model", "Exif.Image.Model", GroupEntry::Text},
    {"Orientation", "Exif.Image.Orientation", GroupEntry::Integer},
    {"Software", "Exif.Image.Software", GroupEntry::Text},
};
const GroupEntry kGpsEntries[] = {
    {"LatitudeRef", "Exif.GPSInfo.GPSLatitudeRef", GroupEntry::Text},
    {"LongitudeRef", "Exif.GPSInfo.GPSLongitudeRef", GroupEntry::Text},
    {"Altitude", "Exif.GPSInfo.GPSAltitude", GroupEntry::Number},
};
const GroupEntry kAuxEntries[] = {
    {"LensModel", "Exif.Photo.LensModel", GroupEntry::Text},
};

QString text(const std::string& bytes) {
    return platform::decodeText(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
}

QVariant valueOf(const Exiv2::Exifdatum& datum, GroupEntry::Form form) {
    switch (form) {
        case GroupEntry::Text:
            return text(datum.toString());
        case GroupEntry::Integer:
            return qlonglong(datum.toLong(0));
        case GroupEntry::Number: {
            const double number = double(datum.toFloat(0));
            return std::isfinite(number) ? QVariant(number) : QVariant();
        }
        case GroupEntry::IntegerList: {
            QVariantList list;
            for (long i = 0; i < datum.count(); ++i) list.append(qlonglong(datum.toLong(i)));
            return list;
        }
    }
    return {};
}

template <size_t N>
QVariantMap group(const Exiv2::ExifData& exif, const GroupEntry (&entries)[N]) {
    QVariantMap values;
    for (const GroupEntry& entry : entries) {
        const auto found = exif.findKey(Exiv2::ExifKey(entry.key));
        if (found == exif.end() || found->count() == 0) continue;
        const QVariant value = valueOf(*found, entry.form);
        if (value.isValid()) values.insert(QLatin1String(entry.property), value);
    }
    return values;
}

double decimalDegrees(const Exiv2::ExifData& exif, const char* key, bool* found) {
    const auto datum = exif.findKey(Exiv2::ExifKey(key));
    *found = datum != exif.end() && datum->count() == 3;
    if (!*found) return 0;
    double parts[3];
    for (long i = 0; i < 3; ++i) parts[i] = double(datum->toFloat(i));
    const double decimal = parts[0] + parts[1] / 60.0 + parts[2] / 3600.0;
    *found = std::isfinite(decimal);
    return *found ? decimal : 0;
}

void addResolution(const Exiv2::ExifData& exif, QVariantMap& properties) {
    const auto x = exif.findKey(Exiv2::ExifKey("Exif.Image.XResolution"));
    const auto y = exif.findKey(Exiv2::ExifKey("Exif.Image.YResolution"));
    // A damaged entry may hold no value at all; Exiv2 then throws a standard exception on the first read.
    if (x == exif.end() || y == exif.end() || x->count() == 0 || y->count() == 0) return;
    const auto unit = exif.findKey(Exiv2::ExifKey("Exif.Image.ResolutionUnit"));
    const double perInch = unit != exif.end() && unit->count() > 0 && unit->toLong(0) == 3 ? 2.54 : 1.0;
    const double dpiX = double(x->toFloat(0)) * perInch;
    const double dpiY = double(y->toFloat(0)) * perInch;
    if (!std::isfinite(dpiX) || !std::isfinite(dpiY)) return;
    properties.insert(QStringLiteral("DPIWidth"), dpiX);
    properties.insert(QStringLiteral("DPIHeight"), dpiY);
}

void addExifGroups(const Exiv2::Image& image, QVariantMap& properties) {
    const Exiv2::ExifData& exif = image.exifData();
    const QVariantMap exifGroup = group(exif, kExifEntries);
    const QVariantMap tiff = group(exif, kTiffEntries);
    QVariantMap gps = group(exif, kGpsEntries);
    const QVariantMap aux = group(exif, kAuxEntries);
    bool found = false;
    const double latitude = decimalDegrees(exif, "Exif.GPSInfo.GPSLatitude", &found);
    if (found) gps.insert(QStringLiteral("Latitude"), latitude);
    const double longitude = decimalDegrees(exif, "Exif.GPSInfo.GPSLongitude", &found);
    if (found) gps.insert(QStringLiteral("Longitude"), longitude);
    if (!exifGroup.isEmpty()) properties.insert(QStringLiteral("{Exif}"), exifGroup);
    if (!tiff.isEmpty()) properties.insert(QStringLiteral("{TIFF}"), tiff);
    if (!gps.isEmpty()) properties.insert(QStringLiteral("{GPS}"), gps);
    if (!aux.isEmpty()) properties.insert(QStringLiteral("{ExifAux}"), aux);
    if (tiff.contains(QStringLiteral("Orientation")))
        properties.insert(QStringLiteral("Orientation"), tiff.value(QStringLiteral("Orientation")));
    addResolution(exif, properties);
}

void addKeywords(const Exiv2::IptcData& iptc, QVariantMap& properties) {
    QVariantList keywords;
    for (const Exiv2::Iptcdatum& datum : iptc) {
        if (datum.key() == "Iptc.Application2.Keywords") keywords.append(text(datum.toString()));
    }
    if (!keywords.isEmpty())
        properties.insert(QStringLiteral("{IPTC}"), QVariantMap{{QStringLiteral("Keywords"), keywords}});
}

void logUnread(const QString& path, const std::exception& error) {
    qCInfo(lcHelper).noquote()
        << QStringLiteral("No image properties from %1: %2").arg(path, QString::fromUtf8(error.what()));
}

Exiv2::Image::AutoPtr openImage(const QString& path) {
    Exiv2::Image::AutoPtr image = Exiv2::ImageFactory::open(QFile::encodeName(path).toStdString(), true);
    if (image.get()) image->readMetadata();
    return image;
}

}  // namespace

std::optional<QVariantMap> ExifImageProperties::propertiesForFile(const QString& path) {
    Exiv2::Image::AutoPtr image;
    try {
        image = openImage(path);
    } catch (const std::exception& error) {
        logUnread(path, error);
    }
    return propertiesOf(image.get(), path);
}

std::optional<QVariantMap> ExifImageProperties::propertiesOf(const Exiv2::Image* image, const QString& path) {
    QVariantMap properties;
    QSize size;
    if (image) {
        try {
            size = QSize(image->pixelWidth(), image->pixelHeight());
            addExifGroups(*image, properties);
            addKeywords(image->iptcData(), properties);
        } catch (const std::exception& error) {
            logUnread(path, error);
        }
    }
    if (size.width() <= 0 || size.height() <= 0) {
        const std::optional<platform::ImageHeader> header = platform::ImageSource::header(path);
        if (header) {
            size = header->pixelSize;
            if (header->orientation != 0 && !properties.contains(QStringLiteral("Orientation")))
                properties.insert(QStringLiteral("Orientation"), header->orientation);
        }
    }
    if (size.width() <= 0 || size.height() <= 0) {
        if (properties.isEmpty()) return std::nullopt;
    } else {
        properties.insert(QStringLiteral("PixelWidth"), size.width());
        properties.insert(QStringLiteral("PixelHeight"), size.height());
    }
    return properties;
}

QByteArray ExifImageProperties::embeddedPreview(const QString& path, const QSize& atLeast) {
    try {
        Exiv2::Image::AutoPtr image = openImage(path);
        if (!image.get()) return {};
        const Exiv2::PreviewManager previews(*image);
        const Exiv2::PreviewPropertiesList list = previews.getPreviewProperties();
        if (list.empty()) return {};
        // The list runs from the smallest preview to the largest.
        const int wantedLong = qMax(atLeast.width(), atLeast.height());
        const int wantedShort = qMin(atLeast.width(), atLeast.height());
        const Exiv2::PreviewProperties* chosen = &list.back();
        for (const Exiv2::PreviewProperties& candidate : list) {
            const int longSide = int(qMax(candidate.width_, candidate.height_));
            const int shortSide = int(qMin(candidate.width_, candidate.height_));
            if (longSide >= wantedLong && shortSide >= wantedShort) {
                chosen = &candidate;
                break;
            }
        }
        const Exiv2::PreviewImage preview = previews.getPreviewImage(*chosen);
        return QByteArray(reinterpret_cast<const char*>(preview.pData()), qsizetype(preview.size()));
    } catch (const std::exception& error) {
        qCInfo(lcHelper).noquote()
            << QStringLiteral("No preview from %1: %2").arg(path, QString::fromUtf8(error.what()));
        return {};
    }
}
