#include "editor/PresetPopup.h"

bool PresetPopup::applyPreset(EditSession& session, const QList<MetaDataObject>& presets, int index) {
    if (index < 0 || index >= presets.size()) return false;
    session.applyPreset(presets.at(index));
    return true;
}
