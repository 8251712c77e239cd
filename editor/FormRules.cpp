#include "editor/FormRules.h"

#include "model/MetadataKeyTable.h"

void FormRules::store(MetaDataObject& record, const MetadataKeyRow& field, const QString& value) const {
    record.*(field.field) = value;
    if (setsChangeFlags) record.*(field.updated) = true;
}
