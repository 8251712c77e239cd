#include <gtest/gtest.h>

#include <QSet>
#include <QStringList>

#include "model/MetaDataObject.h"
#include "model/MetadataKeyTable.h"

namespace {

// The record's field names in declaration order, spelled as the record spells them.
const QStringList kFieldNames = {
    "Artist",
    "ImageDescription",
    "Copyright",
    "Software",
    "UserComment",
    "Cam_Make",
    "Cam_ModelName",
    "Cam_OwnerName",
    "Cam_SerialNumber",
    "Date_Original",
    "Date_Creation",
    "Date_Modify",
    "CamSetting_ISO",
    "CamSetting_FNumber",
    "CamSetting_Aperture",
    "CamSetting_ShutterSpeed",
    "CamSetting_FocalLength",
    "CamSetting_FocalLengthIn35mmFormat",
    "CamSetting_ExposureCompensation",
    "CamSetting_Flash",
    "CamSetting_Orientation",
    "AdvCamSetting_ColorSpace",
    "AdvCamSetting_ComponentsConfiguration",
    "AdvCamSetting_ExposureMode",
    "AdvCamSetting_ExposureProgram",
    "AdvCamSetting_ExposureTime",
    "AdvCamSetting_MateringMode",
    "AdvCamSetting_SceneCaptureType",
    "AdvCamSetting_WhiteBalance",
    "AdvCamSetting_Saturation",
    "AdvCamSetting_SensingMethod",
    "AdvCamSetting_Sharpness",
    "AdvCamSetting_SubjectDistanceRange",
    "Lens_LensMake",
    "Lens_Lens",
    "Lens_LensModel",
    "Lens_LensSerialNumber",
    "DimResolution_ExifImageWidth",
    "DimResolution_ExifImageHeight",
    "DimResolution_XResolution",
    "DimResolution_YResolution",
    "DimResolution_ResolutionUnit",
    "GPS_Lattitude",
    "GPS_LattitudeRef",
    "GPS_Longitude",
    "GPS_LongitudeRef",
    "GPS_Altitude",
    "GPS_AltitudeRef",
    "GPS_ImgDirection",
    "GPS_ImgDirectionRef",
    "GPS_DateStamp",
    "IPTC_ByLine",
    "IPTC_ByLineTitle",
    "IPTC_CopyrightNotice",
    "IPTC_Contact",
    "IPTC_Headline",
    "IPTC_CaptionAbstract",
    "IPTC_WriterEditor",
    "IPTC_ObjectName",
    "IPTC_Category",
    "IPTC_SupplementalCategories",
    "IPTC_DateCreated",
    "IPTC_Keywords",
    "IPTC_SubLocation",
    "IPTC_City",
    "IPTC_ProvinceState",
    "IPTC_CountryPrimaryLocationName",
    "IPTC_CountryPrimaryLocationCode",
    "IPTC_OriginalTransmissionRef",
    "IPTC_SpecialInstructions",
    "IPTC_Credit",
    "IPTC_Source",
    "XMP_SerialNumber",
    "XMP_Lens",
    "XMP_Keyword",
    "XMP_CreationDate",
    "XMP_ModifyDate",
    "XMP_Latitude",
    "XMP_Longitude",
    "XMP_PhotoshopDateCreated",
};

QStringList fieldsWhere(const std::function<bool(const MetadataKeyRow&)>& test) {
    QStringList names;
    for (const MetadataKeyRow& row : MetadataKeyTable::rows()) {
        if (test(row))
            names << row.fieldName();
    }
    return names;
}

}  // namespace

TEST(TheKeyTable, hasOneRowPerFieldInDeclarationOrder) {
    const auto rows = MetadataKeyTable::rows();
    ASSERT_EQ(rows.size(), 80u);
    QStringList names;
    for (const MetadataKeyRow& row : rows)
        names << row.fieldName();
    EXPECT_EQ(names, kFieldNames);
}

