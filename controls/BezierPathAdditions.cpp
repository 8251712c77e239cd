#include "controls/BezierPathAdditions.h"

#include <QPainter>

namespace BezierPathAdditions {

void strokeInside(QPainter& painter, const QPainterPath& path, const QPen& pen, const QRectF& within) {
    const float width = static_cast<float>(pen.widthF());
    painter.save();
    // Doubling the pen and clipping to the shape leaves exactly its inner half visible.
    QPen doubled(pen);
    doubled.setWidthF(2.0 * width);
    painter.setClipPath(path, Qt::IntersectClip);
    if (within.width() > 0 && within.height() > 0) painter.setClipRect(within, Qt::IntersectClip);
    painter.setPen(doubled);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
    painter.restore();
}

}  // namespace BezierPathAdditions
