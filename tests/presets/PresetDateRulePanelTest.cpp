#include <gtest/gtest.h>

#include <QLocale>

#include <functional>

#include "model/MetadataKeyTable.h"
#include "presets/PresetDateRulePanel.h"

namespace {

using State = PresetDateRulePanel::State;
using Enabled = PresetDateRulePanel::Enabled;

State panel(int option) {
    State s;
    s.option = option;
    s.selectedDate = "2021:03:05 09:15:00";
    s.updateTime = "15:04:05";
    s.updateDay = "7";
    s.updateMonth = "5";
    s.updateYear = "2010";
    s.incDecDay = "1";
    s.incDecMonth = "2";
    s.incDecYear = "-2";
    s.incDecHour = "3";
    s.incDecMinute = "-4";
    s.incDecSecond = "30";
    return s;
}

struct SummaryCase {
    const char* name;
    std::function<State()> state;
    const char* summary;
};

void PrintTo(const SummaryCase& c, std::ostream* os) {
    *os << c.name;
}

class APresetDateRule : public ::testing::TestWithParam<SummaryCase> {
  protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }
};

State with(int option, const std::function<void(State&)>& change) {
    State s = panel(option);
    change(s);
    return s;
}

}  // namespace

TEST_P(APresetDateRule, isStoredWithItsSummary) {
    const SummaryCase& c = GetParam();
    const State state = c.state();
    const DateTimeConfiguration rule = PresetDateRulePanel::buildRule(state);
    for (int field = 0; field < PresetDateRulePanel::kDateFieldCount; ++field) {
        SCOPED_TRACE(field);
        MetaDataObject preset;
        const auto summary = PresetDateRulePanel::storeRule(preset, field, rule);
        ASSERT_TRUE(summary.has_value());
        EXPECT_EQ(*summary, QString::fromUtf8(c.summary));
        EXPECT_EQ(PresetDateRulePanel::ruleOf(preset, field), rule);
        const MetadataKeyRow* row = MetadataKeyTable::rowForField(PresetDateRulePanel::fieldName(field));
        ASSERT_NE(row, nullptr);
        EXPECT_EQ(preset.*row->field, *summary);
        EXPECT_TRUE(preset.*row->updated);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, APresetDateRule,
    ::testing::Values(
        SummaryCase{"keep", [] { return panel(0); }, "Keep Original"},
        SummaryCase{"noRadioOn", [] { return panel(-1); }, "Keep Original"},
        SummaryCase{"empty", [] { return panel(1); }, "Empty Value"},
        SummaryCase{"picked", [] { return panel(2); }, "Mar 05,2021 09:15:00 AM"},
        SummaryCase{"updateEverything", [] { return panel(3); }, "Update: Day:7 Month:5 Year:2010  Time: 03:04:05 PM"},
        SummaryCase{"updateMonthYear", [] { return with(3, [](State& s) { s.keepUpdateDay = true; }); },
                    "Update: Month:5 Year:2010  Time: 03:04:05 PM"},
        SummaryCase{"updateDayMonth", [] { return with(3, [](State& s) { s.keepUpdateYear = true; }); },
                    "Update: Day:7 Month:5  Time: 03:04:05 PM"},
        SummaryCase{"updateDayYear", [] { return with(3, [](State& s) { s.keepUpdateMonth = true; }); },
                    "Update: Day:7 Year:2010  Time: 03:04:05 PM"},
        SummaryCase{"updateDayOnly",
                    [] { return with(3, [](State& s) { s.keepUpdateMonth = s.keepUpdateYear = true; }); },
                    "Update: Day:7  Time: 03:04:05 PM"},
        SummaryCase{"updateMonthOnly",
                    [] { return with(3, [](State& s) { s.keepUpdateDay = s.keepUpdateYear = true; }); },
                    "Update: Month:5  Time: 03:04:05 PM"},
        SummaryCase{
            "updateYearKeepTime",
            [] { return with(3, [](State& s) { s.keepUpdateDay = s.keepUpdateMonth = s.keepUpdateTime = true; }); },
            "Update: Year:2010  Time: Keep Original"},
        SummaryCase{"updateAllKept",
                    [] {
                        return with(3, [](State& s) {
                            s.keepUpdateDay = s.keepUpdateMonth = s.keepUpdateYear = s.keepUpdateTime = true;
                        });
                    },
                    "Date: Keep Original  Time: Keep Original"},
        SummaryCase{"shiftDate", [] { return panel(4); }, "Inc/Dec: Day:1 Month:2 Year:-2"},
        SummaryCase{"shiftYearOnly",
                    [] { return with(4, [](State& s) { s.keepIncDecDay = s.keepIncDecMonth = true; }); },
                    "Inc/Dec: Year:-2"},
        SummaryCase{"shiftDayYear", [] { return with(4, [](State& s) { s.keepIncDecMonth = true; }); },
                    "Inc/Dec: Day:1 Year:-2"},
        SummaryCase{
            "shiftDateAllKept",
            [] { return with(4, [](State& s) { s.keepIncDecDay = s.keepIncDecMonth = s.keepIncDecYear = true; }); },
            "Keep Original"},
        SummaryCase{"shiftTime", [] { return panel(5); }, "Inc/Dec: Hour:3 Minute:-4 Second:30"},
        SummaryCase{"shiftMinuteSecond", [] { return with(5, [](State& s) { s.keepIncDecHour = true; }); },
                    "Inc/Dec: Minute:-4 Second:30"},
        SummaryCase{"shiftHourOnly",
                    [] { return with(5, [](State& s) { s.keepIncDecMinute = s.keepIncDecSecond = true; }); },
                    "Inc/Dec: Hour:3"},
        SummaryCase{
            "shiftTimeAllKept",
            [] { return with(5, [](State& s) { s.keepIncDecHour = s.keepIncDecMinute = s.keepIncDecSecond = true; }); },
            "Keep Original"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(APresetDateRuleOutsideTheSixFields, changesNothing) {
    MetaDataObject preset;
    const MetaDataObject before = preset;
    EXPECT_FALSE(PresetDateRulePanel::storeRule(preset, 6, DateTimeConfiguration()).has_value());
    EXPECT_FALSE(PresetDateRulePanel::storeRule(preset, -1, DateTimeConfiguration()).has_value());
    EXPECT_EQ(preset.encodeWithCoder(), before.encodeWithCoder());
    EXPECT_EQ(PresetDateRulePanel::ruleOf(preset, 9).option(), 0);
}

TEST(ThePresetDatePanel, showsEveryPartOfAStoredRuleAndSwitchingKindKeepsThem) {
    const State stored = with(3, [](State& s) { s.keepUpdateDay = s.keepIncDecSecond = true; });
    const DateTimeConfiguration rule = PresetDateRulePanel::buildRule(stored);
    State shown = PresetDateRulePanel::loadRule(rule, State());
    EXPECT_EQ(PresetDateRulePanel::buildRule(shown), rule);
    shown.option = 5;
    const DateTimeConfiguration switched = PresetDateRulePanel::buildRule(shown);
    EXPECT_EQ(switched.option(), 5);
    EXPECT_EQ(switched.stringUpdateYear, "2010");
    EXPECT_EQ(switched.isUpdateDayKeepOriginal, true);

    // A rule without a picked date or time, or with one that does not read, leaves the pickers alone.
    DateTimeConfiguration bare = rule;
    bare.stringSelectedDate = "";
    bare.stringUpdateTime = "25:99";
    State current;
    current.selectedDate = "1999:12:31 23:59:59";
    current.updateTime = "08:00:00";
    shown = PresetDateRulePanel::loadRule(bare, current);
    EXPECT_EQ(shown.selectedDate, "1999:12:31 23:59:59");
    EXPECT_EQ(shown.updateTime, "08:00:00");
    bare.tagConfigureOption = 9;
    EXPECT_EQ(PresetDateRulePanel::loadRule(bare, current).option, -1);
}

TEST(ThePresetDatePanel, enablesTheControlsOfTheChosenKind) {
    const struct {
        State state;
        Enabled enabled;
    } cases[] = {
        {panel(-1), {}},
        {panel(0), {}},
        {panel(1), {}},
        {panel(2), {.datePicker = true}},
        {panel(3),
         {.updateTicks = true, .updateDay = true, .updateMonth = true, .updateYear = true, .updateTime = true}},
        {with(3, [](State& s) { s.keepUpdateMonth = s.keepUpdateTime = true; }),
         {.updateTicks = true, .updateDay = true, .updateYear = true}},
        {with(4, [](State& s) { s.keepIncDecYear = true; }),
         {.dateShiftTicks = true, .shiftDay = true, .shiftMonth = true}},
        {with(5, [](State& s) { s.keepIncDecHour = s.keepIncDecMinute = true; }),
         {.timeShiftTicks = true, .shiftSecond = true}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.state.option);
        EXPECT_EQ(PresetDateRulePanel::enabledControls(c.state), c.enabled);
    }
}
