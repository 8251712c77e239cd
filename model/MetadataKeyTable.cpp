#include "model/MetadataKeyTable.h"

#include <algorithm>

namespace {

using Group = MetadataFieldGroup;
using Read = MetadataReadForm;
using Write = MetadataWriteForm;
using Switch = MetadataClearSwitch;

constexpr MetadataClearMask kExif = static_cast<unsigned>(Switch::Exif);
constexpr MetadataClearMask kComment = static_cast<unsigned>(Switch::Comment);
constexpr MetadataClearMask kGps = static_cast<unsigned>(Switch::GpsInfo);
constexpr MetadataClearMask kIptc = static_cast<unsigned>(Switch::IPTC);
constexpr MetadataClearMask kXmp = static_cast<unsigned>(Switch::XMP);

// Ties the name text to the member and its flag, so the three can never disagree.
#define LUMARIND_FIELD(f) #f, &MetaDataObject::f, &MetaDataObject::isupdated_##f

MetadataKeyRow row(const char* name, QString MetaDataObject::*field, bool MetaDataObject::*updated, Group group,
                   Switch clearSwitch, const char* key, Read read, Write write, MetadataClearMask clean) {
    return MetadataKeyRow{name,  field,   updated, group,   clearSwitch, key,   read, write,
                          false, nullptr, nullptr, nullptr, false,       clean, 0,    group != Group::DimResolution};
}

MetadataKeyRow outsideChangedFields(MetadataKeyRow r) {
    r.entersChangedFields = false;
    return r;
}

MetadataKeyRow leaveBlank(MetadataKeyRow r) {
    r.leaveBlank = true;
    return r;
}

MetadataKeyRow rawFileGuarded(MetadataKeyRow r) {
    r.rawFileGuard = true;
    return r;
}

MetadataKeyRow dated(MetadataKeyRow r, DateTimeConfigurationRef MetaDataObject::*rule, const char* alsoKey = nullptr) {
    r.dateRule = rule;
    r.dateRuleAlsoKey = alsoKey;
    return r;
}

MetadataKeyRow mirrored(MetadataKeyRow r, const char* xmpKey, MetadataClearMask clean) {
    r.xmpMirrorKey = xmpKey;
    r.mirrorCleanSwitches = clean;
    return r;
}

// Fields of the groups that share one shape. Every EXIF value outside GPS may arrive as a list of numbers.
MetadataKeyRow exifRow(const char* name, QString MetaDataObject::*field, bool MetaDataObject::*updated, Group group,
                       const char* key, Write write) {
    return row(name, field, updated, group, Switch::Exif, key, Read::TextOrFirst, write, kExif);
}

MetadataKeyRow gpsRow(const char* name, QString MetaDataObject::*field, bool MetaDataObject::*updated, const char* key,
                      Read read, Write write) {
    return row(name, field, updated, Group::GPS, Switch::GpsInfo, key, read, write, kGps | kExif);
}

MetadataKeyRow iptcRow(const char* name, QString MetaDataObject::*field, bool MetaDataObject::*updated, const char* key,
                       Read read = Read::Text) {
    return row(name, field, updated, Group::IPTC, Switch::IPTC, key, read, Write::Utf8, kIptc);
}

MetadataKeyRow xmpRow(const char* name, QString MetaDataObject::*field, bool MetaDataObject::*updated, const char* key,
                      Read read, Write write, MetadataClearMask clean = kXmp) {
    return row(name, field, updated, Group::XMP, Switch::XMP, key, read, write, clean);
}

const MetadataKeyRow* buildRows() {
    using M = MetaDataObject;
    constexpr Group P = Group::Plain, C = Group::Camera, D = Group::Dates, S = Group::CameraSettings,
                    A = Group::AdvancedCameraSettings, L = Group::Lens, R = Group::DimResolution;
    constexpr Read Txt = Read::Text;
    constexpr Write Utf = Write::Utf8, Frac = Write::Fraction, Dbl = Write::Double, No = Write::None;
    static const MetadataKeyRow table[] = {
        exifRow(LUMARIND_FIELD(Artist), P, "Exif.Image.Artist", Utf),
        exifRow(LUMARIND_FIELD(ImageDescription), P, "Exif.Image.ImageDescription", Utf),
        exifRow(LUMARIND_FIELD(Copyright), P, "Exif.Image.Copyright", Utf),
        exifRow(LUMARIND_FIELD(Software), P, "Exif.Image.Software", Utf),
        row(LUMARIND_FIELD(UserComment), P, Switch::Comment, "Exif.Photo.UserComment", Read::Comment, Utf,
            kComment | kExif),

        rawFileGuarded(exifRow(LUMARIND_FIELD(Cam_Make), C, "Exif.Image.Make", Utf)),
        rawFileGuarded(exifRow(LUMARIND_FIELD(Cam_ModelName), C, "Exif.Image.Model", Utf)),
        exifRow(LUMARIND_FIELD(Cam_OwnerName), C, "Exif.Photo.CameraOwnerName", Utf),
        exifRow(LUMARIND_FIELD(Cam_SerialNumber), C, "Exif.Photo.BodySerialNumber", Utf),

        dated(exifRow(LUMARIND_FIELD(Date_Original), D, "Exif.Photo.DateTimeOriginal", Utf),
              &M::dateTimeConfigOriginalDate, "Iptc.Application2.DateCreated"),
        dated(exifRow(LUMARIND_FIELD(Date_Creation), D, "Exif.Photo.DateTimeDigitized", Utf),
              &M::dateTimeConfigCreationDate),
        dated(exifRow(LUMARIND_FIELD(Date_Modify), D, "Exif.Image.DateTime", Utf), &M::dateTimeConfigModifyDate),

        exifRow(LUMARIND_FIELD(CamSetting_ISO), S, "Exif.Photo.ISOSpeedRatings", Utf),
        exifRow(LUMARIND_FIELD(CamSetting_FNumber), S, "Exif.Photo.FNumber", Frac),
        exifRow(LUMARIND_FIELD(CamSetting_Aperture), S, "Exif.Photo.ApertureValue", No),
        exifRow(LUMARIND_FIELD(CamSetting_ShutterSpeed), S, "Exif.Photo.ShutterSpeedValue", No),
        exifRow(LUMARIND_FIELD(CamSetting_FocalLength), S, "Exif.Photo.FocalLength", Frac),
        exifRow(LUMARIND_FIELD(CamSetting_FocalLengthIn35mmFormat), S, "Exif.Photo.FocalLengthIn35mmFilm", Utf),
        exifRow(LUMARIND_FIELD(CamSetting_ExposureCompensation), S, "Exif.Photo.ExposureBiasValue", No),
        leaveBlank(exifRow(LUMARIND_FIELD(CamSetting_Flash), S, "Exif.Photo.Flash", Utf)),
        leaveBlank(exifRow(LUMARIND_FIELD(CamSetting_Orientation), S, "Exif.Image.Orientation", Utf)),

        exifRow(LUMARIND_FIELD(AdvCamSetting_ColorSpace), A, "Exif.Photo.ColorSpace", No),
        // Its bytes say which colour component comes first; as a number it would only mislead.
        row(LUMARIND_FIELD(AdvCamSetting_ComponentsConfiguration), A, Switch::Exif,
            "Exif.Photo.ComponentsConfiguration", Read::None, No, kExif),
        leaveBlank(exifRow(LUMARIND_FIELD(AdvCamSetting_ExposureMode), A, "Exif.Photo.ExposureMode", Utf)),
        leaveBlank(exifRow(LUMARIND_FIELD(AdvCamSetting_ExposureProgram), A, "Exif.Photo.ExposureProgram", Utf)),
        exifRow(LUMARIND_FIELD(AdvCamSetting_ExposureTime), A, "Exif.Photo.ExposureTime", Frac),
        leaveBlank(exifRow(LUMARIND_FIELD(AdvCamSetting_MateringMode), A, "Exif.Photo.MeteringMode", Utf)),
        leaveBlank(exifRow(LUMARIND_FIELD(AdvCamSetting_SceneCaptureType), A, "Exif.Photo.SceneCaptureType", Utf)),
        exifRow(LUMARIND_FIELD(AdvCamSetting_WhiteBalance), A, "Exif.Photo.WhiteBalance", Utf),
        exifRow(LUMARIND_FIELD(AdvCamSetting_Saturation), A, "Exif.Photo.Saturation", Utf),
        leaveBlank(exifRow(LUMARIND_FIELD(AdvCamSetting_SensingMethod), A, "Exif.Photo.SensingMethod", Utf)),
        exifRow(LUMARIND_FIELD(AdvCamSetting_Sharpness), A, "Exif.Photo.Sharpness", Utf),
        leaveBlank(
            exifRow(LUMARIND_FIELD(AdvCamSetting_SubjectDistanceRange), A, "Exif.Photo.SubjectDistanceRange", Utf)),

        exifRow(LUMARIND_FIELD(Lens_LensMake), L, "Exif.Photo.LensMake", Utf),
        row(LUMARIND_FIELD(Lens_Lens), L, Switch::Exif, nullptr, Read::None, No, 0),
        exifRow(LUMARIND_FIELD(Lens_LensModel), L, "Exif.Photo.LensModel", Utf),
        exifRow(LUMARIND_FIELD(Lens_LensSerialNumber), L, "Exif.Photo.LensSerialNumber", Utf),

        exifRow(LUMARIND_FIELD(DimResolution_ExifImageWidth), R, "Exif.Photo.PixelXDimension", No),
        exifRow(LUMARIND_FIELD(DimResolution_ExifImageHeight), R, "Exif.Photo.PixelYDimension", No),
        exifRow(LUMARIND_FIELD(DimResolution_XResolution), R, "Exif.Image.XResolution", No),
        exifRow(LUMARIND_FIELD(DimResolution_YResolution), R, "Exif.Image.YResolution", No),
        exifRow(LUMARIND_FIELD(DimResolution_ResolutionUnit), R, "Exif.Image.ResolutionUnit", No),

        mirrored(gpsRow(LUMARIND_FIELD(GPS_Lattitude), "Exif.GPSInfo.GPSLatitude", Read::ExifCoordinate, Dbl),
                 "Xmp.exif.GPSLatitude", kGps | kExif | kXmp),
        leaveBlank(gpsRow(LUMARIND_FIELD(GPS_LattitudeRef), "Exif.GPSInfo.GPSLatitudeRef", Txt, Utf)),
        mirrored(gpsRow(LUMARIND_FIELD(GPS_Longitude), "Exif.GPSInfo.GPSLongitude", Read::ExifCoordinate, Dbl),
                 "Xmp.exif.GPSLongitude", kGps | kExif | kXmp),
        leaveBlank(gpsRow(LUMARIND_FIELD(GPS_LongitudeRef), "Exif.GPSInfo.GPSLongitudeRef", Txt, Utf)),
        gpsRow(LUMARIND_FIELD(GPS_Altitude), "Exif.GPSInfo.GPSAltitude", Read::FirstOrValue, Dbl),
        leaveBlank(gpsRow(LUMARIND_FIELD(GPS_AltitudeRef), "Exif.GPSInfo.GPSAltitudeRef", Txt, Utf)),
        // A rational: Exiv2 reads neither "90" nor "123.4" into it, so it takes the fraction form.
        gpsRow(LUMARIND_FIELD(GPS_ImgDirection), "Exif.GPSInfo.GPSImgDirection", Read::FirstOrValue, Frac),
        // Its dropdown offers "Leave Blank" like the other references; kept as text it would land in the file.
        leaveBlank(gpsRow(LUMARIND_FIELD(GPS_ImgDirectionRef), "Exif.GPSInfo.GPSImgDirectionRef", Txt, Utf)),
        outsideChangedFields(gpsRow(LUMARIND_FIELD(GPS_DateStamp), "Exif.GPSInfo.GPSDateStamp", Txt, Utf)),

        iptcRow(LUMARIND_FIELD(IPTC_ByLine), "Iptc.Application2.Byline"),
        iptcRow(LUMARIND_FIELD(IPTC_ByLineTitle), "Iptc.Application2.BylineTitle"),
        iptcRow(LUMARIND_FIELD(IPTC_CopyrightNotice), "Iptc.Application2.Copyright"),
        iptcRow(LUMARIND_FIELD(IPTC_Contact), "Iptc.Application2.Contact"),
        iptcRow(LUMARIND_FIELD(IPTC_Headline), "Iptc.Application2.Headline"),
        iptcRow(LUMARIND_FIELD(IPTC_CaptionAbstract), "Iptc.Application2.Caption"),
        iptcRow(LUMARIND_FIELD(IPTC_WriterEditor), "Iptc.Application2.Writer"),
        iptcRow(LUMARIND_FIELD(IPTC_ObjectName), "Iptc.Application2.ObjectName"),
        iptcRow(LUMARIND_FIELD(IPTC_Category), "Iptc.Application2.Category"),
        iptcRow(LUMARIND_FIELD(IPTC_SupplementalCategories), "Iptc.Application2.SuppCategory"),
        iptcRow(LUMARIND_FIELD(IPTC_DateCreated), "Iptc.Application2.DateCreated"),
        iptcRow(LUMARIND_FIELD(IPTC_Keywords), "Iptc.Application2.Keywords", Read::KeywordList),
        iptcRow(LUMARIND_FIELD(IPTC_SubLocation), "Iptc.Application2.SubLocation"),
        iptcRow(LUMARIND_FIELD(IPTC_City), "Iptc.Application2.City"),
        iptcRow(LUMARIND_FIELD(IPTC_ProvinceState), "Iptc.Application2.ProvinceState"),
        iptcRow(LUMARIND_FIELD(IPTC_CountryPrimaryLocationName), "Iptc.Application2.CountryName"),
        leaveBlank(iptcRow(LUMARIND_FIELD(IPTC_CountryPrimaryLocationCode), "Iptc.Application2.CountryCode")),
        iptcRow(LUMARIND_FIELD(IPTC_OriginalTransmissionRef), "Iptc.Application2.TransmissionReference"),
        iptcRow(LUMARIND_FIELD(IPTC_SpecialInstructions), "Iptc.Application2.SpecialInstructions"),
        iptcRow(LUMARIND_FIELD(IPTC_Credit), "Iptc.Application2.Credit"),
        iptcRow(LUMARIND_FIELD(IPTC_Source), "Iptc.Application2.Source"),

        xmpRow(LUMARIND_FIELD(XMP_SerialNumber), "Xmp.aux.SerialNumber", Txt, Utf),
        xmpRow(LUMARIND_FIELD(XMP_Lens), "Xmp.aux.Lens", Txt, Utf),
        xmpRow(LUMARIND_FIELD(XMP_Keyword), "Xmp.prism.keyword", Read::XmpKeyword, No),
        dated(xmpRow(LUMARIND_FIELD(XMP_CreationDate), "Xmp.xmp.CreateDate", Txt, Utf),
              &M::dateTimeConfigXMPCreationDate),
        dated(xmpRow(LUMARIND_FIELD(XMP_ModifyDate), "Xmp.xmp.ModifyDate", Txt, Utf), &M::dateTimeConfigXMPModifyDate),
        // Read here, but written only from GPS_Lattitude / GPS_Longitude.
        xmpRow(LUMARIND_FIELD(XMP_Latitude), "Xmp.exif.GPSLatitude", Read::XmpCoordinate, No, kGps | kExif | kXmp),
        xmpRow(LUMARIND_FIELD(XMP_Longitude), "Xmp.exif.GPSLongitude", Read::XmpCoordinate, No, kGps | kExif | kXmp),
        dated(xmpRow(LUMARIND_FIELD(XMP_PhotoshopDateCreated), "Xmp.photoshop.DateCreated", Txt, Utf),
              &M::dateTimeConfigPhotoshopCreationDate),
    };
    static_assert(std::size(table) == MetaDataObject::fieldCount);
    return table;
}

#undef LUMARIND_FIELD

}  // namespace

