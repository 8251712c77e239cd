#include "editor/EditingOptions.h"

#include "editor/PopupLists.h"
#include "model/MetaDataObject.h"

#include <algorithm>

QRectF EditingOptions::listFrame(double fieldAndButtonWidth, double rowsWidth, int rows) {
    return {0, 0, std::max(fieldAndButtonWidth, rowsWidth), static_cast<double>(PopupLists::codedListHeight(rows))};
}

QPointF EditingOptions::listAnchor(const QRectF& fieldAndButton) {
    return {fieldAndButton.center().x(), fieldAndButton.bottom()};
}

EditingOptions::PanelLayout EditingOptions::panelLayout(int editingOption) {
    PanelLayout layout;
    layout.showsClearOptions = editingOption == CleanMetadataInfo;
    layout.scrollingEnabled = !layout.showsClearOptions;
    return layout;
}
