#pragma once

#include <QList>
#include <QPointF>
#include <QRectF>

#include "editor/EditSession.h"

// The Presets button's popup on the editing form: one row per saved preset and a last row that opens the
// preset editor. Choosing a preset merges it into the form as an edit.
class PresetPopup {
  public:
    // 200 wide; 30 points a row plus 36 for up to five presets (the editor row included), else 180.
    static QRectF frame(int presetCount) { return {0, 0, 200, presetCount <= 5 ? 30.0 * presetCount + 36 : 180}; }
    // The arrow points up at the middle of the button's bottom edge: the list hangs from the button.
    static QPointF anchor(const QRectF& buttonFrame) { return {buttonFrame.center().x(), buttonFrame.bottom()}; }

    enum class Choice { ApplyPreset, OpenPresetEditor };
    // The last row opens the editor; every other row applies the preset with its index.
    static Choice choose(int row, int presetCount) {
        return row == presetCount ? Choice::OpenPresetEditor : Choice::ApplyPreset;
    }

    // btnApplyPresetTapped's merge: only an index inside the list changes the form. Answers whether it did.
    static bool applyPreset(EditSession& session, const QList<MetaDataObject>& presets, int index);
};
