#include "controls/ProgressBarGeometry.h"

#include <cmath>

namespace ProgressBarGeometry {

double fraction(double value, double minValue, double maxValue) {
    const double range = maxValue - minValue;
    if (!(range > 0) || !std::isfinite(range) || !std::isfinite(value)) return 0.0;
    return (value - minValue) / range;
}

QRectF barRect(double value, double minValue, double maxValue, const QSizeF& viewSize) {
    const double width = std::round(fraction(value, minValue, maxValue) * viewSize.width());
    return QRectF(1.0, 1.0, width, viewSize.height() - 3.0);
}

QRectF endLineRect(const QRectF& bar) {
    return QRectF(bar.width() + 1.0, bar.y(), 1.0, bar.height());
}

QRectF clipRect(const QSizeF& viewSize) {
    return QRectF(1.0, 1.0, viewSize.width() - 2.0, viewSize.height() - 3.0);
}

}  // namespace ProgressBarGeometry
