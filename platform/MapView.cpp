#include "platform/MapView.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

#include "platform/MapProjection.h"
#include "platform/UserDefaults.h"

namespace platform {
namespace {

constexpr int kAnimationMs = 300;
constexpr double kDragThreshold = 4;
constexpr double kKeyPanFraction = 0.25;

}  // namespace

MapView::MapView(QWidget* parent)
    : QWidget(parent),
      m_roadServer(TileServer::road(UserDefaults::standardUserDefaults())),
      m_imageryServer(TileServer::imagery(UserDefaults::standardUserDefaults())),
      m_tiles(std::make_unique<TileLoader>()) {
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(false);
    setMinimumSize(120, 120);
    connect(m_tiles.get(), &TileLoader::tileReady, this, qOverload<>(&QWidget::update));
    m_animation.setDuration(kAnimationMs);
    m_animation.setEasingCurve(QEasingCurve::InOutCubic);
    m_animation.setStartValue(0.0);
    m_animation.setEndValue(1.0);
    connect(&m_baseWatcher, &QFutureWatcherBase::finished, this, [this] {
        m_base = m_baseWatcher.result();
        update();
        emit offlineBaseReady();
    });
    m_baseWatcher.setFuture(OfflineEarth::shared());
}

MapView::~MapView() = default;

CoordinateRegion MapView::region() const {
    const View view = m_animationTarget.value_or(m_view);
    return MapProjection::visibleRegion(view.center, view.zoom, size());
}

GeoCoordinate MapView::centerCoordinate() const {
    return m_animationTarget.value_or(m_view).center;
}

double MapView::zoomLevel() const {
    return m_animationTarget.value_or(m_view).zoom;
}

bool MapView::isAnimating() const {
    return m_animation.state() == QAbstractAnimation::Running;
}

void MapView::setRegion(const CoordinateRegion& region, bool animated) {
    // Before the view is laid out there is nothing to fit into; the region is fitted when it is.
    m_regionToFit = region;
    if (width() <= 1 || height() <= 1) return;
    View view{region.center, MapProjection::zoomToFit(region.span, region.center, size())};
    moveTo(view, animated && isVisible());
}

MapView::View MapView::constrained(View view) const {
    view.zoom = MapProjection::clampZoom(view.zoom, size());
    view.center = MapProjection::constrainCenter(view.center, view.zoom, size());
    return view;
}

void MapView::moveTo(View target, bool animated) {
    target = constrained(target);
    m_animation.stop();
    m_animation.disconnect(this);
    if (!animated) {
        m_animationTarget.reset();
        m_view = target;
        update();
        emit regionDidChange();
        return;
    }
    // Interpolated in world pixels at the starting zoom, so the path is straight on screen.
    const View from = m_view;
    const QPointF start = MapProjection::project(from.center, 0);
    QPointF end = MapProjection::project(target.center, 0);
    const double world = MapProjection::worldSize(0);
    if (end.x() - start.x() > world / 2) end.rx() -= world;
    if (start.x() - end.x() > world / 2) end.rx() += world;
    m_animationTarget = target;
    connect(&m_animation, &QVariantAnimation::valueChanged, this, [this, from, start, end, target](const QVariant& v) {
        const double t = v.toDouble();
        m_view.center = MapProjection::unproject(start + (end - start) * t, 0);
        m_view.zoom = from.zoom + (target.zoom - from.zoom) * t;
        update();
    });
    connect(&m_animation, &QVariantAnimation::finished, this, [this, target] {
        m_animationTarget.reset();
        m_view = target;
        update();
        emit regionDidChange();
    });
    m_animation.start();
}

void MapView::zoomBy(double steps, const QPointF& anchor, bool animated) {
    // The point under the anchor stays where it is.
    const View now = m_animationTarget.value_or(m_view);
    const double zoom = MapProjection::clampZoom(now.zoom + steps, size());
    const QPointF middle(width() / 2.0, height() / 2.0);
    const QPointF anchorWorld = MapProjection::project(now.center, now.zoom) + (anchor - middle);
    const double scale = std::exp2(zoom - now.zoom);
    const QPointF centerWorld = anchorWorld * scale - (anchor - middle);
    m_regionToFit.reset();
    moveTo({MapProjection::unproject(centerWorld, zoom), zoom}, animated);
}

void MapView::panBy(const QPointF& delta) {
    m_regionToFit.reset();
    const View now = m_animationTarget.value_or(m_view);
    const QPointF world = MapProjection::project(now.center, now.zoom) - delta;
    GeoCoordinate center = MapProjection::unproject(world, now.zoom);
    moveTo({center, now.zoom}, false);
}

void MapView::setMapType(MapType type) {
    if (m_mapType == type) return;
    m_mapType = type;
    update();
}

void MapView::setTileServers(const TileServer& road, const TileServer& imagery) {
    m_roadServer = road;
    m_imageryServer = imagery;
    update();
}

TileServer MapView::tileServerForCurrentType() const {
    return m_mapType == MapType::Standard ? m_roadServer : m_imageryServer;
}

void MapView::addAnnotation(const MapPointAnnotation& annotation) {
    m_annotations.append(annotation);
    m_draggable.append(false);
    update();
}

void MapView::removeAllAnnotations() {
    if (m_dragState != AnnotationDragState::None) setDragState(AnnotationDragState::None);
    m_annotations.clear();
    m_draggable.clear();
    m_selected = -1;
    m_gesture = Gesture::None;
    update();
}

void MapView::setAnnotationSelected(int index, bool selected) {
    if (index < 0 || index >= m_annotations.size()) return;
    if (selected && m_selected != index) {
        m_selected = index;
        emit didSelectAnnotation(index);
    } else if (!selected && m_selected == index) {
        m_selected = -1;
        emit didDeselectAnnotation(index);
    }
    update();
}

bool MapView::isAnnotationDraggable(int index) const {
    return index >= 0 && index < m_draggable.size() && m_draggable.at(index);
}

void MapView::setAnnotationDraggable(int index, bool draggable) {
    if (index >= 0 && index < m_draggable.size()) m_draggable[index] = draggable;
}

void MapView::setShowsZoomControls(bool shows) {
    m_showsZoomControls = shows;
    update();
}

void MapView::setShowsCompass(bool shows) {
    m_showsCompass = shows;
    update();
}

QPointF MapView::pointForCoordinate(const GeoCoordinate& coordinate) const {
    // Of the world's copies side by side, the one nearest the centre.
    const QPointF middle = MapProjection::project(m_view.center, m_view.zoom);
    QPointF point = MapProjection::project(coordinate, m_view.zoom);
    const double world = MapProjection::worldSize(m_view.zoom);
    point.rx() += std::round((middle.x() - point.x()) / world) * world;
    return point - middle + QPointF(width() / 2.0, height() / 2.0);
}

GeoCoordinate MapView::coordinateForPoint(const QPointF& point) const {
    const QPointF middle = MapProjection::project(m_view.center, m_view.zoom);
    return MapProjection::unproject(middle + point - QPointF(width() / 2.0, height() / 2.0), m_view.zoom);
}

QRectF MapView::pinRect(int index) const {
    if (index < 0 || index >= m_annotations.size()) return {};
    const QPointF tip = pointForCoordinate(m_annotations.at(index).coordinate);
    return {tip.x() - 12, tip.y() - 38, 24, 38};
}

QRectF MapView::zoomInRect() const {
    return {width() - 40.0, height() - 76.0, 28, 28};
}

QRectF MapView::zoomOutRect() const {
    return {width() - 40.0, height() - 46.0, 28, 28};
}

int MapView::annotationAt(const QPointF& point) const {
    for (int i = static_cast<int>(m_annotations.size()) - 1; i >= 0; --i) {
        if (pinRect(i).contains(point)) return i;
    }
    return -1;
}

void MapView::setDragState(AnnotationDragState state) {
    const AnnotationDragState old = m_dragState;
    m_dragState = state;
    emit annotationDragStateChanged(m_dragIndex, state, old);
}

void MapView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (m_regionToFit) {
        const CoordinateRegion fit = *m_regionToFit;
        m_view = constrained({fit.center, MapProjection::zoomToFit(fit.span, fit.center, size())});
        m_animationTarget.reset();
        m_animation.stop();
    } else {
        m_view = constrained(m_view);
    }
}

