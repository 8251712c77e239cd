#pragma once

#include <QString>

#include "batch/DateRuleChecks.h"

class DropdownCodeTables;
class MetaDataObject;
struct FormFieldTraits;

// How a record's values read on the form: dates for people, codes as their labels, the editing option in
// words. Pure functions; the user's locale only shapes the date texts.
namespace FieldDisplay {

// One of the six date fields: "yyyy:MM:dd HH:mm:ss" (or its ISO form with "T" and "-") as
// "MMM dd,yyyy hh:mm:ss a"; a value that does not read as a date shows in its normalised form, and a date
// rule's summary (which the pending edits can carry into a new selection) as it is.
QString dateTime(const QString& value, bool isXmpModifyDate);

// What a date field shows: the rule the run will use. A rule that changes the date shows its summary; one
// that keeps it shows the date. A summary left by a rule that is no longer in force (a preset took its
// place) would promise a change the run does not make, so it reads as the rule now in force.
QString dateField(const QString& value, const DateTimeConfiguration* rule, bool isXmpModifyDate,
                  DateRuleChecks::SummaryStyle style);

// IPTC_DateCreated: "yyyyMMdd", or Exiv2's "yyyy-MM-dd", as "MMM dd,yyyy"; anything else shows "".
QString iptcDate(const QString& value);

// The editing option's text (MetadataEditingOption 0 to 2); "" outside.
QString editingOptionText(int option);

// What a field of the form shows for record.
QString value(const FormFieldTraits& field, const MetaDataObject& record, const DropdownCodeTables& tables,
              DateRuleChecks::SummaryStyle style = DateRuleChecks::SummaryStyle::EditingForm);

}  // namespace FieldDisplay
