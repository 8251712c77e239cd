#pragma once

#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QSizeF>

#include <optional>

// Geometry of the attached popup. Unless a name says otherwise, everything here is in y-up coordinates
// (y grows upwards: "below" is a smaller y), in which the placement rules read naturally; the to/from
// helpers convert from and to the toolkit's y-down screen coordinates. s is the screen's scale factor
// applied to the stored lengths.
namespace AttachedWindowGeometry {

enum class Edge { Top, Right, Bottom, Left };
// The popup's edge that carries the arrow for a side code 0-11.
Edge arrowEdge(int side);

struct Look {
    float borderWidth = 2.0f;
    float viewMargin = 2.0f;
    float arrowBaseWidth = 20.0f;
    float arrowHeight = 16.0f;
    float cornerRadius = 8.0f;
    bool hasArrow = true;
    bool drawsRoundCornerBesideArrow = true;
};

struct Layout {
    QRectF viewFrame;  // in the popup, y-up from its bottom-left corner
    QSizeF windowSize;
};
// The popup's size is the view's plus the margin on every side plus the arrow's room on the arrow's
// side, reserved whether or not the arrow is drawn.
Layout layout(const QSizeF& viewSize, float viewMargin, float arrowHeight, int side, double s = 1.0);

// Distance from a popup corner to the arrow's tip for the corner codes.
float arrowInset(float arrowBaseWidth, float cornerRadius, bool drawsRoundCornerBesideArrow, double s = 1.0);

// The popup's bottom-left corner for the point, its size, the side, the gap and the arrow inset.
QPointF windowOrigin(const QPointF& point, const QSizeF& windowSize, int side, float distance, float inset);

// The side of automatic placement: the first of below, right, left and above that fits on the screen,
// turned into a corner code where the centred popup would leave the parent area and the screen has room.
int bestSide(const QPointF& point, const QSizeF& viewSize, const Look& look, float distance, const QRectF& screenArea,
             const QRectF& parentArea, double s = 1.0);

// Where a popup finally goes once the screen and the window it belongs to are taken into account: the
// placement above, then, across the arrow's edge, the opposite side of what opened it when that side fits
// better (the screen first, then the window, then the preferred area), and along the edge a slide into the
// preferred area, the window and the screen as far as each allows, the arrow still on the point. Automatic
// placement prefers below, then above, where the popup fits over the preferred area.
struct Request {
    QPointF point;  // what the arrow aims at
    QRectF opener;  // the control that opened the popup; empty: the point alone
    QSizeF viewSize;
    Look look;
    int side = 1;  // 0-11, or 12 for automatic placement
    float distance = 0;
    QRectF screenArea;     // empty: no screen is known and the placement above stands
    QRectF windowArea;     // the parent window; empty: the screen
    QRectF preferredArea;  // the part of the window the popup belongs over when it fits; empty: the window
    double s = 1.0;
};
struct Placement {
    int side = 1;
    Layout layout;
    QPointF origin;
    // The arrow's tip along its edge, from the popup's left end (top and bottom edges) or bottom end (left
    // and right edges).
    double arrowAt = 0;
};
Placement place(const Request& request);

// The setters' limits. viewW and viewH are the view's size from the last layout.
float clampBorderWidth(float value, float viewMargin);
float clampViewMargin(float value);
float clampCornerRadius(float value, float viewMargin, double viewW, double viewH, float arrowBaseWidth);
// Never negative, however small the view.
float clampArrowBaseWidth(float value, float viewMargin, double viewW, double viewH, float cornerRadius,
                          bool drawsRoundCornerBesideArrow);

// The filled outline of the popup, y-up in the popup's own coordinates, clockwise from the top-left. The
// arrow sits where its side code puts it, or with its tip at arrowAt along its edge (as Placement has it),
// never closer to a corner than the corner's rounding allows.
QPainterPath outlinePath(const QRectF& viewFrame, const Look& look, int side, double s = 1.0,
                         std::optional<double> arrowAt = std::nullopt);
// The same outline in the popup's y-down coordinates.
QPainterPath outlinePathYDown(const QRectF& viewFrame, const QSizeF& windowSize, const Look& look, int side,
                              double s = 1.0, std::optional<double> arrowAt = std::nullopt);

QPointF pointFromYDown(const QPointF& p);
QRectF rectFromYDown(const QRectF& r);
// Top-left of the popup in y-down screen coordinates from its y-up origin.
QPointF topLeftFromOrigin(const QPointF& origin, const QSizeF& windowSize);
// The view's frame in the popup's y-down coordinates.
QRectF viewFrameYDown(const QRectF& viewFrame, const QSizeF& windowSize);

}  // namespace AttachedWindowGeometry