void MapView::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    const QPointF point = event->position();
    m_pressPoint = m_lastPoint = point;
    if (event->button() != Qt::LeftButton) return;
    if (m_showsZoomControls && zoomInRect().contains(point)) return zoomBy(1, rect().center(), true);
    if (m_showsZoomControls && zoomOutRect().contains(point)) return zoomBy(-1, rect().center(), true);
    const int pin = annotationAt(point);
    if (pin >= 0) {
        setAnnotationSelected(pin, true);
        m_gesture = Gesture::PinPressed;
        m_dragIndex = pin;
        m_dragOrigin = m_annotations.at(pin).coordinate;
        m_dragGrabOffset = pointForCoordinate(m_dragOrigin) - point;
        return;
    }
    if (m_selected >= 0) setAnnotationSelected(m_selected, false);
    m_gesture = Gesture::Pan;
    setCursor(Qt::ClosedHandCursor);
}

void MapView::mouseMoveEvent(QMouseEvent* event) {
    const QPointF point = event->position();
    if (m_gesture == Gesture::Pan) {
        panBy(point - m_lastPoint);
    } else if (m_gesture == Gesture::PinPressed && isAnnotationDraggable(m_dragIndex) &&
               QLineF(point, m_pressPoint).length() >= kDragThreshold) {
        m_gesture = Gesture::PinDrag;
        setDragState(AnnotationDragState::Starting);
        setDragState(AnnotationDragState::Dragging);
    }
    if (m_gesture == Gesture::PinDrag) {
        m_annotations[m_dragIndex].coordinate = coordinateForPoint(point + m_dragGrabOffset);
        update();
    }
    m_lastPoint = point;
}

