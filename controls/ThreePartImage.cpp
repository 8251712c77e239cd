#include "controls/ThreePartImage.h"

#include "controls/ImageLibrary.h"

#include <algorithm>

namespace ThreePartImage {

Rects layout(const QRectF& frame, const QSizeF& startSize, const QSizeF& endSize) {
    const qreal startW = std::min(std::max<qreal>(0, startSize.width()), frame.width());
    const qreal endW = std::min(std::max<qreal>(0, endSize.width()), frame.width() - startW);
    Rects r;
    r.start = QRectF(frame.left(), frame.top(), startW, frame.height());
    r.end = QRectF(frame.right() - endW, frame.top(), endW, frame.height());
    r.middle = QRectF(r.start.right(), frame.top(), std::max<qreal>(0, r.end.left() - r.start.right()), frame.height());
    return r;
}

void draw(QPainter& painter, const QRectF& frame, const QString& start, const QString& middle, const QString& end) {
    const Rects r = layout(frame, ImageLibrary::naturalSize(start), ImageLibrary::naturalSize(end));
    ImageLibrary::draw(painter, start, r.start);
    ImageLibrary::draw(painter, middle, r.middle);
    ImageLibrary::draw(painter, end, r.end);
}

}  // namespace ThreePartImage
