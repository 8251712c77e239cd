#include "editor/FormFieldTraits.h"

#include "editor/DropdownCodeTables.h"
#include "model/MetadataKeyTable.h"

#include <QHash>
#include <QRegularExpression>

#include <vector>

namespace {

using Section = FormFieldTraits::Section;
using Control = FormFieldTraits::Control;
using Check = FormFieldTraits::Check;

bool among(const QString& name, std::initializer_list<const char*> names) {
    for (const char* n : names) {
        if (name == QLatin1String(n)) return true;
    }
    return false;
}

Section sectionOf(MetadataFieldGroup group) {
    switch (group) {
        case MetadataFieldGroup::Plain:
        case MetadataFieldGroup::Camera:
            return Section::Camera;
        case MetadataFieldGroup::Dates:
            return Section::Dates;
        case MetadataFieldGroup::CameraSettings:
            return Section::Exposure;
        case MetadataFieldGroup::AdvancedCameraSettings:
            return Section::Advanced;
        case MetadataFieldGroup::Lens:
            return Section::Lens;
        case MetadataFieldGroup::DimResolution:
            return Section::Resolution;
        case MetadataFieldGroup::GPS:
            return Section::GPS;
        case MetadataFieldGroup::IPTC:
            return Section::IPTC;
        case MetadataFieldGroup::XMP:
            return Section::XMP;
    }
    return Section::Camera;
}

Control controlOf(const MetadataKeyRow& row, const QString& name, int dropdownTag) {
    if (dropdownTag >= 0) return Control::Coded;
    if (row.read == MetadataReadForm::Comment || row.read == MetadataReadForm::KeywordList ||
        row.read == MetadataReadForm::XmpKeyword)
        return Control::TextView;
    if (row.dateRule) return Control::Date;
    if (name == QLatin1String("IPTC_DateCreated")) return Control::IptcDate;
    // The components order is bytes, not text; the XMP position is written from the GPS fields.
    if (among(name, {"AdvCamSetting_ComponentsConfiguration", "XMP_Latitude", "XMP_Longitude"})) return Control::None;
    if (among(name, {"GPS_ImgDirection", "GPS_DateStamp"})) return Control::ReadOnly;
    return Control::Line;
}

Check checkOf(const QString& name) {
    if (among(name, {"CamSetting_ISO", "CamSetting_FocalLengthIn35mmFormat", "AdvCamSetting_WhiteBalance",
                     "AdvCamSetting_Saturation", "AdvCamSetting_Sharpness"}))
        return Check::Integer;
    if (among(name, {"XMP_Latitude", "XMP_Longitude"})) return Check::Coordinate;
    if (name == QLatin1String("GPS_Lattitude")) return Check::Latitude;
    if (name == QLatin1String("GPS_Longitude")) return Check::Longitude;
    if (among(name, {"CamSetting_FNumber", "CamSetting_FocalLength", "AdvCamSetting_ExposureTime",
                     "DimResolution_ExifImageWidth", "DimResolution_ExifImageHeight", "DimResolution_XResolution",
                     "DimResolution_YResolution", "GPS_Altitude", "GPS_ImgDirection"}))
        return Check::Decimal;
    return Check::None;
}

// Fields whose container draws no change border; the other 63 take the tags 701 to 763 in key-table order.
bool hasBorder(const MetadataKeyRow& row, const QString& name) {
    if (row.group == MetadataFieldGroup::DimResolution) return false;
    return !among(name,
                  {"CamSetting_Aperture", "CamSetting_ShutterSpeed", "CamSetting_ExposureCompensation",
                   "AdvCamSetting_ColorSpace", "AdvCamSetting_ComponentsConfiguration", "Lens_Lens", "GPS_ImgDirection",
                   "GPS_ImgDirectionRef", "GPS_DateStamp", "IPTC_Contact", "IPTC_DateCreated", "XMP_Keyword"});
}

// Labels are the field names in words; these read better said otherwise, or keep a stored misspelling.
QString labelOf(const QString& name) {
    static const QHash<QString, QString> spoken = {
        {"Cam_Make", "Camera Make"},
        {"Cam_ModelName", "Camera Model"},
        {"Date_Original", "Date Taken"},
        {"Date_Creation", "Date Digitized"},
        {"Date_Modify", "Date Modified"},
        {"CamSetting_FNumber", "F-Number"},
        {"CamSetting_FocalLengthIn35mmFormat", "Focal Length (35mm)"},
        {"AdvCamSetting_MateringMode", "Metering Mode"},
        {"DimResolution_ExifImageWidth", "Image Width"},
        {"DimResolution_ExifImageHeight", "Image Height"},
        {"DimResolution_XResolution", "X Resolution"},
        {"DimResolution_YResolution", "Y Resolution"},
        {"GPS_Lattitude", "Latitude"},
        {"GPS_LattitudeRef", "Latitude Ref"},
        {"GPS_ImgDirection", "Image Direction"},
        {"GPS_ImgDirectionRef", "Image Direction Ref"},
        {"GPS_DateStamp", "GPS Date"},
        {"IPTC_ByLine", "By-line"},
        {"IPTC_ByLineTitle", "By-line Title"},
        {"IPTC_CaptionAbstract", "Caption/Abstract"},
        {"IPTC_WriterEditor", "Writer/Editor"},
        {"IPTC_SubLocation", "Sub-location"},
        {"IPTC_ProvinceState", "Province/State"},
        {"IPTC_CountryPrimaryLocationName", "Country"},
        {"IPTC_CountryPrimaryLocationCode", "Country Code"},
        {"IPTC_OriginalTransmissionRef", "Transmission Reference"},
        {"XMP_Keyword", "Keywords"},
        {"XMP_CreationDate", "Creation Date"},
        {"XMP_ModifyDate", "Modify Date"},
    };
    if (const auto it = spoken.constFind(name); it != spoken.constEnd()) return it.value();
    QString words = name.mid(name.indexOf(u'_') + 1);
    static const QRegularExpression wordStart(QStringLiteral("(?<=[a-z])(?=[A-Z])"));
    return words.replace(wordStart, QStringLiteral(" "));
}

std::vector<FormFieldTraits> buildTraits() {
    std::vector<FormFieldTraits> traits;
    const auto rows = MetadataKeyTable::rows();
    traits.reserve(rows.size());
    int nextBorderTag = FormFieldTraits::kFirstBorderTag;
    for (size_t i = 0; i < rows.size(); ++i) {
        const MetadataKeyRow& row = rows[i];
        const QString name = row.fieldName();
        FormFieldTraits t;
        t.row = &row;
        t.index = static_cast<int>(i);
        t.section = sectionOf(row.group);
        t.dropdownTag = DropdownCodeTables::tagForField(name);
        t.control = controlOf(row, name, t.dropdownTag);
        t.writtenByRun = row.write != MetadataWriteForm::None;
        if (!t.writtenByRun && t.control == Control::Line) t.control = Control::ReadOnly;
        t.check = checkOf(name);
        t.borderTag = hasBorder(row, name) ? nextBorderTag++ : 0;
        t.mergeField = row.group != MetadataFieldGroup::DimResolution && name != QLatin1String("GPS_DateStamp");
        t.multipleValuesPlaceholder = t.mergeField && t.control != Control::None && t.control != Control::TextView &&
                                      !among(name, {"IPTC_Contact", "GPS_ImgDirection", "GPS_ImgDirectionRef"});
        t.label = labelOf(name);
        traits.push_back(std::move(t));
    }
    return traits;
}

const std::vector<FormFieldTraits>& table() {
    static const std::vector<FormFieldTraits> traits = buildTraits();
    return traits;
}

}  // namespace

