#include "model/MetaDataObject.h"

#include <QJsonValue>

#include "model/MetadataKeyTable.h"

namespace {

const QString kClassKey = QStringLiteral("$class");
const QString kClassName = QStringLiteral("MetaDataObject");
const QString kRuleClassName = QStringLiteral("DateTimeConfiguration");

// "" that is not null: a fresh field must read back as "" after coding, not as a missing value.
QString emptyText() {
    return QStringLiteral("");
}

struct NumberMember {
    const char* name;
    int MetaDataObject::*intMember;
    bool MetaDataObject::*boolMember;
};

// The option and the switches in archive order. clearXMP is archived too: a preset that strips XMP must
// keep doing so after a restart.
constexpr NumberMember kNumberMembers[] = {
    {"editingOption", &MetaDataObject::editingOption, nullptr},
    {"clearExif", nullptr, &MetaDataObject::clearExif},
    {"clearIPTC", nullptr, &MetaDataObject::clearIPTC},
    {"clearComment", nullptr, &MetaDataObject::clearComment},
    {"clearGpsInfo", nullptr, &MetaDataObject::clearGpsInfo},
    {"clearXMP", nullptr, &MetaDataObject::clearXMP},
};

QJsonValue encodeText(const QString& text) {
    return text.isNull() ? QJsonValue(QJsonValue::Null) : QJsonValue(text);
}

// A value of the wrong kind reads like a missing one, as the rule records do.
QString decodeText(const QJsonValue& value) {
    if (!value.isString()) return QString();
    const QString text = value.toString();
    return text.isNull() ? emptyText() : text;
}

QJsonValue encodeRule(const DateTimeConfigurationRef& rule) {
    if (!rule) return QJsonValue::Null;
    QJsonObject coder = rule->encodeWithCoder();
    coder.insert(kClassKey, kRuleClassName);
    return coder;
}

DateTimeConfigurationRef decodeRule(const QJsonValue& value) {
    if (!value.isObject()) return nullptr;
    return std::make_shared<const DateTimeConfiguration>(DateTimeConfiguration::initWithCoder(value.toObject()));
}

void copyMembersShared(MetaDataObject& target, const MetaDataObject& source) {
    target.editingOption = source.editingOption;
    target.clearExif = source.clearExif;
    target.clearComment = source.clearComment;
    target.clearGpsInfo = source.clearGpsInfo;
    target.clearIPTC = source.clearIPTC;
    target.clearXMP = source.clearXMP;
    for (const auto& rule : MetadataKeyTable::ruleMembers()) target.*rule.member = source.*rule.member;
}

}  // namespace

MetaDataObject::MetaDataObject() {
    commonInit();
}

void MetaDataObject::commonInit() {
    const QString empty = emptyText();
    for (const MetadataKeyRow& row : MetadataKeyTable::rows()) {
        this->*row.field = empty;
        this->*row.updated = false;
    }
    name = empty;
    // A default rule reads and formats the clock, and a record is made for every photo read: the six
    // distinct rules are copies of one, made at the same moment.
    const DateTimeConfiguration defaults;
    for (const auto& rule : MetadataKeyTable::ruleMembers())
        this->*rule.member = std::make_shared<const DateTimeConfiguration>(defaults);
}

MetaDataObject MetaDataObject::initWithObject(const MetaDataObject& source) {
    // Every member that the defaults would set is overwritten from the source, so the six default rules
    // (each reading the clock) are not made only to be dropped; flags and bookkeeping start at NO.
    MetaDataObject copy{Uninitialised{}};
    for (const MetadataKeyRow& row : MetadataKeyTable::rows()) copy.*row.field = source.*row.field;
    if (copy.XMP_Keyword.isNull()) copy.XMP_Keyword = emptyText();
    copy.name = source.name;
    copyMembersShared(copy, source);
    return copy;
}

MetaDataObject& MetaDataObject::appendPresetObjectToMetaDataObject(MetaDataObject& target,
                                                                   const MetaDataObject& preset) {
    for (const MetadataKeyRow& row : MetadataKeyTable::rows()) {
        // The pixel size and resolution describe the photo itself; a preset never carries them over.
        if (row.group == MetadataFieldGroup::DimResolution) continue;
        const QString& value = preset.*row.field;
        if (!value.isEmpty() || preset.*row.updated) target.*row.field = value;
    }
    copyMembersShared(target, preset);
    for (const MetadataKeyRow& row : MetadataKeyTable::rows()) target.*row.updated = preset.*row.updated;
    return target;
}

MetaDataObject& MetaDataObject::metadataObjectWithCleanInfoUpdation(MetaDataObject& record) {
    if (record.editingOption != CleanMetadataInfo) return record;
    const MetadataClearMask on = MetadataKeyTable::switchesOn(record);
    const QString empty = emptyText();
    for (const MetadataKeyRow& row : MetadataKeyTable::rows()) {
        if (hasSwitch(on, row.clearSwitch)) record.*row.field = empty;
    }
    return record;
}

QJsonObject MetaDataObject::encodeWithCoder() const {
    QJsonObject coder;
    coder.insert(kClassKey, kClassName);
    for (const MetadataKeyRow& row : MetadataKeyTable::rows())
        coder.insert(row.fieldName(), encodeText(this->*row.field));
    for (const NumberMember& number : kNumberMembers) {
        const int value = number.intMember ? this->*number.intMember : (this->*number.boolMember ? 1 : 0);
        coder.insert(QLatin1String(number.name), value);
    }
    coder.insert(QStringLiteral("name"), encodeText(name));
    for (const auto& rule : MetadataKeyTable::ruleMembers()) {
        coder.insert(QLatin1String(rule.name), encodeRule(this->*rule.member));
    }
    return coder;
}

std::optional<MetaDataObject> MetaDataObject::initWithCoder(const QJsonObject& coder, QString* error) {
    if (coder.value(kClassKey).toString() != kClassName) {
        if (error) *error = QStringLiteral("not a MetaDataObject archive");
        return std::nullopt;
    }
    MetaDataObject record{Uninitialised{}};
    for (const MetadataKeyRow& row : MetadataKeyTable::rows()) {
        record.*row.field = decodeText(coder.value(QLatin1String(row.name)));
    }
    for (const NumberMember& number : kNumberMembers) {
        const QJsonValue value = coder.value(QLatin1String(number.name));
        const int n = value.isDouble() ? value.toInt() : (value.isBool() ? int(value.toBool()) : 0);
        if (number.intMember) {
            record.*number.intMember = n;
        } else {
            record.*number.boolMember = n != 0;
        }
    }
    record.name = decodeText(coder.value(QStringLiteral("name")));
    for (const auto& rule : MetadataKeyTable::ruleMembers()) {
        record.*rule.member = decodeRule(coder.value(QLatin1String(rule.name)));
    }
    return record;
}
