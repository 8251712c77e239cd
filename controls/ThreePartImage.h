#pragma once

#include <QRectF>
#include <QSizeF>
#include <QString>

class QPainter;

// A horizontal picture in three slices: the caps keep their own width at the full height of the frame and
// the middle slice stretches between them.
namespace ThreePartImage {

struct Rects {
    QRectF start, middle, end;
};

// A missing slice has an empty natural size and takes no width.
Rects layout(const QRectF& frame, const QSizeF& startSize, const QSizeF& endSize);

void draw(QPainter& painter, const QRectF& frame, const QString& start, const QString& middle, const QString& end);

}  // namespace ThreePartImage
