#pragma once

#include "model/MetaDataObject.h"
#include "model/MetadataKeyTable.h"

#include <QStringList>

#include <memory>

// The edit records tests and benchmarks write with, made in one place.
namespace editrecords {

// The fields the forms show and take no edit of: those whose key-table rows have no write form, which the run only
// reads, and the GPS direction and date stamp (the last two), which the run writes back as the photos hold them or
// clears ("clear others", clean mode).
inline const QStringList& fieldsTheFormOnlyShows() {
    static const QStringList names = {// the camera and its lens
                                      "CamSetting_Aperture", "CamSetting_ShutterSpeed",
                                      "CamSetting_ExposureCompensation", "AdvCamSetting_ColorSpace", "Lens_Lens",
                                      // the picture, and the XMP keywords
                                      "DimResolution_ExifImageWidth", "DimResolution_ExifImageHeight",
                                      "DimResolution_XResolution", "DimResolution_YResolution",
                                      "DimResolution_ResolutionUnit", "XMP_Keyword",
                                      // the GPS fields the form only shows
                                      "GPS_ImgDirection", "GPS_DateStamp"};
    return names;
}

// An hour (or hours) later than the photo's original date, minutes and seconds kept.
inline DateTimeConfigurationRef hourLater(int hours = 1) {
    auto rule = std::make_shared<DateTimeConfiguration>();
    rule->tagConfigureOption = DateTimeConfiguration::IncDecTime;
    rule->stringIncDecHour = QString::number(hours);
    rule->isIncDecMinuteKeepOriginal = rule->isIncDecSecondKeepOriginal = true;
    return rule;
}

// Marks every field that holds a value as changed by the user.
inline void markFilledFieldsChanged(MetaDataObject& record) {
    for (const MetadataKeyRow& row : MetadataKeyTable::rows()) {
        if (!(record.*row.field).isEmpty()) record.*row.updated = true;
    }
}

// What a photographer most often sets on a batch: artist, copyright, a position and the time moved on by an
// hour.
inline MetaDataObject typicalEdit() {
    MetaDataObject settings;
    settings.Artist = "Lumarind Test";
    settings.Copyright = "(c) Lumarind Test";
    settings.GPS_Lattitude = "48.858370";
    settings.GPS_LattitudeRef = "N";
    settings.GPS_Longitude = "2.294481";
    settings.GPS_LongitudeRef = "E";
    markFilledFieldsChanged(settings);
    settings.dateTimeConfigOriginalDate = hourLater();
    return settings;
}

// A value in every field the writer writes, each a value its tag can hold, and every date an hour later.
inline MetaDataObject everyFieldEdit() {
    MetaDataObject s = typicalEdit();
    s.ImageDescription = "Boats at dawn";
    s.Software = "Lumarind";
    s.UserComment = "Shot from the pier";
    s.Cam_Make = "Canon";
    s.Cam_ModelName = "Canon EOS 7D";
    s.Cam_OwnerName = "Ann Example";
    s.Cam_SerialNumber = "0123456789";
    s.CamSetting_ISO = "200";
    s.CamSetting_FNumber = "5.6";
    s.CamSetting_FocalLength = "50";
    s.CamSetting_FocalLengthIn35mmFormat = "80";
    s.CamSetting_Flash = "16";
    s.CamSetting_Orientation = "1";
    s.AdvCamSetting_ExposureMode = "0";
    s.AdvCamSetting_ExposureProgram = "2";
    s.AdvCamSetting_ExposureTime = "0.004";
    s.AdvCamSetting_MateringMode = "5";
    s.AdvCamSetting_SceneCaptureType = "0";
    s.AdvCamSetting_WhiteBalance = "0";
    s.AdvCamSetting_Saturation = "0";
    s.AdvCamSetting_SensingMethod = "2";
    s.AdvCamSetting_Sharpness = "0";
    s.AdvCamSetting_SubjectDistanceRange = "0";
    s.Lens_LensMake = "Canon";
    s.Lens_LensModel = "EF50mm f/1.8";
    s.Lens_LensSerialNumber = "0000012345";
    s.GPS_Altitude = "35";
    s.GPS_AltitudeRef = "0";
    s.GPS_ImgDirection = "90";
    s.GPS_ImgDirectionRef = "T";
    s.GPS_DateStamp = "2019:07:10";
    s.IPTC_ByLine = "Ann Example";
    s.IPTC_ByLineTitle = "Photographer";
    s.IPTC_CopyrightNotice = "(c) Ann Example";
    s.IPTC_Contact = "ann@example.org";
    s.IPTC_Headline = "Harbour";
    s.IPTC_CaptionAbstract = "Boats at dawn";
    s.IPTC_WriterEditor = "Ed";
    s.IPTC_ObjectName = "harbour-01";
    s.IPTC_Category = "TRV";
    s.IPTC_SupplementalCategories = "Travel";
    s.IPTC_Keywords = "harbour,boats";
    s.IPTC_SubLocation = "Pier 3";
    s.IPTC_City = "Paris";
    s.IPTC_ProvinceState = "Ile-de-France";
    s.IPTC_CountryPrimaryLocationName = "France";
    s.IPTC_CountryPrimaryLocationCode = "FRA";
    s.IPTC_OriginalTransmissionRef = "T-1";
    s.IPTC_SpecialInstructions = "None";
    s.IPTC_Credit = "Ann Example";
    s.IPTC_Source = "Lumarind";
    s.XMP_SerialNumber = "0123456789";
    s.XMP_Lens = "EF50mm f/1.8";
    markFilledFieldsChanged(s);
    s.dateTimeConfigCreationDate = s.dateTimeConfigModifyDate = s.dateTimeConfigXMPCreationDate =
        s.dateTimeConfigXMPModifyDate = s.dateTimeConfigPhotoshopCreationDate = hourLater();
    return s;
}

}  // namespace editrecords
