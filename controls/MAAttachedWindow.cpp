#include "controls/MAAttachedWindow.h"

#include "controls/BezierPathAdditions.h"
#include "platform/Compositing.h"

#include <QAbstractScrollArea>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include <cmath>

namespace G = AttachedWindowGeometry;

MAAttachedWindow* MAAttachedWindow::create(QWidget* view, const QPointF& point, QWidget* parentWindow, int side,
                                           float distance) {
    if (!view) return nullptr;
    return new MAAttachedWindow(view, point, parentWindow, side, distance);
}

MAAttachedWindow::MAAttachedWindow(QWidget* view, const QPointF& point, QWidget* parentWindow, int side, float distance)
    : QWidget(parentWindow ? parentWindow->window() : nullptr, Qt::Tool | Qt::FramelessWindowHint),
      m_background(QColor::fromRgbF(0.1f, 0.1f, 0.1f, 0.75f)),
      m_view(view),
      m_viewHome(view->parentWidget()),
      m_parentWindow(parentWindow ? parentWindow->window() : nullptr),
      m_point(point),
      m_requestedSide(side >= 0 && side <= AttachedAutomatic ? side : AttachedBelow),
      m_side(m_requestedSide),
      m_distance(distance),
      m_shaped(!platform::hasCompositing()) {
    if (!m_shaped) setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_MacAlwaysShowToolWindow);  // stays when the application is deactivated
    // The point is relative to the top-level window.
    if (parentWindow && parentWindow != m_parentWindow) {
        m_point = parentWindow->mapTo(m_parentWindow, point);
    }
    view->setParent(this);
    updateGeometryPass();
    view->show();
}

MAAttachedWindow::~MAAttachedWindow() {
    // The view belongs to the screen that lent it; give it back rather than delete it with the popup.
    if (m_view && m_viewHome) {
        m_view->hide();
        m_view->setParent(m_viewHome);
    }
}

QPointF MAAttachedWindow::screenPoint() const {
    const QPointF global = m_parentWindow ? QPointF(m_parentWindow->mapToGlobal(m_point)) : m_point;
    return G::pointFromYDown(global);
}

QRectF MAAttachedWindow::formAreaAround(const QWidget* control) {
    for (const QWidget* w = control ? control->parentWidget() : nullptr; w; w = w->parentWidget()) {
        if (const auto* area = qobject_cast<const QAbstractScrollArea*>(w))
            return QRectF(area->mapTo(control->window(), QPointF(0, 0)), area->size());
    }
    return {};
}

QRectF MAAttachedWindow::screenRect(const QRectF& rect) const {
    const QRectF global = m_parentWindow ? rect.translated(m_parentWindow->mapToGlobal(QPoint(0, 0))) : rect;
    return G::rectFromYDown(global);
}

void MAAttachedWindow::updateGeometryPass() {
    QScreen* screen = m_parentWindow ? m_parentWindow->screen() : nullptr;
    if (!screen) screen = QGuiApplication::primaryScreen();
    G::Request request;
    request.point = screenPoint();
    if (m_openerFrame.isValid()) request.opener = screenRect(m_openerFrame);
    request.viewSize = m_view ? QSizeF(m_view->size()) : QSizeF(0, 0);
    request.look = m_look;
    request.side = m_requestedSide;
    request.distance = m_distance;
    request.screenArea = screen ? G::rectFromYDown(screen->availableGeometry()) : QRectF();
    if (m_parentWindow) request.windowArea = G::rectFromYDown(m_parentWindow->frameGeometry());
    if (m_preferredArea.isValid()) request.preferredArea = screenRect(m_preferredArea);
    request.s = kScale;
    const G::Placement placement = G::place(request);
    m_side = placement.side;
    m_viewFrame = placement.layout.viewFrame;
    m_windowSize = placement.layout.windowSize;
    m_arrowAt = placement.arrowAt;
    const QPointF topLeft = G::topLeftFromOrigin(placement.origin, m_windowSize);
    setGeometry(QRectF(topLeft, m_windowSize).toRect());
    if (m_view) m_view->setGeometry(G::viewFrameYDown(m_viewFrame, m_windowSize).toRect());
    updateShape();
}

