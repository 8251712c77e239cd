#include <gtest/gtest.h>

#include <QDate>

#include <clocale>
#include <cstdlib>

#include "model/Utils.h"

namespace {

struct RuleCase {
    const char* name;
    int option;
    const char* input;
    const char* expected;
    // Which rule values to set; "" leaves the default.
    std::function<void(DateTimeConfiguration&)> configure;
};

void PrintTo(const RuleCase& c, std::ostream* os) {
    *os << c.name;
}

void keepAllUpdateBut(DateTimeConfiguration& c, std::optional<bool>* notKept) {
    for (auto* flag : {&c.isUpdateDayKeepOriginal, &c.isUpdateMonthKeepOriginal, &c.isUpdateYearKeepOriginal,
                       &c.isUpdateTimeKeepOriginal}) {
        *flag = flag != notKept;
    }
}

void keepAllShiftsBut(DateTimeConfiguration& c, std::initializer_list<std::optional<bool>*> notKept) {
    for (auto* flag : {&c.isIncDecDayKeepOriginal, &c.isIncDecMonthKeepOriginal, &c.isIncDecYearKeepOriginal,
                       &c.isIncDecHourKeepOriginal, &c.isIncDecMinuteKeepOriginal, &c.isIncDecSecondKeepOriginal}) {
        *flag = std::find(notKept.begin(), notKept.end(), flag) == notKept.end();
    }
}

const RuleCase kRuleCases[] = {
    {"keepReturnsInputUnnormalised", 0, "2019-07-10T08:30:00", "2019-07-10T08:30:00", {}},
    {"unknownOptionNormalises", 7, "2019-07-10T08:30:00", "2019:07:10 08:30:00", {}},
    {"emptyValueForAnyInput", 1, "2019:07:10 08:30:00", "", {}},
    {"emptyValueForEmptyInput", 1, "", "", {}},
    {"selectedDateIgnoresInput", 2, "", "2001:02:03 04:05:06",
     [](auto& c) { c.stringSelectedDate = QStringLiteral("2001:02:03 04:05:06"); }},
    {"updateWithEmptyInputIsEmpty", 3, "", "", {}},
    {"dateShiftWithEmptyInputIsEmpty", 4, "", "", {}},
    {"timeShiftWithEmptyInputIsEmpty", 5, "", "", {}},
    {"updateAllKeptReturnsIsoInput", 3, "2019-07-10T08:30:00", "2019-07-10T08:30:00",
     [](auto& c) { keepAllUpdateBut(c, nullptr); }},
    {"updateYearOnly", 3, "2019:07:10 08:30:00", "2001:07:10 08:30:00",
     [](auto& c) {
         keepAllUpdateBut(c, &c.isUpdateYearKeepOriginal);
         c.stringUpdateYear = QStringLiteral("2001");
     }},
    {"updateTimeToMidnight", 3, "2019:07:10 08:30:00", "2019:07:10 00:00:00",
     [](auto& c) {
         keepAllUpdateBut(c, &c.isUpdateTimeKeepOriginal);
         c.stringUpdateTime = QStringLiteral("00:00:00");
     }},
    {"updateDayZeroKeepsDay", 3, "2019:07:10 08:30:00", "2019:07:10 08:30:00",
     [](auto& c) {
         keepAllUpdateBut(c, &c.isUpdateDayKeepOriginal);
         c.stringUpdateDay = QStringLiteral("0");
     }},
    {"updateEverythingFromIsoInput", 3, "2019-07-10T08:30:00", "1905:01:01 00:00:00", {}},
    {"updateDay31InThirtyDayMonthRollsOver", 3, "2019:04:10 08:30:00", "2019:05:01 08:30:00",
     [](auto& c) {
         keepAllUpdateBut(c, &c.isUpdateDayKeepOriginal);
         c.stringUpdateDay = QStringLiteral("31");
     }},
    {"updateHour24RollsIntoNextDay", 3, "2019:07:10 08:30:00", "2019:07:11 00:00:00",
     [](auto& c) {
         keepAllUpdateBut(c, &c.isUpdateTimeKeepOriginal);
         c.stringUpdateTime = QStringLiteral("24:00:00");
     }},
    {"updateTimeWithMissingPartsReadsZero", 3, "2019:07:10 08:30:45", "2019:07:10 09:00:00",
     [](auto& c) {
         keepAllUpdateBut(c, &c.isUpdateTimeKeepOriginal);
         c.stringUpdateTime = QStringLiteral("9");
     }},
    {"updateTimeEmptyReadsMidnight", 3, "2019:07:10 08:30:45", "2019:07:10 00:00:00",
     [](auto& c) {
         keepAllUpdateBut(c, &c.isUpdateTimeKeepOriginal);
         c.stringUpdateTime = QString();
     }},
    {"shiftDayBackOverMonthStart", 4, "2019:03:01 10:00:00", "2019:02:28 10:00:00",
     [](auto& c) {
         keepAllShiftsBut(c, {&c.isIncDecDayKeepOriginal});
         c.stringIncDecDay = QStringLiteral("-1");
     }},
    {"shiftMonthStopsAtMonthEnd", 4, "2019:01:31 10:00:00", "2019:02:28 10:00:00",
     [](auto& c) { keepAllShiftsBut(c, {&c.isIncDecMonthKeepOriginal}); }},
    {"shiftYearFromLeapDay", 4, "2020:02:29 10:00:00", "2021:02:28 10:00:00",
     [](auto& c) { keepAllShiftsBut(c, {&c.isIncDecYearKeepOriginal}); }},
    {"shiftMinusThreeDays", 4, "2019:07:02 10:00:00", "2019:06:29 10:00:00",
     [](auto& c) {
         keepAllShiftsBut(c, {&c.isIncDecDayKeepOriginal});
         c.stringIncDecDay = QStringLiteral("-3");
     }},
    {"shiftNonNumberShiftsNothing", 4, "2019:07:02 10:00:00", "2019:07:02 10:00:00",
     [](auto& c) {
         keepAllShiftsBut(c, {&c.isIncDecDayKeepOriginal});
         c.stringIncDecDay = QStringLiteral("abc");
     }},
    {"shiftAllDatePartsByDefault", 4, "2019:07:10 08:30:00", "2020:08:11 08:30:00", {}},
    {"shiftDateAllKeptReturnsInput", 4, "2019-07-10T08:30:00", "2019-07-10T08:30:00",
     [](auto& c) { keepAllShiftsBut(c, {}); }},
    {"shiftHours25", 5, "2019:07:10 08:30:00", "2019:07:11 09:30:00",
     [](auto& c) {
         keepAllShiftsBut(c, {&c.isIncDecHourKeepOriginal});
         c.stringIncDecHour = QStringLiteral("25");
     }},
    {"shiftNinetyMinutesCarries", 5, "2019:07:10 08:30:00", "2019:07:10 10:00:00",
     [](auto& c) {
         keepAllShiftsBut(c, {&c.isIncDecMinuteKeepOriginal});
         c.stringIncDecMinute = QStringLiteral("90");
     }},
    {"shiftNegativeSecondsOverYearEnd", 5, "2020:01:01 00:00:00", "2019:12:31 23:59:59",
     [](auto& c) {
         keepAllShiftsBut(c, {&c.isIncDecSecondKeepOriginal});
         c.stringIncDecSecond = QStringLiteral("-1");
     }},
    {"shiftTimeDefaultsAddOneEach", 5, "2019:07:10 08:30:00", "2019:07:10 09:31:01", {}},
    {"unreadableInputGivesEmpty", 4, "yesterday", "", {}},
    {"fractionsOfSecondAreUnreadable", 5, "2019:07:10 08:30:00.5", "", {}},
    {"dateOnlyIsUnreadable", 3, "2019:07:10", "", {}},
    {"impossibleDateIsUnreadable", 4, "2019:02:30 10:00:00", "", {}},
};

class ADateRule : public ::testing::TestWithParam<RuleCase> {};

TEST_P(ADateRule, producesTheExpectedText) {
    const RuleCase& c = GetParam();
    DateTimeConfiguration config;
    config.tagConfigureOption = c.option;
    if (c.configure) c.configure(config);
    EXPECT_EQ(Utils::sharedUtils().getUpdatedOutputDateTimeStringWithConfig(config, QString::fromUtf8(c.input)),
              QString::fromUtf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(Rules, ADateRule, ::testing::ValuesIn(kRuleCases),
                         [](const auto& info) { return std::string(info.param.name); });

// The rule arithmetic must not depend on the zone, language or calendar the user runs under.
class ADateRuleUnderAnotherUserSetting : public ::testing::TestWithParam<std::pair<const char*, const char*>> {
  protected:
    void SetUp() override {
        m_oldTz = qgetenv("TZ");
        m_oldLang = qgetenv("LANG");
        qputenv("TZ", GetParam().first);
        qputenv("LANG", GetParam().second);
        tzset();
        QLocale::setDefault(QLocale(QString::fromLatin1(GetParam().second).section(u'.', 0, 0)));
    }
    void TearDown() override {
        qputenv("TZ", m_oldTz);
        qputenv("LANG", m_oldLang);
        tzset();
        QLocale::setDefault(QLocale::c());
    }
    QByteArray m_oldTz, m_oldLang;
};

TEST_P(ADateRuleUnderAnotherUserSetting, givesWallClockResults) {
    for (const RuleCase& c : kRuleCases) {
        DateTimeConfiguration config;
        config.tagConfigureOption = c.option;
        if (c.configure) c.configure(config);
        EXPECT_EQ(Utils::sharedUtils().getUpdatedOutputDateTimeStringWithConfig(config, QString::fromUtf8(c.input)),
                  QString::fromUtf8(c.expected))
            << c.name;
    }
    // The night Berlin's clocks jump from 02:00 to 03:00: a wall-clock hour later is still 02:30.
    DateTimeConfiguration shift;
    shift.tagConfigureOption = DateTimeConfiguration::IncDecTime;
    shift.isIncDecMinuteKeepOriginal = true;
    shift.isIncDecSecondKeepOriginal = true;
    EXPECT_EQ(Utils::sharedUtils().getUpdatedOutputDateTimeStringWithConfig(shift, "2021:03:28 01:30:00"),
              "2021:03:28 02:30:00");
    // A time inside the skipped hour is still a time people write down.
    EXPECT_EQ(Utils::sharedUtils().getUpdatedOutputDateTimeStringWithConfig(shift, "2021:03:28 02:15:00"),
              "2021:03:28 03:15:00");
}

INSTANTIATE_TEST_SUITE_P(Settings, ADateRuleUnderAnotherUserSetting,
                         ::testing::Values(std::make_pair("Europe/Berlin", "de_DE.UTF-8"),
                                           std::make_pair("Asia/Tokyo", "ja_JP.UTF-8"),
                                           std::make_pair("Asia/Bangkok", "th_TH@calendar=buddhist"),
                                           std::make_pair("America/Los_Angeles", "en_US.UTF-8")));

TEST(ADateRuleRecord, madeByDefaultKeepsTheDate) {
    const DateTimeConfiguration config;
    EXPECT_EQ(Utils::sharedUtils().getUpdatedOutputDateTimeStringWithConfig(config, "2019:07:10 08:30:00"),
              "2019:07:10 08:30:00");
}

}  // namespace
