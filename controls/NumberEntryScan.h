#pragma once

#include <QString>

// Reading what a user has typed into a number field so far. Both readers take the whole text: leading and
// trailing white space is allowed, anything else after the number makes it no number.
namespace NumberEntryScan {

struct Integer {
    bool matched = false;  // optional sign and at least one digit, nothing else
    bool hasSign = false;
    QString digits;        // the digits as typed, leading zeros kept
    bool inInt32 = false;  // the value fits a signed 32-bit int
    int value = 0;         // meaningful only when inInt32
};
Integer scanInteger(const QString& text);

struct Decimal {
    bool matched = false;  // optional sign, digits with at most one '.', at least one digit
    bool integerPartInInt32 = false;
    int integerPart = 0;  // the leading integer part ("-3.7" gives -3, ".5" gives 0)
};
Decimal scanDecimal(const QString& text);

}  // namespace NumberEntryScan
