#include "controls/AttachedWindowGeometry.h"

#include <QTransform>

#include <algorithm>
#include <cmath>
#include <tuple>
#include <utility>

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

namespace {

bool liesAboveOrBelow(int side) {
    const Edge edge = arrowEdge(side);
    return edge == Edge::Top || edge == Edge::Bottom;
}

// A side's placement as the codes have it, with the arrow aimed at point.
Placement placedAt(const Request& r, int side, const QPointF& point) {
    Placement p;
    p.side = side;
    p.layout = layout(r.viewSize, r.look.viewMargin, r.look.arrowHeight, side, r.s);
    const float inset = arrowInset(r.look.arrowBaseWidth, r.look.cornerRadius, r.look.drawsRoundCornerBesideArrow, r.s);
    p.origin = windowOrigin(point, p.layout.windowSize, side, r.distance, inset);
    p.arrowAt = liesAboveOrBelow(side) ? point.x() - p.origin.x() : point.y() - p.origin.y();
    return p;
}

// The low and high ends of an area along x, or along y.
std::pair<double, double> span(const QRectF& area, bool alongX) {
    return alongX ? std::pair{area.left(), area.right()} : std::pair{area.top(), area.bottom()};
}

bool fitsAcross(const Placement& p, const QRectF& area) {
    const QRectF frame(p.origin, p.layout.windowSize);
    const bool acrossY = liesAboveOrBelow(p.side);
    const auto [lo, hi] = span(area, !acrossY);
    const auto [from, to] = span(frame, !acrossY);
    return from >= lo && to <= hi;
}

// The areas a popup keeps to, strongest first: the screen, the part of the window on it, the part of the
// preferred area in the window.
struct Areas {
    QRectF screen, window, preferred;
};

Areas areasOf(const Request& r) {
    Areas areas{r.screenArea, r.windowArea.intersected(r.screenArea), {}};
    if (!areas.window.isValid()) areas.window = areas.screen;
    areas.preferred = r.preferredArea.intersected(areas.window);
    if (!areas.preferred.isValid()) areas.preferred = areas.window;
    return areas;
}

// Being on the screen counts most, then being over the window, then over the preferred area.
int fitScore(const Placement& p, const Areas& areas) {
    return (fitsAcross(p, areas.screen) ? 4 : 0) + (fitsAcross(p, areas.window) ? 2 : 0) +
           (fitsAcross(p, areas.preferred) ? 1 : 0);
}

// The point on the far side of what opened the popup: a popup that moves across to the other side must not
// cover its opener.
QPointF mirroredPoint(const QPointF& point, const QRectF& opener, int side) {
    if (!opener.isValid()) return point;
    if (liesAboveOrBelow(side)) return {point.x(), opener.top() + opener.bottom() - point.y()};
    return {opener.left() + opener.right() - point.x(), point.y()};
}

// Below the point, or above what opened it, when the popup fits there over the preferred area, so that it
// covers neither its opener nor what lies beside the area; otherwise the first side that fits the screen.
std::pair<int, QPointF> automaticSide(const Request& r, const Areas& areas) {
    for (const auto& [side, point] : {std::pair{1, r.point}, std::pair{3, mirroredPoint(r.point, r.opener, 1)}}) {
        const Placement p = placedAt(r, side, point);
        if (fitScore(p, areas) == 7 && p.layout.windowSize.width() <= areas.window.width()) return {side, point};
    }
    return {bestSide(r.point, r.viewSize, r.look, r.distance, r.screenArea, areas.window, r.s), r.point};
}

// Along the arrow's edge the box moves as little as it must to lie inside the preferred area, then inside
// the window, then on the screen (each later one winning; a box longer than an area covers it), and then
// as far back as its arrow, which stays on the point, needs.
void slideAlong(Placement& p, const Request& r, const QPointF& point, const Areas& areas) {
    const bool alongX = liesAboveOrBelow(p.side);
    const double length = alongX ? p.layout.windowSize.width() : p.layout.windowSize.height();
    double start = alongX ? p.origin.x() : p.origin.y();
    for (const QRectF& area : {areas.preferred, areas.window, areas.screen}) {
        const auto [lo, hi] = span(area, alongX);
        start = hi - lo >= length ? std::clamp(start, lo, hi - length) : std::clamp(start, hi - length, lo);
    }
    const double tip = alongX ? point.x() : point.y();
    const double inset =
        arrowInset(r.look.arrowBaseWidth, r.look.cornerRadius, r.look.drawsRoundCornerBesideArrow, r.s);
    if (r.look.hasArrow && length >= 2 * inset) start = std::clamp(start, tip - (length - inset), tip - inset);
    (alongX ? p.origin.rx() : p.origin.ry()) = start;
    p.arrowAt = tip - start;
}

// The side across from a side code (below and above, left and right), keeping the way it grows.
int oppositeSide(int side) {
    static constexpr int kOpposite[] = {2, 3, 0, 1, 6, 7, 4, 5, 10, 11, 8, 9};
    return side >= 0 && side <= 11 ? kOpposite[side] : side;
}

}  // namespace

