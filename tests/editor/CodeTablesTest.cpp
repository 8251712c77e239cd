#include "editor/DropdownCodeTables.h"
#include "editor/PopupLists.h"
#include "model/MetadataKeyTable.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct TableCase {
    int tag;
    const char* field;
    int rows;
    const char* label;
    const char* code;
    friend void PrintTo(const TableCase& row, std::ostream* os) { *os << row.field << " (tag " << row.tag << ")"; }
};

class ACodeTable : public ::testing::TestWithParam<TableCase> {};

TEST_P(ACodeTable, pairsLabelsWithCodesAfterLeaveBlank) {
    const TableCase& c = GetParam();
    const DropdownCodeTables tables;
    const QStringList labels = tables.labels(c.tag);
    const QStringList codes = tables.codes(c.tag);
    ASSERT_EQ(labels.size(), c.rows);
    ASSERT_EQ(codes.size(), c.rows);
    EXPECT_EQ(labels.first(), "Leave Blank");
    EXPECT_EQ(codes.first(), "");
    EXPECT_EQ(QSet<QString>(codes.begin(), codes.end()).size(), c.rows) << "codes repeat";
    QStringList sorted = labels.mid(1);
    sorted.sort(Qt::CaseInsensitive);
    EXPECT_EQ(sorted, labels.mid(1)) << "labels out of order";
    EXPECT_EQ(codes.at(labels.indexOf(QLatin1String(c.label))), QLatin1String(c.code));
    EXPECT_EQ(tables.labelForCode(c.tag, QLatin1String(c.code)), QLatin1String(c.label));
    EXPECT_EQ(DropdownCodeTables::fieldRow(c.tag), MetadataKeyTable::rowForField(QLatin1String(c.field)));
    EXPECT_EQ(DropdownCodeTables::tagForField(QLatin1String(c.field)), c.tag);
    EXPECT_EQ(PopupLists::rows(c.tag, {&tables, {}, {}}), labels);
}

INSTANTIATE_TEST_SUITE_P(
    Fifteen, ACodeTable,
    ::testing::Values(TableCase{0, "CamSetting_Flash", 28, "No Flash", "0"},
                      TableCase{1, "CamSetting_Orientation", 9, "Rotate 90 CW", "6"},
                      TableCase{2, "AdvCamSetting_ColorSpace", 6, "Uncalibrated", "65535"},
                      TableCase{3, "AdvCamSetting_ExposureMode", 4, "Auto Bracket", "2"},
                      TableCase{4, "AdvCamSetting_ExposureProgram", 11, "Shutter speed priority AE", "4"},
                      TableCase{5, "AdvCamSetting_MateringMode", 9, "Other", "255"},
                      TableCase{6, "AdvCamSetting_SceneCaptureType", 5, "Night", "3"},
                      TableCase{7, "AdvCamSetting_SensingMethod", 8, "Color sequential linear", "8"},
                      TableCase{8, "AdvCamSetting_SubjectDistanceRange", 5, "Macro", "1"},
                      TableCase{9, "DimResolution_ResolutionUnit", 4, "inches", "2"},
                      TableCase{10, "GPS_LattitudeRef", 3, "South", "S"},
                      TableCase{11, "GPS_LongitudeRef", 3, "West", "W"},
                      TableCase{12, "GPS_AltitudeRef", 3, "Below Sea Level", "1"},
                      TableCase{13, "GPS_ImgDirectionRef", 3, "True North", "T"},
                      TableCase{14, "IPTC_CountryPrimaryLocationCode", 250, "Norway", "NOR"}),
    [](const auto& info) { return "tag" + std::to_string(info.param.tag); });

TEST(ACodeTable, answersNothingOutsideTheFifteenTags) {
    const DropdownCodeTables tables;
    for (int tag : {-1, 15, 16}) {
        EXPECT_TRUE(tables.labels(tag).isEmpty());
        EXPECT_TRUE(tables.codes(tag).isEmpty());
        EXPECT_EQ(tables.labelForRecord(tag, MetaDataObject()), "");
    }
}

TEST(ACountryList, keepsOnlyLeaveBlankForABrokenFileAndSkipsRowsWithoutACode) {
    QTemporaryDir dir;
    const QString path = dir.filePath("countries.json");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(R"([{"name":"Norway","code":"NOR"},{"name":"Nowhere"},{"code":"XXX"},{"name":"Peru","code":"PER"}])");
    file.close();
    const DropdownCodeTables read(path);
    EXPECT_EQ(read.arrCountryCode(), QStringList({"Leave Blank", "Norway", "Peru"}));
    EXPECT_EQ(read.arrCountryCodeValues(), QStringList({"", "NOR", "PER"}));

    const DropdownCodeTables missing(dir.filePath("none.json"));
    EXPECT_EQ(missing.arrCountryCode(), QStringList({"Leave Blank"}));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("[{\"name\": ");
    file.close();
    EXPECT_EQ(DropdownCodeTables(path).arrCountryCodeValues(), QStringList({""}));
}

TEST(APopupList, sizesItselfByItsRowsAndNamesThePresetsEntry) {
    EXPECT_EQ(PopupLists::codedListHeight(28), 186);
    EXPECT_EQ(PopupLists::codedListHeight(3), 96);
    EXPECT_EQ(PopupLists::codedListHeight(5), 156);
    EXPECT_EQ(PopupLists::codedListHeight(6), 186);
    EXPECT_EQ(PopupLists::addMenuHeight(3), 96);

    EXPECT_EQ(PopupLists::rows(PopupLists::Presets, {}), QStringList({"Add Presets..."}));
    EXPECT_EQ(PopupLists::rows(PopupLists::Presets, {nullptr, {"A", "B"}, {}}),
              QStringList({"A", "B", "Edit Presets..."}));
    EXPECT_EQ(PopupLists::rows(PopupLists::AddPhotosMenu, {}),
              QStringList({"Add Photos", "Add Folder", "Add Photos Library"}));
    // The desktop's own words on Linux for the first two rows of the photo menu.
    EXPECT_EQ(PopupLists::rows(PopupLists::PhotoMenu, {}).mid(0, 2),
              QStringList({"Show in File Manager", "Open in Image Viewer"}));
    EXPECT_EQ(PopupLists::rows(PopupLists::RenameDateFormat, {}).size(), 20);
    EXPECT_EQ(PopupLists::rows(PopupLists::RenameDateFormat, {}).at(19), "YYYY-MM-DD_HH-MM-SS");
    EXPECT_TRUE(PopupLists::rows(PopupLists::NoList, {}).isEmpty());
    EXPECT_TRUE(PopupLists::rows(23, {}).isEmpty());
}

TEST(APopupList, offersTheYearsFrom1905AndCopesWithAClockBeforeThem) {
    const QStringList years = PopupLists::yearsList(2026);
    EXPECT_EQ(years.size(), 122);
    EXPECT_EQ(years.first(), "1905");
    EXPECT_EQ(years.last(), "2026");
    EXPECT_EQ(PopupLists::initialUpdateYear(years), "1905");
    EXPECT_TRUE(PopupLists::yearsList(1900).isEmpty());
    EXPECT_EQ(PopupLists::initialUpdateYear(PopupLists::yearsList(1900)), "1905");
}

}  // namespace
