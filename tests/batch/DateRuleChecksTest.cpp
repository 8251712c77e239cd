#include <gtest/gtest.h>

#include <QLocale>

#include "batch/DateRuleChecks.h"

namespace {

using Label = DateRuleChecks::Label;

DateTimeConfiguration updateRule(const char* day, const char* month, const char* year, bool keepYear = false) {
    DateTimeConfiguration c;
    c.tagConfigureOption = DateTimeConfiguration::UpdateDate;
    c.stringUpdateDay = QString::fromLatin1(day);
    c.stringUpdateMonth = QString::fromLatin1(month);
    c.stringUpdateYear = QString::fromLatin1(year);
    c.isUpdateYearKeepOriginal = keepYear;
    return c;
}

struct DateCase {
    const char* day;
    const char* month;
    const char* year;
    bool keepYear;
    Label expected;
};

void PrintTo(const DateCase& c, std::ostream* os) {
    *os << c.day << "/" << c.month << "/" << c.year;
}

class AnUpdateRule : public ::testing::TestWithParam<DateCase> {};

TEST_P(AnUpdateRule, isCheckedForADayItsMonthCannotHave) {
    const DateCase& c = GetParam();
    EXPECT_EQ(DateRuleChecks::nonExistingDateCheck(updateRule(c.day, c.month, c.year, c.keepYear)), c.expected)
        << c.day << "/" << c.month << "/" << c.year;
}

INSTANTIATE_TEST_SUITE_P(Days, AnUpdateRule,
                         ::testing::Values(DateCase{"29", "2", "2023", false, Label::NonExistingDateError},
                                           DateCase{"29", "2", "2024", false, Label::Hidden},
                                           DateCase{"29", "2", "2000", false, Label::Hidden},
                                           DateCase{"29", "2", "1900", false, Label::NonExistingDateError},
                                           DateCase{"29", "2", "2023", true, Label::Hidden},
                                           DateCase{"30", "2", "2024", false, Label::NonExistingDateError},
                                           DateCase{"31", "2", "2024", true, Label::NonExistingDateError},
                                           DateCase{"31", "4", "2024", false, Label::NonExistingDateError},
                                           DateCase{"31", "6", "2024", false, Label::NonExistingDateError},
                                           DateCase{"31", "9", "2024", false, Label::NonExistingDateError},
                                           DateCase{"31", "11", "2024", false, Label::NonExistingDateError},
                                           DateCase{"31", "1", "2024", false, Label::Hidden},
                                           DateCase{"31", "12", "2024", false, Label::Hidden},
                                           DateCase{"", "", "", false, Label::Hidden}));

TEST(AnUpdateRuleWithKeptParts, isNotChecked) {
    DateTimeConfiguration c = updateRule("31", "4", "2024");
    c.isUpdateDayKeepOriginal = true;
    EXPECT_EQ(DateRuleChecks::nonExistingDateCheck(c), Label::Hidden);
    c = updateRule("31", "4", "2024");
    c.isUpdateMonthKeepOriginal = true;
    EXPECT_EQ(DateRuleChecks::nonExistingDateCheck(c), Label::Hidden);
    DateTimeConfiguration other;
    other.tagConfigureOption = 7;
    EXPECT_EQ(DateRuleChecks::nonExistingDateCheck(other), Label::Unchanged);
}

TEST(APickedDate, warnsOnlyWhenLaterThanTheCurrentSecond) {
    const platform::DateFormat format("yyyy:MM:dd HH:mm:ss");
    const platform::WallTime now = *format.parse("2026:12:07 10:00:00") + 400;  // mid-second
    DateTimeConfiguration c;
    c.tagConfigureOption = DateTimeConfiguration::SelectDate;
    c.stringSelectedDate = "2026:12:07 10:00:01";
    EXPECT_EQ(DateRuleChecks::futureDateCheck(c, now), Label::FutureDateWarning);
    c.stringSelectedDate = "2026-12-07T10:00:01";
    EXPECT_EQ(DateRuleChecks::futureDateCheck(c, now), Label::Hidden) << "hyphens are not the pattern's";
    c.stringSelectedDate = "2026:12:07T10:00:01";
    EXPECT_EQ(DateRuleChecks::futureDateCheck(c, now), Label::FutureDateWarning);
    c.stringSelectedDate = "2026:12:07 10:00:00";
    EXPECT_EQ(DateRuleChecks::futureDateCheck(c, now), Label::Hidden);
    c.stringSelectedDate = "not a date";
    EXPECT_EQ(DateRuleChecks::futureDateCheck(c, now), Label::Hidden);
    c.stringSelectedDate = "2030:01:01 00:00:00";
    c.tagConfigureOption = DateTimeConfiguration::UpdateDate;
    EXPECT_EQ(DateRuleChecks::futureDateCheck(c, now), Label::Hidden);
}

struct SummaryCase {
    const char* name;
    std::function<void(DateTimeConfiguration&)> configure;
    const char* expected;
};

void PrintTo(const SummaryCase& c, std::ostream* os) {
    *os << c.name;
}

class ARuleSummary : public ::testing::TestWithParam<SummaryCase> {
  protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }
};

