#pragma once

#include <QJsonObject>
#include <QString>

#include <memory>
#include <optional>

// What a batch run does to one date field. Filled once when made and never changed afterwards, so records
// share it by reference (DateTimeConfigurationRef) and no copy is ever needed.
class DateTimeConfiguration {
  public:
    // The values of tagConfigureOption.
    enum DateTimeConfigureOption {
        KeepOriginal = 0,
        EmptyValue = 1,
        SelectDate = 2,
        UpdateDate = 3,
        IncDecDate = 4,
        IncDecTime = 5,
    };

    // Defaults (commonInit). A decoded record starts with every value absent instead.
    DateTimeConfiguration();
    void commonInit();

    // Keyed coding: one key per property, named as the property; absent values are left out.
    QJsonObject encodeWithCoder() const;
    static DateTimeConfiguration initWithCoder(const QJsonObject& coder);

    // Absent reads as 0, NO or "".
    int option() const { return tagConfigureOption.value_or(0); }
    static bool flag(const std::optional<bool>& value) { return value.value_or(false); }
    static QString text(const std::optional<QString>& value) { return value.value_or(QString()); }

    bool operator==(const DateTimeConfiguration&) const = default;

    std::optional<int> tagConfigureOption;
    std::optional<bool> isUpdateDayKeepOriginal;
    std::optional<bool> isUpdateMonthKeepOriginal;
    std::optional<bool> isUpdateYearKeepOriginal;
    std::optional<bool> isUpdateTimeKeepOriginal;
    std::optional<bool> isIncDecDayKeepOriginal;
    std::optional<bool> isIncDecMonthKeepOriginal;
    std::optional<bool> isIncDecYearKeepOriginal;
    std::optional<bool> isIncDecHourKeepOriginal;
    std::optional<bool> isIncDecMinuteKeepOriginal;
    std::optional<bool> isIncDecSecondKeepOriginal;
    std::optional<QString> stringSelectedDate;
    std::optional<QString> stringUpdateDay;
    std::optional<QString> stringUpdateMonth;
    std::optional<QString> stringUpdateYear;
    std::optional<QString> stringUpdateTime;
    std::optional<QString> stringIncDecDay;
    std::optional<QString> stringIncDecMonth;
    std::optional<QString> stringIncDecYear;
    std::optional<QString> stringIncDecHour;
    std::optional<QString> stringIncDecMinute;
    std::optional<QString> stringIncDecSecond;

  private:
    struct Uninitialised {};
    explicit DateTimeConfiguration(Uninitialised) {}
};

using DateTimeConfigurationRef = std::shared_ptr<const DateTimeConfiguration>;
