#pragma once

#include "model/MetaDataObject.h"
#include "model/MetadataKeyTable.h"

// The records and flags an edit session works on, held by their owners: the selection record and the copy
// of the last applied changes by the application, the rest by the editing screen.
struct EditRecords {
    MetaDataObject& selectedMetaDataSettingObj;
    MetaDataObject& selectedMetaDataSettingObjOnlyUpdatedFields;
    MetaDataObject& metaDataObject;
    MetaDataObject& editedMetaDataObject;
    MetaDataObject& metaDataObjectBeforeSaving;
    MetaDataObject& metaDataObjectWithUpdatedChange;
    bool& isEditedMetadataObject;
    bool& isParamsChanged;
    bool& isMetaDataResetEnable;
};

// All of them in one place, for holders that have none of their own (tests, a screen on its own).
struct OwnedEditRecords {
    MetaDataObject selection, selectionOnlyUpdated, form, edited, beforeSaving, updatedChange;
    bool isEdited = false, isParamsChanged = false, isResetEnable = false;
    EditRecords records() {
        return {selection, selectionOnlyUpdated, form,         edited, beforeSaving, updatedChange,
                isEdited,  isParamsChanged,      isResetEnable};
    }
};

// The records behind the editing form and the rules that move values between them: what the fields show
// (the form record), what the user typed since the last reset (the pending edits), the values before
// editing (for Revert and the restore run) and the changed fields that a batch run hands to the writer.
//
// The session works on records its owners hold (EditRecords). Main thread only.
class EditSession {
  public:
    explicit EditSession(const EditRecords& records) : m_r(records) {}

    // ---- Records ----
    MetaDataObject& selectedMetaDataSettingObj() { return m_r.selectedMetaDataSettingObj; }
    MetaDataObject& metaDataObject() { return m_r.metaDataObject; }
    const MetaDataObject& metaDataObject() const { return m_r.metaDataObject; }
    const MetaDataObject& editedMetaDataObject() const { return m_r.editedMetaDataObject; }
    bool isEditedMetadataObject() const { return m_r.isEditedMetadataObject; }
    const MetaDataObject& metaDataObjectBeforeSaving() const { return m_r.metaDataObjectBeforeSaving; }
    const MetaDataObject& metaDataObjectWithUpdatedChange() const { return m_r.metaDataObjectWithUpdatedChange; }

    // ---- Unsaved-edit state ----
    bool isParamsChanged() const { return m_r.isParamsChanged; }
    // What the Reset button returns to when a dropdown popup closes.
    bool isMetaDataResetEnable() const { return m_r.isMetaDataResetEnable; }
    // Marks whether the form holds edits that were neither applied nor run.
    void isMetadataParamChanged(bool changed);

    // A newly merged selection (an empty record when no photo is ticked) becomes the point of comparison;
    // the pending edits are laid on the form record again. Answers whether edits were laid on. With no
    // photo the form does not count as changed even then.
    bool setupSelection(const MetaDataObject& merged, bool hasPhotos);

    // Brings the changed-fields record up to date: every field that takes part and differs, character for
    // character, from the selection record takes the form's value, and so does every date marked as edited
    // (its rule set on the form or by a preset), never empty. The record only grows until the next set-up or
    // Revert.
    void createUpdatedChangesOnly();
    // Apply, once the form passed its checks: the form's values become the new point of comparison.
    void apply();
    // Revert: back to the values the selection had when it was set up, pending edits kept for later.
    void revert();
    // Whether Revert has something to undo: the form record holds other values than before editing (an
    // Apply does not change that), or marks a field as edited, or another option, switch or date rule.
    bool differsFromBeforeEditing() const;

    // One edit of a field: the value and its change flag go into the form record and the pending edits.
    void editField(const MetadataKeyRow& row, const QString& value);
    // The editing option, in the form, the pending edits and the selection record; then the changed
    // fields are rebuilt. Answers the record the fields then show: option 1 shows only the changed fields.
    const MetaDataObject& changeEditingOption(int option);
    void setClearSwitch(MetadataClearSwitch clearSwitch, bool on);
    // A preset merged into the form as an edit. It brings all six date rules; a date it gives a rule or text
    // of its own is marked as edited, and a date it gives no text loses the summary of the rule it replaced,
    // in the form and in the pending edits.
    void applyPreset(const MetaDataObject& preset);
    // Reset and the end of a batch run drop the pending edits.
    void dropPendingEdits();
    // Copies the named fields with their flags from the form record into the pending edits (the map's
    // position goes into the form record first, then travels as one edit).
    void copyToPendingEdits(std::initializer_list<QString MetaDataObject::*> fields);

  private:
    EditRecords m_r;
};
