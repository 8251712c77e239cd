#include <gtest/gtest.h>

#include <QStringList>

#include "model/MetaDataObject.h"

namespace {

QVariantMap sampleDict() {
    return {
        {"{TIFF}", QVariantMap{{"Make", "  Canon \n"}, {"Model", "EOS 5D"}, {"Orientation", 6}}},
        {"{Exif}", QVariantMap{{"ISOSpeedRatings", QVariantList{100, 200}}, {"FNumber", 2.8}}},
        {"{GPS}", QVariantMap{{"Latitude", 48.8584}, {"LatitudeRef", "N"}}},
        {"{IPTC}", QVariantMap{{"Keywords", QStringList{"sea", "sun"}}, {"City", "Nice"}}},
        {"{ExifAux}", QVariantMap{{"SerialNumber", "123"}}},
    };
}

QVariant property(const QVariantMap& dict, const char* group, const char* name) {
    return dict.value(group).toMap().value(name);
}

}  // namespace

TEST(ARecordFromImageProperties, printsTrimsAndJoinsTheValues) {
    const MetaDataObject record = MetaDataObject::initWithDict(sampleDict());
    EXPECT_EQ(record.Cam_Make, "Canon");
    EXPECT_EQ(record.Cam_ModelName, "EOS 5D");
    EXPECT_EQ(record.CamSetting_Orientation, "6");
    EXPECT_EQ(record.CamSetting_ISO, "100,200");
    EXPECT_EQ(record.CamSetting_FNumber, "2.8");
    EXPECT_EQ(record.GPS_Lattitude, "48.8584");
    EXPECT_EQ(record.IPTC_Keywords, "sea,sun");
    EXPECT_EQ(record.XMP_SerialNumber, "123");
    EXPECT_EQ(record.Artist, "");
    EXPECT_FALSE(record.isupdated_Cam_Make);
}

TEST(ImagePropertiesFromARecord, setValuesAndRemoveLeaveBlankAndEmptiedFields) {
    MetaDataObject record;
    record.Artist = "Ann";
    record.CamSetting_Orientation = "Leave Blank";
    record.IPTC_City = "";
    MetaDataObject updated;
    updated.isupdated_IPTC_City = true;
    const QVariantMap dict = MetaDataObject::metadataDictFromObject(record, sampleDict(), updated);
    EXPECT_EQ(property(dict, "{TIFF}", "Artist").toString(), "Ann");
    EXPECT_FALSE(dict.value("{TIFF}").toMap().contains("Orientation"));
    EXPECT_FALSE(dict.value("{IPTC}").toMap().contains("City"));
    EXPECT_EQ(property(dict, "{TIFF}", "Make").toString(), "  Canon \n");
    EXPECT_EQ(property(dict, "{IPTC}", "Keywords").toStringList(), QStringList({"sea", "sun"}));
}

TEST(ImagePropertiesFromARecord, clearOthersKeepsOnlyEditedFields) {
    MetaDataObject record;
    record.editingOption = ModifyEditedClearOthers;
    record.Cam_Make = "Nikon";
    MetaDataObject updated;
    updated.isupdated_Cam_Make = true;
    const QVariantMap dict = MetaDataObject::metadataDictFromObject(record, sampleDict(), updated);
    EXPECT_EQ(property(dict, "{TIFF}", "Make").toString(), "Nikon");
    EXPECT_FALSE(dict.value("{TIFF}").toMap().contains("Model"));
    EXPECT_FALSE(dict.value("{GPS}").toMap().contains("Latitude"));
}

TEST(ImagePropertiesFromARecord, cleanModeRemovesTheGroupsOfTheSwitchesOn) {
    MetaDataObject record;
    record.editingOption = CleanMetadataInfo;
    record.clearGpsInfo = true;
    record.clearIPTC = true;
    const QVariantMap dict = MetaDataObject::metadataDictFromObject(record, sampleDict(), MetaDataObject());
    EXPECT_FALSE(dict.value("{GPS}").toMap().contains("Latitude"));
    EXPECT_FALSE(dict.contains("{IPTC}"));
    EXPECT_EQ(property(dict, "{TIFF}", "Make").toString(), "  Canon \n");
    EXPECT_EQ(property(dict, "{ExifAux}", "SerialNumber").toString(), "123");
}