std::span<const MetadataKeyRow> MetadataKeyTable::rows() {
    static const MetadataKeyRow* table = buildRows();
    return {table, static_cast<size_t>(MetaDataObject::fieldCount)};
}

std::span<const MetadataCleanOnlyKey> MetadataKeyTable::cleanOnlyKeys() {
    static const MetadataCleanOnlyKey keys[] = {
        {"Exif.Image2.XResolution", kExif},
        {"Exif.Image2.YResolution", kExif},
        {"Exif.Image2.ResolutionUnit", kExif},
    };
    return keys;
}

const MetadataKeyRow* MetadataKeyTable::rowForField(const QString& fieldName) {
    const auto all = rows();
    const auto it = std::find_if(all.begin(), all.end(),
                                 [&fieldName](const MetadataKeyRow& r) { return fieldName == QLatin1String(r.name); });
    return it == all.end() ? nullptr : &*it;
}

bool MetaDataObject::*MetadataKeyTable::switchMember(MetadataClearSwitch clearSwitch) {
    switch (clearSwitch) {
        case Switch::Exif:
            return &MetaDataObject::clearExif;
        case Switch::Comment:
            return &MetaDataObject::clearComment;
        case Switch::GpsInfo:
            return &MetaDataObject::clearGpsInfo;
        case Switch::IPTC:
            return &MetaDataObject::clearIPTC;
        case Switch::XMP:
            return &MetaDataObject::clearXMP;
        case Switch::None:
            break;
    }
    return nullptr;
}

MetadataClearMask MetadataKeyTable::switchesOn(const MetaDataObject& record) {
    MetadataClearMask mask = 0;
    for (Switch s : {Switch::Exif, Switch::Comment, Switch::GpsInfo, Switch::IPTC, Switch::XMP}) {
        if (record.*switchMember(s)) mask |= static_cast<unsigned>(s);
    }
    return mask;
}

std::span<const MetadataKeyTable::RuleMember> MetadataKeyTable::ruleMembers() {
    static const RuleMember members[] = {
        {"dateTimeConfigOriginalDate", &MetaDataObject::dateTimeConfigOriginalDate},
        {"dateTimeConfigCreationDate", &MetaDataObject::dateTimeConfigCreationDate},
        {"dateTimeConfigModifyDate", &MetaDataObject::dateTimeConfigModifyDate},
        {"dateTimeConfigXMPCreationDate", &MetaDataObject::dateTimeConfigXMPCreationDate},
        {"dateTimeConfigXMPModifyDate", &MetaDataObject::dateTimeConfigXMPModifyDate},
        {"dateTimeConfigPhotoshopCreationDate", &MetaDataObject::dateTimeConfigPhotoshopCreationDate},
    };
    return members;
}
