#include "editor/SelectionPlaceholders.h"

#include "model/MetadataKeyTable.h"

SelectionPlaceholders::SelectionPlaceholders(int photoCount, const SelectionMerge::FieldSet& heldByAny,
                                             const MetaDataObject& form)
    : m_photoCount(photoCount), m_heldByAny(heldByAny) {
    for (const FormFieldTraits& t : FormFieldTraits::all()) {
        if (form.*(t.row->updated)) m_edited.set(t.index);
    }
    m_userCommentLabel = labelVisible("UserComment", form);
    m_iptcKeywordsLabel = labelVisible("IPTC_Keywords", form);
}

bool SelectionPlaceholders::labelVisible(const char* fieldName, const MetaDataObject& form) const {
    const FormFieldTraits* t = FormFieldTraits::forField(QLatin1String(fieldName));
    return !m_edited.test(t->index) && m_heldByAny.test(t->index) && (form.*(t->row->field)).isEmpty();
}

QString SelectionPlaceholders::placeholderFor(const FormFieldTraits& field) const {
    const bool shows = field.multipleValuesPlaceholder && m_photoCount >= 2 && !m_edited.test(field.index) &&
                       m_heldByAny.test(field.index);
    return shows ? multipleValues() : QString();
}
