#include "editor/EditSession.h"

#include "batch/DateRuleChecks.h"
#include "batch/DateRulePanel.h"

#include <algorithm>

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

EditSession::EditSession(QObject* parent) : EditSession(Lent{}, parent) {}

EditSession::EditSession(Lent lent, QObject* parent)
    : QObject(parent),
      m_selection(lent.selection ? lent.selection : &m_ownSelection),
      m_appliedChanges(lent.appliedChanges ? lent.appliedChanges : &m_ownAppliedChanges) {}

void EditSession::isMetadataParamChanged(bool changed) {
    m_isParamsChanged = changed;
    emit unsavedStateChanged(changed);
}

void EditSession::markEdited() {
    m_isEdited = true;
    isMetadataParamChanged(true);
}

void EditSession::startFrom(const MetaDataObject& selection) {
    *m_selection = selection;
    m_beforeSaving = MetaDataObject::initWithObject(*m_selection);
    m_form = MetaDataObject::initWithObject(*m_selection);
    m_updatedChange = MetaDataObject();
}

void EditSession::takeBaseline() {
    m_baseline = {m_form, m_edited, m_updatedChange, m_isParamsChanged};
}

bool EditSession::setSelection(const MetaDataObject& merged, bool hasPhotos) {
    startFrom(merged);
    if (m_isEdited) MetaDataObject::appendPresetObjectToMetaDataObject(m_form, m_edited);
    // With no photo every field shows empty, even where edits are pending; their borders still mark them.
    emit recordReplaced(hasPhotos ? m_form : *m_selection);
    isMetadataParamChanged(m_isEdited && hasPhotos);
    takeBaseline();
    return m_isEdited;
}

void EditSession::createUpdatedChangesOnly() {
    for (const MetadataKeyRow& row : MetadataKeyTable::rows()) {
        if (!row.entersChangedFields) continue;
        const QString& before = m_selection->*row.field;
        const QString& now = m_form.*row.field;
        if (row.dateRule && m_form.*row.updated) {
            // A date the user set a rule for is edited even where its text stayed: clearing the fields left
            // alone must not take away what the rule writes. Only the emptiness of this record reaches the
            // writer; the rule goes with it so that the form, showing this record, shows the rule.
            const DateTimeConfigurationRef& rule = m_form.*row.dateRule;
            m_updatedChange.*row.field =
                now.isEmpty() ? DateRuleChecks::ruleSummary(rule ? *rule : DateTimeConfiguration()) : now;
            if (!keepsOriginal(rule)) m_updatedChange.*row.dateRule = rule;
            continue;
        }
        // QString calls a null and an empty text equal; a missing value on either side is a change. A field
        // the user set is changed even at the photos' value: under "clear others" it shows that value.
        const bool unchanged = !before.isNull() && !now.isNull() && before == now;
        if (!unchanged || m_form.*row.updated) m_updatedChange.*row.field = now;
    }
}

void EditSession::apply() {
    createUpdatedChangesOnly();
    *m_selection = MetaDataObject::initWithObject(m_form);
    *m_appliedChanges = MetaDataObject::initWithObject(m_updatedChange);
    isMetadataParamChanged(false);
    takeBaseline();
}

void EditSession::revert() {
    startFrom(MetaDataObject::initWithObject(m_beforeSaving));
    emit recordReplaced(*m_selection);
    isMetadataParamChanged(false);
    takeBaseline();
}

bool EditSession::differsFromBeforeEditing() const {
    return differsFrom(m_beforeSaving);
}

bool EditSession::differsFrom(const MetaDataObject& record) const {
    for (const MetadataKeyRow& row : MetadataKeyTable::rows()) {
        if (m_form.*row.updated != record.*row.updated || m_form.*row.field != record.*row.field) return true;
    }
    for (const auto& rule : MetadataKeyTable::ruleMembers()) {
        if (!sameRule(m_form.*rule.member, record.*rule.member)) return true;
    }
    return m_form.editingOption != record.editingOption ||
           MetadataKeyTable::switchesOn(m_form) != MetadataKeyTable::switchesOn(record);
}

void EditSession::editField(const MetadataKeyRow& row, const QString& value) {
    // Under "clear others" the fields show the changed fields, not the form record, so what a field showed at
    // the last set-up says nothing there; every field left out is cleared anyway, and one typed back to the
    // photos' value must keep it.
    const bool showsTheForm = m_form.editingOption != ModifyEditedClearOthers;
    if (!row.dateRule && showsTheForm && value == m_baseline.form.*row.field) {
        m_form.*row.field = value;
        takeBackEdit(row);
        return;
    }
    m_form.*row.field = value;
    m_form.*row.updated = true;
    m_edited.*row.field = value;
    m_edited.*row.updated = true;
    emit fieldChanged(row);
    markEdited();
}

