#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <span>

#include "model/MetaDataObject.h"

// The gate before Apply and before a batch run: numeric fields must hold numbers the writer can store and
// no date rule may name a day that does not exist. Pure: the screen hands in the fields' texts and shows
// the label of the field that failed.
class FormValidation {
  public:
    enum class Rule { DecimalText, IntegerLimit, Degrees, AlwaysPasses };
    struct CheckedField {
        const char* fieldName;  // the record field; its text field is txt<Field>, its label txt<Field>_error
        Rule rule;              // Degrees: the field's own live check, its latitude or longitude range
    };
    // The thirteen fields in the order they are checked.
    static std::span<const CheckedField> checkedFields();

    // The rules themselves are the live checks' (FieldValidation): a decimal field's digits trimmed from
    // both ends must leave nothing, "." or ","; an integer field's leading number, rounded up, must lie
    // between 0 and 65535; a GPS coordinate edited in record must be a decimal number of at most 90 or 180
    // degrees, one not edited only a decimal text.
    struct Failure {
        QString fieldName;
        // The text the label gets; null: the label shows with the text it already holds.
        QString labelText;
    };
    // The first checked field that fails; the fields after it are not examined.
    static std::optional<Failure> firstFailingField(const std::function<QString(const QString& fieldName)>& textOf,
                                                    const MetaDataObject& record);
    // No date rule of the record in "update day, month, year and time" mode names an impossible day.
    static bool checkDateTimeDataValidations(const MetaDataObject& record);
    // The first date field, in record order, whose rule names an impossible day.
    static std::optional<QString> firstImpossibleDateField(const MetaDataObject& record);

    struct Result {
        bool valid = true;
        std::optional<Failure> failure;  // absent when only a date rule failed
        // Where the form shows what stopped it: the failing numeric field, else the first date field whose
        // rule names an impossible day; empty when the form passed.
        QString firstFailingField;
    };
    static Result isValidFormData(const std::function<QString(const QString& fieldName)>& textOf,
                                  const MetaDataObject& record);
};
