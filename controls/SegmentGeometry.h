#pragma once

#include <QEasingCurve>
#include <QPointF>

// Rules of the sliding segmented control: a knob one segment wide moves along a track of equal segments.
namespace SegmentGeometry {

double segmentWidth(double controlWidth, int segmentCount);
// The knob's last position (single precision, as the knob is placed).
float rightEnd(double controlWidth, int segmentCount);
// Where the knob sits for a segment; an index beyond the last targets the right end.
double targetFor(int index, double controlWidth, int segmentCount);
int indexAt(double x, double controlWidth, int segmentCount);
double clampLocation(double location, double controlWidth, int segmentCount);

struct Timing {
    double seconds;
    QEasingCurve curve;
};
// From either end the slide takes the fast duration and eases in and out; elsewhere it moves linearly at a
// speed that would cross the whole track in the slow duration.
Timing slideTiming(double location, int target, double controlWidth, int segmentCount, double fastSeconds,
                   double slowSeconds);

// The segment chosen at mouse-up: the pressed one when nothing was dragged, else the nearest to the knob.
int chosenIndex(int clickIndex, const QPointF& pressPoint, const QPointF& lastPoint, double location,
                double controlWidth, int segmentCount);

// A knob position during a slide.
int positionAt(int start, int range, double progress);

// The ease-in-out curve of the window system's own animations.
QEasingCurve easeInOut();

}  // namespace SegmentGeometry
