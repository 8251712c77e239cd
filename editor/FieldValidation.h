#pragma once

#include "editor/FormFieldTraits.h"

#include <QString>

#include <optional>

// What the form accepts while the user types, with the messages of the numeric fields' error labels.
// Pure functions: the screen and the preset editor decide what to do with the answers.
namespace FieldValidation {

inline constexpr int kIntegerMaximum = 65535;
// The GPS coordinates in degrees, without sign: the reference field carries the hemisphere.
inline constexpr int kLatitudeMaximum = 90;
inline constexpr int kLongitudeMaximum = 180;
// The integer fields' formatters: what may be typed at all (the check below then flags above 65535).
inline constexpr int kIntegerFormatterMaximum = 9999999;
inline constexpr int kFormTextLimit = 150;
inline constexpr int kPresetTextLimit = 500;
inline constexpr int kFormTextViewLimit = 10000;
inline constexpr int kPresetTextViewLimit = 500;

QString numericOnlyMessage();             // "* Value can be only numeric type."
QString greaterThanMessage(int maximum);  // "* Value cannot be greater than %d"

// A decimal field's text passes when nothing but "", "." or "," is left once the decimal digits are
// stripped from both ends ("12.5", "1,5", ".5", ""); "abc", "1.2.3", "-12.5" and "12a" fail. The form-level
// check uses the same predicate.
bool isValidDecimalText(const QString& text);
// The XMP coordinates: empty, a signed decimal number, or a text the decimal rule passes.
bool isValidCoordinateText(const QString& text);
// An integer field: its value rounded up lies in 0 to 65535 (an empty field reads as 0).
bool isValidIntegerText(const QString& text);

struct Verdict {
    bool valid = true;
    // The error label's new text; empty: the label keeps its text.
    QString message;
};
// isValidText: the live check of one field; fields without a check always pass.
Verdict isValidText(const QString& text, FormFieldTraits::Check check);
// A GPS latitude or longitude: empty, or a decimal text (as above) that reads as a number of at most maximum
// degrees. A lone "." or "," passes the decimal rule but is no number the writer could store.
Verdict isValidDegreesText(const QString& text, int maximum);

// A typed text cut to the field's limit (counted in UTF-16 units).
QString cutToLimit(const QString& text, int limit);

// A text view's change is taken when the text it leaves is within the limit or shorter than before, so a
// full view can always be shortened; a paste is cut to what still fits. Returns the replacement to insert
// (possibly cut), or nothing when the change is refused.
std::optional<QString> acceptedTextViewChange(int currentLength, int replacedLength, const QString& replacement,
                                              int limit);

}  // namespace FieldValidation
