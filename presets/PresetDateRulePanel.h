#pragma once

#include <QString>

#include <optional>

#include "model/DateTimeConfiguration.h"
#include "model/MetaDataObject.h"

// The date-time rule panel of the preset editor without its widgets: what its controls hold, which of them
// are enabled, the rule they make and how that rule lands in the edited preset. The panel edits one of six
// date fields (0 to 5: the three EXIF dates, then the three XMP dates).
class PresetDateRulePanel {
  public:
    static constexpr int kDateFieldCount = 6;

    // The values of the panel's controls. The pickers are held in the machine forms the rule stores.
    struct State {
        int option = -1;       // the radio button that is on (a DateTimeConfigureOption); -1 for none
        QString selectedDate;  // datePicker, "yyyy:MM:dd HH:mm:ss"
        QString updateTime;    // updateTimePicker, "HH:mm:ss"
        QString updateDay = QStringLiteral("1"), updateMonth = QStringLiteral("1"), updateYear;
        QString incDecDay = QStringLiteral("1"), incDecMonth = QStringLiteral("1"), incDecYear = QStringLiteral("1");
        QString incDecHour = QStringLiteral("1"), incDecMinute = QStringLiteral("1"),
                incDecSecond = QStringLiteral("1");
        // The keep ticks: on keeps that part of the photo's date.
        bool keepUpdateDay = false, keepUpdateMonth = false, keepUpdateYear = false, keepUpdateTime = false;
        bool keepIncDecDay = false, keepIncDecMonth = false, keepIncDecYear = false;
        bool keepIncDecHour = false, keepIncDecMinute = false, keepIncDecSecond = false;
    };

    // Which controls other than the radio buttons can be used.
    struct Enabled {
        bool datePicker = false;
        bool updateTicks = false;                                         // the four update ticks
        bool updateDay = false, updateMonth = false, updateYear = false;  // field and list button of each part
        bool updateTime = false;
        bool dateShiftTicks = false;
        bool shiftDay = false, shiftMonth = false, shiftYear = false;  // field and stepper of each part
        bool timeShiftTicks = false;
        bool shiftHour = false, shiftMinute = false, shiftSecond = false;

        bool operator==(const Enabled&) const = default;
    };

    // The field name of an index ("Date_Original", ..., "XMP_PhotoshopDateCreated"); "" outside 0-5.
    static QString fieldName(int fieldIndex);

    // The rule of a field of the record; a default rule for an index outside 0-5 or a record without one.
    static DateTimeConfiguration ruleOf(const MetaDataObject& record, int fieldIndex);

    // The panel showing rule. A picked date or time that the rule lacks, or that does not read as one, leaves
    // the picker of current as it was.
    static State loadRule(const DateTimeConfiguration& rule, const State& current);
    // The controls that belong to the radio button that is on.
    static Enabled enabledControls(const State& state);
    // The rule the panel's controls make; every part is kept whatever the option.
    static DateTimeConfiguration buildRule(const State& state);

    // Puts rule into field fieldIndex of the record: the field's text becomes the rule's summary, the rule
    // replaces the field's rule and the field is marked as changed. Answers the summary, or nothing (and
    // changes nothing) for an index outside 0-5.
    static std::optional<QString> storeRule(MetaDataObject& record, int fieldIndex, const DateTimeConfiguration& rule);
};
