#include "editor/DropdownCodeTables.h"

#include "editor/EditorResources.h"
#include "editor/Logging.h"
#include "model/MetadataKeyTable.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

#include <array>
#include <span>

namespace {

struct Choice {
    const char* label;
    const char* code;
};

// Row 0 of every list is "Leave Blank" with the empty code; it is added where the lists are read. After it
// the labels run alphabetically, ignoring case. The codes are the values the EXIF standard gives the tags.
constexpr Choice kFlash[] = {
    {"Auto, Did not fire", "24"},
    {"Auto, Did not fire, Red eye reduction", "88"},
    {"Auto, Fired", "25"},
    {"Auto, Fired, Red eye reduction", "89"},
    {"Auto, Fired, Red eye reduction, Return detected", "95"},
    {"Auto, Fired, Red eye reduction, Return not detected", "93"},
    {"Auto, Fired, Return detected", "31"},
    {"Auto, Fired, Return not detected", "29"},
    {"Fired", "1"},
    {"Fired, Red eye reduction", "65"},
    {"Fired, Red eye reduction, Return detected", "71"},
    {"Fired, Red eye reduction, Return not detected", "69"},
    {"Fired, Return detected", "7"},
    {"Fired, Return not detected", "5"},
    {"No Flash", "0"},
    {"No flash function", "32"},
    {"Off, Did not fire", "16"},
    {"Off, Did not fire, Return not detected", "20"},
    {"Off, No flash function", "48"},
    {"Off, Red eye reduction", "80"},
    {"On, Did not fire", "8"},
    {"On, Fired", "9"},
    {"On, Red eye reduction", "73"},
    {"On, Red eye reduction, Return detected", "79"},
    {"On, Red eye reduction, Return not detected", "77"},
    {"On, Return detected", "15"},
    {"On, Return not detected", "13"},
};
constexpr Choice kOrientation[] = {
    {"Horizontal (normal)", "1"},
    {"Mirror horizontal", "2"},
    {"Mirror horizontal and rotate 270 CW", "5"},
    {"Mirror horizontal and rotate 90 CW", "7"},
    {"Mirror vertical", "4"},
    {"Rotate 180", "3"},
    {"Rotate 270 CW", "8"},
    {"Rotate 90 CW", "6"},
};
constexpr Choice kColorSpace[] = {
    {"Adobe RGB", "2"}, {"ICC Profile", "65534"}, {"sRGB", "1"}, {"Uncalibrated", "65535"}, {"Wide Gamut RGB", "65533"},
};
constexpr Choice kExposureMode[] = {{"Auto", "0"}, {"Auto Bracket", "2"}, {"Manual", "1"}};
constexpr Choice kExposureProgram[] = {
    {"Action (High Speed)", "6"},
    {"Aperture-priority AE", "3"},
    {"Bulb", "9"},
    {"Creative (Slow Speed)", "5"},
    {"Landscape", "8"},
    {"Manual", "1"},
    {"Not defined", "0"},
    {"Portrait", "7"},
    {"Program AE", "2"},
    {"Shutter speed priority AE", "4"},
};
constexpr Choice kMeteringMode[] = {
    {"Average", "1"},       {"Centre-weighted average", "2"},
    {"Multi-segment", "5"}, {"Multi-spot", "4"},
    {"Other", "255"},       {"Partial", "6"},
    {"Spot", "3"},          {"Unknown", "0"},
};
constexpr Choice kSceneCaptureType[] = {{"Landscape", "1"}, {"Night", "3"}, {"Portrait", "2"}, {"Standard", "0"}};
constexpr Choice kSensingMethod[] = {
    {"Color Sequential area", "5"}, {"Color sequential linear", "8"}, {"Not defined", "1"},
    {"One-chip color area", "2"},   {"Three-chip color area", "4"},   {"Trilinear", "7"},
    {"Two-chip color area", "3"},
};
constexpr Choice kSubjectDistanceRange[] = {{"Close", "2"}, {"Distant", "3"}, {"Macro", "1"}, {"Unknown", "0"}};
constexpr Choice kResolutionUnit[] = {{"cm", "3"}, {"inches", "2"}, {"None", "1"}};
constexpr Choice kLatitudeRef[] = {{"North", "N"}, {"South", "S"}};
constexpr Choice kLongitudeRef[] = {{"East", "E"}, {"West", "W"}};
constexpr Choice kAltitudeRef[] = {{"Above Sea Level", "0"}, {"Below Sea Level", "1"}};
constexpr Choice kImgDirectionRef[] = {{"Magnetic North", "M"}, {"True North", "T"}};

struct CodedField {
    const char* field;
    std::span<const Choice> choices;  // empty for the countries, which come from the resource
};

// Index = MetadataDropdownTag.
constexpr std::array<CodedField, DropdownCodeTables::kTagCount> kCodedFields = {{
    {"CamSetting_Flash", kFlash},
    {"CamSetting_Orientation", kOrientation},
    {"AdvCamSetting_ColorSpace", kColorSpace},
    {"AdvCamSetting_ExposureMode", kExposureMode},
    {"AdvCamSetting_ExposureProgram", kExposureProgram},
    {"AdvCamSetting_MateringMode", kMeteringMode},
    {"AdvCamSetting_SceneCaptureType", kSceneCaptureType},
    {"AdvCamSetting_SensingMethod", kSensingMethod},
    {"AdvCamSetting_SubjectDistanceRange", kSubjectDistanceRange},
    {"DimResolution_ResolutionUnit", kResolutionUnit},
    {"GPS_LattitudeRef", kLatitudeRef},
    {"GPS_LongitudeRef", kLongitudeRef},
    {"GPS_AltitudeRef", kAltitudeRef},
    {"GPS_ImgDirectionRef", kImgDirectionRef},
    {"IPTC_CountryPrimaryLocationCode", {}},
}};

bool validTag(int tag) {
    return tag >= 0 && tag < DropdownCodeTables::kTagCount;
}

struct CountryLists {
    QStringList names;
    QStringList codes;
};

CountryLists readCountries(const QString& path) {
    CountryLists lists{{DropdownCodeTables::leaveBlank()}, {QString()}};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qCWarning(lcEditor).noquote() << "countries list not readable: " + path;
        return lists;
    }
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
    if (error.error != QJsonParseError::NoError || !document.isArray()) {
        qCWarning(lcEditor).noquote() << "countries list not readable: " + path + ": " + error.errorString();
        return lists;
    }
    for (const QJsonValue& element : document.array()) {
        const QJsonObject country = element.toObject();
        const QString name = country.value(QStringLiteral("name")).toVariant().toString();
        const QString code = country.value(QStringLiteral("code")).toVariant().toString();
        // A row without a code would write a meaningless country code into the photos.
        if (name.isEmpty() || code.isEmpty()) continue;
        lists.names.append(name);
        lists.codes.append(code);
    }
    return lists;
}

}  // namespace

