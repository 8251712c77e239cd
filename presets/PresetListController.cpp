#include "presets/PresetListController.h"

#include "model/PresetStore.h"
#include "presets/Logging.h"

PresetListController::PresetListController(PresetStore& store) : m_store(store) {}

const QList<MetaDataObject>& PresetListController::arrayPresets() const {
    return m_store.arrayPresets();
}

bool PresetListController::isListIndex(int index) const {
    return index >= 0 && index < m_store.arrayPresets().size();
}

bool PresetListController::save() {
    // The store logs a failed write; the list stays in memory and is written again at the next change.
    return m_store.saveProjectSession();
}

void PresetListController::presetSelectionDidChange(int row) {
    if (m_selectedPresetIndex >= 0) updatePresetObject();
    m_isParamsChanged = false;
    if (!isListIndex(row)) {
        m_selectedPresetIndex = -1;
        return;
    }
    m_metaDataObject = MetaDataObject::initWithObject(m_store.arrayPresets().at(row));
    m_selectedPresetIndex = row;
}

bool PresetListController::updatePresetObject() {
    if (!isListIndex(m_selectedPresetIndex)) return false;
    // A copy, so that later edits stay out of the list until the next write-back.
    m_store.arrayPresets()[m_selectedPresetIndex] = MetaDataObject::initWithObject(m_metaDataObject);
    save();
    return true;
}

void PresetListController::addPreset() {
    presetSelectionDidChange(-1);
    MetaDataObject preset;
    preset.name = newPresetName();
    m_store.arrayPresets().insert(0, preset);
    save();
    presetSelectionDidChange(0);
}

QString PresetListController::presetNameUpdated(int row, const QString& name) {
    const QString kept = name.isEmpty() ? newPresetName() : name;
    if (!isListIndex(row)) return kept;
    if (row == m_selectedPresetIndex) m_metaDataObject.name = kept;
    m_store.arrayPresets()[row].name = kept;
    save();
    return kept;
}

bool PresetListController::removePreset(int row) {
    if (!isListIndex(row)) return false;
    m_selectedPresetIndex = -1;
    m_isParamsChanged = false;
    m_store.arrayPresets().removeAt(row);
    save();
    qCInfo(lcPresets).noquote() << QStringLiteral("preset removed, %1 left").arg(m_store.arrayPresets().size());
    return true;
}

int PresetListController::applyPreset() {
    updatePresetObject();
    return isListIndex(m_selectedPresetIndex) ? m_selectedPresetIndex : -1;
}

void PresetListController::windowWillClose() {
    updatePresetObject();
}

bool PresetListController::setEditingOption(int option) {
    if (option < OnlyModifyEditedFields || option > CleanMetadataInfo) return false;
    m_metaDataObject.editingOption = option;
    m_isParamsChanged = true;
    return true;
}
