// Reading a photo's EXIF, IPTC and XMP values into a record, field by field as the key table says.
#include "Helper/ExifWriter.h"

#include "Helper/ExifImageProperties.h"
#include "Helper/ExifReadConversion.h"
#include "Helper/FLTImageMetadata.h"
#include "Helper/Logging.h"
#include "model/MetaDataObject.h"
#include "model/MetadataKeyTable.h"
#include "platform/TextEncoding.h"

#include <exiv2/exiv2.hpp>

#include <QFile>
#include <QStringList>

#include <cstring>

namespace {

using Conversion = ExifReadConversion;
using Form = MetadataReadForm;

// The rows the reader fills from one family of keys ("Exif.", "Iptc.", "Xmp.").
template <typename Visit>
void forEachReadRow(const char* prefix, Visit visit) {
    const size_t prefixLength = std::strlen(prefix);
    for (const MetadataKeyRow& row : MetadataKeyTable::rows()) {
        if (row.read != Form::None && row.key && std::strncmp(row.key, prefix, prefixLength) == 0) visit(row);
    }
}

// "(null)" is what a missing value prints as; no field may keep it, whichever way the read ends.
class NullScrub {
  public:
    explicit NullScrub(MetaDataObject& record) : m_record(record) {}
    ~NullScrub() {
        for (const MetadataKeyRow& row : MetadataKeyTable::rows()) {
            QString& field = m_record.*row.field;
            if (field.isNull() || field == QLatin1String("(null)")) field = QLatin1String("");
        }
    }
    NullScrub(const NullScrub&) = delete;
    NullScrub& operator=(const NullScrub&) = delete;