void MAAttachedWindow::updateShape() {
    if (!m_shaped) return;
    setMask(QRegion(backgroundPath().toFillPolygon().toPolygon(), Qt::WindingFill));
}

void MAAttachedWindow::redisplay() {
    if (m_resizing) return;
    m_resizing = true;
    updateGeometryPass();
    update();
    m_resizing = false;
}

QPainterPath MAAttachedWindow::backgroundPath() const {
    return G::outlinePathYDown(m_viewFrame, m_windowSize, m_look, m_side, kScale, m_arrowAt);
}

void MAAttachedWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPainterPath path = backgroundPath();
    // Cut to its shape, the popup has no see-through pixels: the edge ones take the fill, not black.
    if (m_shaped) painter.fillRect(rect(), m_background);
    painter.fillPath(path, m_background);
    if (m_look.borderWidth > 0) {
        BezierPathAdditions::strokeInside(painter, path, QPen(m_borderColor, m_look.borderWidth * kScale));
    }
}

void MAAttachedWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    redisplay();
}

void MAAttachedWindow::setBorderColor(const QColor& color) {
    if (color == m_borderColor) return;
    m_borderColor = color;
    update();
}

void MAAttachedWindow::setBackgroundColor(const QColor& color) {
    if (m_background.style() == Qt::SolidPattern && color == m_background.color()) return;
    m_background = QBrush(color);
    update();
}

void MAAttachedWindow::setBackgroundImage(const QImage& image) {
    if (image.isNull()) return;
    m_background = QBrush(image);
    update();
}

void MAAttachedWindow::setBorderWidth(float width) {
    if (width == m_look.borderWidth) return;
    m_look.borderWidth = G::clampBorderWidth(width, m_look.viewMargin);
    update();
}

void MAAttachedWindow::setViewMargin(float margin) {
    if (margin == m_look.viewMargin) return;
    m_look.viewMargin = G::clampViewMargin(margin);
    setCornerRadius(m_look.cornerRadius);
}

void MAAttachedWindow::setCornerRadius(float radius) {
    m_look.cornerRadius = G::clampCornerRadius(radius, m_look.viewMargin, m_viewFrame.width(), m_viewFrame.height(),
                                               m_look.arrowBaseWidth);
    setArrowBaseWidth(m_look.arrowBaseWidth);
}

void MAAttachedWindow::setArrowBaseWidth(float width) {
    m_look.arrowBaseWidth = G::clampArrowBaseWidth(width, m_look.viewMargin, m_viewFrame.width(), m_viewFrame.height(),
                                                   m_look.cornerRadius, m_look.drawsRoundCornerBesideArrow);
    redisplay();
}

void MAAttachedWindow::setArrowHeight(float height) {
    if (height == m_look.arrowHeight) return;
    m_look.arrowHeight = height;
    redisplay();
}

void MAAttachedWindow::setHasArrow(float on) {
    const bool flag = std::fabs(on) >= 1.0f;  // a non-zero integer part; NaN is off
    if (flag == m_look.hasArrow) return;
    m_look.hasArrow = flag;
    updateShape();
    update();
}

void MAAttachedWindow::setDrawsRoundCornerBesideArrow(float on) {
    const bool flag = std::fabs(on) >= 1.0f;  // a non-zero integer part; NaN is off
    if (flag == m_look.drawsRoundCornerBesideArrow) return;
    m_look.drawsRoundCornerBesideArrow = flag;
    redisplay();
}

void MAAttachedWindow::setHasShadow(bool on) {
    setWindowFlag(Qt::NoDropShadowWindowHint, !on);
}

void MAAttachedWindow::setOpenerFrame(const QRectF& frame) {
    m_openerFrame = frame;
    redisplay();
}

void MAAttachedWindow::setPreferredArea(const QRectF& area) {
    m_preferredArea = area;
    redisplay();
}
