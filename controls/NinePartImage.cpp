#include "controls/NinePartImage.h"

#include "controls/ImageLibrary.h"

#include <algorithm>

namespace NinePartImage {

Rects layout(const QRectF& frame, const QSizeF& topLeft, const QSizeF& bottomRight) {
    const qreal left = std::min(topLeft.width(), frame.width() / 2);
    const qreal top = std::min(topLeft.height(), frame.height() / 2);
    const qreal right = std::min(bottomRight.width(), frame.width() - left);
    const qreal bottom = std::min(bottomRight.height(), frame.height() - top);
    const qreal x0 = frame.left(), x1 = frame.left() + left, x2 = frame.right() - right, x3 = frame.right();
    const qreal y0 = frame.top(), y1 = frame.top() + top, y2 = frame.bottom() - bottom, y3 = frame.bottom();
    auto r = [](qreal l, qreal t, qreal rr, qreal b) { return QRectF(QPointF(l, t), QPointF(rr, b)); };
    return Rects{r(x0, y0, x1, y1), r(x1, y0, x2, y1), r(x2, y0, x3, y1), r(x0, y1, x1, y2), r(x1, y1, x2, y2),
                 r(x2, y1, x3, y2), r(x0, y2, x1, y3), r(x1, y2, x2, y3), r(x2, y2, x3, y3)};
}

void draw(QPainter& painter, const QRectF& frame, const Names& n) {
    const Rects r = layout(frame, ImageLibrary::naturalSize(n.topLeft), ImageLibrary::naturalSize(n.bottomRight));
    ImageLibrary::draw(painter, n.topLeft, r.topLeft);
    ImageLibrary::draw(painter, n.topFill, r.top);
    ImageLibrary::draw(painter, n.topRight, r.topRight);
    ImageLibrary::draw(painter, n.leftFill, r.left);
    ImageLibrary::draw(painter, n.centerFill, r.center);
    ImageLibrary::draw(painter, n.rightFill, r.right);
    ImageLibrary::draw(painter, n.bottomLeft, r.bottomLeft);
    ImageLibrary::draw(painter, n.bottomFill, r.bottom);
    ImageLibrary::draw(painter, n.bottomRight, r.bottomRight);
}

}  // namespace NinePartImage
