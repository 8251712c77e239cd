#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QLocale>
#include <QSignalSpy>
#include <QSpinBox>

#include "presets/PresetDateRuleView.h"

namespace {

DateTimeConfiguration storedRule() {
    DateTimeConfiguration rule;
    rule.tagConfigureOption = DateTimeConfiguration::UpdateDate;
    rule.stringSelectedDate = "2019:05:01 14:03:09";
    rule.stringUpdateTime = "15:04:05";
    rule.stringUpdateDay = "31";
    rule.stringUpdateMonth = "2";
    rule.stringUpdateYear = "2010";
    rule.stringIncDecYear = "-2";
    rule.stringIncDecSecond = "30";
    rule.isUpdateMonthKeepOriginal = true;
    rule.isIncDecHourKeepOriginal = true;
    return rule;
}

DateTimeConfiguration lastRule(const QSignalSpy& spy) {
    return spy.last().at(0).value<DateTimeConfiguration>();
}

}  // namespace

Q_DECLARE_METATYPE(DateTimeConfiguration)

TEST(APresetDateRuleView, showsAStoredRuleAndReportsEveryChangeAsAWholeRule) {
    PresetDateRuleView panel;
    QSignalSpy changed(&panel, &PresetDateRuleView::ruleChanged);
    panel.resetDateTimeConfigView(storedRule());
    EXPECT_EQ(changed.count(), 0) << "showing a rule changes nothing";
    EXPECT_EQ(PresetDateRulePanel::buildRule(panel.state()), storedRule());
    EXPECT_FALSE(panel.findChild<QComboBox*>("txtUpdateMonth")->isEnabled()) << "its keep tick is on";
    EXPECT_TRUE(panel.findChild<QComboBox*>("txtUpdateDay")->isEnabled());
    EXPECT_FALSE(panel.datePicker()->isEnabled());

    panel.radioButtons()->button(DateTimeConfiguration::IncDecTime)->click();
    ASSERT_EQ(changed.count(), 1);
    DateTimeConfiguration rule = lastRule(changed);
    EXPECT_EQ(rule.option(), DateTimeConfiguration::IncDecTime);
    EXPECT_EQ(rule.stringUpdateDay, "31") << "switching the kind keeps every part";
    EXPECT_FALSE(panel.findChild<QSpinBox*>("txtIncDecHour")->isEnabled());
    EXPECT_TRUE(panel.findChild<QSpinBox*>("txtIncDecSecond")->isEnabled());

    panel.findChild<QSpinBox*>("txtIncDecSecond")->setValue(-45);
    EXPECT_EQ(lastRule(changed).stringIncDecSecond, "-45");
    panel.findChild<QCheckBox*>("checkSecondIncDec")->click();
    EXPECT_EQ(lastRule(changed).isIncDecSecondKeepOriginal, true);
    panel.findChild<QComboBox*>("txtUpdateYear")->setCurrentIndex(0);
    EXPECT_EQ(lastRule(changed).stringUpdateYear, "1905");

    DateTimeConfiguration unknown;
    unknown.tagConfigureOption = 8;
    panel.resetDateTimeConfigView(unknown);
    EXPECT_EQ(panel.radioButtons()->checkedId(), -1);
    EXPECT_FALSE(panel.findChild<QCheckBox*>("checkDayUpdate")->isEnabled());
}

TEST(APresetDateRuleView, writesPickedDatesInGregorianNumbersWhateverTheUserCalendar) {
    QLocale::setDefault(QLocale(QLocale::Thai, QLocale::Thailand));
    PresetDateRuleView panel;
    QSignalSpy changed(&panel, &PresetDateRuleView::ruleChanged);
    panel.radioButtons()->button(DateTimeConfiguration::SelectDate)->click();
    panel.datePicker()->setDateTime(PresetDateRuleView::pickerDate("2019:05:01 14:03:09"));
    EXPECT_EQ(lastRule(changed).stringSelectedDate, "2019:05:01 14:03:09");
    EXPECT_EQ(PresetDateRuleView::machineTime(QTime(15, 4, 5)), "15:04:05");
    EXPECT_FALSE(PresetDateRuleView::pickerDate("2019-13-01").isValid());
    QLocale::setDefault(QLocale::c());
}
