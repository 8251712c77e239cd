#pragma once

#include <QString>

#include <memory>
#include <optional>

namespace platform {

// The six calendar components a date is worked on through. Era, weeks and fractions of a second take no part.
struct DateParts {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;

    bool operator==(const DateParts&) const = default;
};

// A moment as milliseconds since 1970 on the Gregorian UTC time line. Machine dates are handled as pure
// wall-clock values: "2019:07:10 08:30:00" is that reading on the UTC line, so no time zone, daylight-saving
// night or user calendar can move it.
using WallTime = double;

// Unicode TR35 date pattern formatting and strict whole-string parsing (ICU underneath).
class DateFormat {
  public:
    // locale: an ICU locale id; the Gregorian calendar is always forced. timeZone: an Olson id.
    explicit DateFormat(const QString& pattern, const QString& locale = posixLocale(),
                        const QString& timeZone = QStringLiteral("UTC"));
    ~DateFormat();
    DateFormat(const DateFormat&) = delete;
    DateFormat& operator=(const DateFormat&) = delete;

    bool isValid() const;
    // The whole text must match the pattern and name a real calendar moment; otherwise nothing.
    std::optional<WallTime> parse(const QString& text) const;
    QString format(WallTime time) const;

    // A format kept for the calling thread: the same answers as a new one, without the cost of making it.
    static const DateFormat& forThread(const QString& pattern, const QString& locale = posixLocale(),
                                       const QString& timeZone = QStringLiteral("UTC"));

    // The fixed locale of every machine pattern.
    static QString posixLocale();
    // The user's locale for texts shown on screen.
    static QString userLocale();

  private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

// Gregorian calendar arithmetic on the UTC line.
class GregorianCalendar {
  public:
    static DateParts split(WallTime time);
    // Builds a moment from components; out-of-range values roll into the next larger unit (day 31 of a
    // 30-day month is the 1st of the next, hour 24 is 00 of the next day).
    static std::optional<WallTime> compose(const DateParts& parts);
    // Adds signed amounts in one calendar addition: amounts carry into larger units, and a month or year step
    // landing on a day the target month lacks stops at that month's last day.
    static std::optional<WallTime> add(WallTime time, const DateParts& amounts);
    // The current moment as the user's wall clock reads it, placed on the UTC line.
    static WallTime nowOnWallClock();
    // Whether the day exists (no 30 February, no 31 April).
    static bool isValidDate(int year, int month, int day);
};

}  // namespace platform
