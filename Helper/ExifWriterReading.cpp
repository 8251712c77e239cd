// Reading a photo's EXIF, IPTC and XMP values into a record, field by field as the key table says.
#include "Helper/ExifWriter.h"

#include "Helper/ExifReadConversion.h"
#include "Helper/FLTImageMetadata.h"
#include "model/MetaDataObject.h"
#include "model/MetadataKeyTable.h"
#include "platform/Log.h"
#include "platform/TextEncoding.h"

#include <exiv2/exiv2.hpp>

#include <QFile>
#include <QStringList>

namespace {

using Conversion = ExifReadConversion;

// The rows the reader fills from one family of keys ("Exif.", "Iptc.", "Xmp.").
template <typename Visit>
void forEachReadRow(const char* prefix, Visit visit) {
    for (const MetadataKeyRow& row : MetadataKeyTable::rows()) {
        if (row.read == MetadataReadUse::No || !row.key) continue;
        const QString key = row.keyText();
        if (!key.startsWith(QLatin1String(prefix))) continue;
        const Conversion::Kind kind = Conversion::kindForKey(key);
        if (kind != Conversion::NotRead) visit(row, key, kind);
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

QString exifFieldText(const Exiv2::Exifdatum& datum, const FLTImageMetadata& converter, Conversion::Kind kind) {
    if (kind == Conversion::Comment) {
        // Exiv2 prints a declared character set in front of the text; the comment value knows the text alone.
        if (const auto* comment = dynamic_cast<const Exiv2::CommentValue*>(&datum.value())) {
            const std::string text = comment->comment();
            return Conversion::valueText(platform::decodeText(QByteArrayView(text.data(), qsizetype(text.size()))));
        }
    }
    const QVariant value = converter.valueForExifMetadata(datum);
    QString text = Conversion::valueText(value);
    if (FLTImageMetadata::isRationalType(datum)) text = Conversion::exifFractionRule(text);
    switch (kind) {
    case Conversion::TextOrFirst: return Conversion::textOrFirst(value, text);
    case Conversion::FirstOrValue: return Conversion::firstOrValue(value);
    case Conversion::ExifCoordinate: return Conversion::exifCoordinate(value);
    case Conversion::Comment: return Conversion::commentFromValue(value, text);
    default: return text;
    }
}

void readExif(const Exiv2::ExifData& exif, const FLTImageMetadata& converter, MetaDataObject& record) {
    forEachReadRow("Exif.", [&](const MetadataKeyRow& row, const QString& key, Conversion::Kind kind) {
        // findKey, not the subscript: a subscript lookup adds an empty datum.
        const auto found = exif.findKey(Exiv2::ExifKey(key.toStdString()));
        record.*row.field = found == exif.end() ? QString() : exifFieldText(*found, converter, kind);
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
    forEachReadRow("Iptc.", [&](const MetadataKeyRow& row, const QString& key, Conversion::Kind kind) {
        const auto found = iptc.findKey(Exiv2::IptcKey(key.toStdString()));
        // A dataset the file lacks leaves its field as it was; a repeated one gives its first value.
        if (found == iptc.end()) return;
        if (kind == Conversion::KeywordList) {
            record.*row.field = keywordList(iptc);
            return;
        }
        QString text = Conversion::valueText(converter.valueForIptcMetadata(*found));
        if (FLTImageMetadata::isRationalType(*found)) text = Conversion::iptcFractionRule(text);
        record.*row.field = text;
    });
}

void readXmp(const Exiv2::XmpData& xmp, const FLTImageMetadata& converter, MetaDataObject& record) {
    const bool hasKeyword = ExifWriter::sharedInstance().isPrismKeyExist(xmp, converter, QStringLiteral("Xmp.prism.keyword"));
    forEachReadRow("Xmp.", [&](const MetadataKeyRow& row, const QString& key, Conversion::Kind kind) {
        if (kind == Conversion::XmpKeyword && !hasKeyword) return;
        const auto found = xmp.findKey(Exiv2::XmpKey(key.toStdString()));
        if (found == xmp.end()) {
            record.*row.field = QString();
            return;
        }
        const QString text = Conversion::valueText(converter.valueForXmpMetadata(*found));
        record.*row.field = kind == Conversion::XmpCoordinate ? Conversion::xmpCoordinate(text) : text;
    });
}

}  // namespace

MetaDataObject& ExifWriter::readMetaFromPath(const QString& path, MetaDataObject& record) const {
    const FLTImageMetadata converter = FLTImageMetadata::initWithImageAtURL(path);
    NullScrub scrub(record);
    try {
        Exiv2::Image::AutoPtr image = Exiv2::ImageFactory::open(QFile::encodeName(path).toStdString(), true);
        if (image.get() == nullptr) return record;
        image->readMetadata();
        if (!image->exifData().empty()) readExif(image->exifData(), converter, record);
        if (!image->iptcData().empty()) readIptc(image->iptcData(), converter, record);
        if (!image->xmpData().empty()) readXmp(image->xmpData(), converter, record);
    } catch (const Exiv2::AnyError& error) {
        // A file Exiv2 cannot open or parse reads as a photo without metadata.
        platform::log(QStringLiteral("No metadata read from %1: %2").arg(path, QString::fromUtf8(error.what())));
    } catch (const std::exception& error) {
        platform::log(QStringLiteral("No metadata read from %1: %2").arg(path, QString::fromUtf8(error.what())));
    }
    return record;
}

MetaDataObject& ExifWriter::replaceCommaValueToDot(MetaDataObject& record) const {
    static constexpr QString MetaDataObject::* decimalFields[] = {
        &MetaDataObject::CamSetting_FNumber,         &MetaDataObject::CamSetting_FocalLength,
        &MetaDataObject::CamSetting_FocalLengthIn35mmFormat, &MetaDataObject::AdvCamSetting_ExposureTime,
        &MetaDataObject::GPS_Lattitude,              &MetaDataObject::GPS_Longitude,
        &MetaDataObject::GPS_Altitude,               &MetaDataObject::CamSetting_ISO,
        &MetaDataObject::AdvCamSetting_WhiteBalance, &MetaDataObject::AdvCamSetting_Saturation,
        &MetaDataObject::AdvCamSetting_Sharpness,    &MetaDataObject::XMP_Latitude,
        &MetaDataObject::XMP_Longitude,
    };
    for (QString MetaDataObject::* field : decimalFields) {
        QString& value = record.*field;
        if (!value.isEmpty() && value.contains(QLatin1Char(','))) value.replace(QLatin1Char(','), QLatin1Char('.'));
    }
    return record;
}
