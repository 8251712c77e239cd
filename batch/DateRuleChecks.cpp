#include "batch/DateRuleChecks.h"

#include <array>

#include "model/Utils.h"
#include "platform/Numbers.h"

namespace {

using Config = DateTimeConfiguration;

struct Part {
    const char* label;
    bool kept;
    QString value;
};

// Lists the used parts in order: "Day:15 Year:2001". Empty when every part is kept.
QString usedParts(const std::array<Part, 3>& parts) {
    QStringList used;
    for (const Part& part : parts) {
        if (!part.kept) used << QStringLiteral("%1:%2").arg(QLatin1String(part.label), part.value);
    }
    return used.join(u' ');
}

QString updateSummary(const Config& c, DateRuleChecks::SummaryStyle style) {
    const QString parts =
        usedParts({{{"Day", Config::flag(c.isUpdateDayKeepOriginal), Config::text(c.stringUpdateDay)},
                    {"Month", Config::flag(c.isUpdateMonthKeepOriginal), Config::text(c.stringUpdateMonth)},
                    {"Year", Config::flag(c.isUpdateYearKeepOriginal), Config::text(c.stringUpdateYear)}}});
    const QString datePart = parts.isEmpty() ? QStringLiteral("Date: Keep Original") : "Update: " + parts;
    if (Config::flag(c.isUpdateTimeKeepOriginal)) return datePart + QStringLiteral("  Time: Keep Original");
    const QString time = Utils::sharedUtils().convertedDate(Config::text(c.stringUpdateTime), "HH:mm:ss", "hh:mm:ss a");
    const QString timeLabel =
        style == DateRuleChecks::SummaryStyle::PresetEditor ? QStringLiteral("  Time: ") : QStringLiteral("  time: ");
    return datePart + timeLabel + time;
}

QString shiftSummary(const std::array<Part, 3>& parts) {
    const QString used = usedParts(parts);
    return used.isEmpty() ? QStringLiteral("Keep Original") : "Inc/Dec: " + used;
}

}  // namespace

QString DateRuleChecks::futureDateWarningText() {
    return QStringLiteral("* Warning: You are trying to enter a future date. Please check.");
}

QString DateRuleChecks::nonExistingDateErrorText() {
    return QStringLiteral("* Error: Update date is not valid. Please check.");
}

QString DateRuleChecks::ruleSummary(const DateTimeConfiguration& c, SummaryStyle style) {
    switch (c.option()) {
        case Config::KeepOriginal:
            return QStringLiteral("Keep Original");
        case Config::EmptyValue:
            return QStringLiteral("Empty Value");
        case Config::SelectDate:
            return Utils::sharedUtils().convertedDate(Config::text(c.stringSelectedDate), Utils::exifDateFormat(),
                                                      "MMM dd,yyyy hh:mm:ss a");
        case Config::UpdateDate:
            return updateSummary(c, style);
        case Config::IncDecDate:
            return shiftSummary(
                {{{"Day", Config::flag(c.isIncDecDayKeepOriginal), Config::text(c.stringIncDecDay)},
                  {"Month", Config::flag(c.isIncDecMonthKeepOriginal), Config::text(c.stringIncDecMonth)},
                  {"Year", Config::flag(c.isIncDecYearKeepOriginal), Config::text(c.stringIncDecYear)}}});
        case Config::IncDecTime:
            return shiftSummary(
                {{{"Hour", Config::flag(c.isIncDecHourKeepOriginal), Config::text(c.stringIncDecHour)},
                  {"Minute", Config::flag(c.isIncDecMinuteKeepOriginal), Config::text(c.stringIncDecMinute)},
                  {"Second", Config::flag(c.isIncDecSecondKeepOriginal), Config::text(c.stringIncDecSecond)}}});
        default:
            return {};
    }
}

bool DateRuleChecks::isDateGreaterThanToday(const QString& text, const QString& format, platform::WallTime now) {
    QString source = text;
    source.replace(u'T', u' ');
    const platform::DateFormat& formatter = platform::DateFormat::forThread(format);
    const auto date = formatter.parse(source);
    const auto nowAtGrain = formatter.parse(formatter.format(now));
    return date && nowAtGrain && *date > *nowAtGrain;
}

DateRuleChecks::Label DateRuleChecks::futureDateCheck(const DateTimeConfiguration& c, platform::WallTime now) {
    if (c.option() != Config::SelectDate) return Label::Hidden;
    const QString picked = Config::text(c.stringSelectedDate);
    if (!picked.isEmpty() && isDateGreaterThanToday(picked, Utils::exifDateFormat(), now)) {
        return Label::FutureDateWarning;
    }
    return Label::Hidden;
}

DateRuleChecks::Label DateRuleChecks::nonExistingDateCheck(const DateTimeConfiguration& c) {
    if (c.option() != Config::UpdateDate) return Label::Unchanged;
    if (Config::flag(c.isUpdateDayKeepOriginal) || Config::flag(c.isUpdateMonthKeepOriginal)) return Label::Hidden;
    const int day = platform::intValue(Config::text(c.stringUpdateDay));
    const int month = platform::intValue(Config::text(c.stringUpdateMonth));
    const int year = platform::intValue(Config::text(c.stringUpdateYear));
    if (month == 2 && day >= 29) {
        if (day >= 30) return Label::NonExistingDateError;
        if (Config::flag(c.isUpdateYearKeepOriginal)) return Label::Hidden;
        return isLeapYear(year) ? Label::Hidden : Label::NonExistingDateError;
    }
    if (day >= 31 && (month == 4 || month == 6 || month == 9 || month == 11)) return Label::NonExistingDateError;
    return Label::Hidden;
}

bool DateRuleChecks::isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}
