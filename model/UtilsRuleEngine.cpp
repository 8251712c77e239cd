#include "model/StringCategories.h"
#include "model/Utils.h"
#include "platform/Numbers.h"
#include "platform/WallClock.h"

namespace {

using Config = DateTimeConfiguration;

// "HH:mm:ss" into three numbers; a missing or non-numeric part reads as 0.
void readTime(const QString& time, int& hour, int& minute, int& second) {
    const QStringList parts = time.split(u':');
    auto part = [&parts](int i) { return i < parts.size() ? platform::intValue(parts.at(i)) : 0; };
    hour = part(0);
    minute = part(1);
    second = part(2);
}

QString normalised(const QString& input) {
    QString text = input;
    text.replace(u'T', u' ');
    text.replace(u'-', u':');
    return text;
}

QString applyUpdate(const Config& c, const QString& input) {
    const bool keepDay = Config::flag(c.isUpdateDayKeepOriginal);
    const bool keepMonth = Config::flag(c.isUpdateMonthKeepOriginal);
    const bool keepYear = Config::flag(c.isUpdateYearKeepOriginal);
    const bool keepTime = Config::flag(c.isUpdateTimeKeepOriginal);
    const int day = platform::intValue(Config::text(c.stringUpdateDay));
    const int month = platform::intValue(Config::text(c.stringUpdateMonth));
    const int year = platform::intValue(Config::text(c.stringUpdateYear));
    int hour = 0, minute = 0, second = 0;
    readTime(Config::text(c.stringUpdateTime), hour, minute, second);
    if (keepDay && keepMonth && keepYear && keepTime) return input;
    if (keepTime) hour = minute = second = 0;
    return Utils::sharedUtils().dateByUpdatingDay(keepDay ? 0 : day, keepMonth ? 0 : month, keepYear ? 0 : year, hour,
                                                  minute, second, normalised(input), Utils::exifDateFormat(),
                                                  !keepTime);
}

int amount(const std::optional<bool>& keep, const std::optional<QString>& text) {
    return Config::flag(keep) ? 0 : platform::intValue(Config::text(text));
}

QString applyDateShift(const Config& c, const QString& input) {
    if (Config::flag(c.isIncDecDayKeepOriginal) && Config::flag(c.isIncDecMonthKeepOriginal) &&
        Config::flag(c.isIncDecYearKeepOriginal)) {
        return input;
    }
    return Utils::sharedUtils().dateByIncOrDecDay(
        amount(c.isIncDecDayKeepOriginal, c.stringIncDecDay), amount(c.isIncDecMonthKeepOriginal, c.stringIncDecMonth),
        amount(c.isIncDecYearKeepOriginal, c.stringIncDecYear), 0, 0, 0, normalised(input), Utils::exifDateFormat());
}

QString applyTimeShift(const Config& c, const QString& input) {
    if (Config::flag(c.isIncDecHourKeepOriginal) && Config::flag(c.isIncDecMinuteKeepOriginal) &&
        Config::flag(c.isIncDecSecondKeepOriginal)) {
        return input;
    }
    return Utils::sharedUtils().dateByIncOrDecDay(0, 0, 0, amount(c.isIncDecHourKeepOriginal, c.stringIncDecHour),
                                                  amount(c.isIncDecMinuteKeepOriginal, c.stringIncDecMinute),
                                                  amount(c.isIncDecSecondKeepOriginal, c.stringIncDecSecond),
                                                  normalised(input), Utils::exifDateFormat());
}

}  // namespace

QString Utils::getUpdatedOutputDateTimeStringWithConfig(const DateTimeConfiguration& config,
                                                        const QString& inputDateString) const {
    switch (config.option()) {
        case Config::KeepOriginal:
            return inputDateString;
        case Config::EmptyValue:
            return {};
        case Config::SelectDate:
            return Config::text(config.stringSelectedDate);
        case Config::UpdateDate:
        case Config::IncDecDate:
        case Config::IncDecTime:
            break;
        default:
            return normalised(inputDateString);
    }
    if (inputDateString.isEmpty()) return {};
    switch (config.option()) {
        case Config::UpdateDate:
            return applyUpdate(config, inputDateString);
        case Config::IncDecDate:
            return applyDateShift(config, inputDateString);
        default:
            return applyTimeShift(config, inputDateString);
    }
}

QString Utils::dateByUpdatingDay(int day, int month, int year, int hour, int minute, int second, const QString& inDate,
                                 const QString& dateFormat, bool isUpdateTime) const {
    const platform::DateFormat& format = platform::DateFormat::forThread(dateFormat);
    const auto date = format.parse(inDate);
    if (!date) return {};
    platform::DateParts parts = platform::GregorianCalendar::split(*date);
    if (day != 0) parts.day = day;
    if (month != 0) parts.month = month;
    if (year != 0) parts.year = year;
    if (isUpdateTime) {
        parts.hour = hour;
        parts.minute = minute;
        parts.second = second;
    }
    const auto built = platform::GregorianCalendar::compose(parts);
    return built ? format.format(*built) : QString();
}

QString Utils::dateByIncOrDecDay(int day, int month, int year, int hour, int minute, int second, const QString& inDate,
                                 const QString& dateFormat) const {
    const platform::DateFormat& format = platform::DateFormat::forThread(dateFormat);
    const auto date = format.parse(inDate);
    if (!date) return {};
    const auto moved = platform::GregorianCalendar::add(*date, {year, month, day, hour, minute, second});
    return moved ? format.format(*moved) : QString();
}
