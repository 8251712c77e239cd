#include "editor/SelectionPlaceholders.h"

#include "model/MetadataKeyTable.h"

SelectionPlaceholders::SelectionPlaceholders(int photoCount, const SelectionMerge::FieldSet& heldByAny,
                                             const MetaDataObject& form)
    : m_photoCount(photoCount), m_heldByAny(heldByAny) {
    for (const FormFieldTraits& t : FormFieldTraits::all()) {
        if (form.*(t.row->updated)) m_edited.set(t.index);
        if ((form.*(t.row->field)).isEmpty()) m_empty.set(t.index);
    }
}

bool SelectionPlaceholders::clears(const FormFieldTraits& field) const {
    // Only what is typed: a coded field's "Leave Blank" and a date's rule say what they do themselves.
    const bool typed =
        field.control == FormFieldTraits::Control::Line || field.control == FormFieldTraits::Control::TextView;
    return typed && field.writtenByRun && m_edited.test(field.index) && m_empty.test(field.index);
}

QString SelectionPlaceholders::placeholderFor(const FormFieldTraits& field) const {
    if (clears(field)) return willBeCleared();
    const bool shows = field.multipleValuesPlaceholder && m_photoCount >= 2 && !m_edited.test(field.index) &&
                       m_heldByAny.test(field.index);
    return shows ? multipleValues() : QString();
}

QString SelectionPlaceholders::labelFor(const FormFieldTraits& field) const {
    if (clears(field)) return willBeCleared();
    const bool shows = !m_edited.test(field.index) && m_heldByAny.test(field.index) && m_empty.test(field.index);
    return shows ? multipleValues() : QString();
}
