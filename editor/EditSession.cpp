#include "editor/EditSession.h"

#include "batch/DateRuleChecks.h"

#include <algorithm>

void EditSession::isMetadataParamChanged(bool changed) {
    m_r.isMetaDataResetEnable = changed;
    m_r.isParamsChanged = changed;
}

bool EditSession::setupSelection(const MetaDataObject& merged, bool hasPhotos) {
    isMetadataParamChanged(false);
    m_r.selectedMetaDataSettingObj = merged;
    m_r.metaDataObjectBeforeSaving = MetaDataObject::initWithObject(m_r.selectedMetaDataSettingObj);
    m_r.metaDataObject = MetaDataObject::initWithObject(m_r.selectedMetaDataSettingObj);
    m_r.metaDataObjectWithUpdatedChange = MetaDataObject();
    if (!m_r.isEditedMetadataObject) return false;
    MetaDataObject::appendPresetObjectToMetaDataObject(m_r.metaDataObject, m_r.editedMetaDataObject);
    if (hasPhotos) isMetadataParamChanged(true);
    return true;
}

namespace {

bool keepsOriginal(const DateTimeConfigurationRef& rule) {
    return !rule || rule->option() == DateTimeConfiguration::KeepOriginal;
}

bool sameRule(const DateTimeConfigurationRef& a, const DateTimeConfigurationRef& b) {
    // A record without a rule keeps its dates, as a default rule does.
    static const DateTimeConfiguration keepOriginal;
    return (a ? *a : keepOriginal) == (b ? *b : keepOriginal);
}

}  // namespace

void EditSession::createUpdatedChangesOnly() {
    MetaDataObject& changed = m_r.metaDataObjectWithUpdatedChange;
    for (const MetadataKeyRow& row : MetadataKeyTable::rows()) {
        if (!row.entersChangedFields) continue;
        const QString& before = m_r.selectedMetaDataSettingObj.*row.field;
        const QString& now = m_r.metaDataObject.*row.field;
        if (row.dateRule && m_r.metaDataObject.*row.updated) {
            // A date the user set a rule for is edited even where its text stayed: clearing the fields left
            // alone must not take away what the rule writes. Only the emptiness of this record reaches the
            // writer; the rule goes with it so that the form, showing this record, shows the rule.
            const DateTimeConfigurationRef& rule = m_r.metaDataObject.*row.dateRule;
            changed.*row.field =
                now.isEmpty() ? DateRuleChecks::ruleSummary(rule ? *rule : DateTimeConfiguration()) : now;
            if (!keepsOriginal(rule)) changed.*row.dateRule = rule;
            continue;
        }
        // QString calls a null and an empty text equal; a missing value on either side is a change.
        const bool unchanged = !before.isNull() && !now.isNull() && before == now;
        if (!unchanged) changed.*row.field = now;
    }
}

void EditSession::apply() {
    isMetadataParamChanged(false);
    createUpdatedChangesOnly();
    m_r.selectedMetaDataSettingObj = MetaDataObject::initWithObject(m_r.metaDataObject);
    m_r.selectedMetaDataSettingObjOnlyUpdatedFields =
        MetaDataObject::initWithObject(m_r.metaDataObjectWithUpdatedChange);
}

void EditSession::revert() {
    m_r.selectedMetaDataSettingObj = MetaDataObject::initWithObject(m_r.metaDataObjectBeforeSaving);
    m_r.metaDataObject = MetaDataObject::initWithObject(m_r.selectedMetaDataSettingObj);
    m_r.metaDataObjectBeforeSaving = MetaDataObject::initWithObject(m_r.selectedMetaDataSettingObj);
    m_r.metaDataObjectWithUpdatedChange = MetaDataObject();
    isMetadataParamChanged(false);
}

