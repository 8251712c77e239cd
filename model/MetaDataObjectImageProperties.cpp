#include "model/MetaDataObject.h"

#include <QStringList>

#include "model/MetadataKeyTable.h"
#include "model/StringCategories.h"

// Conversion between a record and an image-property dictionary: property group ("{Exif}", "{TIFF}", "{GPS}",
// "{IPTC}", "{ExifAux}") to a map of property name to value.

namespace {

struct PropertyName {
    const char* field;
    const char* group;
    const char* property;
};

// The dictionary's own names for the fields it can hold; the other fields have no property.
constexpr PropertyName kProperties[] = {
    {"Artist", "{TIFF}", "Artist"},
    {"ImageDescription", "{TIFF}", "ImageDescription"},
    {"Copyright", "{TIFF}", "Copyright"},
    {"Software", "{TIFF}", "Software"},
    {"UserComment", "{Exif}", "UserComment"},
    {"Cam_Make", "{TIFF}", "Make"},
    {"Cam_ModelName", "{TIFF}", "Model"},
    {"Cam_OwnerName", "{Exif}", "CameraOwnerName"},
    {"Cam_SerialNumber", "{Exif}", "BodySerialNumber"},
    {"Date_Original", "{Exif}", "DateTimeOriginal"},
    {"Date_Creation", "{Exif}", "DateTimeDigitized"},
    {"Date_Modify", "{TIFF}", "DateTime"},
    {"CamSetting_ISO", "{Exif}", "ISOSpeedRatings"},
    {"CamSetting_FNumber", "{Exif}", "FNumber"},
    {"CamSetting_Aperture", "{Exif}", "ApertureValue"},
    {"CamSetting_ShutterSpeed", "{Exif}", "ShutterSpeedValue"},
    {"CamSetting_FocalLength", "{Exif}", "FocalLength"},
    {"CamSetting_FocalLengthIn35mmFormat", "{Exif}", "FocalLenIn35mmFilm"},
    {"CamSetting_ExposureCompensation", "{Exif}", "ExposureBiasValue"},
    {"CamSetting_Flash", "{Exif}", "Flash"},
    {"CamSetting_Orientation", "{TIFF}", "Orientation"},
    {"AdvCamSetting_ColorSpace", "{Exif}", "ColorSpace"},
    {"AdvCamSetting_ComponentsConfiguration", "{Exif}", "ComponentsConfiguration"},
    {"AdvCamSetting_ExposureMode", "{Exif}", "ExposureMode"},
    {"AdvCamSetting_ExposureProgram", "{Exif}", "ExposureProgram"},
    {"AdvCamSetting_ExposureTime", "{Exif}", "ExposureTime"},
    {"AdvCamSetting_MateringMode", "{Exif}", "MeteringMode"},
    {"AdvCamSetting_SceneCaptureType", "{Exif}", "SceneCaptureType"},
    {"AdvCamSetting_WhiteBalance", "{Exif}", "WhiteBalance"},
    {"AdvCamSetting_Saturation", "{Exif}", "Saturation"},
    {"AdvCamSetting_SensingMethod", "{Exif}", "SensingMethod"},
    {"AdvCamSetting_Sharpness", "{Exif}", "Sharpness"},
    {"AdvCamSetting_SubjectDistanceRange", "{Exif}", "SubjectDistRange"},
    {"Lens_LensMake", "{Exif}", "LensMake"},
    {"Lens_LensModel", "{Exif}", "LensModel"},
    {"Lens_LensSerialNumber", "{Exif}", "LensSerialNumber"},
    {"DimResolution_ExifImageWidth", "{Exif}", "PixelXDimension"},
    {"DimResolution_ExifImageHeight", "{Exif}", "PixelYDimension"},
    {"DimResolution_XResolution", "{TIFF}", "XResolution"},
    {"DimResolution_YResolution", "{TIFF}", "YResolution"},
    {"DimResolution_ResolutionUnit", "{TIFF}", "ResolutionUnit"},
    {"GPS_Lattitude", "{GPS}", "Latitude"},
    {"GPS_LattitudeRef", "{GPS}", "LatitudeRef"},
    {"GPS_Longitude", "{GPS}", "Longitude"},
    {"GPS_LongitudeRef", "{GPS}", "LongitudeRef"},
    {"GPS_Altitude", "{GPS}", "Altitude"},
    {"GPS_AltitudeRef", "{GPS}", "AltitudeRef"},
    {"GPS_ImgDirection", "{GPS}", "ImgDirection"},
    {"GPS_ImgDirectionRef", "{GPS}", "ImgDirectionRef"},
    {"GPS_DateStamp", "{GPS}", "DateStamp"},
    {"IPTC_ByLine", "{IPTC}", "Byline"},
    {"IPTC_ByLineTitle", "{IPTC}", "BylineTitle"},
    {"IPTC_CopyrightNotice", "{IPTC}", "CopyrightNotice"},
    {"IPTC_Contact", "{IPTC}", "Contact"},
    {"IPTC_Headline", "{IPTC}", "Headline"},
    {"IPTC_CaptionAbstract", "{IPTC}", "Caption/Abstract"},
    {"IPTC_WriterEditor", "{IPTC}", "Writer/Editor"},
    {"IPTC_ObjectName", "{IPTC}", "ObjectName"},
    {"IPTC_Category", "{IPTC}", "Category"},
    {"IPTC_SupplementalCategories", "{IPTC}", "SupplementalCategory"},
    {"IPTC_DateCreated", "{IPTC}", "DateCreated"},
    {"IPTC_Keywords", "{IPTC}", "Keywords"},
    {"IPTC_SubLocation", "{IPTC}", "SubLocation"},
    {"IPTC_City", "{IPTC}", "City"},
    {"IPTC_ProvinceState", "{IPTC}", "Province/State"},
    {"IPTC_CountryPrimaryLocationName", "{IPTC}", "Country/PrimaryLocationName"},
    {"IPTC_CountryPrimaryLocationCode", "{IPTC}", "Country/PrimaryLocationCode"},
    {"IPTC_OriginalTransmissionRef", "{IPTC}", "OriginalTransmissionReference"},
    {"IPTC_SpecialInstructions", "{IPTC}", "SpecialInstructions"},
    {"IPTC_Credit", "{IPTC}", "Credit"},
    {"IPTC_Source", "{IPTC}", "Source"},
    {"XMP_SerialNumber", "{ExifAux}", "SerialNumber"},
    {"XMP_Lens", "{ExifAux}", "LensModel"},
};

QString propertyText(const QVariant& value) {
    if (value.typeId() == QMetaType::QVariantList || value.typeId() == QMetaType::QStringList) {
        QStringList parts;
        for (const QVariant& item : value.toList()) parts << propertyText(item);
        return parts.join(QLatin1Char(','));
    }
    if (value.typeId() == QMetaType::Bool) return value.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    return StringCategories::stringByTrimmingLeadingAndTrailingWhitespaceAndNewlineCharacters(value.toString());
}

template <typename Visit>
void forEachProperty(Visit&& visit) {
    for (const PropertyName& property : kProperties) {
        const MetadataKeyRow* row = MetadataKeyTable::rowForField(QLatin1String(property.field));
        if (row) visit(*row, QLatin1String(property.group), QLatin1String(property.property));
    }
}

void removeProperty(QVariantMap& dict, const QString& group, const QString& property) {
    if (!dict.contains(group)) return;
    QVariantMap properties = dict.value(group).toMap();
    properties.remove(property);
    dict.insert(group, properties);
}

void setProperty(QVariantMap& dict, const QString& group, const QString& property, const QString& value) {
    QVariantMap properties = dict.value(group).toMap();
    properties.insert(property, value);
    dict.insert(group, properties);
}

}  // namespace

