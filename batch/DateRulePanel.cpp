#include "batch/DateRulePanel.h"

#include "model/MetadataKeyTable.h"
#include "model/Utils.h"
#include "platform/Numbers.h"

namespace {

using Config = DateTimeConfiguration;
using Panel = DateRulePanel;

const char* const kFieldNames[Panel::kFieldCount] = {"Date_Original",    "Date_Creation",  "Date_Modify",
                                                     "XMP_CreationDate", "XMP_ModifyDate", "XMP_PhotoshopDateCreated"};

// The rule's ten keep-original flags, in the order of the panel's boxes.
std::array<std::optional<bool> Config::*, Panel::kKeepBoxCount> keepFlags() {
    return {&Config::isUpdateDayKeepOriginal,   &Config::isUpdateMonthKeepOriginal, &Config::isUpdateYearKeepOriginal,
            &Config::isUpdateTimeKeepOriginal,  &Config::isIncDecDayKeepOriginal,   &Config::isIncDecMonthKeepOriginal,
            &Config::isIncDecYearKeepOriginal,  &Config::isIncDecHourKeepOriginal,  &Config::isIncDecMinuteKeepOriginal,
            &Config::isIncDecSecondKeepOriginal};
}

std::array<std::optional<QString> Config::*, Panel::kShiftFieldCount> shiftTexts() {
    return {&Config::stringIncDecDay,  &Config::stringIncDecMonth,  &Config::stringIncDecYear,
            &Config::stringIncDecHour, &Config::stringIncDecMinute, &Config::stringIncDecSecond};
}

const platform::DateFormat& pickedDateFormat() {
    return platform::DateFormat::forThread(Utils::exifDateFormat());
}

const platform::DateFormat& timeFormat() {
    return platform::DateFormat::forThread(QStringLiteral("HH:mm:ss"));
}

bool validField(int fieldIndex) {
    return fieldIndex >= 0 && fieldIndex < Panel::kFieldCount;
}

}  // namespace

Panel::Controls DateRulePanel::resetDateTimeConfigView(const DateTimeConfiguration& rule, const Controls& current) {
    Controls c = current;
    const QString picked = Config::text(rule.stringSelectedDate);
    if (!picked.isEmpty()) {
        if (const auto date = pickedDateFormat().parse(picked)) c.pickedDate = *date;
    }
    const QString time = Config::text(rule.stringUpdateTime);
    if (!time.isEmpty()) {
        if (const auto parsed = timeFormat().parse(time)) c.updateTime = *parsed;
    }
    c.updateDay = Config::text(rule.stringUpdateDay);
    c.updateMonth = Config::text(rule.stringUpdateMonth);
    c.updateYear = Config::text(rule.stringUpdateYear);
    const auto texts = shiftTexts();
    for (int i = 0; i < kShiftFieldCount; ++i) c.shift[i] = Config::text(rule.*texts[i]);
    const auto flags = keepFlags();
    for (int i = 0; i < kKeepBoxCount; ++i) c.keep[i] = Config::flag(rule.*flags[i]);
    const int kind = rule.option();
    c.radio = kind >= Config::KeepOriginal && kind <= Config::IncDecTime ? kind : -1;
    return c;
}

Panel::Enabled DateRulePanel::setupControlsOnDatePickerView(const Controls& c) {
    Enabled e;
    switch (c.radio) {
        case Config::SelectDate:
            e.datePicker = true;
            break;
        case Config::UpdateDate:
            for (int box : {UpdateDay, UpdateMonth, UpdateYear, UpdateTime}) e.keepBox[box] = true;
            e.updateDay = !c.keep[UpdateDay];
            e.updateMonth = !c.keep[UpdateMonth];
            e.updateYear = !c.keep[UpdateYear];
            e.updateTimePicker = !c.keep[UpdateTime];
            break;
        case Config::IncDecDate:
        case Config::IncDecTime: {
            const bool date = c.radio == Config::IncDecDate;
            const int firstBox = date ? IncDecDay : IncDecHour;
            const int firstField = date ? ShiftDay : ShiftHour;
            for (int i = 0; i < 3; ++i) {
                e.keepBox[firstBox + i] = true;
                e.shift[firstField + i] = !c.keep[firstBox + i];
            }
            break;
        }
        default:
            break;
    }
    return e;
}

