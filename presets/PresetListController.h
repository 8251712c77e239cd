#pragma once

#include <QList>
#include <QString>

#include "model/MetaDataObject.h"

class PresetStore;

// The preset list of the presets window, without its widgets: which preset is being edited, the copy of it
// that the form edits, and every change to the list. The form only ever edits the copy; the copy reaches the
// list when it is written back, and the list reaches the user defaults after every change to it, so neither
// a closed window nor an abnormal end of the application loses a preset. Main thread only.
class PresetListController {
  public:
    static QString newPresetName() { return QStringLiteral("New Configuration"); }

    explicit PresetListController(PresetStore& store);

    const QList<MetaDataObject>& arrayPresets() const;
    // Index in arrayPresets() of the preset whose copy is being edited; -1 for none.
    int selectedPresetIndex() const { return m_selectedPresetIndex; }
    bool isEditing() const { return m_selectedPresetIndex >= 0; }

    // The edited copy. It keeps its contents while no preset is selected but is never written back then.
    MetaDataObject& metaDataObject() { return m_metaDataObject; }
    const MetaDataObject& metaDataObject() const { return m_metaDataObject; }

    // Whether anything was edited since the last selection.
    bool isParamsChanged() const { return m_isParamsChanged; }
    void isMetadataParamChanged(bool changed) { m_isParamsChanged = changed; }

    // The list's selection moved to row (-1 or a row outside the list: none). The copy of the preset
    // selected until now is written back first; then row's preset is copied for editing.
    void presetSelectionDidChange(int row);
    // Replaces the selected preset by a copy of the edited copy and saves the list. False when no preset of
    // the list is selected.
    bool updatePresetObject();
    // Writes back the preset selected until now, puts a new preset named newPresetName() at index 0 and
    // selects it for editing.
    void addPreset();
    // The user named the preset at row; an empty name becomes newPresetName(). The name is saved at once and
    // also given to the edited copy when that is the preset's. Returns the name kept.
    QString presetNameUpdated(int row, const QString& name);
    // Removes the preset at row; its unsaved edits are dropped and no preset is selected afterwards. False
    // when row is not a row of the list.
    bool removePreset(int row);
    // Writes the edited copy back and answers the index of the preset to apply, or -1 when none is selected.
    int applyPreset();
    // The presets window closes: its edits are kept.
    void windowWillClose();
    // Stores the option of the editing-option list (0 to 2) in the edited copy; false for any other row.
    bool setEditingOption(int option);

  private:
    bool isListIndex(int index) const;
    bool save();

    PresetStore& m_store;
    MetaDataObject m_metaDataObject;
    int m_selectedPresetIndex = -1;
    bool m_isParamsChanged = false;
};
