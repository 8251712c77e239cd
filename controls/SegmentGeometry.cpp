#include "controls/SegmentGeometry.h"

#include <algorithm>
#include <cmath>

namespace SegmentGeometry {

double segmentWidth(double controlWidth, int segmentCount) {
    return segmentCount > 0 ? controlWidth / segmentCount : controlWidth;
}

float rightEnd(double controlWidth, int segmentCount) {
    return static_cast<float>(controlWidth - segmentWidth(controlWidth, segmentCount));
}

double targetFor(int index, double controlWidth, int segmentCount) {
    if (index >= segmentCount) return rightEnd(controlWidth, segmentCount);
    return segmentWidth(controlWidth, segmentCount) * index;
}

int indexAt(double x, double controlWidth, int segmentCount) {
    const float width = static_cast<float>(segmentWidth(controlWidth, segmentCount));
    if (width <= 0) return 0;
    return static_cast<int>(std::floor(x / width));
}

double clampLocation(double location, double controlWidth, int segmentCount) {
    return std::clamp<double>(location, 0.0, rightEnd(controlWidth, segmentCount));
}

QEasingCurve easeInOut() {
    QEasingCurve curve(QEasingCurve::BezierSpline);
    curve.addCubicBezierSegment(QPointF(0.42, 0.0), QPointF(0.58, 1.0), QPointF(1.0, 1.0));
    return curve;
}

Timing slideTiming(double location, int target, double controlWidth, int segmentCount, double fastSeconds,
                   double slowSeconds) {
    const float end = rightEnd(controlWidth, segmentCount);
    if (location == 0 || location == end) return {fastSeconds, easeInOut()};
    const double seconds = end > 0 ? std::fabs(location - target) / end * slowSeconds : 0.0;
    return {seconds, QEasingCurve(QEasingCurve::Linear)};
}

int chosenIndex(int clickIndex, const QPointF& pressPoint, const QPointF& lastPoint, double location,
                double controlWidth, int segmentCount) {
    if (lastPoint == pressPoint) return clickIndex;
    const double width = segmentWidth(controlWidth, segmentCount);
    return width > 0 ? static_cast<int>(std::lround(location / width)) : 0;
}

int positionAt(int start, int range, double progress) {
    return static_cast<int>(static_cast<float>(start + range * progress));
}

}  // namespace SegmentGeometry
