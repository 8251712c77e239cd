#pragma once

#include <QString>
#include <QStringList>

#include "model/MetaDataObject.h"

struct MetadataKeyRow;

// The fifteen coded fields (MetadataDropdownTag 0 to 14): each shows a readable label while its record
// field stores a code. This is the one place where the lists are defined, index for index, label beside
// code, with "Leave Blank" and the empty code first; the editing form, the preset editor and the metadata
// popup all read them here.
class DropdownCodeTables {
  public:
    // MetadataDropdownTag
    enum Tag {
        Flash = 0,
        Orientation = 1,
        ColorSpace = 2,
        ExposureMode = 3,
        ExposureProgram = 4,
        MeteringMode = 5,
        SceneCaptureType = 6,
        SensingMethod = 7,
        SubjectDistanceRange = 8,
        ResolutionUnit = 9,
        LatitudeRef = 10,
        LongitudeRef = 11,
        AltitudeRef = 12,
        ImgDirectionRef = 13,
        CountryCode = 14,
    };
    static constexpr int kTagCount = 15;

    // The country list from the application's resource "countries.json" (read once).
    DropdownCodeTables();
    // The country list from a file of the same form: a JSON array of {"name", "code"}. A missing or unreadable
    // file leaves the "Leave Blank" row alone; an element without a name or a code is skipped.
    explicit DropdownCodeTables(const QString& countriesPath);

    // getArrayForDropDownOptionsForTag / getArrayForDropDownOptionsValuesForTag for tags 0 to 14; an empty
    // list for any other tag.
    QStringList labels(int tag) const;
    QStringList codes(int tag) const;

    // getValueForOption: the label of the code the tag's field holds in record; "" for an empty value, a
    // code outside the list, the stored "Leave Blank" and a tag outside 0 to 14.
    QString labelForRecord(int tag, const MetaDataObject& record) const;
    QString labelForCode(int tag, const QString& code) const;

    // The record field of a tag (nullptr outside 0 to 14), and the tag of a field (-1 when it has none).
    static const MetadataKeyRow* fieldRow(int tag);
    static int tagForField(const QString& fieldName);

    static QString leaveBlank() { return QStringLiteral("Leave Blank"); }
    // The country names and codes as loaded, "Leave Blank" and "" first (arrCountryCode, arrCountryCodeValues).
    const QStringList& arrCountryCode() const { return m_countryNames; }
    const QStringList& arrCountryCodeValues() const { return m_countryCodes; }

  private:
    void loadCountries(const QString& path);

    QStringList m_countryNames;
    QStringList m_countryCodes;
};
