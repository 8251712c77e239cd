#include "controls/AttachedWindowGeometry.h"

#include <QTransform>

#include <algorithm>
#include <cmath>

namespace AttachedWindowGeometry {

namespace {

bool isOneOf(int side, std::initializer_list<int> codes) {
    return std::find(codes.begin(), codes.end(), side) != codes.end();
}

// A quarter circle of radius r around corner, from the current point (r before it) to next (r after it).
void cornerTo(QPainterPath& path, const QPointF& corner, const QPointF& next, double r) {
    if (r <= 0) {
        path.lineTo(corner);
        path.lineTo(next);
        return;
    }
    constexpr double k = 0.5522847498;  // control-point ratio of a cubic quarter circle
    const QPointF from = path.currentPosition();
    path.cubicTo(from + k * (corner - from), next + k * (corner - next), next);
}

struct Arrow {
    double a, b, hb;
    bool on;
    // From the current point: out to the tip, then back onto the edge b further along the travel.
    void insert(QPainterPath& path, Edge edge) const {
        if (!on) return;
        const QPointF c = path.currentPosition();
        switch (edge) {
            case Edge::Top:
                path.lineTo(c.x() + hb, c.y() + a);
                path.lineTo(c.x() + b, c.y());
                break;
            case Edge::Right:
                path.lineTo(c.x() + a, c.y() - hb);
                path.lineTo(c.x(), c.y() - b);
                break;
            case Edge::Bottom:
                path.lineTo(c.x() - hb, c.y() - a);
                path.lineTo(c.x() - b, c.y());
                break;
            case Edge::Left:
                path.lineTo(c.x() - a, c.y() + hb);
                path.lineTo(c.x(), c.y() + b);
                break;
        }
    }
};

struct CornerRadii {
    double topLeft, topRight, bottomRight, bottomLeft;
};

// The corner beside a corner-placed arrow stays square unless it is asked to be rounded.
CornerRadii cornerRadii(int side, double r, bool roundBesideArrow) {
    const bool square = !roundBesideArrow;
    return {square && isOneOf(side, {7, 11}) ? 0 : r, square && isOneOf(side, {5, 10}) ? 0 : r,
            square && isOneOf(side, {4, 8}) ? 0 : r, square && isOneOf(side, {6, 9}) ? 0 : r};
}

}  // namespace

Edge arrowEdge(int side) {
    if (isOneOf(side, {1, 10, 11})) return Edge::Top;
    if (isOneOf(side, {0, 4, 5})) return Edge::Right;
    if (isOneOf(side, {3, 8, 9})) return Edge::Bottom;
    return Edge::Left;
}

Layout layout(const QSizeF& viewSize, float viewMargin, float arrowHeight, int side, double s) {
    const double margin = viewMargin * s;
    const double room = static_cast<float>(arrowHeight * s);
    Layout out;
    out.viewFrame = QRectF(QPointF(margin, margin), viewSize);
    out.windowSize = QSizeF(viewSize.width() + 2 * margin, viewSize.height() + 2 * margin);
    switch (arrowEdge(side)) {
        case Edge::Right:
            out.windowSize.rwidth() += room;
            break;
        case Edge::Left:
            out.windowSize.rwidth() += room;
            out.viewFrame.translate(room, 0);
            break;
        case Edge::Top:
            out.windowSize.rheight() += room;
            break;
        case Edge::Bottom:
            out.windowSize.rheight() += room;
            out.viewFrame.translate(0, room);
            break;
    }
    return out;
}

float arrowInset(float arrowBaseWidth, float cornerRadius, bool drawsRoundCornerBesideArrow, double s) {
    return static_cast<float>(s * (arrowBaseWidth / 2.0 + (drawsRoundCornerBesideArrow ? cornerRadius : 0.0)));
}

QPointF windowOrigin(const QPointF& point, const QSizeF& windowSize, int side, float distance, float inset) {
    const double px = point.x(), py = point.y();
    const double w = windowSize.width(), h = windowSize.height();
    const double halfW = static_cast<float>(w / 2), halfH = static_cast<float>(h / 2);
    const double d = distance, i = inset;
    switch (side) {
        case 0:
            return {px - w - d, py - halfH};
        case 1:
            return {px - halfW, py - h - d};
        case 2:
            return {px + d, py - halfH};
        case 3:
            return {px - halfW, py + d};
        case 4:
            return {px - w - d, py - i};
        case 5:
            return {px - w - d, py - (h - i)};
        case 6:
            return {px + d, py - i};
        case 7:
            return {px + d, py - (h - i)};
        case 8:
            return {px - (w - i), py + d};
        case 9:
            return {px - i, py + d};
        case 10:
            return {px - (w - i), py - h - d};
        case 11:
            return {px - i, py - h - d};
        default:
            return {px - halfW, py - h - d};
    }
}

int bestSide(const QPointF& point, const QSizeF& viewSize, const Look& look, float distance, const QRectF& screenArea,
             const QRectF& parentArea, double s) {
    const double px = point.x(), py = point.y();
    const double w = viewSize.width() + 2 * look.viewMargin * s;
    const double h = viewSize.height() + 2 * look.viewMargin * s;
    const double d = static_cast<float>(distance + look.arrowHeight * s);
    const double sLeft = screenArea.left(), sRight = screenArea.right();
    const double sBottom = screenArea.top(), sTop = screenArea.bottom();  // y-up: top() is the low edge

    int side = 1;
    if (sBottom <= py - h - d)
        side = 1;
    else if (px + w + d < sRight)
        side = 2;
    else if (sLeft <= px - w - d)
        side = 0;
    else if (py + h + d < sTop)
        side = 3;

    const double i = arrowInset(look.arrowBaseWidth, look.cornerRadius, look.drawsRoundCornerBesideArrow, s);
    const double halfW = static_cast<float>(w / 2), halfH = static_cast<float>(h / 2);
    if (side == 0 || side == 2) {
        if (parentArea.top() > py - halfH) {
            if (py + h - i < sTop) side = side == 0 ? 4 : 6;
        } else if (py + halfH >= parentArea.bottom()) {
            if (py - h + i >= sBottom) side = side == 0 ? 5 : 7;
        }
    } else {
        if (parentArea.left() > px - halfW) {
            if (px + w - i < sRight) side = side == 1 ? 11 : 9;
        } else if (px + halfW >= parentArea.right()) {
            if (px - w + i >= sLeft) side = side == 1 ? 10 : 8;
        }
    }
    return side;
}

float clampBorderWidth(float value, float viewMargin) {
    return std::min(value, viewMargin);
}

float clampViewMargin(float value) {
    return std::max(value, 0.0f);
}

float clampCornerRadius(float value, float viewMargin, double viewW, double viewH, float arrowBaseWidth) {
    const double limit = (2.0 * viewMargin + std::min(viewW, viewH) - arrowBaseWidth) / 2.0;
    return static_cast<float>(std::max(0.0, std::min<double>(value, limit)));
}

float clampArrowBaseWidth(float value, float viewMargin, double viewW, double viewH, float cornerRadius,
                          bool drawsRoundCornerBesideArrow) {
    double limit = 2.0 * viewMargin + std::min(viewW, viewH) - cornerRadius;
    if (drawsRoundCornerBesideArrow) limit -= cornerRadius;
    return static_cast<float>(std::max(0.0, std::min<double>(value, limit)));
}

QPainterPath outlinePath(const QRectF& viewFrame, const Look& look, int side, double s) {
    const double r = look.cornerRadius * s, b = look.arrowBaseWidth * s, a = look.arrowHeight * s;
    const Arrow arrow{a, b, b / 2, look.hasArrow};
    const QRectF box =
        viewFrame.adjusted(-look.viewMargin * s, -look.viewMargin * s, look.viewMargin * s, look.viewMargin * s);
    const double minX = std::ceil(box.left() * s + 0.5), maxX = std::floor((box.left() + box.width()) * s - 0.5);
    const double minY = std::ceil(box.top() * s + 0.5), maxY = std::floor((box.top() + box.height()) * s - 0.5);
    const double midX = (box.left() + box.width() / 2) * s, midY = (box.top() + box.height() / 2) * s;

    const auto [rTL, rTR, rBR, rBL] = cornerRadii(side, r, look.drawsRoundCornerBesideArrow);
    const Edge edge = arrowEdge(side);

    QPainterPath path;
    path.moveTo(minX + rTL, maxY);
    if (side == 1) path.lineTo(midX - arrow.hb, maxY);
    if (side == 10) path.lineTo(maxX - rTR - b, maxY);
    if (edge == Edge::Top) arrow.insert(path, edge);
    path.lineTo(maxX - rTR, maxY);
    cornerTo(path, {maxX, maxY}, {maxX, maxY - rTR}, rTR);

    if (side == 0) path.lineTo(maxX, midY + arrow.hb);
    if (side == 4) path.lineTo(maxX, minY + rBR + b);
    if (edge == Edge::Right) arrow.insert(path, edge);
    path.lineTo(maxX, minY + rBR);
    cornerTo(path, {maxX, minY}, {maxX - rBR, minY}, rBR);

    if (side == 3) path.lineTo(midX + arrow.hb, minY);
    if (side == 9) path.lineTo(minX + rBL + b, minY);
    if (edge == Edge::Bottom) arrow.insert(path, edge);
    path.lineTo(minX + rBL, minY);
    cornerTo(path, {minX, minY}, {minX, minY + rBL}, rBL);

    if (side == 2) path.lineTo(minX, midY - arrow.hb);
    if (side == 7) path.lineTo(minX, maxY - rTL - b);
    if (edge == Edge::Left) arrow.insert(path, edge);
    path.lineTo(minX, maxY - rTL);
    cornerTo(path, {minX, maxY}, {minX + rTL, maxY}, rTL);
    path.closeSubpath();
    return path;
}

QPainterPath outlinePathYDown(const QRectF& viewFrame, const QSizeF& windowSize, const Look& look, int side, double s) {
    const QTransform flip(1, 0, 0, -1, 0, windowSize.height());
    return flip.map(outlinePath(viewFrame, look, side, s));
}

QPointF pointFromYDown(const QPointF& p) {
    return QPointF(p.x(), -p.y());
}

QRectF rectFromYDown(const QRectF& r) {
    return QRectF(r.x(), -(r.y() + r.height()), r.width(), r.height());
}

QPointF topLeftFromOrigin(const QPointF& origin, const QSizeF& windowSize) {
    return QPointF(origin.x(), -(origin.y() + windowSize.height()));
}

QRectF viewFrameYDown(const QRectF& viewFrame, const QSizeF& windowSize) {
    return QRectF(viewFrame.x(), windowSize.height() - viewFrame.y() - viewFrame.height(), viewFrame.width(),
                  viewFrame.height());
}

}  // namespace AttachedWindowGeometry