bool EditSession::differsFromBeforeEditing() const {
    const MetaDataObject& form = m_r.metaDataObject;
    const MetaDataObject& before = m_r.metaDataObjectBeforeSaving;
    for (const MetadataKeyRow& row : MetadataKeyTable::rows()) {
        if (form.*row.updated || form.*row.field != before.*row.field) return true;
    }
    for (const auto& rule : MetadataKeyTable::ruleMembers()) {
        if (!sameRule(form.*rule.member, before.*rule.member)) return true;
    }
    return form.editingOption != before.editingOption ||
           MetadataKeyTable::switchesOn(form) != MetadataKeyTable::switchesOn(before);
}

void EditSession::editField(const MetadataKeyRow& row, const QString& value) {
    m_r.metaDataObject.*row.field = value;
    m_r.metaDataObject.*row.updated = true;
    m_r.editedMetaDataObject.*row.field = value;
    m_r.editedMetaDataObject.*row.updated = true;
    m_r.isEditedMetadataObject = true;
    isMetadataParamChanged(true);
}

const MetaDataObject& EditSession::changeEditingOption(int option) {
    isMetadataParamChanged(true);
    m_r.metaDataObject.editingOption = option;
    m_r.editedMetaDataObject.editingOption = option;
    m_r.isEditedMetadataObject = true;
    m_r.selectedMetaDataSettingObj.editingOption = option;
    createUpdatedChangesOnly();
    if (option == ModifyEditedClearOthers) return m_r.metaDataObjectWithUpdatedChange;
    return m_r.metaDataObject;
}

void EditSession::setClearSwitch(MetadataClearSwitch clearSwitch, bool on) {
    bool MetaDataObject::*member = MetadataKeyTable::switchMember(clearSwitch);
    if (!member) return;
    m_r.metaDataObject.*member = on;
    m_r.editedMetaDataObject.*member = on;
    m_r.isEditedMetadataObject = true;
    isMetadataParamChanged(true);
}

void EditSession::applyPreset(const MetaDataObject& preset) {
    MetaDataObject::appendPresetObjectToMetaDataObject(m_r.metaDataObject, preset);
    MetaDataObject::appendPresetObjectToMetaDataObject(m_r.editedMetaDataObject, preset);
    for (const MetadataKeyRow& row : MetadataKeyTable::rows()) {
        if (!row.dateRule) continue;
        const bool bringsText = !(preset.*row.field).isEmpty();
        if (bringsText || preset.*row.updated || !keepsOriginal(preset.*row.dateRule)) {
            // A stored preset comes back without change flags, yet its rule is the user's choice for that date
            // as much as one set on the form: without the flag the run would leave a date the rule empties,
            // and keep the rule's summary where the photo has no such date.
            m_r.metaDataObject.*row.updated = true;
            m_r.editedMetaDataObject.*row.updated = true;
        }
        if (bringsText || preset.*row.updated) continue;
        // Left in place, the old summary would come back at the next selection as the field's text and be
        // written into photos the new rule leaves without that date.
        m_r.editedMetaDataObject.*row.field = QStringLiteral("");
        m_r.metaDataObject.*row.field = m_r.metaDataObjectBeforeSaving.*row.field;
    }
    m_r.isEditedMetadataObject = true;
    isMetadataParamChanged(true);
}

void EditSession::dropPendingEdits() {
    m_r.editedMetaDataObject = MetaDataObject();
    m_r.isEditedMetadataObject = false;
}

void EditSession::copyToPendingEdits(std::initializer_list<QString MetaDataObject::*> fields) {
    const auto rows = MetadataKeyTable::rows();
    for (QString MetaDataObject::*field : fields) {
        const auto row =
            std::find_if(rows.begin(), rows.end(), [field](const MetadataKeyRow& r) { return r.field == field; });
        if (row == rows.end()) continue;
        m_r.editedMetaDataObject.*field = m_r.metaDataObject.*field;
        m_r.metaDataObject.*row->updated = true;
        m_r.editedMetaDataObject.*row->updated = true;
    }
    m_r.isEditedMetadataObject = true;
    isMetadataParamChanged(true);
}
