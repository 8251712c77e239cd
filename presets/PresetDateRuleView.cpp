#include "presets/PresetDateRuleView.h"

#include "controls/SectionDateTimeEdit.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimeEdit>

#include "controls/OnlyIntegerValueFormatter.h"
#include "editor/PopupLists.h"
#include "model/Utils.h"
#include "platform/WallClock.h"

namespace {

using Config = DateTimeConfiguration;

// How far one shift may move a part; the rule engine carries larger amounts into the next unit anyway.
constexpr int kShiftRange = 9999;

const QString kTimePattern = QStringLiteral("HH:mm:ss");

QDateTime fromWallTime(platform::WallTime time) {
    return QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(time), Qt::UTC);
}

QLabel* partLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

}  // namespace

PresetDateRuleView::PresetDateRuleView(QWidget* parent) : QWidget(parent), m_radios(new QButtonGroup(this)) {
    setObjectName(QStringLiteral("vwDatePicker"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(12, 10, 12, 10);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(6);
    buildRadios();
    buildUpdateRows();
    buildShiftRows();
    resetToStartValues();
    connect(m_radios, &QButtonGroup::idClicked, this, [this] {
        setupControlsOnDatePickerView();
        updateDateTimeMetaDataConfiguration();
    });
    connect(m_datePicker, &QDateTimeEdit::dateTimeChanged, this, [this] { updateDateTimeMetaDataConfiguration(); });
    connect(m_updateTimePicker, &QTimeEdit::timeChanged, this, [this] { updateDateTimeMetaDataConfiguration(); });
}

void PresetDateRuleView::buildRadios() {
    auto* grid = static_cast<QGridLayout*>(layout());
    const char* const titles[] = {
        "Keep Original",          "Empty Value",           "Select Date", "Update Date and Time",
        "Increase/Decrease Date", "Increase/Decrease Time"};
    const char* const names[] = {"btnKeepOriginal", "btnEmptyDate",  "btnSelectDate",
                                 "btnUpdateDate",   "btnIncDecDate", "btnIncDecTime"};
    // Rows of the grid where each radio button starts its section.
    const int rows[] = {0, 1, 2, 3, 6, 8};
    for (int option = Config::KeepOriginal; option <= Config::IncDecTime; ++option) {
        auto* radio = new QRadioButton(QString::fromLatin1(titles[option]), this);
        radio->setObjectName(QString::fromLatin1(names[option]));
        m_radios->addButton(radio, option);
        grid->addWidget(radio, rows[option], 0, 1, option == Config::SelectDate ? 2 : 7);
    }
    grid->setColumnMinimumWidth(0, 16);
    m_datePicker = new SectionDateTimeEdit(this);
    m_datePicker->setObjectName(QStringLiteral("datePicker"));
    m_datePicker->setTimeSpec(Qt::UTC);
    m_datePicker->setDisplayFormat(QStringLiteral("MMM dd,yyyy hh:mm:ss AP"));
    m_datePicker->setCalendarPopup(true);
    grid->addWidget(m_datePicker, 2, 2, 1, 5);
}

void PresetDateRuleView::buildUpdateRows() {
    const int year = platform::GregorianCalendar::split(platform::GregorianCalendar::nowOnWallClock()).year;
    PopupLists::Context lists;
    lists.years = PopupLists::yearsList(year);
    m_txtUpdateDay = listField(QStringLiteral("txtUpdateDay"), PopupLists::rows(PopupLists::Days, lists));
    m_txtUpdateMonth = listField(QStringLiteral("txtUpdateMonth"), PopupLists::rows(PopupLists::Months, lists));
    m_txtUpdateYear = listField(QStringLiteral("txtUpdateYear"), PopupLists::rows(PopupLists::Years, lists));
    const int maxima[] = {31, 12, 2050};
    QComboBox* fields[] = {m_txtUpdateDay, m_txtUpdateMonth, m_txtUpdateYear};
    for (int i = 0; i < 3; ++i) {
        auto* formatter = new OnlyIntegerValueFormatter(OnlyIntegerValueFormatter::ZeroRule::Refuse, fields[i]);
        formatter->setMaximumValue(maxima[i]);
        fields[i]->setValidator(formatter);
    }
    m_checkDayUpdate = keepTick(QStringLiteral("checkDayUpdate"));
    m_checkMonthUpdate = keepTick(QStringLiteral("checkMonthUpdate"));
    m_checkYearUpdate = keepTick(QStringLiteral("checkYearUpdate"));
    m_checkTimeUpdate = keepTick(QStringLiteral("checkTimeUpdate"));
    m_updateTimePicker = new QTimeEdit(this);
    m_updateTimePicker->setObjectName(QStringLiteral("updateTimePicker"));
    m_updateTimePicker->setDisplayFormat(QStringLiteral("hh:mm:ss AP"));
    addPart(4, 0, QStringLiteral("Day"), m_txtUpdateDay, m_checkDayUpdate);
    addPart(4, 1, QStringLiteral("Month"), m_txtUpdateMonth, m_checkMonthUpdate);
    addPart(4, 2, QStringLiteral("Year"), m_txtUpdateYear, m_checkYearUpdate);
    addPart(5, 0, QStringLiteral("Time"), m_updateTimePicker, m_checkTimeUpdate);
}

void PresetDateRuleView::buildShiftRows() {
    m_txtIncDecDay = shiftField(QStringLiteral("txtIncDecDay"), kShiftRange);
    m_txtIncDecMonth = shiftField(QStringLiteral("txtIncDecMonth"), kShiftRange);
    m_txtIncDecYear = shiftField(QStringLiteral("txtIncDecYear"), kShiftRange);
    m_txtIncDecHour = shiftField(QStringLiteral("txtIncDecHour"), kShiftRange);
    m_txtIncDecMinute = shiftField(QStringLiteral("txtIncDecMinute"), kShiftRange);
    m_txtIncDecSecond = shiftField(QStringLiteral("txtIncDecSecond"), kShiftRange);
    m_checkDayIncDec = keepTick(QStringLiteral("checkDayIncDec"));
    m_checkMonthIncDec = keepTick(QStringLiteral("checkMonthIncDec"));
    m_checkYearIncDec = keepTick(QStringLiteral("checkYearIncDec"));
    m_checkHourIncDec = keepTick(QStringLiteral("checkHourIncDec"));
    m_checkMinuteIncDec = keepTick(QStringLiteral("checkMinuteIncDec"));
    m_checkSecondIncDec = keepTick(QStringLiteral("checkSecondIncDec"));
    addPart(7, 0, QStringLiteral("Day"), m_txtIncDecDay, m_checkDayIncDec);
    addPart(7, 1, QStringLiteral("Month"), m_txtIncDecMonth, m_checkMonthIncDec);
    addPart(7, 2, QStringLiteral("Year"), m_txtIncDecYear, m_checkYearIncDec);
    addPart(9, 0, QStringLiteral("Hour"), m_txtIncDecHour, m_checkHourIncDec);
    addPart(9, 1, QStringLiteral("Minute"), m_txtIncDecMinute, m_checkMinuteIncDec);
    addPart(9, 2, QStringLiteral("Second"), m_txtIncDecSecond, m_checkSecondIncDec);
}

void PresetDateRuleView::addPart(int row, int column, const QString& title, QWidget* field, QCheckBox* tick,
                                 int columnSpan) {
    auto* grid = static_cast<QGridLayout*>(layout());
    grid->addWidget(partLabel(title, this), row, 1 + 2 * column);
    auto* cell = new QHBoxLayout;
    cell->setSpacing(4);
    cell->addWidget(field, 1);
    cell->addWidget(tick);
    grid->addLayout(cell, row, 2 + 2 * column, 1, 2 * columnSpan - 1);
}

QComboBox* PresetDateRuleView::listField(const QString& name, const QStringList& items) {
    auto* field = new QComboBox(this);
    field->setObjectName(name);
    field->setEditable(true);
    field->setInsertPolicy(QComboBox::NoInsert);
    field->addItems(items);
    field->setMaxVisibleItems(6);
    connect(field, &QComboBox::currentTextChanged, this, [this] { updateDateTimeMetaDataConfiguration(); });
    return field;
}

QSpinBox* PresetDateRuleView::shiftField(const QString& name, int range) {
    auto* field = new QSpinBox(this);
    field->setObjectName(name);
    field->setRange(-range, range);
    field->setAlignment(Qt::AlignRight);
    connect(field, &QSpinBox::valueChanged, this, [this] { updateDateTimeMetaDataConfiguration(); });
    return field;
}

QCheckBox* PresetDateRuleView::keepTick(const QString& name) {
    auto* tick = new QCheckBox(QStringLiteral("Keep"), this);
    tick->setObjectName(name);
    tick->setToolTip(QStringLiteral("Keep this part of each photo's date"));
    connect(tick, &QCheckBox::toggled, this, [this] {
        setupControlsOnDatePickerView();
        updateDateTimeMetaDataConfiguration();
    });
    return tick;
}

void PresetDateRuleView::resetToStartValues() {
    PresetDateRulePanel::State start;
    start.option = Config::KeepOriginal;
    QStringList years;
    for (int i = 0; i < m_txtUpdateYear->count(); ++i) years << m_txtUpdateYear->itemText(i);
    start.updateYear = PopupLists::initialUpdateYear(years);
    start.selectedDate = machineDate(fromWallTime(platform::GregorianCalendar::nowOnWallClock()));
    start.updateTime = QStringLiteral("00:00:00");
    show(start);
}

void PresetDateRuleView::resetDateTimeConfigView(const DateTimeConfiguration& rule) {
    show(PresetDateRulePanel::loadRule(rule, state()));
}

void PresetDateRuleView::show(const PresetDateRulePanel::State& s) {
    m_loading = true;
    m_radios->setExclusive(false);
    for (QAbstractButton* radio : m_radios->buttons()) radio->setChecked(m_radios->id(radio) == s.option);
    m_radios->setExclusive(true);
    if (const QDateTime picked = pickerDate(s.selectedDate); picked.isValid()) m_datePicker->setDateTime(picked);
    if (const QTime time = pickerTime(s.updateTime); time.isValid()) m_updateTimePicker->setTime(time);
    m_txtUpdateDay->setEditText(s.updateDay);
    m_txtUpdateMonth->setEditText(s.updateMonth);
    m_txtUpdateYear->setEditText(s.updateYear);
    m_txtIncDecDay->setValue(s.incDecDay.toInt());
    m_txtIncDecMonth->setValue(s.incDecMonth.toInt());
    m_txtIncDecYear->setValue(s.incDecYear.toInt());
    m_txtIncDecHour->setValue(s.incDecHour.toInt());
    m_txtIncDecMinute->setValue(s.incDecMinute.toInt());
    m_txtIncDecSecond->setValue(s.incDecSecond.toInt());
    m_checkDayUpdate->setChecked(s.keepUpdateDay);
    m_checkMonthUpdate->setChecked(s.keepUpdateMonth);
    m_checkYearUpdate->setChecked(s.keepUpdateYear);
    m_checkTimeUpdate->setChecked(s.keepUpdateTime);
    m_checkDayIncDec->setChecked(s.keepIncDecDay);
    m_checkMonthIncDec->setChecked(s.keepIncDecMonth);
    m_checkYearIncDec->setChecked(s.keepIncDecYear);
    m_checkHourIncDec->setChecked(s.keepIncDecHour);
    m_checkMinuteIncDec->setChecked(s.keepIncDecMinute);
    m_checkSecondIncDec->setChecked(s.keepIncDecSecond);
    m_loading = false;
    setupControlsOnDatePickerView();
}

PresetDateRulePanel::State PresetDateRuleView::state() const {
    PresetDateRulePanel::State s;
    s.option = m_radios->checkedId();
    s.selectedDate = machineDate(m_datePicker->dateTime());
    s.updateTime = machineTime(m_updateTimePicker->time());
    s.updateDay = m_txtUpdateDay->currentText();
    s.updateMonth = m_txtUpdateMonth->currentText();
    s.updateYear = m_txtUpdateYear->currentText();
    s.incDecDay = QString::number(m_txtIncDecDay->value());
    s.incDecMonth = QString::number(m_txtIncDecMonth->value());
    s.incDecYear = QString::number(m_txtIncDecYear->value());
    s.incDecHour = QString::number(m_txtIncDecHour->value());
    s.incDecMinute = QString::number(m_txtIncDecMinute->value());
    s.incDecSecond = QString::number(m_txtIncDecSecond->value());
    s.keepUpdateDay = m_checkDayUpdate->isChecked();
    s.keepUpdateMonth = m_checkMonthUpdate->isChecked();
    s.keepUpdateYear = m_checkYearUpdate->isChecked();
    s.keepUpdateTime = m_checkTimeUpdate->isChecked();
    s.keepIncDecDay = m_checkDayIncDec->isChecked();
    s.keepIncDecMonth = m_checkMonthIncDec->isChecked();
    s.keepIncDecYear = m_checkYearIncDec->isChecked();
    s.keepIncDecHour = m_checkHourIncDec->isChecked();
    s.keepIncDecMinute = m_checkMinuteIncDec->isChecked();
    s.keepIncDecSecond = m_checkSecondIncDec->isChecked();
    return s;
}

void PresetDateRuleView::setupControlsOnDatePickerView() {
    const PresetDateRulePanel::Enabled e = PresetDateRulePanel::enabledControls(state());
    m_datePicker->setEnabled(e.datePicker);
    for (QWidget* tick : {m_checkDayUpdate, m_checkMonthUpdate, m_checkYearUpdate, m_checkTimeUpdate})
        tick->setEnabled(e.updateTicks);
    m_txtUpdateDay->setEnabled(e.updateDay);
    m_txtUpdateMonth->setEnabled(e.updateMonth);
    m_txtUpdateYear->setEnabled(e.updateYear);
    m_updateTimePicker->setEnabled(e.updateTime);
    for (QWidget* tick : {m_checkDayIncDec, m_checkMonthIncDec, m_checkYearIncDec}) tick->setEnabled(e.dateShiftTicks);
    m_txtIncDecDay->setEnabled(e.shiftDay);
    m_txtIncDecMonth->setEnabled(e.shiftMonth);
    m_txtIncDecYear->setEnabled(e.shiftYear);
    for (QWidget* tick : {m_checkHourIncDec, m_checkMinuteIncDec, m_checkSecondIncDec})
        tick->setEnabled(e.timeShiftTicks);
    m_txtIncDecHour->setEnabled(e.shiftHour);
    m_txtIncDecMinute->setEnabled(e.shiftMinute);
    m_txtIncDecSecond->setEnabled(e.shiftSecond);
}

void PresetDateRuleView::updateDateTimeMetaDataConfiguration() {
    if (m_loading) return;
    emit ruleChanged(PresetDateRulePanel::buildRule(state()));
}

QString PresetDateRuleView::machineDate(const QDateTime& pickerValue) {
    if (!pickerValue.isValid()) return {};
    // The picker's reading as it stands on its own UTC line, so no zone or calendar shifts a number.
    const QDateTime wall(pickerValue.date(), pickerValue.time(), Qt::UTC);
    return platform::DateFormat::forThread(Utils::exifDateFormat()).format(wall.toMSecsSinceEpoch());
}

QString PresetDateRuleView::machineTime(const QTime& pickerValue) {
    if (!pickerValue.isValid()) return {};
    return platform::DateFormat::forThread(kTimePattern).format(pickerValue.msecsSinceStartOfDay());
}

QDateTime PresetDateRuleView::pickerDate(const QString& machineDate) {
    const auto time = platform::DateFormat::forThread(Utils::exifDateFormat()).parse(machineDate);
    return time ? fromWallTime(*time) : QDateTime();
}

QTime PresetDateRuleView::pickerTime(const QString& machineTime) {
    const auto time = platform::DateFormat::forThread(kTimePattern).parse(machineTime);
    return time ? fromWallTime(*time).time() : QTime();
}
