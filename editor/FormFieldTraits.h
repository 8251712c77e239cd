#pragma once

#include <QList>
#include <QString>

#include <span>

struct MetadataKeyRow;

// How the editing form shows and takes each of the record's fields. The rows are the model's key table, in
// its order; what the form adds (section, kind of control, check, border, placeholder rules, label) is worked
// out from the row, so the form keeps no list of its own of the 80 fields.
struct FormFieldTraits {
    // The section widgets of the form, in the order they are stacked.
    enum class Section { Camera, Dates, Exposure, Advanced, Lens, Resolution, GPS, IPTC, XMP };
    enum class Control {
        Line,      // a one-line text field the user types into
        TextView,  // a multi-line text view (comment, keywords)
        Coded,     // shows the label of a code, chosen from a dropdown list
        Date,      // shows a date or the summary of its date rule; set through the date panel
        IptcDate,  // shows the IPTC date; not typed into
        ReadOnly,  // shown but not typed into (the GPS direction and date stamp, the fields the run only reads)
        None,      // not on the form
    };
    // Latitude and Longitude: a decimal text of at most 90 or 180 degrees.
    enum class Check { None, Integer, Coordinate, Decimal, Latitude, Longitude };

    const MetadataKeyRow* row = nullptr;
    int index = 0;  // the row's index in the key table
    Section section = Section::Camera;
    Control control = Control::Line;
    int dropdownTag = -1;  // MetadataDropdownTag for Coded
    Check check = Check::None;
    int borderTag = 0;  // 701 to 763; 0: the field's container draws no change border
    bool mergeField = false;
    // A one-line field that shows "Multiple values" while the ticked photos disagree and it is not edited
    // (the comment and IPTC keyword views have a label of their own for that).
    bool multipleValuesPlaceholder = false;
    // The run writes the field (its key-table row has a write form). One it only reads shows the photos'
    // value and takes no edit, whatever its control: an edit it accepted would be lost without a word.
    bool writtenByRun = true;
    QString label;

    QString fieldName() const;
    bool isTyped() const { return control == Control::Line; }
    // Shown and never edited on the form: the fields the run only reads, and those it takes no edit of.
    bool isShownOnly() const { return control == Control::ReadOnly || (!writtenByRun && control != Control::None); }

    static std::span<const FormFieldTraits> all();
    static const FormFieldTraits* forField(const QString& fieldName);
    static const FormFieldTraits& forRow(const MetadataKeyRow& row);
    static QList<const FormFieldTraits*> inSection(Section section);
    static QString sectionTitle(Section section);

    static constexpr int kFirstBorderTag = 701;
};