TEST(TheKeyTable, pointsEveryRowAtItsOwnFieldAndFlag) {
    // Writing through each row must reach a different member; a row aimed at a neighbour's member would
    // leave one field unwritten.
    MetaDataObject record;
    for (const MetadataKeyRow& row : MetadataKeyTable::rows()) {
        record.*row.field = row.fieldName();
        record.*row.updated = true;
    }
    for (const MetadataKeyRow& row : MetadataKeyTable::rows())
        EXPECT_EQ(record.*row.field, row.fieldName());
    EXPECT_EQ(record.Cam_Make, "Cam_Make");
    EXPECT_EQ(record.GPS_Lattitude, "GPS_Lattitude");
    EXPECT_EQ(record.XMP_PhotoshopDateCreated, "XMP_PhotoshopDateCreated");
    EXPECT_EQ(fieldsWhere([&record](const MetadataKeyRow& r) { return record.*r.updated; }).size(), 80);
    EXPECT_TRUE(record.isupdated_AdvCamSetting_MateringMode);
    EXPECT_FALSE(record.isReset);
}

TEST(TheKeyTable, putsEachFieldInTheGroupOfItsClearSwitch) {
    auto count = [](MetadataClearSwitch s) {
        return fieldsWhere([s](const MetadataKeyRow& r) { return r.clearSwitch == s; }).size();
    };
    EXPECT_EQ(count(MetadataClearSwitch::Exif), 41);
    EXPECT_EQ(count(MetadataClearSwitch::Comment), 1);
    EXPECT_EQ(count(MetadataClearSwitch::GpsInfo), 9);
    EXPECT_EQ(count(MetadataClearSwitch::IPTC), 21);
    EXPECT_EQ(count(MetadataClearSwitch::XMP), 8);
    EXPECT_EQ(MetadataKeyTable::rowForField("UserComment")->clearSwitch, MetadataClearSwitch::Comment);
    EXPECT_EQ(MetadataKeyTable::rowForField("DimResolution_ResolutionUnit")->clearSwitch, MetadataClearSwitch::Exif);
}

TEST(TheKeyTable, writesExactlySixtySixFieldsInTheFieldPass) {
    const QStringList written = fieldsWhere([](const MetadataKeyRow& r) { return r.write != MetadataWriteForm::None; });
    EXPECT_EQ(written.size(), 66);
    for (const char* neverWritten :
         {"CamSetting_Aperture", "CamSetting_ShutterSpeed", "CamSetting_ExposureCompensation",
          "AdvCamSetting_ColorSpace", "AdvCamSetting_ComponentsConfiguration", "Lens_Lens",
          "DimResolution_ExifImageWidth", "DimResolution_ResolutionUnit", "XMP_Keyword", "XMP_Latitude"}) {
        EXPECT_FALSE(written.contains(neverWritten)) << neverWritten;
    }
    EXPECT_EQ(MetadataKeyTable::rowForField("CamSetting_FNumber")->write, MetadataWriteForm::Fraction);
    EXPECT_EQ(MetadataKeyTable::rowForField("GPS_Altitude")->write, MetadataWriteForm::Double);
    EXPECT_EQ(MetadataKeyTable::rowForField("IPTC_DateCreated")->write, MetadataWriteForm::Utf8);
    EXPECT_EQ(MetadataKeyTable::rowForField("IPTC_Keywords")->write, MetadataWriteForm::Roman);
}

TEST(TheKeyTable, removesLeaveBlankForTheCodedFieldsOnly) {
    const QStringList expected = {"CamSetting_Flash",
                                  "CamSetting_Orientation",
                                  "AdvCamSetting_ExposureMode",
                                  "AdvCamSetting_ExposureProgram",
                                  "AdvCamSetting_MateringMode",
                                  "AdvCamSetting_SceneCaptureType",
                                  "AdvCamSetting_SensingMethod",
                                  "AdvCamSetting_SubjectDistanceRange",
                                  "GPS_LattitudeRef",
                                  "GPS_LongitudeRef",
                                  "GPS_AltitudeRef",
                                  "GPS_ImgDirectionRef",
                                  "IPTC_CountryPrimaryLocationCode"};
    EXPECT_EQ(fieldsWhere([](const MetadataKeyRow& r) { return r.leaveBlank; }), expected);
    EXPECT_EQ(MetadataKeyTable::leaveBlankText(), "Leave Blank");
}