DateTimeConfiguration DateRulePanel::ruleFromControls(const Controls& c) {
    DateTimeConfiguration rule;
    rule.tagConfigureOption = c.radio >= Config::KeepOriginal && c.radio <= Config::IncDecTime ? c.radio : 0;
    const auto flags = keepFlags();
    for (int i = 0; i < kKeepBoxCount; ++i) rule.*flags[i] = c.keep[i];
    // The picker's reading goes straight into the stored pattern: a detour through a 12-hour text in the
    // user's locale can come back empty and would then empty the date of every photo.
    rule.stringSelectedDate = pickedDateFormat().format(c.pickedDate);
    rule.stringUpdateDay = c.updateDay;
    rule.stringUpdateMonth = c.updateMonth;
    rule.stringUpdateYear = c.updateYear;
    rule.stringUpdateTime = timeFormat().format(c.updateTime);
    const auto texts = shiftTexts();
    for (int i = 0; i < kShiftFieldCount; ++i) rule.*texts[i] = c.shift[i];
    return rule;
}

Panel::Controls DateRulePanel::initialControls(const QString& firstYear, platform::WallTime now) {
    Controls c;
    c.pickedDate = now;
    c.updateDay = QStringLiteral("1");
    c.updateMonth = QStringLiteral("1");
    c.updateYear = firstYear;
    c.shift.fill(QStringLiteral("1"));
    return c;
}

std::optional<QString> DateRulePanel::typedShiftText(const QString& typed, int minimum, int maximum) {
    QString text;
    for (QChar ch : typed) {
        if (ch == u'+' || (ch >= u'0' && ch <= u'9')) text += ch;
    }
    if (typed.startsWith(u'-')) text.prepend(u'-');
    if (text == QStringLiteral("-")) return std::nullopt;
    const long long value = platform::longLongValue(text);
    if ((value > maximum || value < minimum) && !text.isEmpty()) text.chop(1);
    return text;
}

QString DateRulePanel::fieldName(int fieldIndex) {
    return validField(fieldIndex) ? QString::fromLatin1(kFieldNames[fieldIndex]) : QString();
}

void DateRulePanel::storeRule(MetaDataObject& form, MetaDataObject& edited, int fieldIndex,
                              DateTimeConfigurationRef rule, const QString& summary) {
    if (!validField(fieldIndex)) return;
    const MetadataKeyRow* row = MetadataKeyTable::rowForField(fieldName(fieldIndex));
    const auto member = MetadataKeyTable::ruleMembers()[static_cast<std::size_t>(fieldIndex)].member;
    edited.*(row->field) = summary;
    form.*member = rule;
    edited.*member = rule;
    form.*(row->updated) = true;
    edited.*(row->updated) = true;
}

DateTimeConfiguration DateRulePanel::ruleOf(const MetaDataObject& record, int fieldIndex) {
    if (!validField(fieldIndex)) return {};
    const DateTimeConfigurationRef& rule =
        record.*(MetadataKeyTable::ruleMembers()[static_cast<std::size_t>(fieldIndex)].member);
    return rule ? *rule : DateTimeConfiguration();
}

Panel::Labels DateRulePanel::dateLabels(const MetaDataObject& record, platform::WallTime now) {
    Labels labels{};
    for (int i = 0; i < kFieldCount; ++i) {
        const DateTimeConfiguration rule = ruleOf(record, i);
        labels[i] = DateRuleChecks::futureDateCheck(rule, now);
        // The second check only speaks for update rules; it runs on every refill too, so an impossible
        // update day stays reported for as long as Start refuses it.
        const DateRuleChecks::Label second = DateRuleChecks::nonExistingDateCheck(rule);
        if (second != DateRuleChecks::Label::Unchanged) labels[i] = second;
    }
    return labels;
}
