// The six dates of the copy rebuilt by their rules from the photo's own dates.
#include "Helper/ExifWriter.h"
#include "tests/Helper/WriterFixtures.h"
#include "tests/common/TestSupport.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace writerfixtures;

namespace {

// The six dates as exiftool reports them, and the date taken that TIFF/EP raws repeat in their first IFD.
const char* const kDateTags[] = {"ExifIFD:DateTimeOriginal", "ExifIFD:CreateDate", "IFD0:ModifyDate",
                                 "XMP-xmp:CreateDate",       "XMP-xmp:ModifyDate", "XMP-photoshop:DateCreated",
                                 "IFD0:DateTimeOriginal"};

struct DateRuleRow {
    const char* name;
    std::function<DateTimeConfigurationRef()> config;
    bool touched;                  // the six isupdated_ flags
    const char* date;              // every date tag afterwards; nullptr: removed
    const char* iptcDate;          // IPTC:DateCreated afterwards; nullptr: removed
    const char* modificationTime;  // the file's; nullptr: as the write left it
};

void PrintTo(const DateRuleRow& row, std::ostream* out) {
    *out << row.name;
}

DateTimeConfigurationRef picked() {
    auto config = std::make_shared<DateTimeConfiguration>();
    config->tagConfigureOption = DateTimeConfiguration::SelectDate;
    config->stringSelectedDate = "2020:01:02 03:04:05";
    return config;
}

DateTimeConfigurationRef updatedDay() {
    auto config = std::make_shared<DateTimeConfiguration>();
    config->tagConfigureOption = DateTimeConfiguration::UpdateDate;
    config->stringUpdateDay = "15";
    config->stringUpdateMonth = "3";
    config->stringUpdateYear = "2021";
    config->isUpdateTimeKeepOriginal = true;
    return config;
}

DateTimeConfigurationRef nextDay() {
    auto config = std::make_shared<DateTimeConfiguration>();
    config->tagConfigureOption = DateTimeConfiguration::IncDecDate;
    config->stringIncDecDay = "1";
    config->isIncDecMonthKeepOriginal = true;
    config->isIncDecYearKeepOriginal = true;
    return config;
}

DateTimeConfigurationRef sixteenHoursLater() {
    auto config = std::make_shared<DateTimeConfiguration>();
    config->tagConfigureOption = DateTimeConfiguration::IncDecTime;
    config->stringIncDecHour = "16";
    config->isIncDecMinuteKeepOriginal = true;
    config->isIncDecSecondKeepOriginal = true;
    return config;
}

class ADateRule : public ::testing::TestWithParam<DateRuleRow> {
  protected:
    QTemporaryDir dir;
};

}  // namespace

