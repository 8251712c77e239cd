#pragma once

#include <QList>
#include <QObject>

#include <utility>

#include "model/MetaDataObject.h"
#include "model/MetadataKeyTable.h"

// The editing form's records and their rules, in one owner: the selection record (the merged values of the
// ticked photos), the form record the fields show and the run writes, the pending edits that outlive a
// selection, the values before editing (for Revert and the restore run), the changed fields a run hands to
// the writer, and the unsaved-edit flag. Every change goes through one of its verbs, which announce it;
// the screen and its halves only read the records and follow the signals. Main thread only.
class EditSession : public QObject {
    Q_OBJECT
  public:
    // The application keeps the selection record and the copy of the last applied changes for the whole run
    // and lends them; the session is their only writer. A session given none keeps its own.
    struct Lent {
        MetaDataObject* selection = nullptr;
        MetaDataObject* appliedChanges = nullptr;
    };
    // A field and the value a map report gives it.
    using FieldValue = std::pair<QString MetaDataObject::*, QString>;

    explicit EditSession(QObject* parent = nullptr);
    explicit EditSession(Lent lent, QObject* parent = nullptr);

    // ---- Records ----
    const MetaDataObject& selectedMetaDataSettingObj() const { return *m_selection; }
    const MetaDataObject& selectedMetaDataSettingObjOnlyUpdatedFields() const { return *m_appliedChanges; }
    const MetaDataObject& metaDataObject() const { return m_form; }
    const MetaDataObject& editedMetaDataObject() const { return m_edited; }
    bool isEditedMetadataObject() const { return m_isEdited; }
    const MetaDataObject& metaDataObjectBeforeSaving() const { return m_beforeSaving; }
    const MetaDataObject& metaDataObjectWithUpdatedChange() const { return m_updatedChange; }

    // ---- Unsaved-edit state ----
    // Whether the form holds edits that were neither applied nor run.
    bool isParamsChanged() const { return m_isParamsChanged; }
    // What the Reset button returns to when a dropdown popup closes: Reset is allowed exactly while there are
    // unsaved edits.
    bool isMetaDataResetEnable() const { return m_isParamsChanged; }
    // Sets the unsaved-edit flag and announces it, also when it keeps its value: what follows it (Apply,
    // Revert, Reset) looks at the records again.
    void isMetadataParamChanged(bool changed);
    // Whether Revert has something to undo: the form record holds other values than before editing (an
    // Apply does not change that), or marks a field as edited, or another option, switch or date rule.
    bool differsFromBeforeEditing() const;

    // ---- Verbs ----
    // A newly merged selection (an empty record when no photo is ticked) becomes the point of comparison;
    // the pending edits are laid on the form record again, and then count as unsaved edits while photos are
    // ticked. Answers whether edits were laid on. With no photo the fields show the empty selection.
    bool setSelection(const MetaDataObject& merged, bool hasPhotos);
    // Brings the changed-fields record up to date: every field that takes part and differs, character for
    // character, from the selection record takes the form's value, and so does every field marked as edited
    // (a date also by its rule set on the form or by a preset, never empty). The record only grows until the
    // next set-up or Revert, or until an edit is taken back.
    void createUpdatedChangesOnly();
    // Apply, once the form passed its checks: the form's values become the new point of comparison.
    void apply();
    // Revert: back to the values the selection had when it was set up, pending edits kept for later.
    void revert();
    // One edit of a field: the value and its change flag go into the form record and the pending edits. A
    // value that is what the field showed at the last set-up of the selection, Apply or Revert (an undo, or
    // the same text typed again) takes the edit back instead: the field's flag, pending edit and changed-field
    // value are what they were then, so an untouched field leaves each photo's own value. Under "clear others"
    // the fields show the changed fields, and every typed text is an edit.
    void editField(const MetadataKeyRow& row, const QString& value);
    // A rule from the date panel for the date of this DateTimeFieldIndex: the rule and the date's change flag
    // go into both records, the summary becomes the pending edit's text. Any other index changes nothing.
    void setDateRule(int fieldIndex, DateTimeConfigurationRef rule, const QString& summary);
    // The editing option, in the form, the pending edits and the selection record; then the changed fields
    // are rebuilt. Under "clear others" the fields show only the changed fields.
    void changeEditingOption(int option);
    void setClearSwitch(MetadataClearSwitch clearSwitch, bool on);
    // A preset merged into the form as an edit. It brings all six date rules; a date it gives a rule or text
    // of its own is marked as edited, and a date it gives no text loses the summary of the rule it replaced,
    // in the form and in the pending edits.
    void applyPreset(const MetaDataObject& preset);
    // A report of the map: each value goes in as an edit of its field.
    void editMapFields(const QList<FieldValue>& values);
    // Reset and the end of a batch run drop the pending edits; the form record stays as it is.
    void dropPendingEdits();

  signals:
    // The form record was replaced or changed as a whole (a selection, Revert, a preset, the editing option).
    // shown is the record the fields show now.
    void recordReplaced(const MetaDataObject& shown);
    // One field of the form record changed, with its change flag (an edit, a date rule, a map report).
    void fieldChanged(const MetadataKeyRow& row);
    // The unsaved-edit flag was set.
    void unsavedStateChanged(bool changed);

  private:
    // selection becomes the selection record and the point of comparison: the form shows it, and no field
    // counts as changed.
    void startFrom(const MetaDataObject& selection);
    void markEdited();
    // The point an edit is taken back to: the records as the last set-up, Apply or Revert left them.
    void takeBaseline();
    void takeBackEdit(const MetadataKeyRow& row);
    // Whether the pending edits still hold anything a next selection would take over.
    bool holdsPendingEdits() const;
    // Whether the form record holds other values, change flags, date rules, option or switches than record.
    bool differsFrom(const MetaDataObject& record) const;

    MetaDataObject m_ownSelection;
    MetaDataObject m_ownAppliedChanges;
    MetaDataObject* m_selection;
    MetaDataObject* m_appliedChanges;
    MetaDataObject m_form;
    MetaDataObject m_edited;
    MetaDataObject m_beforeSaving;
    MetaDataObject m_updatedChange;
    struct Baseline {
        MetaDataObject form;
        MetaDataObject edited;
        MetaDataObject updatedChange;
        bool unsaved = false;
    };
    Baseline m_baseline;
    bool m_isEdited = false;
    bool m_isParamsChanged = false;
};