void EditSession::takeBackEdit(const MetadataKeyRow& row) {
    // Where the photos disagree the field shows nothing; an empty field with its flag would erase the value
    // from every photo, hidden behind the text the field showed before. An edit applied, or carried over to
    // this selection, was there before too: it stays, and stays pending for later selections.
    m_form.*row.updated = m_baseline.form.*row.updated;
    m_edited.*row.field = m_baseline.edited.*row.field;
    m_edited.*row.updated = m_baseline.edited.*row.updated;
    // A rebuild while the field held the edit put it here; "clear others" must not write it after all.
    m_updatedChange.*row.field = m_baseline.updatedChange.*row.field;
    m_isEdited = holdsPendingEdits();
    emit fieldChanged(row);
    isMetadataParamChanged(m_baseline.unsaved || differsFrom(m_baseline.form));
}

bool EditSession::holdsPendingEdits() const {
    for (const MetadataKeyRow& row : MetadataKeyTable::rows()) {
        // A stored preset brings its texts without change flags.
        if (m_edited.*row.updated || !(m_edited.*row.field).isEmpty()) return true;
    }
    for (const auto& rule : MetadataKeyTable::ruleMembers()) {
        if (!keepsOriginal(m_edited.*rule.member)) return true;
    }
    return m_edited.editingOption != OnlyModifyEditedFields || MetadataKeyTable::switchesOn(m_edited) != 0;
}

void EditSession::setDateRule(int fieldIndex, DateTimeConfigurationRef rule, const QString& summary) {
    const MetadataKeyRow* row = MetadataKeyTable::rowForField(DateRulePanel::fieldName(fieldIndex));
    if (!row || !row->dateRule) return;
    DateRulePanel::storeRule(m_form, m_edited, fieldIndex, std::move(rule), summary);
    emit fieldChanged(*row);
    markEdited();
}

void EditSession::changeEditingOption(int option) {
    m_form.editingOption = option;
    m_edited.editingOption = option;
    m_selection->editingOption = option;
    createUpdatedChangesOnly();
    emit recordReplaced(option == ModifyEditedClearOthers ? m_updatedChange : m_form);
    markEdited();
}

void EditSession::setClearSwitch(MetadataClearSwitch clearSwitch, bool on) {
    bool MetaDataObject::*member = MetadataKeyTable::switchMember(clearSwitch);
    if (!member) return;
    m_form.*member = on;
    m_edited.*member = on;
    markEdited();
}

void EditSession::applyPreset(const MetaDataObject& preset) {
    MetaDataObject::appendPresetObjectToMetaDataObject(m_form, preset);
    MetaDataObject::appendPresetObjectToMetaDataObject(m_edited, preset);
    for (const MetadataKeyRow& row : MetadataKeyTable::rows()) {
        if (!row.dateRule) continue;
        const bool bringsText = !(preset.*row.field).isEmpty();
        if (bringsText || preset.*row.updated || !keepsOriginal(preset.*row.dateRule)) {
            // A stored preset comes back without change flags, yet its rule is the user's choice for that date
            // as much as one set on the form: without the flag the run would leave a date the rule empties,
            // and keep the rule's summary where the photo has no such date.
            m_form.*row.updated = true;
            m_edited.*row.updated = true;
        }
        if (bringsText || preset.*row.updated) continue;
        // Left in place, the old summary would come back at the next selection as the field's text and be
        // written into photos the new rule leaves without that date.
        m_edited.*row.field = QStringLiteral("");
        m_form.*row.field = m_beforeSaving.*row.field;
    }
    emit recordReplaced(m_form);
    markEdited();
}

void EditSession::editMapFields(const QList<FieldValue>& values) {
    const auto rows = MetadataKeyTable::rows();
    QList<const MetadataKeyRow*> changed;
    for (const auto& [field, value] : values) {
        const auto row =
            std::find_if(rows.begin(), rows.end(), [field](const MetadataKeyRow& r) { return r.field == field; });
        if (row == rows.end()) continue;
        m_form.*field = value;
        m_edited.*field = value;
        m_form.*row->updated = true;
        m_edited.*row->updated = true;
        changed.append(&*row);
    }
    for (const MetadataKeyRow* row : std::as_const(changed)) emit fieldChanged(*row);
    markEdited();
}

void EditSession::dropPendingEdits() {
    m_edited = MetaDataObject();
    m_isEdited = false;
    // Nothing dropped comes back by taking an edit back.
    m_baseline.edited = m_edited;
    m_baseline.unsaved = false;
}
