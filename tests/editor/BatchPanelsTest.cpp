#include <gtest/gtest.h>

#include <QDateTimeEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include "editor/DateTimeRulesPanel.h"
#include "editor/ImageToggleButton.h"
#include "editor/PopupListView.h"
#include "editor/RenameResetQuestion.h"
#include "editor/RenamingOptionsPanel.h"
#include "editor/StepperControl.h"
#include "platform/UserDefaults.h"
#include "tests/common/ScriptedPlatform.h"
#include "tests/common/TestSupport.h"

namespace {

using Page = RenamingPage;

void click(QAbstractButton* button) {
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
}

class TheRenamingPanel : public ::testing::Test {
  protected:
    void SetUp() override {
        window.resize(900, 700);
        window.show();
        panel->hideShowSettingViewWithAnimation(false);
    }
    QWidget window;
    RenamingOptionsPanel* panel = new RenamingOptionsPanel(&window);
};

TEST_F(TheRenamingPanel, buildsANameFromTheUsersClicks) {
    EXPECT_EQ(panel->onImageRenameOptionPage(), 1);
    EXPECT_EQ(panel->geometry(), window.rect());
    EXPECT_FALSE(panel->partBox(Page::LocationPart)->isEnabled()) << "keep names: no parts";
    click(panel->btnEditOriginalName());
    EXPECT_EQ(panel->btnEditOriginalName()->imageName(), "radio_btn_sel copy");
    EXPECT_EQ(panel->btnKeepOriginalFileName()->imageName(), "radio_btn_normal copy");
    click(panel->partBox(Page::LocationPart));
    EXPECT_EQ(panel->txtEXIFLocationShow()->text(), "{Place}_{City}_{State}_{Country}");
    click(panel->placeBox(Page::City));
    EXPECT_EQ(panel->txtEXIFLocationShow()->text(), "{Place}_{State}_{Country}");
    EXPECT_EQ(panel->placeBox(Page::City)->imageName(), "chckbox_normal copy");

    click(panel->partBox(Page::AddStringPart));
    QTest::keyClicks(panel->txtAddPrefixString(), "2024/ trip");
    EXPECT_EQ(panel->txtAddPrefixString()->text(), "2024trip");

    click(panel->partBox(Page::ExifDatePart));
    QPushButton* format = panel->dateButton(RenamingOptionsPanel::FormatButton);
    ASSERT_TRUE(format->isEnabled());
    QSignalSpy opened(panel, &RenamingOptionsPanel::dropdownOpened);
    click(format);
    ASSERT_TRUE(panel->isListOpen());
    EXPECT_EQ(opened.count(), 1);
    EXPECT_EQ(panel->tblPopupOptions2()->rows().size(), 20);
    EXPECT_EQ(panel->tblPopupOptions2()->height(), 186);
    emit panel->tblPopupOptions2()->rowChosen(19);
    EXPECT_FALSE(panel->isListOpen());
    EXPECT_EQ(format->text(), "YYYY-MM-DD_HH-MM-SS");
    click(panel->dateButton(RenamingOptionsPanel::PositionButton));
    EXPECT_EQ(panel->tblPopupOptions2()->height(), 2 * 30 + 8);

    const OutputRenamingOptions o = panel->page().getOutputFileRenamingSetting(0, "/out");
    EXPECT_EQ(o.addEXIFDateTime.formatValue, 19);
    EXPECT_EQ(o.addString.addStringPrefixValue, "2024trip");
    EXPECT_EQ(o.addEXIFLocation.cityTick, 0);

    QSignalSpy left(panel, &RenamingOptionsPanel::pageLeft);
    click(panel->btnBack());
    ASSERT_EQ(left.count(), 1);
    EXPECT_TRUE(left[0][0].toBool()) << "custom renaming is on: the notice shows";
    EXPECT_FALSE(panel->isVisible());
    EXPECT_EQ(panel->onImageRenameOptionPage(), 0);
}

TEST_F(TheRenamingPanel, staysOpenOnBackWithABlankNameAndResetsOnKeepNames) {
    click(panel->btnEditOriginalName());
    click(panel->partBox(Page::ReplaceFilenamePart));
    QSignalSpy refused(panel, &RenamingOptionsPanel::alertRequested);
    click(panel->btnBack());
    ASSERT_EQ(refused.count(), 1);
    EXPECT_EQ(refused[0][0].toInt(), 114);
    EXPECT_TRUE(panel->isVisible());
    QTest::keyClicks(panel->txtEXIFCustomNameShow(), "Holiday");
    click(panel->btnKeepOriginalFileName());
    EXPECT_EQ(panel->txtEXIFCustomNameShow()->text(), "");
    EXPECT_TRUE(panel->txtEXIFCustomNameShow()->isReadOnly());
    EXPECT_FALSE(panel->btnRefresh()->isEnabled());
}

TEST_F(TheRenamingPanel, switchesItsControlsOffWhileADropdownIsOpen) {
    click(panel->btnEditOriginalName());
    click(panel->partBox(Page::LocationPart));
    panel->disableEnableAllButtonsWhenDropdownOpen(true);
    EXPECT_FALSE(panel->partBox(Page::WidthHeightPart)->isEnabled());
    EXPECT_FALSE(panel->btnRefresh()->isEnabled());
    EXPECT_TRUE(panel->placeBox(Page::Country)->isEnabled());
    panel->disableEnableAllButtonsWhenDropdownOpen(false);
    EXPECT_TRUE(panel->partBox(Page::WidthHeightPart)->isEnabled());
    EXPECT_FALSE(panel->dateButton(RenamingOptionsPanel::SourceButton)->isEnabled()) << "date part off";
}

TEST(TheRenameResetQuestion, remembersNotToAskAgain) {
    QTemporaryDir dir;
    platform::UserDefaults defaults(dir.path() + "/defaults.ini");
    testsupport::ScriptedAlerts alerts;
    std::optional<bool> answer;
    alerts.script(1, false);
    RenameResetQuestion::ask(nullptr, defaults, [&](bool yes) { answer = yes; });
    EXPECT_EQ(answer, false);
    EXPECT_EQ(alerts.shown.last().buttons, QStringList({"Yes", "No"}));
    EXPECT_FALSE(alerts.shown.last().suppressionText.isEmpty());
    EXPECT_FALSE(defaults.boolValue("notShowRenameResetPopup"));

    alerts.script(0, true);
    RenameResetQuestion::ask(nullptr, defaults, [&](bool yes) { answer = yes; });
    EXPECT_EQ(answer, true);
    EXPECT_TRUE(defaults.boolValue("notShowRenameResetPopup"));
}

class TheDatePanel : public ::testing::Test {
  protected:
    void SetUp() override {
        window.resize(900, 700);
        anchor->setGeometry(100, 100, 20, 20);
        window.show();
        panel->initSetup({"1905", "1906", "2024"}, 0);
        QObject::connect(panel, &DateTimeRulesPanel::ruleApplied,
                         [this](int field, DateTimeConfigurationRef rule, const QString& summary) {
                             DateRulePanel::storeRule(form, edited, field, rule, summary);
                             summaries << summary;
                         });
    }
    void open(int tag) {
        panel->btnDatePickerTapped(anchor, tag, DateRulePanel::ruleOf(form, tag - DateRulePanel::kFirstFieldTag));
    }

