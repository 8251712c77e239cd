#pragma once

#include "editor/FormFieldTraits.h"
#include "editor/FormRules.h"

#include <QHash>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QSet>
#include <QWidget>

#include <functional>

class BackgroundTextField;
class DropdownCodeTables;
class FieldFrame;
class FormTextView;
class MetaDataObject;
class QLabel;
class QLineEdit;
class QToolButton;
class SelectionPlaceholders;

// One section of the metadata form (camera, dates, exposure, advanced, lens, resolution, GPS, IPTC, XMP):
// the fields of the key table's groups that belong to it, each with its label, its control, its error label
// and its change border. It loads from a record, reports each edit as it is made, and can write the edits
// made since the last load into a record; the editing form and the preset editor share it under their own
// rules.
class MetadataSection : public QWidget {
    Q_OBJECT
  public:
    MetadataSection(FormFieldTraits::Section section, const FormRules& rules, const DropdownCodeTables& tables,
                    QWidget* parent = nullptr);
    ~MetadataSection() override;

    FormFieldTraits::Section section() const { return m_section; }
    const FormRules& rules() const { return m_rules; }
    // The fields on show, in record order.
    QList<const FormFieldTraits*> fields() const;

    // Where a list or panel that a field's button opens aims, in the coordinates of in (an ancestor of the
    // button): the field the button sits in, which it never covers; the middle of the button on the field's
    // bottom edge; the scrolled form around the field (none outside one), where a panel belongs.
    struct ButtonAim {
        QRectF field;
        QPointF point;
        QRectF form;
    };
    static ButtonAim aimOf(const QWidget* button, const QWidget* in);

    // updateTextFieldsValues for this section: every field shows record's value in its readable form. With
    // a filter only the fields it picks are shown anew; the others keep what they show.
    void loadFrom(const MetaDataObject& record, const std::function<bool(const FormFieldTraits&)>& which = {});
    // The edits made since the last load, into record by the rules.
    void applyTo(MetaDataObject& record) const;
    // highlightBorder: the changed-field outline round each bordered field whose isupdated_ flag is set in
    // record, none round the others.
    void highlightBorder(const MetaDataObject& record);
    // The outline of a changed field: bright enough to stand out on the dark form and on a white field.
    static QColor changedFieldOutline() { return QColor(0x3d, 0x9b, 0xff); }
    // The text a field shown and never edited on the form explains itself with: one the run only reads says
    // so; the run writes the GPS direction and date back, or clears them, though the form takes no edit of them.
    static QString shownOnlyToolTip(const FormFieldTraits& field);
    // The multi-line fields take typing (true) or not; those the run only reads never do.
    void setTextViewsEditable(bool editable);
    // setTextFieldsPlaceholder for this section's fields and placeholder labels.
    void setPlaceholders(const SelectionPlaceholders& placeholders);
    void hideAllErrorLabels();
    // setTextFieldValidations: new integer formatters on the integer fields.
    void setTextFieldValidations();

    // A choice in a coded field's list: row 0 ("Leave Blank") empties the field and stores the literal,
    // any other row shows its label and stores its code. Reported as an edit.
    void chooseCode(int tag, int row);

    // The controls by field name (txt<Field>, txtvw..., txt<Field>_error), or nullptr.
    QLineEdit* textField(const QString& fieldName) const;
    FormTextView* textView(const QString& fieldName) const;
    QLabel* errorLabel(const QString& fieldName) const;
    QLabel* placeholderLabel(const QString& fieldName) const;  // lblPlaceholder_... of the comment and keywords
    // The view carrying a tag: 701-763 change borders, 50-64 dropdown buttons, 1000-1014 coded fields,
    // 250-255 date buttons; nullptr when this section has none.
    QWidget* viewWithTag(int tag) const;
    // The border colour a bordered field shows now (invalid when it draws none).
    QColor borderColor(const QString& fieldName) const;
    // Delay of the text views' saves (tests use 0).
    void setTextViewSaveDelay(int milliseconds);

  signals:
    // An edit: typed text (cut to the limit and checked), a text view's saved text, or a coded choice.
    void fieldEdited(const FormFieldTraits* field, const QString& value);
    // A check ran on typed text; valid tells how it ended.
    void fieldChecked(const FormFieldTraits* field, bool valid);
    void dropDownTapped(int tag, QWidget* button);
    void dateFieldTapped(int dateIndex, QWidget* button);

  private:
    struct Field;
    Field* fieldOf(const QString& fieldName) const;
    QWidget* buildField(const FormFieldTraits& traits);
    void typed(Field& field, const QString& text);
    void setBorder(Field& field, const QColor& color);
    bool eventFilter(QObject* watched, QEvent* event) override;

    FormFieldTraits::Section m_section;
    FormRules m_rules;
    const DropdownCodeTables& m_tables;
    QList<Field*> m_fields;
    QHash<int, QWidget*> m_tagged;
    QHash<int, QString> m_edits;  // key-table index to the value stored by an edit since the last load
};
