#include "editor/EditingOptions.h"

#include "model/MetaDataObject.h"

namespace {

constexpr double kRowHeight = 30;
// How far the field panel sits from the top of its superview with the option box above it; the clear
// panel is taller.
constexpr double kFieldsTopOffset = 147;
constexpr double kClearTopOffset = 230;

}  // namespace

QStringList EditingOptions::optionTexts() {
    return {QStringLiteral("Only modify fields that I edit and keep others as it is"),
            QStringLiteral("Modify fields that I edit and clear others"), QStringLiteral("Clean Metadata info")};
}

QString EditingOptions::optionText(int option) {
    const QStringList texts = optionTexts();
    return option >= 0 && option < texts.size() ? texts.at(option) : QString();
}

QRectF EditingOptions::listFrame(double buttonWidth, int rows) {
    const double height = rows <= 5 ? kRowHeight * rows + 4 : 180;
    return {0, 0, buttonWidth, height};
}

QPointF EditingOptions::listAnchor(const QRectF& containerFrame, const QRectF& buttonFrame, double buttonTopInForm) {
    return {containerFrame.x() + buttonFrame.x() + buttonFrame.width() / 2 + 30, buttonTopInForm - 16};
}

const QList<EditingOptions::ClearTick>& EditingOptions::clearTicks() {
    static const QList<ClearTick> ticks = {
        {MetadataClearSwitch::Comment, "checkClearComment", QStringLiteral("Comment")},
        {MetadataClearSwitch::Exif, "checkClearExif", QStringLiteral("EXIF")},
        {MetadataClearSwitch::IPTC, "checkClearIptc", QStringLiteral("IPTC")},
        {MetadataClearSwitch::GpsInfo, "checkClearGps", QStringLiteral("GPS Info")},
        {MetadataClearSwitch::XMP, "checkClearXmp", QStringLiteral("XMP")},
    };
    return ticks;
}

EditingOptions::PanelLayout EditingOptions::panelLayout(int editingOption, double superviewHeight,
                                                        double fieldPanelHeight) {
    PanelLayout layout;
    layout.showsClearOptions = editingOption == MetaDataObject::CleanMetadataInfo;
    const double offset = layout.showsClearOptions ? kClearTopOffset : kFieldsTopOffset;
    layout.fieldPanelOriginY = superviewHeight - fieldPanelHeight - offset;
    layout.scrollingEnabled = !layout.showsClearOptions;
    return layout;
}
