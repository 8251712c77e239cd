#include "editor/SelectionMerge.h"

#include "editor/FormFieldTraits.h"
#include "model/MetadataKeyTable.h"

#include <vector>

namespace {

struct MergeMember {
    size_t index;
    QString MetaDataObject::*field;
};

const std::vector<MergeMember>& mergeMembers() {
    static const std::vector<MergeMember> members = [] {
        std::vector<MergeMember> list;
        for (const FormFieldTraits& t : FormFieldTraits::all()) {
            if (t.mergeField) list.push_back({static_cast<size_t>(t.index), t.row->field});
        }
        return list;
    }();
    return members;
}

const MetaDataObject& recordOf(const PhotoFile& photo) {
    static const MetaDataObject empty;
    return photo.metadataObject ? *photo.metadataObject : empty;
}

}  // namespace

const SelectionMerge::FieldSet& SelectionMerge::mergeFields() {
    static const FieldSet set = [] {
        FieldSet s;
        for (const MergeMember& m : mergeMembers()) s.set(m.index);
        return s;
    }();
    return set;
}

std::optional<SelectionMerge::Result> SelectionMerge::updateMetaDataObjectForSelectedFiles(
    const QList<PhotoFile>& photos) {
    if (photos.isEmpty()) return std::nullopt;
    const std::vector<MergeMember>& members = mergeMembers();
    const MetaDataObject& first = recordOf(photos.first());

    Result result;
    result.photoCount = static_cast<int>(photos.size());
    FieldSet differs;
    for (const MergeMember& m : members) {
        if (!(first.*m.field).isEmpty()) result.heldByAny.set(m.index);
    }
    for (qsizetype i = 1; i < photos.size(); ++i) {
        const MetaDataObject& other = recordOf(photos.at(i));
        for (const MergeMember& m : members) {
            const QString& value = other.*m.field;
            if (!value.isEmpty()) result.heldByAny.set(m.index);
            if (differs.test(m.index)) continue;
            const QString& firstValue = first.*m.field;
            if (firstValue.isEmpty() || firstValue != value) differs.set(m.index);
        }
    }
    for (const MergeMember& m : members) {
        if (!differs.test(m.index)) result.merged.*m.field = first.*m.field;
    }
    return result;
}
