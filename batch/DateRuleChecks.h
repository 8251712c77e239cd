#pragma once

#include <QString>

#include "model/DateTimeConfiguration.h"
#include "platform/WallClock.h"

// What the editing form shows under a date field: a short text saying what the field's rule will do, a
// warning for a picked date in the future and an error for an update to a day its month cannot have.
class DateRuleChecks {
  public:
    enum class Label { Unchanged, Hidden, FutureDateWarning, NonExistingDateError };

    static QString futureDateWarningText();
    static QString nonExistingDateErrorText();

    // Whose date field shows the summary: the two screens spell the time of an update rule differently.
    enum class SummaryStyle { EditingForm, PresetEditor };

    // The summary of a rule ("Keep Original", "Inc/Dec: Day:-2 Year:1", ...); "" for an unknown kind. An
    // update rule that sets the time reads "...  time: 01:05:00 PM" on the editing form and "...  Time: ..."
    // in the preset editor.
    static QString ruleSummary(const DateTimeConfiguration& config, SummaryStyle style = SummaryStyle::EditingForm);

    // Whether a date text is later than now, both cut to the grain of the pattern.
    static bool isDateGreaterThanToday(const QString& text, const QString& format, platform::WallTime now);

    // The label of one date field after the future-date check; only picked dates can warn.
    static Label futureDateCheck(const DateTimeConfiguration& config, platform::WallTime now);
    // The label after the non-existing-date check; only update rules change their label.
    static Label nonExistingDateCheck(const DateTimeConfiguration& config);

    static bool isLeapYear(int year);
};