TEST_P(ARuleSummary, saysWhatTheRuleDoes) {
    DateTimeConfiguration c;
    GetParam().configure(c);
    EXPECT_EQ(DateRuleChecks::ruleSummary(c), QString::fromUtf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, ARuleSummary,
    ::testing::Values(SummaryCase{"keep", [](auto& c) { c.tagConfigureOption = 0; }, "Keep Original"},
                      SummaryCase{"empty", [](auto& c) { c.tagConfigureOption = 1; }, "Empty Value"},
                      SummaryCase{"picked",
                                  [](auto& c) {
                                      c.tagConfigureOption = 2;
                                      c.stringSelectedDate = "2020:07:04 21:07:05";
                                  },
                                  "Jul 04,2020 09:07:05 PM"},
                      SummaryCase{"updateDayTimeKept",
                                  [](auto& c) {
                                      c.tagConfigureOption = 3;
                                      c.stringUpdateDay = "15";
                                      c.isUpdateMonthKeepOriginal = c.isUpdateYearKeepOriginal =
                                          c.isUpdateTimeKeepOriginal = true;
                                  },
                                  "Update: Day:15  Time: Keep Original"},
                      SummaryCase{"updateAllKept",
                                  [](auto& c) {
                                      c.tagConfigureOption = 3;
                                      c.isUpdateDayKeepOriginal = c.isUpdateMonthKeepOriginal =
                                          c.isUpdateYearKeepOriginal = c.isUpdateTimeKeepOriginal = true;
                                  },
                                  "Date: Keep Original  Time: Keep Original"},
                      SummaryCase{"updateMonthYearWithTime",
                                  [](auto& c) {
                                      c.tagConfigureOption = 3;
                                      c.isUpdateDayKeepOriginal = true;
                                      c.stringUpdateMonth = "4";
                                      c.stringUpdateYear = "2001";
                                      c.stringUpdateTime = "13:05:00";
                                  },
                                  "Update: Month:4 Year:2001  time: 01:05:00 PM"},
                      SummaryCase{"shiftDayAndYear",
                                  [](auto& c) {
                                      c.tagConfigureOption = 4;
                                      c.stringIncDecDay = "-2";
                                      c.isIncDecMonthKeepOriginal = true;
                                  },
                                  "Inc/Dec: Day:-2 Year:1"},
                      SummaryCase{"shiftDateAllKept",
                                  [](auto& c) {
                                      c.tagConfigureOption = 4;
                                      c.isIncDecDayKeepOriginal = c.isIncDecMonthKeepOriginal =
                                          c.isIncDecYearKeepOriginal = true;
                                  },
                                  "Keep Original"},
                      SummaryCase{"shiftSecondsOnly",
                                  [](auto& c) {
                                      c.tagConfigureOption = 5;
                                      c.isIncDecHourKeepOriginal = c.isIncDecMinuteKeepOriginal = true;
                                      c.stringIncDecSecond = "30";
                                  },
                                  "Inc/Dec: Second:30"},
                      SummaryCase{"shiftAllTime", [](auto& c) { c.tagConfigureOption = 5; },
                                  "Inc/Dec: Hour:1 Minute:1 Second:1"},
                      SummaryCase{"unknownKind", [](auto& c) { c.tagConfigureOption = 7; }, ""}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
