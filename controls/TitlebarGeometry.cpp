#include "controls/TitlebarGeometry.h"

#include <cmath>

namespace TitlebarGeometry {

namespace {

// The rules below are written with y growing upwards from the bar's bottom edge, as buttons have always
// been placed by their bottom-left corners; this turns such a bottom y into a top y.
qreal topFromBottom(const QRectF& container, qreal bottomY, qreal height) {
    return container.top() + container.height() - bottomY - height;
}

}  // namespace

QRectF containerRect(const QSizeF& windowSize, qreal titleBarHeight) {
    return QRectF(0, 0, windowSize.width(), titleBarHeight);
}

TrafficLightFrames layoutTrafficLights(const QRectF& container, const TrafficLightInput& in) {
    const qreal h = container.height();
    TrafficLightFrames out;
    if (!in.vertical) {
        const qreal bottom =
            in.centered ? std::round(h / 2 - in.close.height() / 2) : h - in.close.height() - in.topMargin;
        const qreal closeX = container.left() + in.leftMargin;
        const qreal minX = closeX + in.close.width() + in.separation;
        const qreal zoomX = minX + in.minimise.width() + in.separation;
        out.close = QRectF(QPointF(closeX, topFromBottom(container, bottom, in.close.height())), in.close);
        out.minimise = QRectF(QPointF(minX, topFromBottom(container, bottom, in.minimise.height())), in.minimise);
        out.zoom = QRectF(QPointF(zoomX, topFromBottom(container, bottom, in.zoom.height())), in.zoom);
        return out;
    }
    const qreal gap = in.separation - 2;
    const qreal total = in.close.height() + in.minimise.height() + in.zoom.height() + 2 * gap;
    const qreal zoomBottom = in.centered ? std::round(h / 2 - total / 2) : h - total - in.topMargin;
    const qreal minBottom = zoomBottom + in.zoom.height() + gap;
    const qreal closeBottom = minBottom + in.minimise.height() + gap;
    const qreal x = container.left() + in.leftMargin;
    out.zoom = QRectF(QPointF(x, topFromBottom(container, zoomBottom, in.zoom.height())), in.zoom);
    out.minimise = QRectF(QPointF(x, topFromBottom(container, minBottom, in.minimise.height())), in.minimise);
    out.close = QRectF(QPointF(x, topFromBottom(container, closeBottom, in.close.height())), in.close);
    return out;
}

QRectF contentRect(const QSizeF& windowSize, qreal titleBarHeight) {
    const qreal height = std::max<qreal>(0, windowSize.height() - titleBarHeight);
    return QRectF(0, windowSize.height() - height, windowSize.width(), height);
}

QRectF defaultSheetRect(const QRectF& proposed, qreal titleBarHeight) {
    QRectF rect(proposed);
    rect.moveTop(titleBarHeight);
    return rect;
}

QPointF sheetTopLeft(const QRectF& windowFrame, const QRectF& sheetRect, const QSizeF& sheetSize) {
    return QPointF(std::round(windowFrame.x() + sheetRect.center().x() - sheetSize.width() / 2),
                   windowFrame.y() + sheetRect.top());
}

QRectF titleFrame(const QRectF& bounds, const QSizeF& titleSize, bool verticallyCenter) {
    const qreal x = bounds.center().x() - titleSize.width() / 2;
    qreal top = bounds.top() + 2;
    if (verticallyCenter) {
        const float bottom = std::floor(static_cast<float>(bounds.height() / 2 - titleSize.height() / 2));
        top = bounds.top() + bounds.height() - bottom - titleSize.height();
    }
    return QRectF(QPointF(x, top), titleSize);
}

QPainterPath roundedTopPath(const QRectF& rect, qreal radius) {
    QPainterPath path;
    path.moveTo(rect.bottomLeft());
    path.lineTo(rect.left(), rect.top() + radius);
    path.arcTo(QRectF(rect.left(), rect.top(), 2 * radius, 2 * radius), 180, -90);
    path.lineTo(rect.right() - radius, rect.top());
    path.arcTo(QRectF(rect.right() - 2 * radius, rect.top(), 2 * radius, 2 * radius), 90, -90);
    path.lineTo(rect.bottomRight());
    path.closeSubpath();
    return path;
}

QPainterPath backgroundClip(const QRectF& bounds) {
    return roundedTopPath(bounds.adjusted(0, 1, 0, 0));
}

QRectF noiseRect(const QRectF& bounds, bool showsBaselineSeparator) {
    QRectF rect = bounds.adjusted(1, 1, -1, -1);
    if (!showsBaselineSeparator) rect.setBottom(rect.bottom() + 1);
    return rect;
}

Qt::Edges resizeEdgesAt(const QPointF& pos, const QSizeF& windowSize, qreal border) {
    Qt::Edges edges;
    if (pos.x() < 0 || pos.y() < 0 || pos.x() > windowSize.width() || pos.y() > windowSize.height()) return edges;
    if (pos.x() < border) edges |= Qt::LeftEdge;
    if (pos.x() >= windowSize.width() - border) edges |= Qt::RightEdge;
    if (pos.y() < border) edges |= Qt::TopEdge;
    if (pos.y() >= windowSize.height() - border) edges |= Qt::BottomEdge;
    return edges;
}

}  // namespace TitlebarGeometry