MetaDataObject MetaDataObject::initWithDict(const QVariantMap& dict) {
    MetaDataObject record;
    record.resetAllWithDict(dict);
    return record;
}

void MetaDataObject::resetAllWithDict(const QVariantMap& dict) {
    forEachProperty([this, &dict](const MetadataKeyRow& row, const QString& group, const QString& property) {
        const QVariantMap properties = dict.value(group).toMap();
        if (properties.contains(property)) this->*row.field = propertyText(properties.value(property));
    });
}

QVariantMap MetaDataObject::metadataDictFromObject(const MetaDataObject& object, const QVariantMap& oldDict,
                                                   const MetaDataObject& updatedMetadataObject) {
    QVariantMap dict = oldDict;
    if (object.editingOption == CleanMetadataInfo) {
        const MetadataClearMask on = MetadataKeyTable::switchesOn(object);
        if (object.clearIPTC) dict.remove(QStringLiteral("{IPTC}"));
        forEachProperty([&dict, on](const MetadataKeyRow& row, const QString& group, const QString& property) {
            if (hasSwitch(on, row.clearSwitch)) removeProperty(dict, group, property);
        });
        return dict;
    }
    const bool clearOthers = object.editingOption == ModifyEditedClearOthers;
    forEachProperty([&](const MetadataKeyRow& row, const QString& group, const QString& property) {
        const QString& value = object.*row.field;
        const bool edited = updatedMetadataObject.*row.updated;
        if (value == MetadataKeyTable::leaveBlankText() || (clearOthers && !edited) || (value.isEmpty() && edited)) {
            removeProperty(dict, group, property);
        } else if (!value.isEmpty()) {
            setProperty(dict, group, property, value);
        }
    });
    return dict;
}