QString FormFieldTraits::fieldName() const {
    return row->fieldName();
}

std::span<const FormFieldTraits> FormFieldTraits::all() {
    return table();
}

const FormFieldTraits* FormFieldTraits::forField(const QString& fieldName) {
    const MetadataKeyRow* row = MetadataKeyTable::rowForField(fieldName);
    return row ? &forRow(*row) : nullptr;
}

const FormFieldTraits& FormFieldTraits::forRow(const MetadataKeyRow& row) {
    return table()[static_cast<size_t>(&row - MetadataKeyTable::rows().data())];
}

QList<const FormFieldTraits*> FormFieldTraits::inSection(Section section) {
    QList<const FormFieldTraits*> list;
    for (const FormFieldTraits& t : table()) {
        if (t.section == section && t.control != Control::None) list.append(&t);
    }
    return list;
}

QString FormFieldTraits::sectionTitle(Section section) {
    switch (section) {
        case Section::Camera:
            return QStringLiteral("Camera");
        case Section::Dates:
            return QStringLiteral("Dates");
        case Section::Exposure:
            return QStringLiteral("Camera Settings");
        case Section::Advanced:
            return QStringLiteral("Advanced Camera Settings");
        case Section::Lens:
            return QStringLiteral("Lens");
        case Section::Resolution:
            return QStringLiteral("Dimensions and Resolution");
        case Section::GPS:
            return QStringLiteral("GPS");
        case Section::IPTC:
            return QStringLiteral("IPTC");
        case Section::XMP:
            return QStringLiteral("XMP");
    }
    return {};
}