void MapView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    unsetCursor();
    if (m_gesture == Gesture::PinDrag) {
        m_annotations[m_dragIndex].coordinate = coordinateForPoint(event->position() + m_dragGrabOffset);
        setDragState(AnnotationDragState::Ending);
        setDragState(AnnotationDragState::None);
        update();
    }
    m_gesture = Gesture::None;
}

void MapView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || annotationAt(event->position()) >= 0) return;
    if (m_showsZoomControls && (zoomInRect().contains(event->position()) || zoomOutRect().contains(event->position())))
        return;
    zoomBy(1, event->position(), true);
}

void MapView::wheelEvent(QWheelEvent* event) {
    // Half a zoom level per notch; touchpads send smaller steps.
    const double steps = event->angleDelta().y() / 120.0 * 0.5;
    if (steps != 0) zoomBy(steps, event->position(), false);
    event->accept();
}

void MapView::keyPressEvent(QKeyEvent* event) {
    const QPointF step(width() * kKeyPanFraction, height() * kKeyPanFraction);
    switch (event->key()) {
        case Qt::Key_Left:
            panBy({step.x(), 0});
            break;
        case Qt::Key_Right:
            panBy({-step.x(), 0});
            break;
        case Qt::Key_Up:
            panBy({0, step.y()});
            break;
        case Qt::Key_Down:
            panBy({0, -step.y()});
            break;
        case Qt::Key_Plus:
        case Qt::Key_Equal:
            zoomBy(1, rect().center(), true);
            break;
        case Qt::Key_Minus:
            zoomBy(-1, rect().center(), true);
            break;
        case Qt::Key_Escape:
            if (m_gesture == Gesture::PinDrag) {
                m_annotations[m_dragIndex].coordinate = m_dragOrigin;
                m_gesture = Gesture::None;
                setDragState(AnnotationDragState::Canceling);
                setDragState(AnnotationDragState::None);
                update();
                break;
            }
            [[fallthrough]];
        default:
            QWidget::keyPressEvent(event);
            return;
    }
    event->accept();
}

}  // namespace platform
