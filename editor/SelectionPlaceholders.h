#pragma once

#include "editor/FormFieldTraits.h"
#include "editor/SelectionMerge.h"

#include <QString>

// Where the ticked photos disagree (setTextFieldsPlaceholder): a one-line field that no edit touched and
// that some photo holds a value for shows "Multiple values" while two or more photos are ticked; the
// comment and IPTC keyword views show their placeholder label on the same terms, and only while the form's
// record holds no value for them.
class SelectionPlaceholders {
  public:
    static QString multipleValues() { return QStringLiteral("Multiple values"); }

    // photoCount and heldByAny come from the merge (0 and none for no ticked photo); form is the form's
    // record with the pending edits laid over it.
    SelectionPlaceholders(int photoCount, const SelectionMerge::FieldSet& heldByAny, const MetaDataObject& form);

    QString placeholderFor(const FormFieldTraits& field) const;
    bool userCommentLabelVisible() const { return m_userCommentLabel; }
    bool iptcKeywordsLabelVisible() const { return m_iptcKeywordsLabel; }

  private:
    bool labelVisible(const char* fieldName, const MetaDataObject& form) const;

    int m_photoCount;
    SelectionMerge::FieldSet m_heldByAny;
    SelectionMerge::FieldSet m_edited;
    bool m_userCommentLabel;
    bool m_iptcKeywordsLabel;
};