Placement place(const Request& r) {
    if (!r.screenArea.isValid()) {
        // Nothing to keep to: the code alone decides.
        const QRectF parent = r.windowArea.isValid() ? r.windowArea : r.screenArea;
        int side = r.side == 12 ? bestSide(r.point, r.viewSize, r.look, r.distance, r.screenArea, parent, r.s) : r.side;
        return placedAt(r, side >= 0 && side <= 11 ? side : 1, r.point);
    }
    const Areas areas = areasOf(r);
    auto [side, point] = r.side == 12 ? automaticSide(r, areas) : std::pair{r.side, r.point};
    if (side < 0 || side > 11) side = 1;
    Placement p = placedAt(r, side, point);
    const QPointF across = mirroredPoint(point, r.opener, side);
    const Placement other = placedAt(r, oppositeSide(side), across);
    if (fitScore(other, areas) > fitScore(p, areas)) {
        p = other;
        point = across;
    }
    slideAlong(p, r, point, areas);
    return p;
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

QPainterPath outlinePath(const QRectF& viewFrame, const Look& look, int side, double s, std::optional<double> arrowAt) {
    const double r = look.cornerRadius * s, b = look.arrowBaseWidth * s, a = look.arrowHeight * s;
    const Arrow arrow{a, b, b / 2, look.hasArrow};
    const QRectF box =
        viewFrame.adjusted(-look.viewMargin * s, -look.viewMargin * s, look.viewMargin * s, look.viewMargin * s);
    const double minX = std::ceil(box.left() * s + 0.5), maxX = std::floor((box.left() + box.width()) * s - 0.5);
    const double minY = std::ceil(box.top() * s + 0.5), maxY = std::floor((box.top() + box.height()) * s - 0.5);
    const double midX = (box.left() + box.width() / 2) * s, midY = (box.top() + box.height() / 2) * s;

    const auto [rTL, rTR, rBR, rBL] = cornerRadii(side, r, look.drawsRoundCornerBesideArrow);
    const Edge edge = arrowEdge(side);
    // Where the arrow leaves an edge whose straight part runs from lo to hi, travelling up or down it.
    const auto arrowStart = [&](double lo, double hi, bool increasing) {
        const double tip = std::clamp(*arrowAt * s, lo + arrow.hb, std::max(lo + arrow.hb, hi - arrow.hb));
        return increasing ? tip - arrow.hb : tip + arrow.hb;
    };

    QPainterPath path;
    path.moveTo(minX + rTL, maxY);
    if (edge == Edge::Top && arrowAt) path.lineTo(arrowStart(minX + rTL, maxX - rTR, true), maxY);
    if (side == 1 && !arrowAt) path.lineTo(midX - arrow.hb, maxY);
    if (side == 10 && !arrowAt) path.lineTo(maxX - rTR - b, maxY);
    if (edge == Edge::Top) arrow.insert(path, edge);
    path.lineTo(maxX - rTR, maxY);
    cornerTo(path, {maxX, maxY}, {maxX, maxY - rTR}, rTR);

    if (edge == Edge::Right && arrowAt) path.lineTo(maxX, arrowStart(minY + rBR, maxY - rTR, false));
    if (side == 0 && !arrowAt) path.lineTo(maxX, midY + arrow.hb);
    if (side == 4 && !arrowAt) path.lineTo(maxX, minY + rBR + b);
    if (edge == Edge::Right) arrow.insert(path, edge);
    path.lineTo(maxX, minY + rBR);
    cornerTo(path, {maxX, minY}, {maxX - rBR, minY}, rBR);

    if (edge == Edge::Bottom && arrowAt) path.lineTo(arrowStart(minX + rBL, maxX - rBR, false), minY);
    if (side == 3 && !arrowAt) path.lineTo(midX + arrow.hb, minY);
    if (side == 9 && !arrowAt) path.lineTo(minX + rBL + b, minY);
    if (edge == Edge::Bottom) arrow.insert(path, edge);
    path.lineTo(minX + rBL, minY);
    cornerTo(path, {minX, minY}, {minX, minY + rBL}, rBL);

    if (edge == Edge::Left && arrowAt) path.lineTo(minX, arrowStart(minY + rBL, maxY - rTL, true));
    if (side == 2 && !arrowAt) path.lineTo(minX, midY - arrow.hb);
    if (side == 7 && !arrowAt) path.lineTo(minX, maxY - rTL - b);
    if (edge == Edge::Left) arrow.insert(path, edge);
    path.lineTo(minX, maxY - rTL);
    cornerTo(path, {minX, maxY}, {minX + rTL, maxY}, rTL);
    path.closeSubpath();
    return path;
}

QPainterPath outlinePathYDown(const QRectF& viewFrame, const QSizeF& windowSize, const Look& look, int side, double s,
                              std::optional<double> arrowAt) {
    const QTransform flip(1, 0, 0, -1, 0, windowSize.height());
    return flip.map(outlinePath(viewFrame, look, side, s, arrowAt));
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
