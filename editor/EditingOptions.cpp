#include "editor/EditingOptions.h"

#include "model/MetaDataObject.h"

namespace {

constexpr double kRowHeight = 30;

}  // namespace

QRectF EditingOptions::listFrame(double buttonWidth, int rows) {
    const double height = rows <= 5 ? kRowHeight * rows + 4 : 180;
    return {0, 0, buttonWidth, height};
}

QPointF EditingOptions::listAnchor(const QRectF& containerFrame, const QRectF& buttonFrame, double buttonTopInForm) {
    return {containerFrame.x() + buttonFrame.x() + buttonFrame.width() / 2 + 30, buttonTopInForm - 16};
}

EditingOptions::PanelLayout EditingOptions::panelLayout(int editingOption) {
    PanelLayout layout;
    layout.showsClearOptions = editingOption == CleanMetadataInfo;
    layout.scrollingEnabled = !layout.showsClearOptions;
    return layout;
}
