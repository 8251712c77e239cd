#include "presets/MetaDataPopupContent.h"

#include <array>

#include "editor/DropdownCodeTables.h"
#include "model/Utils.h"
#include "platform/Numbers.h"

namespace {

enum class Shown { Text, ExifDate, XmpDate, Coded };

struct RowSource {
    const char* title;
    QString MetaDataObject::*field;
    Shown shown;
    int dropdownTag;  // for Coded rows
};

using M = MetaDataObject;
constexpr Shown T = Shown::Text;

// The titles are the ones people have always read in this popup, spelling included.
const std::array<RowSource, MetaDataPopupContent::kRowCount> kRows = {{
    {"Artist", &M::Artist, T, -1},
    {"Image Description", &M::ImageDescription, T, -1},
    {"Copyright", &M::Copyright, T, -1},
    {"Software", &M::Software, T, -1},
    {"User Comment", &M::UserComment, T, -1},
    {"Make", &M::Cam_Make, T, -1},
    {"Model Name", &M::Cam_ModelName, T, -1},
    {"Owner Name", &M::Cam_OwnerName, T, -1},
    {"Serial Number", &M::Cam_SerialNumber, T, -1},
    {"Date/Time Original", &M::Date_Original, Shown::ExifDate, -1},
    {"Create Date", &M::Date_Creation, Shown::ExifDate, -1},
    {"Modify Date", &M::Date_Modify, Shown::ExifDate, -1},
    {"ISO", &M::CamSetting_ISO, T, -1},
    {"F Number", &M::CamSetting_FNumber, T, -1},
    {"Aperture Value", &M::CamSetting_Aperture, T, -1},
    {"Shutter Speed Value", &M::CamSetting_ShutterSpeed, T, -1},
    {"Focul Length", &M::CamSetting_FocalLength, T, -1},
    {"Focul Length in 35mm Format", &M::CamSetting_FocalLengthIn35mmFormat, T, -1},
    {"Exposure Compensation", &M::CamSetting_ExposureCompensation, T, -1},
    {"Flash", &M::CamSetting_Flash, Shown::Coded, DropdownCodeTables::Flash},
    {"Orientation", &M::CamSetting_Orientation, Shown::Coded, DropdownCodeTables::Orientation},
    {"Exposure Mode", &M::AdvCamSetting_ExposureMode, Shown::Coded, DropdownCodeTables::ExposureMode},
    {"Exposure Program", &M::AdvCamSetting_ExposureProgram, Shown::Coded, DropdownCodeTables::ExposureProgram},
    {"Exposure Time", &M::AdvCamSetting_ExposureTime, T, -1},
    {"Metering Mode", &M::AdvCamSetting_MateringMode, Shown::Coded, DropdownCodeTables::MeteringMode},
    {"Scene Capture Type", &M::AdvCamSetting_SceneCaptureType, Shown::Coded, DropdownCodeTables::SceneCaptureType},
    {"White Balance", &M::AdvCamSetting_WhiteBalance, T, -1},
    {"Saturation", &M::AdvCamSetting_Saturation, T, -1},
    {"Sensing Method", &M::AdvCamSetting_SensingMethod, Shown::Coded, DropdownCodeTables::SensingMethod},
    {"Sharpness", &M::AdvCamSetting_Sharpness, T, -1},
    {"Subject Distance range", &M::AdvCamSetting_SubjectDistanceRange, Shown::Coded,
     DropdownCodeTables::SubjectDistanceRange},
    {"Lens Make", &M::Lens_LensMake, T, -1},
    {"Lens Model", &M::Lens_LensModel, T, -1},
    {"Lens Serial Number", &M::Lens_LensSerialNumber, T, -1},
    {"GPS Lattitude", &M::GPS_Lattitude, T, -1},
    {"GPS Lattitude Ref", &M::GPS_LattitudeRef, Shown::Coded, DropdownCodeTables::LatitudeRef},
    {"GPS Longitude", &M::GPS_Longitude, T, -1},
    {"GPS Longitude Ref", &M::GPS_LongitudeRef, Shown::Coded, DropdownCodeTables::LongitudeRef},
    {"GPS Altitude", &M::GPS_Altitude, T, -1},
    {"GPS Altitude Ref", &M::GPS_AltitudeRef, Shown::Coded, DropdownCodeTables::AltitudeRef},
    {"By-line", &M::IPTC_ByLine, T, -1},
    {"By-line Title", &M::IPTC_ByLineTitle, T, -1},
    {"Copyright Notice", &M::IPTC_CopyrightNotice, T, -1},
    {"Headline", &M::IPTC_Headline, T, -1},
    {"Caption-Abstract", &M::IPTC_CaptionAbstract, T, -1},
    {"Writer-Editor", &M::IPTC_WriterEditor, T, -1},
    {"Object Name", &M::IPTC_ObjectName, T, -1},
    {"Category", &M::IPTC_Category, T, -1},
    {"Supplemental Categories", &M::IPTC_SupplementalCategories, T, -1},
    {"Keywords", &M::IPTC_Keywords, T, -1},
    {"Sub-Location", &M::IPTC_SubLocation, T, -1},
    {"City", &M::IPTC_City, T, -1},
    {"Province-State", &M::IPTC_ProvinceState, T, -1},
    {"Country-Primary Location Name", &M::IPTC_CountryPrimaryLocationName, T, -1},
    {"Country-Primary Location Code", &M::IPTC_CountryPrimaryLocationCode, Shown::Coded,
     DropdownCodeTables::CountryCode},
    {"Original Transmission Ref", &M::IPTC_OriginalTransmissionRef, T, -1},
    {"Special Instructions", &M::IPTC_SpecialInstructions, T, -1},
    {"Credit", &M::IPTC_Credit, T, -1},
    {"Source", &M::IPTC_Source, T, -1},
    {"Xmp Serial Number", &M::XMP_SerialNumber, T, -1},
    {"Xmp Lens", &M::XMP_Lens, T, -1},
    {"Xmp Keyword", &M::XMP_Keyword, T, -1},
    {"Xmp Creation Date", &M::XMP_CreationDate, Shown::XmpDate, -1},
    {"Xmp Modify Date", &M::XMP_ModifyDate, Shown::XmpDate, -1},
    {"Xmp Latitutde", &M::XMP_Latitude, T, -1},
    {"Xmp Longitude", &M::XMP_Longitude, T, -1},
    {"Xmp Photoshop Creation Date", &M::XMP_PhotoshopDateCreated, Shown::XmpDate, -1},
}};

QString peopleDate(const QString& text, const QString& inFormat) {
    return Utils::sharedUtils().convertedDate(text, inFormat, QStringLiteral("MMM dd,yyyy hh:mm:ss a"));
}

QString shownValue(const RowSource& source, const MetaDataObject& record, const DropdownCodeTables& tables) {
    const QString& value = record.*source.field;
    switch (source.shown) {
        case Shown::Text:
            return value;
        case Shown::ExifDate:
            return peopleDate(value, Utils::exifDateFormat());
        case Shown::XmpDate: {
            QString spaced = value;
            spaced.replace(u'T', u' ');
            return peopleDate(spaced, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        }
        case Shown::Coded:
            return tables.labelForRecord(source.dropdownTag, record);
    }
    return {};
}

// Where the pin for a missing or unusable position stands, and the whole world around it.
constexpr double kNoLocationLatitude = 28.0;
constexpr double kNoLocationLongitude = -142.0;
constexpr double kWorldCenterLatitude = 37.77;
constexpr double kWorldCenterLongitude = -122.4701;
// The span around a photo's pin, kept in single precision as it always was.
constexpr double kPinSpan = static_cast<double>(0.55f);

}  // namespace

QList<MetaDataPopupContent::Row> MetaDataPopupContent::rows(const MetaDataObject& record,
                                                            const DropdownCodeTables& tables) {
    QList<Row> rows;
    rows.reserve(kRowCount);
    for (const RowSource& source : kRows) {
        const QString value = shownValue(source, record, tables);
        rows.append({QString::fromLatin1(source.title), value.isEmpty() ? emptyValueText() : value});
    }
    return rows;
}

QString MetaDataPopupContent::sizeText(double bytesOnDisk, double width, double height) {
    const QString size = Utils::sharedUtils().unitStringFromBytes(bytesOnDisk, 0);
    const QString pixels =
        QString::number(static_cast<int>(width)) + QStringLiteral(" X ") + QString::number(static_cast<int>(height));
    return size + QStringLiteral(" | ") + pixels;
}

bool MetaDataPopupContent::isValidCoordinate(double latitude, double longitude) {
    return latitude >= -90.0 && latitude <= 90.0 && longitude >= -180.0 && longitude <= 180.0;
}

MetaDataPopupContent::Pin MetaDataPopupContent::pin(const MetaDataObject& record) {
    const bool hasBoth = !record.GPS_Lattitude.isEmpty() && !record.GPS_Longitude.isEmpty();
    double latitude = hasBoth ? platform::doubleValue(record.GPS_Lattitude) : 0.0;
    double longitude = hasBoth ? platform::doubleValue(record.GPS_Longitude) : 0.0;
    Pin pin;
    if (hasBoth && isValidCoordinate(latitude, longitude)) {
        if (record.GPS_LattitudeRef == QStringLiteral("S")) latitude = -latitude;
        if (record.GPS_LongitudeRef == QStringLiteral("W")) longitude = -longitude;
        pin.latitude = pin.centerLatitude = latitude;
        pin.longitude = pin.centerLongitude = longitude;
        pin.latitudeSpan = pin.longitudeSpan = kPinSpan;
        pin.animated = true;
        return pin;
    }
    pin.isNoLocationFound = true;
    pin.title = isValidCoordinate(latitude, longitude) ? QStringLiteral("No location found")
                                                       : QStringLiteral("Invalid location");
    pin.latitude = kNoLocationLatitude;
    pin.longitude = kNoLocationLongitude;
    pin.centerLatitude = kWorldCenterLatitude;
    pin.centerLongitude = kWorldCenterLongitude;
    pin.latitudeSpan = 180.0;
    pin.longitudeSpan = 360.0;
    return pin;
}
