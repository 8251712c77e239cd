#include <gtest/gtest.h>

#include <QSet>
#include <QStringList>

#include "model/MetaDataObject.h"
#include "model/MetadataKeyTable.h"

namespace {

QStringList fieldsWhere(const std::function<bool(const MetadataKeyRow&)>& test) {
    QStringList names;
    for (const MetadataKeyRow& row : MetadataKeyTable::rows()) {
        if (test(row)) names << row.fieldName();
    }
    return names;
}

}  // namespace

TEST(TheKeyTable, pointsEveryRowAtItsOwnFieldAndFlag) {
    // Writing through each row must reach a different member; a row aimed at a neighbour's member would
    // leave one field unwritten.
    MetaDataObject record;
    for (const MetadataKeyRow& row : MetadataKeyTable::rows()) {
        record.*row.field = row.fieldName();
        record.*row.updated = true;
    }
    for (const MetadataKeyRow& row : MetadataKeyTable::rows()) EXPECT_EQ(record.*row.field, row.fieldName());
    EXPECT_EQ(record.Cam_Make, "Cam_Make");
    EXPECT_EQ(record.GPS_Lattitude, "GPS_Lattitude");
    EXPECT_EQ(record.XMP_PhotoshopDateCreated, "XMP_PhotoshopDateCreated");
    EXPECT_EQ(fieldsWhere([&record](const MetadataKeyRow& r) { return record.*r.updated; }).size(), 80);
    EXPECT_TRUE(record.isupdated_AdvCamSetting_MateringMode);
    EXPECT_FALSE(record.isReset);
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
    EXPECT_EQ(MetadataKeyTable::rowForField("IPTC_Keywords")->write, MetadataWriteForm::Utf8);
}

TEST(TheKeyTable, givesEveryKeyTheFamilyOfItsGroupAndCleansItUnderItsOwnSwitch) {
    QSet<QString> keys;
    for (const MetadataKeyRow& row : MetadataKeyTable::rows()) {
        if (!row.key) continue;
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
