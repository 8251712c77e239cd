#pragma once

#include <QString>

namespace platform {

// Number reads that behave like the leading-number reads of a string object: leading white space is
// skipped, the longest leading number is taken, and text without one reads as 0. They never depend on
// the process locale (a German decimal comma must not change what "2.8" means).
int intValue(const QString& text);  // signed digits, clamped to the int32 range
long long longLongValue(const QString& text);
double doubleValue(const QString& text);  // "1.5e3", "-.5", "inf" are not special: digits, '.', exponent
float floatValue(const QString& text);
bool boolValue(const QString& text);  // "YES"/"true"/"y"/"t" or a leading non-zero number

// Locale-independent "%f" (six decimals) and "%d".
QString formatFixed(double value, int decimals = 6);
QString formatInt(long long value);

}  // namespace platform
