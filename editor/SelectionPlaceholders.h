#pragma once

#include "editor/FormFieldTraits.h"
#include "editor/SelectionMerge.h"

#include <QString>

// Where the ticked photos disagree (setTextFieldsPlaceholder): a one-line field that no edit touched and
// that some photo holds a value for shows "Multiple values" while two or more photos are ticked; the
// comment and IPTC keyword views show their placeholder label on the same terms, and only while the form's
// record holds no value for them. A field the user emptied on purpose says instead that the run clears it.
class SelectionPlaceholders {
  public:
    static QString multipleValues() { return QStringLiteral("Multiple values"); }
    static QString willBeCleared() { return QStringLiteral("Will be cleared"); }

    // photoCount and heldByAny come from the merge (0 and none for no ticked photo); form is the form's
    // record with the pending edits laid over it.
    SelectionPlaceholders(int photoCount, const SelectionMerge::FieldSet& heldByAny, const MetaDataObject& form);

    QString placeholderFor(const FormFieldTraits& field) const;
    // The text of the label over the comment or IPTC keyword view; empty: the label hides.
    QString labelFor(const FormFieldTraits& field) const;
    bool userCommentLabelVisible() const { return !labelFor(*FormFieldTraits::forField("UserComment")).isEmpty(); }
    bool iptcKeywordsLabelVisible() const { return !labelFor(*FormFieldTraits::forField("IPTC_Keywords")).isEmpty(); }

  private:
    bool clears(const FormFieldTraits& field) const;

    int m_photoCount;
    SelectionMerge::FieldSet m_heldByAny;
    SelectionMerge::FieldSet m_edited;
    SelectionMerge::FieldSet m_empty;
};