    QWidget window;
    QWidget* anchor = new QWidget(&window);
    DateTimeRulesPanel* panel = new DateTimeRulesPanel(&window);
    MetaDataObject form, edited;
    QStringList summaries;
};

TEST_F(TheDatePanel, buildsEveryKindOfRuleWithItsSummary) {
    open(251);
    ASSERT_TRUE(panel->isOpen());
    EXPECT_EQ(panel->fieldIndex(), 1);
    EXPECT_TRUE(panel->radio(DateTimeConfiguration::KeepOriginal)->isChecked());

    click(panel->radio(DateTimeConfiguration::EmptyValue));
    EXPECT_EQ(summaries.last(), "Empty Value");
    EXPECT_EQ(edited.Date_Creation, "Empty Value");
    EXPECT_EQ(form.dateTimeConfigCreationDate, edited.dateTimeConfigCreationDate);
    EXPECT_TRUE(form.isupdated_Date_Creation);

    click(panel->radio(DateTimeConfiguration::UpdateDate));
    EXPECT_TRUE(panel->updateField(0)->isEnabled());
    click(panel->keepBox(DateRulePanel::UpdateMonth));
    click(panel->keepBox(DateRulePanel::UpdateYear));
    click(panel->keepBox(DateRulePanel::UpdateTime));
    EXPECT_FALSE(panel->updateField(1)->isEnabled());
    EXPECT_FALSE(panel->updateTimePicker()->isEnabled());
    panel->updateField(0)->clear();
    QTest::keyClicks(panel->updateField(0), "15");
    EXPECT_EQ(summaries.last(), "Update: Day:15  Time: Keep Original");

    click(panel->radio(DateTimeConfiguration::IncDecDate));
    click(panel->keepBox(DateRulePanel::IncDecMonth));
    panel->shiftField(DateRulePanel::ShiftDay)->clear();
    QTest::keyClicks(panel->shiftField(DateRulePanel::ShiftDay), "-2");
    EXPECT_EQ(summaries.last(), "Inc/Dec: Day:-2 Year:1");
    panel->stepper(DateRulePanel::ShiftYear)->stepBy(1);
    EXPECT_EQ(panel->shiftField(DateRulePanel::ShiftYear)->text(), "2");
    EXPECT_EQ(summaries.last(), "Inc/Dec: Day:-2 Year:2");

    click(panel->radio(DateTimeConfiguration::IncDecTime));
    click(panel->keepBox(DateRulePanel::IncDecHour));
    click(panel->keepBox(DateRulePanel::IncDecMinute));
    panel->shiftField(DateRulePanel::ShiftSecond)->clear();
    QTest::keyClicks(panel->shiftField(DateRulePanel::ShiftSecond), "30");
    EXPECT_EQ(summaries.last(), "Inc/Dec: Second:30");

    click(panel->radio(DateTimeConfiguration::SelectDate));
    panel->datePicker()->setDateTime(QDateTime(QDate(2019, 7, 10), QTime(20, 30, 5), Qt::UTC));
    EXPECT_EQ(form.dateTimeConfigCreationDate->stringSelectedDate, "2019:07:10 20:30:05");
    EXPECT_FALSE(summaries.last().isEmpty());

    click(panel->radio(DateTimeConfiguration::KeepOriginal));
    EXPECT_EQ(summaries.last(), "Keep Original");
}

TEST_F(TheDatePanel, offersDayMonthAndYearListsBelowTheirFields) {
    open(250);
    click(panel->radio(DateTimeConfiguration::UpdateDate));
    panel->openValueList(2);
    ASSERT_TRUE(panel->isValueListOpen());
    EXPECT_EQ(panel->valueList()->rows(), QStringList({"1905", "1906", "2024"}));
    EXPECT_EQ(panel->valueList()->height(), 3 * 30 + 4);
    panel->chooseValue(2);
    EXPECT_FALSE(panel->isValueListOpen());
    EXPECT_EQ(form.dateTimeConfigOriginalDate->stringUpdateYear, "2024");
    panel->openValueList(1);
    EXPECT_EQ(panel->valueList()->height(), 180);
    panel->removeAttachedPopupWindow();
    EXPECT_FALSE(panel->isValueListOpen());
    panel->openValueList(0);
    EXPECT_FALSE(panel->isValueListOpen()) << "no list without the panel";
}

TEST_F(TheDatePanel, labelsFebruaryThirtiethAndFutureDates) {
    open(252);
    click(panel->radio(DateTimeConfiguration::UpdateDate));
    panel->updateField(0)->setText("30");
    panel->updateField(1)->setText("2");
    panel->updateDateTimeMetaDataConfiguration();
    open(253);
    click(panel->radio(DateTimeConfiguration::SelectDate));
    panel->datePicker()->setDateTime(QDateTime(QDate(2031, 1, 1), QTime(0, 0), Qt::UTC));

    const auto labels = DateRulePanel::dateLabels(form, platform::GregorianCalendar::nowOnWallClock());
    QLabel modify, xmpCreation;
    DateTimeRulesPanel::showDateLabel(&modify, labels[2]);
    DateTimeRulesPanel::showDateLabel(&xmpCreation, labels[3]);
    EXPECT_EQ(modify.text(), "* Error: Update date is not valid. Please check.");
    EXPECT_EQ(xmpCreation.text(), "* Warning: You are trying to enter a future date. Please check.");
    EXPECT_TRUE(xmpCreation.styleSheet().contains("#ffa712"));
    EXPECT_FALSE(modify.isHidden());
    QLabel untouched;
    untouched.show();
    DateTimeRulesPanel::showDateLabel(&untouched, labels[0]);
    EXPECT_TRUE(untouched.isHidden());
}

TEST_F(TheDatePanel, drawsTheArrowsOfItsTimePicker) {
    open(250);
    click(panel->radio(DateTimeConfiguration::UpdateDate));
    QDateTimeEdit* time = panel->updateTimePicker();
    ASSERT_TRUE(time->isEnabled());
    time->setTime(QTime(12, 0));  // a step either way
    const QImage shot = time->grab().toImage();
    QStyleOptionSpinBox option;
    option.initFrom(time);
    option.subControls = QStyle::SC_SpinBoxUp | QStyle::SC_SpinBoxDown | QStyle::SC_SpinBoxFrame;
    option.frame = true;
    for (const QStyle::SubControl part : {QStyle::SC_SpinBoxUp, QStyle::SC_SpinBoxDown}) {
        const QRect button = time->style()->subControlRect(QStyle::CC_SpinBox, &option, part, time);
        const QRect middle =
            button.adjusted(button.width() / 4, button.height() / 4, -button.width() / 4, -button.height() / 4);
        EXPECT_GE(testsupport::darkPoints(shot, middle), 3)
            << "an arrow in the " << (part == QStyle::SC_SpinBoxUp ? "up" : "down") << " button";
    }
}

}  // namespace