DropdownCodeTables::DropdownCodeTables() {
    static const CountryLists resource = [] {
        EditorResources::ensureRegistered();
        return readCountries(QStringLiteral(":/countries.json"));
    }();
    m_countryNames = resource.names;
    m_countryCodes = resource.codes;
}

DropdownCodeTables::DropdownCodeTables(const QString& countriesPath) {
    loadCountries(countriesPath);
}

void DropdownCodeTables::loadCountries(const QString& path) {
    CountryLists lists = readCountries(path);
    m_countryNames = std::move(lists.names);
    m_countryCodes = std::move(lists.codes);
}

QStringList DropdownCodeTables::labels(int tag) const {
    if (!validTag(tag)) return {};
    if (tag == CountryCode) return m_countryNames;
    QStringList list{leaveBlank()};
    for (const Choice& choice : kCodedFields[tag].choices) list.append(QString::fromUtf8(choice.label));
    return list;
}

QStringList DropdownCodeTables::codes(int tag) const {
    if (!validTag(tag)) return {};
    if (tag == CountryCode) return m_countryCodes;
    QStringList list{QString()};
    for (const Choice& choice : kCodedFields[tag].choices) list.append(QString::fromLatin1(choice.code));
    return list;
}

QString DropdownCodeTables::labelForCode(int tag, const QString& code) const {
    if (!validTag(tag) || code.isEmpty()) return {};
    if (tag == CountryCode) {
        const qsizetype index = m_countryCodes.indexOf(code);
        return index < 0 ? QString() : m_countryNames.at(index);
    }
    for (const Choice& choice : kCodedFields[tag].choices) {
        if (code == QLatin1String(choice.code)) return QString::fromUtf8(choice.label);
    }
    return {};
}

QString DropdownCodeTables::labelForRecord(int tag, const MetaDataObject& record) const {
    const MetadataKeyRow* row = fieldRow(tag);
    return row ? labelForCode(tag, record.*(row->field)) : QString();
}

const MetadataKeyRow* DropdownCodeTables::fieldRow(int tag) {
    if (!validTag(tag)) return nullptr;
    static const std::array<const MetadataKeyRow*, kTagCount> rows = [] {
        std::array<const MetadataKeyRow*, kTagCount> found{};
        for (int t = 0; t < kTagCount; ++t)
            found[t] = MetadataKeyTable::rowForField(QString::fromLatin1(kCodedFields[t].field));
        return found;
    }();
    return rows[tag];
}

int DropdownCodeTables::tagForField(const QString& fieldName) {
    for (int t = 0; t < kTagCount; ++t) {
        if (fieldName == QLatin1String(kCodedFields[t].field)) return t;
    }
    return -1;
}
