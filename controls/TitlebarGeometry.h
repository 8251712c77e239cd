#pragma once

#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QSizeF>

// Geometry of the window with the tall title bar. Everything is in the window's own coordinates, origin at
// the top-left, y growing downwards; the bar spans the top titleBarHeight points.
namespace TitlebarGeometry {

struct TrafficLightInput {
    QSizeF close, minimise, zoom;  // an absent button has an empty size
    bool centered = true;
    bool vertical = false;
    qreal leftMargin = 3.0;
    qreal topMargin = 0.0;
    qreal separation = 6.0;
};

struct TrafficLightFrames {
    QRectF close, minimise, zoom;
};

QRectF containerRect(const QSizeF& windowSize, qreal titleBarHeight);

// In a row the three buttons share their bottom edge, which sits in the bar's middle or topMargin below the
// bar's top measured for the close button. In a column the close button is on top, separation − 2 apart.
TrafficLightFrames layoutTrafficLights(const QRectF& container, const TrafficLightInput& in);

// The content view ends where the bar begins, however tall the bar is.
QRectF contentRect(const QSizeF& windowSize, qreal titleBarHeight);

// A sheet attaches at the top edge of its positioning rectangle; by default that edge is the bar's bottom.
QRectF defaultSheetRect(const QRectF& proposed, qreal titleBarHeight);
// Top-left of a sheet in screen coordinates: centred on the rectangle, hanging from its top edge.
QPointF sheetTopLeft(const QRectF& windowFrame, const QRectF& sheetRect, const QSizeF& sheetSize);

// The default bar's title: centred, 2 points below the bar's top, or centred vertically when asked.
QRectF titleFrame(const QRectF& bounds, const QSizeF& titleSize, bool verticallyCenter);

// The bar's clip: rect with only its two top corners rounded by radius.
QPainterPath roundedTopPath(const QRectF& rect, qreal radius = 4.0);
// The bar's background shape: the bounds less their top row, top corners rounded.
QPainterPath backgroundClip(const QRectF& bounds);
// Where the noise is laid: inside a 1-point inset, reaching one point lower without a separator line.
QRectF noiseRect(const QRectF& bounds, bool showsBaselineSeparator);

// Which edges of a frameless window a press at pos would resize; none inside the border.
Qt::Edges resizeEdgesAt(const QPointF& pos, const QSizeF& windowSize, qreal border);

}  // namespace TitlebarGeometry
