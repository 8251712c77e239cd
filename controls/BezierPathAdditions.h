#pragma once

#include <QPainterPath>
#include <QPen>
#include <QRectF>

class QPainter;

namespace BezierPathAdditions {

// Strokes path with pen so that the whole stroke lies inside the path's area (a pen w wide covers exactly
// the outer w of the shape), optionally limited to within as well; an empty within adds no limit. The
// painter's state, clip included, is as it was afterwards.
void strokeInside(QPainter& painter, const QPainterPath& path, const QPen& pen, const QRectF& within = QRectF());

}  // namespace BezierPathAdditions
