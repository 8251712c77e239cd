#pragma once

#include <optional>

#include "model/MetaDataObject.h"
#include "model/MetadataKeyTable.h"

// The records behind the editing form and the rules that move values between them: what the fields show
// (the form record), what the user typed since the last reset (the pending edits), the values before
// editing (for Revert and the restore run) and the changed fields that a batch run hands to the writer.
//
// The selection record and the copy of the last applied changes belong to the application, which shares
// them with other screens; the session reaches them through the references it is given. Main thread only.
class EditSession {
  public:
    EditSession(MetaDataObject& selectedMetatDataSettingObj,
                MetaDataObject& selectedMetatDataSettingObjOnlyUpdatedFields);

    // ---- Records ----
    MetaDataObject& selectedMetatDataSettingObj() { return m_selection; }
    const MetaDataObject& selectedMetatDataSettingObj() const { return m_selection; }
    MetaDataObject& metaDataObject() { return m_metaDataObject; }
    const MetaDataObject& metaDataObject() const { return m_metaDataObject; }
    const MetaDataObject& editedMetaDataObject() const { return m_editedMetaDataObject; }
    bool isEditedMetadataObject() const { return m_isEditedMetadataObject; }
    // Absent until a selection was first set up.
    const std::optional<MetaDataObject>& metaDataObjectBeforeSaving() const { return m_beforeSaving; }
    const std::optional<MetaDataObject>& metaDataObjectWithUpdatedChange() const { return m_updatedChange; }

    // ---- Unsaved-edit state ----
    bool isParamsChanged() const { return m_isParamsChanged; }
    // What the Reset button returns to when a dropdown popup closes.
    bool isMetaDataResetEnable() const { return m_isMetaDataResetEnable; }
    // Marks whether the form holds edits that were neither applied nor run.
    void isMetadataParamChanged(bool changed);

    // A newly merged selection (an empty record when no photo is ticked) becomes the point of comparison;
    // the pending edits are laid on the form record again. Answers whether edits were laid on. With no
    // photo the form does not count as changed even then.
    bool setupSelection(const MetaDataObject& merged, bool hasPhotos);

    // Brings the changed-fields record up to date: every field that takes part and differs, character for
    // character, from the selection record takes the form's value. The record only grows until the next
    // set-up or Revert.
    void createUpdatedChangesOnly();
    // Apply, once the form passed its checks: the form's values become the new point of comparison.
    void apply();
    // Revert: back to the values the selection had when it was set up, pending edits kept for later.
    void revert();

    // One edit of a field: the value and its change flag go into the form record and the pending edits.
    void editField(const MetadataKeyRow& row, const QString& value);
    // The editing option, in the form, the pending edits and the selection record; then the changed
    // fields are rebuilt. Answers the record the fields then show: option 1 shows only the changed fields.
    const MetaDataObject& changeEditingOption(int option);
    void setClearSwitch(MetadataClearSwitch clearSwitch, bool on);
    // A preset merged into the form as an edit.
    void applyPreset(const MetaDataObject& preset);
    // Reset and the end of a batch run drop the pending edits.
    void dropPendingEdits();
    // Copies the named fields with their flags from the form record into the pending edits (the map's
    // position goes into the form record first, then travels as one edit).
    void copyToPendingEdits(std::initializer_list<QString MetaDataObject::*> fields);

  private:
    MetaDataObject& m_selection;
    MetaDataObject& m_selectionOnlyUpdated;
    MetaDataObject m_metaDataObject;
    MetaDataObject m_editedMetaDataObject;
    bool m_isEditedMetadataObject = false;
    std::optional<MetaDataObject> m_beforeSaving;
    std::optional<MetaDataObject> m_updatedChange;
    bool m_isParamsChanged = false;
    bool m_isMetaDataResetEnable = false;
};
