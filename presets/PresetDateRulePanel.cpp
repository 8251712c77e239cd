#include "presets/PresetDateRulePanel.h"

#include <array>
#include <memory>

#include "batch/DateRuleChecks.h"
#include "model/MetadataKeyTable.h"
#include "model/Utils.h"

namespace {

using Config = DateTimeConfiguration;

constexpr std::array<const char*, PresetDateRulePanel::kDateFieldCount> kDateFields = {
    "Date_Original", "Date_Creation", "Date_Modify", "XMP_CreationDate", "XMP_ModifyDate", "XMP_PhotoshopDateCreated",
};

const MetadataKeyRow* dateRow(int fieldIndex) {
    if (fieldIndex < 0 || fieldIndex >= PresetDateRulePanel::kDateFieldCount) return nullptr;
    return MetadataKeyTable::rowForField(QLatin1String(kDateFields[fieldIndex]));
}

}  // namespace

QString PresetDateRulePanel::fieldName(int fieldIndex) {
    const MetadataKeyRow* row = dateRow(fieldIndex);
    return row ? row->fieldName() : QString();
}

DateTimeConfiguration PresetDateRulePanel::ruleOf(const MetaDataObject& record, int fieldIndex) {
    const MetadataKeyRow* row = dateRow(fieldIndex);
    if (!row || !(record.*row->dateRule)) return DateTimeConfiguration();
    return *(record.*row->dateRule);
}

PresetDateRulePanel::State PresetDateRulePanel::loadRule(const DateTimeConfiguration& rule, const State& current) {
    State s = current;
    const Utils& utils = Utils::sharedUtils();
    const QString picked =
        utils.convertedDate(Config::text(rule.stringSelectedDate), Utils::exifDateFormat(), Utils::exifDateFormat());
    if (!picked.isEmpty()) s.selectedDate = picked;
    const QString time = utils.convertedDate(Config::text(rule.stringUpdateTime), QStringLiteral("HH:mm:ss"),
                                             QStringLiteral("HH:mm:ss"));
    if (!time.isEmpty()) s.updateTime = time;
    s.updateDay = Config::text(rule.stringUpdateDay);
    s.updateMonth = Config::text(rule.stringUpdateMonth);
    s.updateYear = Config::text(rule.stringUpdateYear);
    s.incDecDay = Config::text(rule.stringIncDecDay);
    s.incDecMonth = Config::text(rule.stringIncDecMonth);
    s.incDecYear = Config::text(rule.stringIncDecYear);
    s.incDecHour = Config::text(rule.stringIncDecHour);
    s.incDecMinute = Config::text(rule.stringIncDecMinute);
    s.incDecSecond = Config::text(rule.stringIncDecSecond);
    s.keepUpdateDay = Config::flag(rule.isUpdateDayKeepOriginal);
    s.keepUpdateMonth = Config::flag(rule.isUpdateMonthKeepOriginal);
    s.keepUpdateYear = Config::flag(rule.isUpdateYearKeepOriginal);
    s.keepUpdateTime = Config::flag(rule.isUpdateTimeKeepOriginal);
    s.keepIncDecDay = Config::flag(rule.isIncDecDayKeepOriginal);
    s.keepIncDecMonth = Config::flag(rule.isIncDecMonthKeepOriginal);
    s.keepIncDecYear = Config::flag(rule.isIncDecYearKeepOriginal);
    s.keepIncDecHour = Config::flag(rule.isIncDecHourKeepOriginal);
    s.keepIncDecMinute = Config::flag(rule.isIncDecMinuteKeepOriginal);
    s.keepIncDecSecond = Config::flag(rule.isIncDecSecondKeepOriginal);
    const int option = rule.option();
    s.option = option >= Config::KeepOriginal && option <= Config::IncDecTime ? option : -1;
    return s;
}

PresetDateRulePanel::Enabled PresetDateRulePanel::enabledControls(const State& s) {
    Enabled e;
    switch (s.option) {
        case Config::SelectDate:
            e.datePicker = true;
            break;
        case Config::UpdateDate:
            e.updateTicks = true;
            e.updateDay = !s.keepUpdateDay;
            e.updateMonth = !s.keepUpdateMonth;
            e.updateYear = !s.keepUpdateYear;
            e.updateTime = !s.keepUpdateTime;
            break;
        case Config::IncDecDate:
            e.dateShiftTicks = true;
            e.shiftDay = !s.keepIncDecDay;
            e.shiftMonth = !s.keepIncDecMonth;
            e.shiftYear = !s.keepIncDecYear;
            break;
        case Config::IncDecTime:
            e.timeShiftTicks = true;
            e.shiftHour = !s.keepIncDecHour;
            e.shiftMinute = !s.keepIncDecMinute;
            e.shiftSecond = !s.keepIncDecSecond;
            break;
        default:
            break;
    }
    return e;
}

DateTimeConfiguration PresetDateRulePanel::buildRule(const State& s) {
    DateTimeConfiguration rule;
    if (s.option >= Config::KeepOriginal && s.option <= Config::IncDecTime) rule.tagConfigureOption = s.option;
    rule.isUpdateDayKeepOriginal = s.keepUpdateDay;
    rule.isUpdateMonthKeepOriginal = s.keepUpdateMonth;
    rule.isUpdateYearKeepOriginal = s.keepUpdateYear;
    rule.isUpdateTimeKeepOriginal = s.keepUpdateTime;
    rule.isIncDecDayKeepOriginal = s.keepIncDecDay;
    rule.isIncDecMonthKeepOriginal = s.keepIncDecMonth;
    rule.isIncDecYearKeepOriginal = s.keepIncDecYear;
    rule.isIncDecHourKeepOriginal = s.keepIncDecHour;
    rule.isIncDecMinuteKeepOriginal = s.keepIncDecMinute;
    rule.isIncDecSecondKeepOriginal = s.keepIncDecSecond;
    rule.stringSelectedDate = s.selectedDate;
    rule.stringUpdateDay = s.updateDay;
    rule.stringUpdateMonth = s.updateMonth;
    rule.stringUpdateYear = s.updateYear;
    rule.stringUpdateTime = s.updateTime;
    rule.stringIncDecDay = s.incDecDay;
    rule.stringIncDecMonth = s.incDecMonth;
    rule.stringIncDecYear = s.incDecYear;
    rule.stringIncDecHour = s.incDecHour;
    rule.stringIncDecMinute = s.incDecMinute;
    rule.stringIncDecSecond = s.incDecSecond;
    return rule;
}

std::optional<QString> PresetDateRulePanel::storeRule(MetaDataObject& record, int fieldIndex,
                                                      const DateTimeConfiguration& rule) {
    const MetadataKeyRow* row = dateRow(fieldIndex);
    if (!row) return std::nullopt;
    // A preset holds no dates, only what to do with each photo's date: the field keeps the words for it.
    const QString summary = DateRuleChecks::ruleSummary(rule, DateRuleChecks::SummaryStyle::PresetEditor);
    record.*row->field = summary;
    record.*row->dateRule = std::make_shared<const DateTimeConfiguration>(rule);
    record.*row->updated = true;
    return summary;
}
