#include "editor/DropdownCodeTables.h"
#include "editor/FieldDisplay.h"
#include "editor/FormFieldTraits.h"
#include "model/MetadataKeyTable.h"

#include <QLocale>

#include <gtest/gtest.h>

namespace {

struct DisplayCase {
    const char* name;
    const char* field;
    QString stored;
    QString shown;
    friend void PrintTo(const DisplayCase& row, std::ostream* os) { *os << row.name; }
};

class AFieldDisplay : public ::testing::TestWithParam<DisplayCase> {
  protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }
};

TEST_P(AFieldDisplay, showsTheStoredValueAsPeopleReadIt) {
    const DisplayCase& c = GetParam();
    const FormFieldTraits* field = FormFieldTraits::forField(QLatin1String(c.field));
    ASSERT_NE(field, nullptr);
    MetaDataObject record;
    record.*(field->row->field) = c.stored;
    const DropdownCodeTables tables;
    EXPECT_EQ(FieldDisplay::value(*field, record, tables), c.shown);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AFieldDisplay,
    ::testing::Values(DisplayCase{"exifDate", "Date_Original", "2019:07:10 14:05:09", "Jul 10,2019 02:05:09 PM"},
                      DisplayCase{"isoDate", "Date_Original", "2019-07-10T14:05:09", "Jul 10,2019 02:05:09 PM"},
                      DisplayCase{"dateWithoutTime", "Date_Creation", "2019:07:10", "2019:07:10"},
                      DisplayCase{"isoDateWithoutTime", "Date_Creation", "2019-07-10", "2019:07:10"},
                      DisplayCase{"emptyDate", "Date_Modify", "", ""},
                      DisplayCase{"xmpModifyDateDropsItsZone", "XMP_ModifyDate", "2019-07-10T14:05:09+05:30",
                                  "Jul 10,2019 02:05:09 PM"},
                      DisplayCase{"xmpModifyDateFallbackKeepsItsZone", "XMP_ModifyDate", "2019-07-10T25:05:09+05:30",
                                  "2019:07:10 25:05:09+05:30"},
                      DisplayCase{"otherDatesKeepTheZone", "XMP_CreationDate", "2019-07-10T14:05:09+05:30",
                                  "2019:07:10 14:05:09+05:30"},
                      DisplayCase{"leftSummaryReadsAsTheRuleInForce", "Date_Original", "Inc/Dec: Hour:2",
                                  "Keep Original"},
                      DisplayCase{"iptcDate", "IPTC_DateCreated", "20190710", "Jul 10,2019"},
                      DisplayCase{"iptcDateInExiv2Form", "IPTC_DateCreated", "2019-07-10", "Jul 10,2019"},
                      DisplayCase{"iptcDateUnreadable", "IPTC_DateCreated", "July 2019", ""},
                      DisplayCase{"codedLabel", "AdvCamSetting_MateringMode", "255", "Other"},
                      DisplayCase{"orientationLabel", "CamSetting_Orientation", "6", "Rotate 90 CW"},
                      DisplayCase{"codeOutsideTheList", "CamSetting_Flash", "2", ""},
                      DisplayCase{"storedLeaveBlank", "CamSetting_Flash", "Leave Blank", ""},
                      DisplayCase{"letterCode", "GPS_LattitudeRef", "S", "South"},
                      DisplayCase{"countryCode", "IPTC_CountryPrimaryLocationCode", "NOR", "Norway"},
                      DisplayCase{"plainText", "Artist", "Ann -T- Lee", "Ann -T- Lee"}),
    [](const auto& info) { return std::string(info.param.name); });

// A date field shows the rule the run will use, in the words of the screen that shows it.
TEST(AFieldDisplay, showsTheDateRuleInForce) {
    const FormFieldTraits& field = *FormFieldTraits::forField("Date_Creation");
    MetaDataObject record;
    record.Date_Creation = "2019:07:10 14:05:09";
    DateTimeConfiguration rule;
    rule.tagConfigureOption = DateTimeConfiguration::UpdateDate;
    rule.isUpdateMonthKeepOriginal = rule.isUpdateYearKeepOriginal = true;
    rule.stringUpdateTime = "13:05:00";
    record.dateTimeConfigCreationDate = std::make_shared<const DateTimeConfiguration>(rule);
    const DropdownCodeTables tables;
    EXPECT_EQ(FieldDisplay::value(field, record, tables), "Update: Day:1  time: 01:05:00 PM");
    EXPECT_EQ(FieldDisplay::value(field, record, tables, DateRuleChecks::SummaryStyle::PresetEditor),
              "Update: Day:1  Time: 01:05:00 PM");
}

TEST(AFieldDisplay, namesTheEditingOptions) {
    EXPECT_EQ(FieldDisplay::editingOptionText(0), "Only modify fields that I edit and keep others as it is");
    EXPECT_EQ(FieldDisplay::editingOptionText(1), "Modify fields that I edit and clear others");
    EXPECT_EQ(FieldDisplay::editingOptionText(2), "Clean Metadata info");
}

// Change borders: 63 fields carry the tags 701 to 763 in the record's order, skipping the fields without one.
TEST(FormFieldTraitsTest, numbersTheChangeBordersInRecordOrder) {
    QMap<int, QString> byTag;
    int merge = 0;
    for (const FormFieldTraits& t : FormFieldTraits::all()) {
        if (t.borderTag) byTag.insert(t.borderTag, t.fieldName());
        merge += t.mergeField;
    }
    EXPECT_EQ(byTag.size(), 63);
    EXPECT_EQ(byTag.firstKey(), 701);
    EXPECT_EQ(byTag.lastKey(), 763);
    EXPECT_EQ(merge, 74);
    const std::pair<int, const char*> expected[] = {{701, "Artist"},
                                                    {705, "UserComment"},
                                                    {713, "CamSetting_ISO"},
                                                    {716, "CamSetting_FocalLengthIn35mmFormat"},
                                                    {719, "AdvCamSetting_ExposureMode"},
                                                    {729, "Lens_LensMake"},
                                                    {730, "Lens_LensModel"},
                                                    {732, "GPS_Lattitude"},
                                                    {737, "GPS_AltitudeRef"},
                                                    {738, "IPTC_ByLine"},
                                                    {747, "IPTC_Keywords"},
                                                    {752, "IPTC_CountryPrimaryLocationCode"},
                                                    {757, "XMP_SerialNumber"},
                                                    {761, "XMP_Latitude"},
                                                    {763, "XMP_PhotoshopDateCreated"}};
    for (const auto& [tag, field] : expected) EXPECT_EQ(byTag.value(tag), QLatin1String(field)) << tag;
}

}  // namespace
