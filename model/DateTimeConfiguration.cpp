#include "model/DateTimeConfiguration.h"

#include <QDateTime>
#include <QJsonValue>

namespace {

// The keyed-coding order of the properties; the key of each equals its name.
template <typename Visit>
void forEachProperty(Visit&& visit, auto& record) {
    visit("tagConfigureOption", record.tagConfigureOption);
    visit("isUpdateDayKeepOriginal", record.isUpdateDayKeepOriginal);
    visit("isUpdateMonthKeepOriginal", record.isUpdateMonthKeepOriginal);
    visit("isUpdateYearKeepOriginal", record.isUpdateYearKeepOriginal);
    visit("isUpdateTimeKeepOriginal", record.isUpdateTimeKeepOriginal);
    visit("isIncDecDayKeepOriginal", record.isIncDecDayKeepOriginal);
    visit("isIncDecMonthKeepOriginal", record.isIncDecMonthKeepOriginal);
    visit("isIncDecYearKeepOriginal", record.isIncDecYearKeepOriginal);
    visit("isIncDecHourKeepOriginal", record.isIncDecHourKeepOriginal);
    visit("isIncDecMinuteKeepOriginal", record.isIncDecMinuteKeepOriginal);
    visit("isIncDecSecondKeepOriginal", record.isIncDecSecondKeepOriginal);
    visit("stringSelectedDate", record.stringSelectedDate);
    visit("stringUpdateDay", record.stringUpdateDay);
    visit("stringUpdateMonth", record.stringUpdateMonth);
    visit("stringUpdateYear", record.stringUpdateYear);
    visit("stringUpdateTime", record.stringUpdateTime);
    visit("stringIncDecDay", record.stringIncDecDay);
    visit("stringIncDecMonth", record.stringIncDecMonth);
    visit("stringIncDecYear", record.stringIncDecYear);
    visit("stringIncDecHour", record.stringIncDecHour);
    visit("stringIncDecMinute", record.stringIncDecMinute);
    visit("stringIncDecSecond", record.stringIncDecSecond);
}

void encodeValue(QJsonObject& coder, const char* key, const std::optional<int>& v) {
    if (v) coder.insert(QLatin1String(key), *v);
}
void encodeValue(QJsonObject& coder, const char* key, const std::optional<bool>& v) {
    if (v) coder.insert(QLatin1String(key), *v);
}
void encodeValue(QJsonObject& coder, const char* key, const std::optional<QString>& v) {
    if (v) coder.insert(QLatin1String(key), *v);
}

// A value of the wrong kind is treated like a missing one rather than guessed at.
void decodeValue(const QJsonObject& coder, const char* key, std::optional<int>& v) {
    const QJsonValue value = coder.value(QLatin1String(key));
    if (value.isDouble()) v = value.toInt();
}
void decodeValue(const QJsonObject& coder, const char* key, std::optional<bool>& v) {
    const QJsonValue value = coder.value(QLatin1String(key));
    if (value.isBool()) v = value.toBool();
}
void decodeValue(const QJsonObject& coder, const char* key, std::optional<QString>& v) {
    const QJsonValue value = coder.value(QLatin1String(key));
    if (value.isString()) v = value.toString();
}

}  // namespace

DateTimeConfiguration::DateTimeConfiguration() {
    commonInit();
}

void DateTimeConfiguration::commonInit() {
    tagConfigureOption = 0;
    for (auto* flag :
         {&isUpdateDayKeepOriginal, &isUpdateMonthKeepOriginal, &isUpdateYearKeepOriginal, &isUpdateTimeKeepOriginal,
          &isIncDecDayKeepOriginal, &isIncDecMonthKeepOriginal, &isIncDecYearKeepOriginal, &isIncDecHourKeepOriginal,
          &isIncDecMinuteKeepOriginal, &isIncDecSecondKeepOriginal}) {
        *flag = false;
    }
    stringUpdateDay = QStringLiteral("1");
    stringUpdateMonth = QStringLiteral("1");
    stringUpdateYear = QStringLiteral("1905");
    for (auto* amount : {&stringIncDecDay, &stringIncDecMonth, &stringIncDecYear, &stringIncDecHour,
                         &stringIncDecMinute, &stringIncDecSecond}) {
        *amount = QStringLiteral("1");
    }
    // The moment of creation as the user's clock reads it, written in the machine form directly: a round
    // trip through a 12-hour text in the user's language loses the time where AM/PM markers differ.
    stringSelectedDate = QDateTime::currentDateTime().toString(QStringLiteral("yyyy:MM:dd HH:mm:ss"));
    stringUpdateTime = QStringLiteral("00:00:00");
}

QJsonObject DateTimeConfiguration::encodeWithCoder() const {
    QJsonObject coder;
    forEachProperty([&coder](const char* key, const auto& value) { encodeValue(coder, key, value); }, *this);
    return coder;
}

DateTimeConfiguration DateTimeConfiguration::initWithCoder(const QJsonObject& coder) {
    DateTimeConfiguration record{Uninitialised{}};
    forEachProperty([&coder](const char* key, auto& value) { decodeValue(coder, key, value); }, record);
    return record;
}
