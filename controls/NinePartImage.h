#pragma once

#include <QRectF>
#include <QSizeF>
#include <QString>

class QPainter;

// A picture in nine slices: fixed corners, edges stretched along their edge, the centre stretched both ways.
namespace NinePartImage {

struct Names {
    QString topLeft, topFill, topRight, leftFill, centerFill, rightFill, bottomLeft, bottomFill, bottomRight;
};

struct Rects {
    QRectF topLeft, top, topRight, left, center, right, bottomLeft, bottom, bottomRight;
};

// Corner sizes come from the corner slices; the edges and the centre fill what is left.
Rects layout(const QRectF& frame, const QSizeF& topLeft, const QSizeF& bottomRight);

void draw(QPainter& painter, const QRectF& frame, const Names& names);

}  // namespace NinePartImage
