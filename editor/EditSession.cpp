#include "editor/EditSession.h"

#include <algorithm>

EditSession::EditSession(MetaDataObject& selectedMetatDataSettingObj,
                         MetaDataObject& selectedMetatDataSettingObjOnlyUpdatedFields)
    : m_selection(selectedMetatDataSettingObj), m_selectionOnlyUpdated(selectedMetatDataSettingObjOnlyUpdatedFields) {}

void EditSession::isMetadataParamChanged(bool changed) {
    m_isMetaDataResetEnable = changed;
    m_isParamsChanged = changed;
}

bool EditSession::setupSelection(const MetaDataObject& merged, bool hasPhotos) {
    isMetadataParamChanged(false);
    m_selection = merged;
    m_beforeSaving = MetaDataObject::initWithObject(m_selection);
    m_metaDataObject = MetaDataObject::initWithObject(m_selection);
    m_updatedChange = MetaDataObject();
    if (!m_isEditedMetadataObject) return false;
    MetaDataObject::appendPresetObjectToMetaDataObject(m_metaDataObject, m_editedMetaDataObject);
    if (hasPhotos) isMetadataParamChanged(true);
    return true;
}

void EditSession::createUpdatedChangesOnly() {
    // Before the first set-up there is nothing to compare against.
    if (!m_updatedChange) return;
    for (const MetadataKeyRow& row : MetadataKeyTable::rows()) {
        if (!row.entersChangedFields) continue;
        const QString& before = m_selection.*row.field;
        const QString& now = m_metaDataObject.*row.field;
        // QString calls a null and an empty text equal; a missing value on either side is a change.
        const bool unchanged = !before.isNull() && !now.isNull() && before == now;
        if (!unchanged) m_updatedChange.value().*row.field = now;
    }
}

void EditSession::apply() {
    isMetadataParamChanged(false);
    createUpdatedChangesOnly();
    m_selection = MetaDataObject::initWithObject(m_metaDataObject);
    if (m_updatedChange) m_selectionOnlyUpdated = MetaDataObject::initWithObject(*m_updatedChange);
}

void EditSession::revert() {
    m_selection = m_beforeSaving ? MetaDataObject::initWithObject(*m_beforeSaving) : MetaDataObject();
    m_metaDataObject = MetaDataObject::initWithObject(m_selection);
    m_beforeSaving = MetaDataObject::initWithObject(m_selection);
    m_updatedChange = MetaDataObject();
    isMetadataParamChanged(false);
}

void EditSession::editField(const MetadataKeyRow& row, const QString& value) {
    m_metaDataObject.*row.field = value;
    m_metaDataObject.*row.updated = true;
    m_editedMetaDataObject.*row.field = value;
    m_editedMetaDataObject.*row.updated = true;
    m_isEditedMetadataObject = true;
    isMetadataParamChanged(true);
}

const MetaDataObject& EditSession::changeEditingOption(int option) {
    isMetadataParamChanged(true);
    m_metaDataObject.editingOption = option;
    m_editedMetaDataObject.editingOption = option;
    m_isEditedMetadataObject = true;
    m_selection.editingOption = option;
    createUpdatedChangesOnly();
    if (option == MetaDataObject::ModifyEditedClearOthers && m_updatedChange) return *m_updatedChange;
    return m_metaDataObject;
}

void EditSession::setClearSwitch(MetadataClearSwitch clearSwitch, bool on) {
    bool MetaDataObject::*member = MetadataKeyTable::switchMember(clearSwitch);
    if (!member) return;
    m_metaDataObject.*member = on;
    m_editedMetaDataObject.*member = on;
    m_isEditedMetadataObject = true;
    isMetadataParamChanged(true);
}

void EditSession::applyPreset(const MetaDataObject& preset) {
    MetaDataObject::appendPresetObjectToMetaDataObject(m_metaDataObject, preset);
    MetaDataObject::appendPresetObjectToMetaDataObject(m_editedMetaDataObject, preset);
    m_isEditedMetadataObject = true;
    isMetadataParamChanged(true);
}

void EditSession::dropPendingEdits() {
    m_editedMetaDataObject = MetaDataObject();
    m_isEditedMetadataObject = false;
}

void EditSession::copyToPendingEdits(std::initializer_list<QString MetaDataObject::*> fields) {
    const auto rows = MetadataKeyTable::rows();
    for (QString MetaDataObject::*field : fields) {
        const auto row =
            std::find_if(rows.begin(), rows.end(), [field](const MetadataKeyRow& r) { return r.field == field; });
        if (row == rows.end()) continue;
        m_editedMetaDataObject.*field = m_metaDataObject.*field;
        m_metaDataObject.*row->updated = true;
        m_editedMetaDataObject.*row->updated = true;
    }
    m_isEditedMetadataObject = true;
    isMetadataParamChanged(true);
}