  private:
    MetaDataObject& m_record;
};

QString exifFieldText(const Exiv2::Exifdatum& datum, const FLTImageMetadata& converter, Form form) {
    if (form == Form::Comment) {
        // Exiv2 prints a declared character set in front of the text; the comment value knows the text alone.
        if (const auto* comment = dynamic_cast<const Exiv2::CommentValue*>(&datum.value())) {
            const std::string text = comment->comment();
            return Conversion::valueText(platform::decodeText(QByteArrayView(text.data(), qsizetype(text.size()))));
        }
    }
    const QVariant value = converter.valueForExifMetadata(datum);
    QString text = Conversion::valueText(value);
    if (FLTImageMetadata::isRationalType(datum)) text = Conversion::exifFractionRule(text);
    switch (form) {
        case Form::TextOrFirst:
            return Conversion::textOrFirst(value, text);
        case Form::FirstOrValue:
            return Conversion::firstOrValue(value);
        case Form::ExifCoordinate:
            return Conversion::exifCoordinate(value);
        case Form::Comment:
            return Conversion::commentFromValue(value, text);
        default:
            return text;
    }
}

void readExif(const Exiv2::ExifData& exif, const FLTImageMetadata& converter, MetaDataObject& record) {
    forEachReadRow("Exif.", [&](const MetadataKeyRow& row) {
        // findKey, not the subscript: a subscript lookup adds an empty datum.
        const auto found = exif.findKey(Exiv2::ExifKey(row.key));
        record.*row.field = found == exif.end() ? QString() : exifFieldText(*found, converter, row.read);
    });
}

QString keywordList(const Exiv2::IptcData& iptc) {
    QStringList keywords;
    for (const Exiv2::Iptcdatum& datum : iptc) {
        if (datum.key() != "Iptc.Application2.Keywords") continue;
        const std::string bytes = datum.value().toString();
        const QString keyword = platform::decodeText(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
        if (!keywords.contains(keyword)) keywords.append(keyword);
    }
    return keywords.join(QLatin1Char(','));
}

void readIptc(const Exiv2::IptcData& iptc, const FLTImageMetadata& converter, MetaDataObject& record) {
    forEachReadRow("Iptc.", [&](const MetadataKeyRow& row) {
        const auto found = iptc.findKey(Exiv2::IptcKey(row.key));
        // A dataset the file lacks leaves its field as it was; a repeated one gives its first value.
        if (found == iptc.end()) return;
        if (row.read == Form::KeywordList) {
            record.*row.field = keywordList(iptc);
            return;
        }
        QString text = Conversion::valueText(converter.valueForIptcMetadata(*found));
        if (FLTImageMetadata::isRationalType(*found)) text = Conversion::iptcFractionRule(text);
        record.*row.field = text;
    });
}

void readXmp(const Exiv2::XmpData& xmp, const FLTImageMetadata& converter, MetaDataObject& record) {
    const bool hasKeyword =
        ExifWriter::sharedInstance().isPrismKeyExist(xmp, converter, QStringLiteral("Xmp.prism.keyword"));
    forEachReadRow("Xmp.", [&](const MetadataKeyRow& row) {
        if (row.read == Form::XmpKeyword && !hasKeyword) return;
        const auto found = xmp.findKey(Exiv2::XmpKey(row.key));
        if (found == xmp.end()) {
            record.*row.field = QString();
            return;
        }
        const QString text = Conversion::valueText(converter.valueForXmpMetadata(*found));
        record.*row.field = row.read == Form::XmpCoordinate ? Conversion::xmpCoordinate(text) : text;
    });
}

void logUnread(const QString& path, const std::exception& error) {
    qCInfo(lcHelper).noquote()
        << QStringLiteral("No metadata read from %1: %2").arg(path, QString::fromUtf8(error.what()));
}

// The photo opened and parsed; nothing when Exiv2 cannot open or parse it.
Exiv2::Image::AutoPtr openParsed(const QString& path) {
    try {
        Exiv2::Image::AutoPtr image = Exiv2::ImageFactory::open(QFile::encodeName(path).toStdString(), true);
        if (image.get()) image->readMetadata();
        return image;
    } catch (const std::exception& error) {
        logUnread(path, error);
        return Exiv2::Image::AutoPtr();
    }
}

// A photo that cannot be read looks like a photo without metadata; one whose values fail midway keeps what
// was read until then.
void fillRecord(const Exiv2::Image* image, const QString& path, MetaDataObject& record) {
    NullScrub scrub(record);
    if (!image) return;
    const FLTImageMetadata converter = FLTImageMetadata::initWithImageAtURL(path);
    try {
        if (!image->exifData().empty()) readExif(image->exifData(), converter, record);
        if (!image->iptcData().empty()) readIptc(image->iptcData(), converter, record);
        if (!image->xmpData().empty()) readXmp(image->xmpData(), converter, record);
    } catch (const std::exception& error) {
        logUnread(path, error);
    }
}

}  // namespace

MetaDataObject& ExifWriter::readMetaFromPath(const QString& path, MetaDataObject& record) const {
    const Exiv2::Image::AutoPtr image = openParsed(path);
    fillRecord(image.get(), path, record);
    return record;
}

std::optional<QVariantMap> ExifWriter::readMetaAndPropertiesFromPath(const QString& path,
                                                                     MetaDataObject& record) const {
    const Exiv2::Image::AutoPtr image = openParsed(path);
    fillRecord(image.get(), path, record);
    return ExifImageProperties::propertiesOf(image.get(), path);
}

MetaDataObject& ExifWriter::replaceCommaValueToDot(MetaDataObject& record) const {
    static constexpr QString MetaDataObject::*decimalFields[] = {
        &MetaDataObject::CamSetting_FNumber,
        &MetaDataObject::CamSetting_FocalLength,
        &MetaDataObject::CamSetting_FocalLengthIn35mmFormat,
        &MetaDataObject::AdvCamSetting_ExposureTime,
        &MetaDataObject::GPS_Lattitude,
        &MetaDataObject::GPS_Longitude,
        &MetaDataObject::GPS_Altitude,
        &MetaDataObject::CamSetting_ISO,
        &MetaDataObject::AdvCamSetting_WhiteBalance,
        &MetaDataObject::AdvCamSetting_Saturation,
        &MetaDataObject::AdvCamSetting_Sharpness,
        &MetaDataObject::XMP_Latitude,
        &MetaDataObject::XMP_Longitude,
    };
    for (QString MetaDataObject::*field : decimalFields) {
        QString& value = record.*field;
        if (!value.isEmpty() && value.contains(QLatin1Char(','))) value.replace(QLatin1Char(','), QLatin1Char('.'));
    }
    return record;
}
