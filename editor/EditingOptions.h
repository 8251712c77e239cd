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
    // The option list: as wide as the option's field and its button together, and never narrower than its
    // rows need to show their texts whole; every row in sight up to five (30 points a row and the list's
    // edges), else six rows and the list scrolls.
    static QRectF listFrame(double fieldAndButtonWidth, double rowsWidth, int rows);
    // The list hangs from the middle of the bottom edge of the field and button.
    static QPointF listAnchor(const QRectF& fieldAndButton);

    // Which panel the form shows for its record's option: the clear ticks for "Clean Metadata info" (the
    // form scrolled to its top and locked there), the fields otherwise.
    struct PanelLayout {
        bool showsClearOptions = false;
        bool scrollingEnabled = true;
    };
    static PanelLayout panelLayout(int editingOption);
};