TEST_P(ADateRule, rebuildsAllSixDatesFromThePhotosOwn) {
    const DateRuleRow row = GetParam();
    const QString source = seededPhoto(dir.path(), "photo.jpg", Format::Jpeg);
    ASSERT_TRUE(helperfixtures::exiftoolWrite(
        source, {"-IFD0:DateTimeOriginal=" + seededDate(), "-ExifIFD:DateTimeOriginal=" + seededDate()}));
    const QByteArray before = testsupport::fileHash(source);
    MetaDataObject settings;
    setAllRules(settings, row.config());
    for (bool MetaDataObject::*flag :
         {&MetaDataObject::isupdated_Date_Original, &MetaDataObject::isupdated_Date_Creation,
          &MetaDataObject::isupdated_Date_Modify, &MetaDataObject::isupdated_XMP_CreationDate,
          &MetaDataObject::isupdated_XMP_ModifyDate, &MetaDataObject::isupdated_XMP_PhotoshopDateCreated}) {
        settings.*flag = row.touched;
    }
    const QString target = dir.filePath("out.jpg");

    const ExifWriteResult result =
        ExifWriter::sharedInstance().writeMetaDataToFilePath(photoAt(source), settings, target, {}, false);

    ASSERT_EQ(result.errorFlag, ExifWriteSucceeded) << result.errorMsg.toStdString();
    const QJsonObject t = exiftoolTags(target);
    for (const char* tag : kDateTags) {
        if (row.date) {
            EXPECT_EQ(t.value(tag).toString(), row.date) << tag;
        } else {
            EXPECT_FALSE(t.contains(tag)) << tag;
        }
    }
    if (row.iptcDate) {
        EXPECT_EQ(t.value("IPTC:DateCreated").toString(), row.iptcDate);
    } else {
        EXPECT_FALSE(t.contains("IPTC:DateCreated"));
    }
    if (row.modificationTime) {
        EXPECT_EQ(modificationTime(target), row.modificationTime);
    }
    EXPECT_EQ(testsupport::fileHash(source), before);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, ADateRule,
    ::testing::Values(
        DateRuleRow{"keep", [] { return rule(0); }, false, "2019:07:31 08:30:00", "2019:07:31", "2019:07:31 08:30:00"},
        DateRuleRow{"emptyUntouched", [] { return rule(1); }, false, "2019:07:31 08:30:00", "2019:07:31", nullptr},
        DateRuleRow{"emptyTouched", [] { return rule(1); }, true, nullptr, nullptr, nullptr},
        DateRuleRow{"picked", picked, false, "2020:01:02 03:04:05", "2020:01:02", "2020:01:02 03:04:05"},
        DateRuleRow{"updated", updatedDay, false, "2021:03:15 08:30:00", "2021:03:15", "2021:03:15 08:30:00"},
        DateRuleRow{"shiftedAcrossMonthEnd", nextDay, false, "2019:08:01 08:30:00", "2019:08:01",
                    "2019:08:01 08:30:00"},
        DateRuleRow{"shiftedAcrossMidnight", sixteenHoursLater, false, "2019:08:01 00:30:00", "2019:08:01",
                    "2019:08:01 00:30:00"}),
    [](const ::testing::TestParamInfo<DateRuleRow>& info) { return std::string(info.param.name); });

TEST(AnXmpDate, isWrittenInTheIsoForm) {
    QTemporaryDir dir;
    const QString source = seededPhoto(dir.path(), "photo.jpg", Format::Jpeg);
    MetaDataObject settings;
    setAllRules(settings, nextDay());
    const QString target = dir.filePath("out.jpg");
    ExifWriter::sharedInstance().writeMetaDataToFilePath(photoAt(source), settings, target, {}, false);

    const QByteArray packet = xmpPacket(target);
    EXPECT_TRUE(packet.contains("2019-08-01T08:30:00")) << packet.toStdString();
    EXPECT_FALSE(packet.contains("2019:08:01")) << packet.toStdString();
    EXPECT_FALSE(exiftoolTags(target).contains("IFD0:DateTimeOriginal"));  // only a file that held one has it
}

TEST(AnOriginalDateRule, replacesTheIptcDateTheFormHeld) {
    QTemporaryDir dir;
    const QString source = seededPhoto(dir.path(), "photo.jpg", Format::Jpeg);
    MetaDataObject settings;
    settings.IPTC_DateCreated = "2000:01:01";
    settings.dateTimeConfigOriginalDate = picked();
    const QString target = dir.filePath("out.jpg");
    ExifWriter::sharedInstance().writeMetaDataToFilePath(photoAt(source), settings, target, {}, false);
    EXPECT_EQ(exiftoolTags(target).value("IPTC:DateCreated").toString(), "2020:01:02");
}

TEST(AFileDate, followsTheModifyRuleOnly) {
    QTemporaryDir dir;
    const QString source = seededPhoto(dir.path(), "photo.jpg", Format::Jpeg);
    MetaDataObject settings;
    settings.dateTimeConfigModifyDate = picked();
    auto later = std::make_shared<DateTimeConfiguration>();
    later->tagConfigureOption = DateTimeConfiguration::SelectDate;
    later->stringSelectedDate = "2030:01:01 00:00:00";
    settings.dateTimeConfigCreationDate = later;
    const QString target = dir.filePath("out.jpg");
    ExifWriter::sharedInstance().writeMetaDataToFilePath(photoAt(source), settings, target, {}, false);
    EXPECT_EQ(modificationTime(target), "2020:01:02 03:04:05");
}
