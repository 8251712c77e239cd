#pragma once

#include <QRectF>
#include <QSizeF>

// Where the progress indicator's green bar goes, in the view's y-down coordinates: it starts one point in
// from the left, one point below the top and leaves two points at the bottom.
namespace ProgressBarGeometry {

// (value − min) / (max − min); 0 for an empty or inverted range, which has no meaningful fraction.
double fraction(double value, double minValue, double maxValue);
QRectF barRect(double value, double minValue, double maxValue, const QSizeF& viewSize);
// The one-point line at the bar's leading end.
QRectF endLineRect(const QRectF& bar);
// The track's inner shape the bar is cut to.
QRectF clipRect(const QSizeF& viewSize);

}  // namespace ProgressBarGeometry
