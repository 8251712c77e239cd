#pragma once

#include <QPointF>
#include <QRectF>
#include <QString>
#include <QStringList>

#include "model/MetadataKeyTable.h"

// The form's side of the three editing options and the five clear ticks: the list's size and place, and
// which panel each option shows. What an option does to a photo is the writer's business.
class EditingOptions {
  public:
    // The option texts are FieldDisplay::editingOptionText.
    // The option list: as wide as its button, 30 points a row plus 4 for up to five rows, else 180.
    static QRectF listFrame(double buttonWidth, int rows);
    // The arrow's point, from the frames of the form container and of the option button and the button's
    // top edge in the form's coordinates.
    static QPointF listAnchor(const QRectF& containerFrame, const QRectF& buttonFrame, double buttonTopInForm);

    // Which panel the form shows for its record's option: the clear ticks for "Clean Metadata info" (the
    // form scrolled to its top and locked there), the fields otherwise.
    struct PanelLayout {
        bool showsClearOptions = false;
        bool scrollingEnabled = true;
    };
    static PanelLayout panelLayout(int editingOption);
};
