#pragma once

#include <QPointF>

class PhotoThumbnailCell;

// Hears a photo row. Every message is optional: the defaults do nothing.
class PhotoThumbnailCellDelegate {
  public:
    virtual ~PhotoThumbnailCellDelegate() = default;
    virtual void btnCheckBoxSelect(PhotoThumbnailCell* cell) { (void)cell; }
    virtual void cellDoubleClicked(PhotoThumbnailCell* cell) { (void)cell; }
    // location: in the coordinates of the view that holds the table's scroll area.
    virtual void btnInfoTappedAtLocationInTableView(const QPointF& location, qint64 row, bool isFromRightMouseDown) {
        (void)location, (void)row, (void)isFromRightMouseDown;
    }
};
