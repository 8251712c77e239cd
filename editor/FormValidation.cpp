#include "editor/FormValidation.h"

#include "batch/DateRuleChecks.h"
#include "editor/FieldValidation.h"
#include "model/MetadataKeyTable.h"

namespace {

using Rule = FormValidation::Rule;

constexpr FormValidation::CheckedField kCheckedFields[] = {
    {"CamSetting_FNumber", Rule::DecimalText},
    {"CamSetting_FocalLength", Rule::DecimalText},
    {"CamSetting_FocalLengthIn35mmFormat", Rule::IntegerLimit},
    {"AdvCamSetting_ExposureTime", Rule::DecimalText},
    // A position beyond the poles or the date line is no position: the writer refuses the photo.
    {"GPS_Lattitude", Rule::Degrees},
    {"GPS_Longitude", Rule::Degrees},
    {"GPS_Altitude", Rule::DecimalText},
    {"CamSetting_ISO", Rule::IntegerLimit},
    {"AdvCamSetting_WhiteBalance", Rule::IntegerLimit},
    {"AdvCamSetting_Saturation", Rule::IntegerLimit},
    {"AdvCamSetting_Sharpness", Rule::IntegerLimit},
    // The XMP position fields take any text: the writer writes the EXIF position into XMP.
    {"XMP_Latitude", Rule::AlwaysPasses},
    {"XMP_Longitude", Rule::AlwaysPasses},
};

}  // namespace

std::span<const FormValidation::CheckedField> FormValidation::checkedFields() {
    return kCheckedFields;
}

std::optional<FormValidation::Failure> FormValidation::firstFailingField(
    const std::function<QString(const QString& fieldName)>& textOf, const MetaDataObject& record) {
    for (const CheckedField& field : kCheckedFields) {
        const QString name = QString::fromLatin1(field.fieldName);
        switch (field.rule) {
            case Rule::DecimalText:
                if (!FieldValidation::isValidDecimalText(textOf(name))) return Failure{name, QString()};
                break;
            case Rule::IntegerLimit:
                if (!FieldValidation::isValidIntegerText(textOf(name)))
                    return Failure{name, FieldValidation::greaterThanMessage(FieldValidation::kIntegerMaximum)};
                break;
            case Rule::Degrees: {
                // The run leaves a position nobody edited as the photo holds it, however far off the globe a
                // camera put it; only an edited one must name a place on the globe.
                if (!(record.*MetadataKeyTable::rowForField(name)->updated)) {
                    if (!FieldValidation::isValidDecimalText(textOf(name))) return Failure{name, QString()};
                    break;
                }
                const FieldValidation::Verdict verdict =
                    FieldValidation::isValidText(textOf(name), FormFieldTraits::forField(name)->check);
                if (!verdict.valid) return Failure{name, verdict.message};
                break;
            }
            case Rule::AlwaysPasses:
                break;
        }
    }
    return std::nullopt;
}

bool FormValidation::checkDateTimeDataValidations(const MetaDataObject& record) {
    return !firstImpossibleDateField(record);
}

std::optional<QString> FormValidation::firstImpossibleDateField(const MetaDataObject& record) {
    for (const MetadataKeyRow& row : MetadataKeyTable::rows()) {
        if (!row.dateRule) continue;
        const DateTimeConfigurationRef& config = record.*row.dateRule;
        if (config && DateRuleChecks::nonExistingDateCheck(*config) == DateRuleChecks::Label::NonExistingDateError)
            return row.fieldName();
    }
    return std::nullopt;
}

FormValidation::Result FormValidation::isValidFormData(const std::function<QString(const QString& fieldName)>& textOf,
                                                       const MetaDataObject& record) {
    Result result;
    result.failure = firstFailingField(textOf, record);
    if (result.failure) {
        result.firstFailingField = result.failure->fieldName;
    } else if (const std::optional<QString> date = firstImpossibleDateField(record)) {
        result.firstFailingField = *date;
    }
    result.valid = result.firstFailingField.isEmpty();
    return result;
}
