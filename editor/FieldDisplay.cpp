#include "editor/FieldDisplay.h"

#include "editor/DropdownCodeTables.h"
#include "editor/FormFieldTraits.h"
#include "model/MetadataKeyTable.h"
#include "model/Utils.h"

#include <QRegularExpression>

namespace FieldDisplay {

namespace {

// A date starts with its four-digit year; anything else in a date field is a rule's summary in words.
bool startsAsDate(const QString& value) {
    static const QRegularExpression dateStart(QStringLiteral("^\\d{4}[:-]"));
    return dateStart.match(value).hasMatch();
}

}  // namespace

QString dateTime(const QString& value, bool isXmpModifyDate) {
    if (value.isEmpty()) return {};
    // The replacements below would only garble a summary.
    if (!startsAsDate(value)) return value;
    QString normalised = value;
    normalised.replace(u'T', u' ').replace(u'-', u':');
    QString converted = normalised;
    if (isXmpModifyDate) converted.remove(QStringLiteral("+05:30"));
    converted = Utils::sharedUtils().convertedDate(converted, Utils::exifDateFormat(),
                                                   QStringLiteral("MMM dd,yyyy hh:mm:ss a"));
    return converted.isEmpty() ? normalised : converted;
}

QString dateField(const QString& value, const DateTimeConfiguration* rule, bool isXmpModifyDate,
                  DateRuleChecks::SummaryStyle style) {
    if (rule && rule->option() != DateTimeConfiguration::KeepOriginal) {
        const QString summary = DateRuleChecks::ruleSummary(*rule, style);
        if (!summary.isEmpty()) return summary;
    }
    if (value.isEmpty() || startsAsDate(value)) return dateTime(value, isXmpModifyDate);
    return DateRuleChecks::ruleSummary(DateTimeConfiguration(), style);
}

QString iptcDate(const QString& value) {
    const QString shown =
        Utils::sharedUtils().convertedDate(value, QStringLiteral("yyyyMMdd"), QStringLiteral("MMM dd,yyyy"));
    if (!shown.isEmpty()) return shown;
    // Exiv2 hands IPTC dates over in the extended form.
    static const QRegularExpression extended(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}$"));
    if (!extended.match(value).hasMatch()) return {};
    return Utils::sharedUtils().convertedDate(value, QStringLiteral("yyyy-MM-dd"), QStringLiteral("MMM dd,yyyy"));
}

QString editingOptionText(int option) {
    switch (option) {
        case OnlyModifyEditedFields:
            return QStringLiteral("Only modify fields that I edit and keep others as it is");
        case ModifyEditedClearOthers:
            return QStringLiteral("Modify fields that I edit and clear others");
        case CleanMetadataInfo:
            return QStringLiteral("Clean Metadata info");
    }
    return {};
}

QString value(const FormFieldTraits& field, const MetaDataObject& record, const DropdownCodeTables& tables,
              DateRuleChecks::SummaryStyle style) {
    const QString& stored = record.*(field.row->field);
    switch (field.control) {
        case FormFieldTraits::Control::Coded:
            return tables.labelForRecord(field.dropdownTag, record);
        case FormFieldTraits::Control::Date:
            return dateField(stored, (record.*(field.row->dateRule)).get(),
                             field.fieldName() == QLatin1String("XMP_ModifyDate"), style);
        case FormFieldTraits::Control::IptcDate:
            return iptcDate(stored);
        case FormFieldTraits::Control::Line:
        case FormFieldTraits::Control::TextView:
        case FormFieldTraits::Control::ReadOnly:
        case FormFieldTraits::Control::None:
            break;
    }
    return stored;
}

}  // namespace FieldDisplay
