#include <gtest/gtest.h>

#include <QLocale>

#include "batch/DateRulePanel.h"

namespace {

using Panel = DateRulePanel;
using Config = DateTimeConfiguration;
using Label = DateRuleChecks::Label;

platform::WallTime wallTime(const QString& exifDate) {
    return *platform::DateFormat("yyyy:MM:dd HH:mm:ss").parse(exifDate);
}

Panel::Controls controlsOf(int radio, std::initializer_list<int> keptBoxes = {}) {
    Panel::Controls c;
    c.radio = radio;
    for (int box : keptBoxes) c.keep[box] = true;
    return c;
}

struct EnableCase {
    const char* name;
    Panel::Controls controls;
    std::function<void(Panel::Enabled&)> expected;  // from all off
};

void PrintTo(const EnableCase& c, std::ostream* os) {
    *os << c.name;
}

class ThePanelControls : public ::testing::TestWithParam<EnableCase> {};

TEST_P(ThePanelControls, areEnabledForTheChosenKind) {
    Panel::Enabled expected;
    GetParam().expected(expected);
    EXPECT_EQ(Panel::setupControlsOnDatePickerView(GetParam().controls), expected);
}

const EnableCase kEnableCases[] = {
    {"keepOriginal", controlsOf(Config::KeepOriginal), [](Panel::Enabled&) {}},
    {"emptyValue", controlsOf(Config::EmptyValue), [](Panel::Enabled&) {}},
    {"noRadio", controlsOf(-1), [](Panel::Enabled&) {}},
    {"pickedDate", controlsOf(Config::SelectDate), [](Panel::Enabled& e) { e.datePicker = true; }},
    {"updateWithDayAndTimeKept", controlsOf(Config::UpdateDate, {Panel::UpdateDay, Panel::UpdateTime}),
     [](Panel::Enabled& e) {
         for (int box : {Panel::UpdateDay, Panel::UpdateMonth, Panel::UpdateYear, Panel::UpdateTime})
             e.keepBox[box] = true;
         e.updateMonth = e.updateYear = true;
     }},
    {"updateWithNothingKept", controlsOf(Config::UpdateDate),
     [](Panel::Enabled& e) {
         for (int box : {Panel::UpdateDay, Panel::UpdateMonth, Panel::UpdateYear, Panel::UpdateTime})
             e.keepBox[box] = true;
         e.updateDay = e.updateMonth = e.updateYear = e.updateTimePicker = true;
     }},
    {"shiftDateWithMonthKept", controlsOf(Config::IncDecDate, {Panel::IncDecMonth}),
     [](Panel::Enabled& e) {
         for (int box : {Panel::IncDecDay, Panel::IncDecMonth, Panel::IncDecYear}) e.keepBox[box] = true;
         e.shift[Panel::ShiftDay] = e.shift[Panel::ShiftYear] = true;
     }},
    {"shiftTimeWithHourKept", controlsOf(Config::IncDecTime, {Panel::IncDecHour, Panel::IncDecDay}),
     [](Panel::Enabled& e) {
         for (int box : {Panel::IncDecHour, Panel::IncDecMinute, Panel::IncDecSecond}) e.keepBox[box] = true;
         e.shift[Panel::ShiftMinute] = e.shift[Panel::ShiftSecond] = true;
     }},
};

INSTANTIATE_TEST_SUITE_P(Kinds, ThePanelControls, ::testing::ValuesIn(kEnableCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ThePanelRule, goesThroughTheControlsAndBackUnchanged) {
    Config rule;
    rule.tagConfigureOption = Config::UpdateDate;
    rule.stringSelectedDate = "2021:03:04 17:05:09";
    rule.stringUpdateTime = "23:59:58";
    rule.stringUpdateDay = "15";
    rule.stringUpdateMonth = "2";
    rule.stringUpdateYear = "2001";
    rule.stringIncDecDay = "-3";
    rule.stringIncDecSecond = "+30";
    rule.isUpdateMonthKeepOriginal = true;
    rule.isIncDecSecondKeepOriginal = true;

    const Panel::Controls loaded = Panel::resetDateTimeConfigView(rule, Panel::Controls{});
    EXPECT_EQ(loaded.radio, Config::UpdateDate);
    EXPECT_TRUE(loaded.keep[Panel::UpdateMonth]);
    EXPECT_EQ(loaded.shift[Panel::ShiftDay], "-3");
    const Config back = Panel::ruleFromControls(loaded);
    EXPECT_EQ(back.stringSelectedDate, rule.stringSelectedDate);
    EXPECT_EQ(back.stringUpdateTime, rule.stringUpdateTime);
    EXPECT_EQ(back.stringUpdateDay, "15");
    EXPECT_EQ(back.stringIncDecSecond, "+30");
    EXPECT_EQ(back.isUpdateMonthKeepOriginal, true);
    EXPECT_EQ(back.isIncDecSecondKeepOriginal, true);
    EXPECT_EQ(back.isUpdateDayKeepOriginal, false);
    EXPECT_EQ(back.option(), Config::UpdateDate);
}

TEST(ThePanelRule, keepsThePickedDateWhateverTheUserLocale) {
    // Locales whose 12-hour clock texts do not read back used to turn the picked date into "".
    for (const char* locale : {"ar_EG", "ja_JP", "ko_KR", "de_DE", "en_US"}) {
        QLocale::setDefault(QLocale(QString::fromLatin1(locale)));
        Panel::Controls c = controlsOf(Config::SelectDate);
        c.pickedDate = wallTime("2019:07:10 20:30:05");
        const Config rule = Panel::ruleFromControls(c);
        EXPECT_EQ(rule.stringSelectedDate, "2019:07:10 20:30:05") << locale;
        EXPECT_EQ(Panel::resetDateTimeConfigView(rule, {}).pickedDate, c.pickedDate) << locale;
    }
    QLocale::setDefault(QLocale::c());
}

TEST(ThePanelRule, withNoRadioOnIsKeepOriginal) {
    Config rule;
    rule.tagConfigureOption = 7;
    const Panel::Controls loaded = Panel::resetDateTimeConfigView(rule, Panel::Controls{});
    EXPECT_EQ(loaded.radio, -1);
    EXPECT_EQ(Panel::ruleFromControls(loaded).option(), Config::KeepOriginal);
    EXPECT_EQ(DateRuleChecks::ruleSummary(Panel::ruleFromControls(loaded)), "Keep Original");
}

TEST(ThePanelRule, leavesThePickersAloneForARuleWithoutDates) {
    Config rule;
    rule.stringSelectedDate = "";
    rule.stringUpdateTime = "";
    Panel::Controls current;
    current.pickedDate = wallTime("2020:01:02 03:04:05");
    current.updateTime = 3600000;
    const Panel::Controls loaded = Panel::resetDateTimeConfigView(rule, current);
    EXPECT_EQ(loaded.pickedDate, current.pickedDate);
    EXPECT_EQ(loaded.updateTime, current.updateTime);
}

TEST(AShiftField, keepsOnlyASignedNumberWithinItsStepper) {
    const struct {
        const char* typed;
        std::optional<QString> kept;
    } cases[] = {{"-1a2", "-12"}, {"1-2", "12"}, {"+3", "+3"},      {"-", std::nullopt},
                 {"x", ""},       {"", ""},      {"10000", "1000"}, {"-10000", "-1000"}};
    for (const auto& c : cases) EXPECT_EQ(Panel::typedShiftText(c.typed, -9999, 9999), c.kept) << c.typed;
}

TEST(AValueList, isAsHighAsItsRowsUpToSix) {
    EXPECT_EQ(Panel::valueListHeight(5), 154);
    EXPECT_EQ(Panel::valueListHeight(12), 180);
}

TEST(AStoredRule, goesOnBothRecordsAsOneObject) {
    MetaDataObject form, edited;
    DateTimeConfigurationRef rule = std::make_shared<const Config>();
    Panel::storeRule(form, edited, 1, rule, "Empty Value");
    EXPECT_EQ(form.dateTimeConfigCreationDate, rule);
    EXPECT_EQ(edited.dateTimeConfigCreationDate, rule);
    EXPECT_TRUE(form.isupdated_Date_Creation && edited.isupdated_Date_Creation);
    EXPECT_EQ(edited.Date_Creation, "Empty Value");
    EXPECT_EQ(form.Date_Creation, "");

    MetaDataObject untouched;
    Panel::storeRule(untouched, untouched, 6, rule, "x");
    EXPECT_FALSE(untouched.isupdated_XMP_PhotoshopDateCreated);
    Panel::storeRule(form, edited, 5, rule, "Keep Original");
    EXPECT_EQ(edited.XMP_PhotoshopDateCreated, "Keep Original");
}

TEST(TheDateLabels, reportImpossibleUpdatesAndFutureDatesOnEveryRefill) {
    const platform::WallTime now = wallTime("2024:05:01 12:00:00");
    MetaDataObject record;
    auto future = std::make_shared<Config>();
    future->tagConfigureOption = Config::SelectDate;
    future->stringSelectedDate = "2024:05:01 12:00:01";
    auto present = std::make_shared<Config>(*future);
    present->stringSelectedDate = "2024:05:01 12:00:00";
    auto february30 = std::make_shared<Config>();
    february30->tagConfigureOption = Config::UpdateDate;
    february30->stringUpdateDay = "30";
    february30->stringUpdateMonth = "2";
    auto unknown = std::make_shared<Config>();
    unknown->tagConfigureOption = 7;
    record.dateTimeConfigOriginalDate = future;
    record.dateTimeConfigCreationDate = present;
    record.dateTimeConfigModifyDate = february30;
    record.dateTimeConfigXMPCreationDate = unknown;

    const Panel::Labels labels = Panel::dateLabels(record, now);
    EXPECT_EQ(labels[0], Label::FutureDateWarning);
    EXPECT_EQ(labels[1], Label::Hidden);
    EXPECT_EQ(labels[2], Label::NonExistingDateError);
    EXPECT_EQ(labels[3], Label::Hidden);
    EXPECT_EQ(labels[4], Label::Hidden);  // no rule: keep original
}

}  // namespace
