#include "controls/ANSegmentedControl.h"

#include "controls/ANKnobAnimation.h"
#include "controls/BezierPathAdditions.h"
#include "controls/SegmentGeometry.h"

#include <QEventLoop>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {

QColor white(double v, double a = 1.0) {
    return QColor::fromRgbF(v, v, v, a);
}

// The window system's gradient at angle −90 runs from the top edge down.
QLinearGradient downward(const QRectF& rect, const QColor& top, const QColor& bottom) {
    QLinearGradient g(rect.topLeft(), rect.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    return g;
}

}  // namespace

ANSegmentedControl::ANSegmentedControl(int segmentCount, QWidget* parent)
    : QWidget(parent), m_segmentCount(std::max(1, segmentCount)), m_runner(&ANSegmentedControl::runBlocking) {
    setFixedHeight(kHeight);
    setProperty("lumarindControl", true);
    setFocusPolicy(Qt::StrongFocus);
}

void ANSegmentedControl::setSegmentCount(int count) {
    m_segmentCount = std::max(1, count);
    m_selectedSegment = std::min(m_selectedSegment, m_segmentCount - 1);
    m_location = SegmentGeometry::targetFor(m_selectedSegment, width(), m_segmentCount);
    update();
}

void ANSegmentedControl::setSlideRunner(SlideRunner runner) {
    m_runner = runner ? std::move(runner) : SlideRunner(&ANSegmentedControl::runBlocking);
}

void ANSegmentedControl::runBlocking(ANKnobAnimation& animation) {
    if (animation.duration() <= 0) {
        animation.setCurrentTime(0);
        return;
    }
    QEventLoop loop;
    QObject::connect(&animation, &QAbstractAnimation::finished, &loop, &QEventLoop::quit);
    animation.start();
    // The slide blocks its caller; input waits until it is over.
    if (animation.state() == QAbstractAnimation::Running) loop.exec(QEventLoop::ExcludeUserInputEvents);
}

void ANSegmentedControl::setSelectedSegment(int index, bool animate) {
    const int clamped = std::clamp(index, 0, m_segmentCount - 1);
    if (clamped == m_selectedSegment) return;
    const double target = SegmentGeometry::targetFor(index, width(), m_segmentCount);
    if (animate) {
        animateTo(static_cast<int>(target));
    } else {
        setPosition(static_cast<int>(target));
    }
    m_selectedSegment = clamped;
}

void ANSegmentedControl::animateTo(int x) {
    ANKnobAnimation animation(static_cast<int>(m_location), x, this);
    const auto timing = SegmentGeometry::slideTiming(m_location, x, width(), m_segmentCount, m_fastAnimationDuration,
                                                     m_slowAnimationDuration);
    animation.setDuration(static_cast<int>(std::lround(timing.seconds * 1000)));
    animation.setEasingCurve(timing.curve);
    m_runner(animation);
}

void ANSegmentedControl::setPosition(int position) {
    m_location = position;
    repaint();
}

void ANSegmentedControl::offsetLocationByX(float dx) {
    m_location = SegmentGeometry::clampLocation(m_location + dx, width(), m_segmentCount);
    update();
}

QSize ANSegmentedControl::sizeHint() const {
    return QSize(60 * m_segmentCount, kHeight);
}

void ANSegmentedControl::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // A new width moves the segments; the knob stays under the selected one.
    if (!m_tracking) m_location = SegmentGeometry::targetFor(m_selectedSegment, width(), m_segmentCount);
}

void ANSegmentedControl::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPointF p = event->position();
    if (!QRectF(rect()).contains(p)) return;
    const float segment = static_cast<float>(SegmentGeometry::segmentWidth(width(), m_segmentCount));
    const QRectF knob(m_location, 0, segment, height());
    m_tracking = true;
    m_pressOnKnob = knob.contains(p);
    m_clickIndex = SegmentGeometry::indexAt(p.x(), width(), m_segmentCount);
    m_pressPoint = m_lastPoint = p;
}

void ANSegmentedControl::mouseMoveEvent(QMouseEvent* event) {
    if (!m_tracking || !m_pressOnKnob) return;
    const QPointF p = event->position();
    offsetLocationByX(static_cast<float>(p.x() - m_lastPoint.x()));
    m_lastPoint = p;
}

void ANSegmentedControl::mouseReleaseEvent(QMouseEvent* event) {
    if (!m_tracking || event->button() != Qt::LeftButton) return;
    m_tracking = false;
    int index =
        SegmentGeometry::chosenIndex(m_clickIndex, m_pressPoint, m_lastPoint, m_location, width(), m_segmentCount);
    index = std::clamp(index, 0, m_segmentCount - 1);
    const float segment = static_cast<float>(SegmentGeometry::segmentWidth(width(), m_segmentCount));
    animateTo(static_cast<int>(segment * index));
    setSelectedSegment(index);
    emit actionTriggered();
}

void ANSegmentedControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF rect(0, 0, width(), height() - 1);
    const bool key = isActiveWindow();
    drawBackground(painter, rect, key);
    drawKnob(painter, rect, key);
}

void ANSegmentedControl::drawBackground(QPainter& painter, const QRectF& rect, bool key) {
    QPainterPath path;
    path.addRoundedRect(rect, 3.5, 3.5);
    // The soft light line under the track.
    painter.fillPath(path.translated(0, 1), white(0.863, 0.75));
    painter.fillPath(path, downward(rect, white(key ? 0.75 : 0.8), white(key ? 0.6 : 0.77)));
    BezierPathAdditions::strokeInside(painter, path, QPen(white(key ? 0.37 : 0.68), 1.0));
}

void ANSegmentedControl::drawKnob(QPainter& painter, const QRectF& rect, bool key) {
    const QRectF knob(m_location, rect.y(), rect.width() / m_segmentCount, rect.height());
    QPainterPath path;
    path.addRoundedRect(knob, 3, 3);
    painter.fillPath(path, downward(knob, white(key ? 0.68 : 0.76), white(key ? 0.91 : 0.9)));
    BezierPathAdditions::strokeInside(painter, path, QPen(white(key ? 0.37 : 0.68), 1.0));
}
