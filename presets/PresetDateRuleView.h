#pragma once

#include <QDateTime>
#include <QTime>
#include <QWidget>

#include "model/DateTimeConfiguration.h"
#include "presets/PresetDateRulePanel.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDateTimeEdit;
class QRadioButton;
class QSpinBox;
class QTimeEdit;

// The panel in which the preset editor builds the rule of one date field (vwDatePicker): one radio button
// per kind of rule, the picked date, the parts to set and the amounts to shift, each part with a keep tick.
// Every change rebuilds the whole rule and reports it at once; there is nothing to confirm.
class PresetDateRuleView : public QWidget {
    Q_OBJECT
  public:
    explicit PresetDateRuleView(QWidget* parent = nullptr);

    // resetDateTimeConfigView: the controls show rule (pickers without a stored value keep theirs).
    void resetDateTimeConfigView(const DateTimeConfiguration& rule);
    // The start values of the controls: day, month and year 1, 1 and the first year, shifts of 1, now.
    void resetToStartValues();

    PresetDateRulePanel::State state() const;

    // The pickers' values in the machine forms of a rule: a date or time picker shows wall-clock readings,
    // which are written as Gregorian numbers whatever the user's locale or calendar.
    static QString machineDate(const QDateTime& pickerValue);
    static QString machineTime(const QTime& pickerValue);
    static QDateTime pickerDate(const QString& machineDate);  // invalid for an unreadable text
    static QTime pickerTime(const QString& machineTime);

    QButtonGroup* radioButtons() const { return m_radios; }
    QDateTimeEdit* datePicker() const { return m_datePicker; }
    QTimeEdit* updateTimePicker() const { return m_updateTimePicker; }

  signals:
    // updateDateTimeMetaDataConfiguration: the rule the controls now make.
    void ruleChanged(const DateTimeConfiguration& rule);

  private:
    void buildRadios();
    void buildUpdateRows();
    void buildShiftRows();
    QComboBox* listField(const QString& name, const QStringList& items);
    QSpinBox* shiftField(const QString& name, int range);
    QCheckBox* keepTick(const QString& name);
    // One part in the grid: its title, then its field with its keep tick, in one of three columns.
    void addPart(int row, int column, const QString& title, QWidget* field, QCheckBox* tick, int columnSpan = 1);
    void setupControlsOnDatePickerView();
    void updateDateTimeMetaDataConfiguration();
    void show(const PresetDateRulePanel::State& state);

    QButtonGroup* m_radios;
    QDateTimeEdit* m_datePicker;
    QTimeEdit* m_updateTimePicker;
    QComboBox *m_txtUpdateDay, *m_txtUpdateMonth, *m_txtUpdateYear;
    QCheckBox *m_checkDayUpdate, *m_checkMonthUpdate, *m_checkYearUpdate, *m_checkTimeUpdate;
    QSpinBox *m_txtIncDecDay, *m_txtIncDecMonth, *m_txtIncDecYear;
    QSpinBox *m_txtIncDecHour, *m_txtIncDecMinute, *m_txtIncDecSecond;
    QCheckBox *m_checkDayIncDec, *m_checkMonthIncDec, *m_checkYearIncDec;
    QCheckBox *m_checkHourIncDec, *m_checkMinuteIncDec, *m_checkSecondIncDec;
    bool m_loading = false;
};
