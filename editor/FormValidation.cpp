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
    {"GPS_Lattitude", Rule::DecimalText},
    {"GPS_Longitude", Rule::DecimalText},
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

const QStringList& FormValidation::errorLabelFields() {
    static const QStringList fields = {"Artist",
                                       "ImageDescription",
                                       "Copyright",
                                       "Software",
                                       "UserComment",
                                       "Cam_Make",
                                       "Cam_ModelName",
                                       "Cam_OwnerName",
                                       "Cam_SerialNumber",
                                       "CamSetting_ISO",
                                       "CamSetting_FNumber",
                                       "CamSetting_Aperture",
                                       "CamSetting_ShutterSpeed",
                                       "CamSetting_FocalLength",
                                       "CamSetting_FocalLengthIn35mmFormat",
                                       "CamSetting_ExposureCompensation",
                                       "AdvCamSetting_ExposureTime",
                                       "AdvCamSetting_MateringMode",
                                       "AdvCamSetting_WhiteBalance",
                                       "AdvCamSetting_Saturation",
                                       "AdvCamSetting_Sharpness",
                                       "Lens_Lens",
                                       "Lens_LensModel",
                                       "Lens_LensSerialNumber",
                                       "DimResolution_ExifImageWidth",
                                       "DimResolution_ExifImageHeight",
                                       "DimResolution_XResolution",
                                       "DimResolution_YResolution",
                                       "GPS_Lattitude",
                                       "GPS_Longitude",
                                       "GPS_Altitude",
                                       "GPS_ImgDirection",
                                       "IPTC_ByLine",
                                       "IPTC_ByLineTitle",
                                       "IPTC_CopyrightNotice",
                                       "IPTC_Contact",
                                       "IPTC_Headline",
                                       "IPTC_CaptionAbstract",
                                       "IPTC_WriterEditor",
                                       "IPTC_ObjectName",
                                       "IPTC_Category",
                                       "IPTC_SupplementalCategories",
                                       "IPTC_Keywords",
                                       "IPTC_SubLocation",
                                       "IPTC_City",
                                       "IPTC_ProvinceState",
                                       "IPTC_CountryPrimaryLocationName",
                                       "IPTC_OriginalTransmissionRef",
                                       "IPTC_SpecialInstructions",
                                       "IPTC_Credit",
                                       "IPTC_Source"};
    return fields;
}

std::optional<FormValidation::Failure> FormValidation::firstFailingField(
    const std::function<QString(const QString& fieldName)>& textOf) {
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
            case Rule::AlwaysPasses:
                break;
        }
    }
    return std::nullopt;
}

bool FormValidation::checkDateTimeDataValidations(const MetaDataObject& record) {
    for (const auto& rule : MetadataKeyTable::ruleMembers()) {
        const DateTimeConfigurationRef& config = record.*rule.member;
        if (!config) continue;
        if (DateRuleChecks::nonExistingDateCheck(*config) == DateRuleChecks::Label::NonExistingDateError) return false;
    }
    return true;
}

FormValidation::Result FormValidation::isValidFormData(const std::function<QString(const QString& fieldName)>& textOf,
                                                       const MetaDataObject& record) {
    Result result;
    result.failure = firstFailingField(textOf);
    result.valid = !result.failure && checkDateTimeDataValidations(record);
    return result;
}
