#include "platform/WallClock.h"

#include <QDateTime>
#include <QLocale>

#include <unicode/calendar.h>
#include <unicode/gregocal.h>
#include <unicode/locid.h>
#include <unicode/smpdtfmt.h>
#include <unicode/timezone.h>

#include <cmath>
#include <unordered_map>

namespace platform {
namespace {

icu::UnicodeString toIcu(const QString& text) {
    return icu::UnicodeString(reinterpret_cast<const UChar*>(text.utf16()), static_cast<int32_t>(text.size()));
}

QString fromIcu(const icu::UnicodeString& text) {
    return QString(reinterpret_cast<const QChar*>(text.getBuffer()), text.length());
}

// Every calendar here is Gregorian on the UTC line, whatever the user's calendar or zone, and proleptic:
// the Julian switch of 1582 must not bend old dates.
std::unique_ptr<icu::GregorianCalendar> utcCalendar(const icu::Locale& locale = icu::Locale("en_US_POSIX")) {
    UErrorCode status = U_ZERO_ERROR;
    auto calendar = std::make_unique<icu::GregorianCalendar>(icu::TimeZone::getGMT()->clone(), locale, status);
    if (U_FAILURE(status)) return nullptr;
    calendar->setGregorianChange(-HUGE_VAL, status);
    return calendar;
}

// The calendar arithmetic of this thread. Making an ICU calendar costs more than the arithmetic itself, and
// every use below sets the whole state it reads.
icu::GregorianCalendar* threadCalendar() {
    thread_local std::unique_ptr<icu::GregorianCalendar> calendar = utcCalendar();
    return calendar.get();
}

}  // namespace

struct DateFormat::Impl {
    std::unique_ptr<icu::SimpleDateFormat> format;
};

DateFormat::DateFormat(const QString& pattern, const QString& locale, const QString& timeZone) : d(new Impl) {
    UErrorCode status = U_ZERO_ERROR;
    icu::Locale icuLocale(locale.toUtf8().constData());
    icuLocale.setKeywordValue("calendar", "gregorian", status);
    status = U_ZERO_ERROR;
    auto format = std::make_unique<icu::SimpleDateFormat>(toIcu(pattern), icuLocale, status);
    if (U_FAILURE(status)) return;
    std::unique_ptr<icu::TimeZone> zone(icu::TimeZone::createTimeZone(toIcu(timeZone)));
    auto calendar = utcCalendar(icuLocale);
    if (!calendar) return;
    calendar->setTimeZone(*zone);
    format->adoptCalendar(calendar.release());
    format->setLenient(false);
    d->format = std::move(format);
}

DateFormat::~DateFormat() = default;

bool DateFormat::isValid() const {
    return d->format != nullptr;
}

std::optional<WallTime> DateFormat::parse(const QString& text) const {
    if (!d->format || text.isEmpty()) return std::nullopt;
    const icu::UnicodeString source = toIcu(text);
    icu::ParsePosition position(0);
    std::unique_ptr<icu::Calendar> calendar(d->format->getCalendar()->clone());
    calendar->clear();
    d->format->parse(source, *calendar, position);
    if (position.getErrorIndex() >= 0 || position.getIndex() != source.length()) return std::nullopt;
    // A text with a zone offset ("08:30:00+02:00") keeps its own wall-clock reading: the photo was taken at
    // 08:30 where it was taken, whatever zone the reader sits in.
    UErrorCode status = U_ZERO_ERROR;
    DateParts parts;
    parts.year = calendar->get(UCAL_EXTENDED_YEAR, status);
    parts.month = calendar->get(UCAL_MONTH, status) + 1;
    parts.day = calendar->get(UCAL_DATE, status);
    parts.hour = calendar->get(UCAL_HOUR_OF_DAY, status);
    parts.minute = calendar->get(UCAL_MINUTE, status);
    parts.second = calendar->get(UCAL_SECOND, status);
    if (U_FAILURE(status)) return std::nullopt;
    const double millis = calendar->get(UCAL_MILLISECOND, status);
    const auto time = GregorianCalendar::compose(parts);
    if (!time || U_FAILURE(status)) return std::nullopt;
    return *time + millis;
}

QString DateFormat::format(WallTime time) const {
    if (!d->format || !std::isfinite(time)) return {};
    icu::UnicodeString out;
    d->format->format(time, out);
    return fromIcu(out);
}

const DateFormat& DateFormat::forThread(const QString& pattern, const QString& locale, const QString& timeZone) {
    // Formats are made from a handful of fixed patterns; the bound only guards against an unexpected many.
    thread_local std::unordered_map<QString, std::unique_ptr<DateFormat>> formats;
    const QString key = pattern + QChar(0) + locale + QChar(0) + timeZone;
    auto found = formats.find(key);
    if (found == formats.end()) {
        if (formats.size() >= 64) formats.clear();
        found = formats.emplace(key, std::make_unique<DateFormat>(pattern, locale, timeZone)).first;
    }
    return *found->second;
}

QString DateFormat::posixLocale() {
    return QStringLiteral("en_US_POSIX");
}

QString DateFormat::userLocale() {
    return QLocale().name();
}

DateParts GregorianCalendar::split(WallTime time) {
    DateParts parts;
    icu::GregorianCalendar* calendar = threadCalendar();
    if (!calendar) return parts;
    UErrorCode status = U_ZERO_ERROR;
    calendar->setTime(time, status);
    // Years before 1 are counted by era; take the astronomical year so arithmetic stays continuous.
    const int year = calendar->get(UCAL_EXTENDED_YEAR, status);
    parts.year = year;
    parts.month = calendar->get(UCAL_MONTH, status) + 1;
    parts.day = calendar->get(UCAL_DATE, status);
    parts.hour = calendar->get(UCAL_HOUR_OF_DAY, status);
    parts.minute = calendar->get(UCAL_MINUTE, status);
    parts.second = calendar->get(UCAL_SECOND, status);
    return U_SUCCESS(status) ? parts : DateParts{};
}

std::optional<WallTime> GregorianCalendar::compose(const DateParts& parts) {
    icu::GregorianCalendar* calendar = threadCalendar();
    if (!calendar) return std::nullopt;
    calendar->clear();
    calendar->setLenient(true);
    calendar->set(UCAL_EXTENDED_YEAR, parts.year);
    calendar->set(UCAL_MONTH, parts.month - 1);
    calendar->set(UCAL_DATE, parts.day);
    calendar->set(UCAL_HOUR_OF_DAY, parts.hour);
    calendar->set(UCAL_MINUTE, parts.minute);
    calendar->set(UCAL_SECOND, parts.second);
    UErrorCode status = U_ZERO_ERROR;
    const UDate time = calendar->getTime(status);
    if (U_FAILURE(status)) return std::nullopt;
    return time;
}

std::optional<WallTime> GregorianCalendar::add(WallTime time, const DateParts& amounts) {
    icu::GregorianCalendar* calendar = threadCalendar();
    if (!calendar) return std::nullopt;
    UErrorCode status = U_ZERO_ERROR;
    calendar->setTime(time, status);
    // Larger units first, as one calendar addition does: a month step is pinned to the month's last day
    // before days and times move on from there.
    calendar->add(UCAL_YEAR, amounts.year, status);
    calendar->add(UCAL_MONTH, amounts.month, status);
    calendar->add(UCAL_DATE, amounts.day, status);
    calendar->add(UCAL_HOUR_OF_DAY, amounts.hour, status);
    calendar->add(UCAL_MINUTE, amounts.minute, status);
    calendar->add(UCAL_SECOND, amounts.second, status);
    const UDate result = calendar->getTime(status);
    if (U_FAILURE(status)) return std::nullopt;
    return result;
}

WallTime GregorianCalendar::nowOnWallClock() {
    const QDateTime local = QDateTime::currentDateTime();
    const QDateTime onUtcLine(local.date(), local.time().addMSecs(-local.time().msec()), Qt::UTC);
    return static_cast<WallTime>(onUtcLine.toMSecsSinceEpoch());
}

bool GregorianCalendar::isValidDate(int year, int month, int day) {
    if (month < 1 || month > 12 || day < 1) return false;
    static const int daysInMonth[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    const int last = (month == 2 && leap) ? 29 : daysInMonth[month - 1];
    return day <= last;
}

}  // namespace platform
