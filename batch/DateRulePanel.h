#pragma once

#include <QString>
#include <QStringList>

#include <array>

#include "batch/DateRuleChecks.h"
#include "model/DateTimeConfiguration.h"
#include "model/MetaDataObject.h"
#include "platform/WallClock.h"

// The date-time rules panel as values: what its controls hold, which of them can be used, the rule they
// make and where that rule is stored. The panel view only mirrors these, so every rule is tested here.
class DateRulePanel {
  public:
    // DateTimeFieldIndex: the six date fields; a field's button carries the tag kFirstFieldTag + index.
    static constexpr int kFieldCount = 6;
    static constexpr int kFirstFieldTag = 250;
    // The ten keep-original boxes, in the order of the rule's flags.
    enum KeepBox {
        UpdateDay,
        UpdateMonth,
        UpdateYear,
        UpdateTime,
        IncDecDay,
        IncDecMonth,
        IncDecYear,
        IncDecHour,
        IncDecMinute,
        IncDecSecond,
        kKeepBoxCount
    };
    // The six shift fields, in the order of their steppers' tags (10, 20, ... 60).
    enum ShiftField { ShiftDay, ShiftMonth, ShiftYear, ShiftHour, ShiftMinute, ShiftSecond, kShiftFieldCount };

    // What the panel's controls hold. Both pickers hold wall-clock readings.
    struct Controls {
        int radio = DateTimeConfiguration::KeepOriginal;  // the radio that is on; -1 none
        platform::WallTime pickedDate = 0;                // datePicker
        platform::WallTime updateTime = 0;                // updateTimePicker (its time of day counts)
        QString updateDay, updateMonth, updateYear;
        std::array<QString, kShiftFieldCount> shift;
        std::array<bool, kKeepBoxCount> keep{};
    };

    // Which value controls can be used (the radios always can).
    struct Enabled {
        bool datePicker = false;
        bool updateTimePicker = false;
        std::array<bool, kKeepBoxCount> keepBox{};
        bool updateDay = false, updateMonth = false, updateYear = false;  // field and its list button
        std::array<bool, kShiftFieldCount> shift{};                       // field and its stepper
        bool operator==(const Enabled&) const = default;
    };

    // resetDateTimeConfigView: the controls loaded from a rule; a rule without a picked date or time leaves
    // that picker as it was, and a kind outside 0 to 5 leaves every radio off.
    static Controls resetDateTimeConfigView(const DateTimeConfiguration& rule, const Controls& current);
    // setupControllsOnDatePickerView.
    static Enabled setupControlsOnDatePickerView(const Controls& controls);
    // The rule the controls make (every value is stored whatever the kind; no radio on makes kind 0).
    static DateTimeConfiguration ruleFromControls(const Controls& controls);

    // The start values of a field the user never touched: the first day and month, the given year, shifts of 1.
    static Controls initialControls(const QString& firstYear, platform::WallTime now);
    // A list's height for n rows.
    static int valueListHeight(int rows) { return rows < 6 ? 30 * rows + 4 : 180; }

    // Typing in a shift field: digits and "+" stay, a minus only in front; a value past the stepper's range
    // loses its last character. nullopt: the text is a lone "-" and nothing is applied yet.
    static std::optional<QString> typedShiftText(const QString& typed, int minimum, int maximum);

    // The field's rule and its changed flag go on both records; the pending edits also get the summary as
    // the field's text. Any other index stores nothing.
    static void storeRule(MetaDataObject& form, MetaDataObject& edited, int fieldIndex, DateTimeConfigurationRef rule,
                          const QString& summary);
    // The rule of a field on a record (a default rule when it has none or the index is outside 0 to 5).
    static DateTimeConfiguration ruleOf(const MetaDataObject& record, int fieldIndex);
    static QString fieldName(int fieldIndex);

    // The six message labels after the future-date check and then the non-existing-date check.
    using Labels = std::array<DateRuleChecks::Label, kFieldCount>;
    static Labels dateLabels(const MetaDataObject& record, platform::WallTime now);
};
