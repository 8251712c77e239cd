#pragma once

#include "batch/DateRuleChecks.h"
#include "editor/FieldValidation.h"

#include <QString>

class MetaDataObject;
struct MetadataKeyRow;

// What sets the editing form and the preset editor apart. Both show the same sections; the preset editor
// takes longer texts, marks no field as changed (so a preset's values count where they are non-empty),
// draws no change borders, shows no "Multiple values" and has no XMP clear tick.
struct FormRules {
    int textLimit = FieldValidation::kFormTextLimit;
    int textViewLimit = FieldValidation::kFormTextViewLimit;
    bool setsChangeFlags = true;
    bool drawsBorders = true;
    bool showsMultipleValues = true;
    bool hasXmpClearTick = true;
    // How a date field spells the rule it shows.
    DateRuleChecks::SummaryStyle dateSummaryStyle = DateRuleChecks::SummaryStyle::EditingForm;

    static FormRules editingForm() { return {}; }
    static FormRules presetEditor() {
        return {FieldValidation::kPresetTextLimit,
                FieldValidation::kPresetTextViewLimit,
                false,
                false,
                false,
                false,
                DateRuleChecks::SummaryStyle::PresetEditor};
    }

    // One edit into one record: the value, and its isupdated_ flag where these rules mark changes.
    void store(MetaDataObject& record, const MetadataKeyRow& field, const QString& value) const;
};