TEST(TheKeyTable, namesTheSixDateRulesAndTheIptcDateOfTheOriginal) {
    const QStringList dated = fieldsWhere([](const MetadataKeyRow& r) { return r.dateRule != nullptr; });
    EXPECT_EQ(dated, QStringList({"Date_Original", "Date_Creation", "Date_Modify", "XMP_CreationDate", "XMP_ModifyDate",
                                  "XMP_PhotoshopDateCreated"}));
    const MetadataKeyRow* original = MetadataKeyTable::rowForField("Date_Original");
    EXPECT_EQ(original->dateRule, &MetaDataObject::dateTimeConfigOriginalDate);
    EXPECT_STREQ(original->dateRuleAlsoKey, "Iptc.Application2.DateCreated");
    EXPECT_EQ(MetadataKeyTable::rowForField("XMP_PhotoshopDateCreated")->dateRule,
              &MetaDataObject::dateTimeConfigPhotoshopCreationDate);
    EXPECT_EQ(MetadataKeyTable::rowForField("IPTC_DateCreated")->dateRule, nullptr);
    EXPECT_EQ(MetadataKeyTable::rowForField("GPS_DateStamp")->dateRule, nullptr);
}

TEST(TheKeyTable, mirrorsTheGpsPositionIntoXmpAndGuardsRawCameraNames) {
    EXPECT_EQ(fieldsWhere([](const MetadataKeyRow& r) { return r.xmpMirrorKey != nullptr; }),
              QStringList({"GPS_Lattitude", "GPS_Longitude"}));
    const MetadataKeyRow* latitude = MetadataKeyTable::rowForField("GPS_Lattitude");
    EXPECT_STREQ(latitude->xmpMirrorKey, "Xmp.exif.GPSLatitude");
    EXPECT_TRUE(hasSwitch(latitude->mirrorCleanSwitches, MetadataClearSwitch::XMP));
    EXPECT_FALSE(hasSwitch(latitude->cleanSwitches, MetadataClearSwitch::XMP));
    EXPECT_STREQ(MetadataKeyTable::rowForField("XMP_Latitude")->key, latitude->xmpMirrorKey);
    EXPECT_EQ(fieldsWhere([](const MetadataKeyRow& r) { return r.rawFileGuard; }),
              QStringList({"Cam_Make", "Cam_ModelName"}));
}

TEST(TheKeyTable, givesEveryKeyTheFamilyOfItsGroupAndCleansItUnderItsOwnSwitch) {
    QSet<QString> keys;
    for (const MetadataKeyRow& row : MetadataKeyTable::rows()) {
        if (!row.key)
            continue;
        const QString key = row.keyText();
        keys.insert(key);
        const char* family = row.group == MetadataFieldGroup::IPTC  ? "Iptc.Application2."
                             : row.group == MetadataFieldGroup::XMP ? "Xmp."
                                                                    : "Exif.";
        EXPECT_TRUE(key.startsWith(QLatin1String(family))) << row.name;
        EXPECT_TRUE(hasSwitch(row.cleanSwitches, row.clearSwitch)) << row.name;
    }
    EXPECT_EQ(keys.size(), 79);  // Lens_Lens has none
    EXPECT_EQ(MetadataKeyTable::cleanOnlyKeys().size(), 3u);
}

TEST(TheKeyTable, findsRowsAndSwitchesByName) {
    EXPECT_EQ(MetadataKeyTable::rowForField("AdvCamSetting_MeteringMode"), nullptr);
    EXPECT_EQ(MetadataKeyTable::rowForField("AdvCamSetting_MateringMode")->field,
              &MetaDataObject::AdvCamSetting_MateringMode);
    MetaDataObject record;
    record.clearGpsInfo = record.clearXMP = true;
    EXPECT_EQ(MetadataKeyTable::switchesOn(record), MetadataClearSwitch::GpsInfo | MetadataClearSwitch::XMP);
    EXPECT_EQ(MetadataKeyTable::switchMember(MetadataClearSwitch::None), nullptr);
}
