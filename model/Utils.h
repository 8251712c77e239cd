#pragma once

#include <QString>

#include "model/DateTimeConfiguration.h"

// The utility object every layer reaches through one shared instance. It holds no state.
// Its operations are grouped by source file: dates (Utils.cpp), the date-time rule engine
// (UtilsRuleEngine.cpp), formatting and paths (UtilsFormatting.cpp), images (UtilsImage.cpp).
class Utils {
public:
    static Utils& sharedUtils();

    // ---- Dates ----
    // Re-formats a date text from one pattern to another; "" when the text is empty or unreadable.
    // Machine patterns (numbers only) are read and written in the POSIX locale; patterns with month names or
    // an AM/PM marker are texts for people and use the user's locale (Gregorian calendar forced).
    QString convertedDate(const QString& text, const QString& inFormat, const QString& convertedFormat) const;

    // ---- Date-time rule engine ----
    QString getUpdatedOutputDateTimeStringWithConfig(const DateTimeConfiguration& config,
                                                     const QString& inputDateString) const;
    QString dateByUpdatingDay(int day, int month, int year, int hour, int minute, int second,
                              const QString& inDate, const QString& dateFormat, bool isUpdateTime) const;
    QString dateByIncOrDecDay(int day, int month, int year, int hour, int minute, int second,
                              const QString& inDate, const QString& dateFormat) const;

    // The pattern of every date inside metadata values.
    static QString exifDateFormat() { return QStringLiteral("yyyy:MM:dd HH:mm:ss"); }

private:
    Utils() = default;
};
