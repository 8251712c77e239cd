#include "controls/VisualEffectBacking.h"

#include <QEvent>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>

namespace {

QPainterPath backingShape(const QSize& size, const VisualEffectBacking::Look& look) {
    QPainterPath rounded;
    rounded.addRoundedRect(QRectF(QPointF(0, 0), size), look.cornerRadius, look.cornerRadius);
    if (!look.squareTop) return rounded;
    QPainterPath top;
    top.addRect(QRectF(0, 0, size.width(), look.cornerRadius + 1));
    return rounded.united(top);
}

}  // namespace

VisualEffectBacking* VisualEffectBacking::addVisualEffectView(QWidget* container, QWidget* view) {
    return addVisualEffectView(container, view, Look());
}

VisualEffectBacking* VisualEffectBacking::addVisualEffectView(QWidget* container, QWidget* view, const Look& look) {
    if (!container || !view) return nullptr;
    for (auto* backing : container->findChildren<VisualEffectBacking*>(Qt::FindDirectChildrenOnly)) {
        if (backing->m_view == view) return backing;
    }
    return new VisualEffectBacking(container, view, look);
}

VisualEffectBacking::VisualEffectBacking(QWidget* container, QWidget* view, const Look& look)
    : QWidget(container), m_view(view), m_look(look) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    followContainer();
    if (view->parentWidget() == container) stackUnder(view);
    show();
    view->show();
    roundView();
    container->installEventFilter(this);
    view->installEventFilter(this);
}

void VisualEffectBacking::followContainer() {
    const QWidget* container = parentWidget();
    if (m_look.underViewOnly && m_view) {
        setGeometry(QRect(m_view->mapTo(container, QPoint(0, 0)), m_view->size()));
        return;
    }
    setGeometry(0, 0, container->width(), container->height() + kExtraHeight);
}

void VisualEffectBacking::roundView() {
    if (!m_look.roundsView || m_look.cornerRadius <= 0) return;
    if (m_view && !m_view->size().isEmpty())
        m_view->setMask(QRegion(backingShape(m_view->size(), m_look).toFillPolygon().toPolygon()));
}

bool VisualEffectBacking::eventFilter(QObject* watched, QEvent* event) {
    const bool moved = event->type() == QEvent::Move;
    if (event->type() == QEvent::Resize || moved) {
        if (watched == parentWidget() || (watched == m_view && m_look.underViewOnly)) followContainer();
        if (watched == m_view && !moved) roundView();
    }
    return QWidget::eventFilter(watched, event);
}

void VisualEffectBacking::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    if (m_look.squareTop) {
        painter.fillPath(backingShape(size(), m_look), m_look.fill);
        return;
    }
    painter.setBrush(m_look.fill);
    painter.drawRoundedRect(QRectF(rect()), m_look.cornerRadius, m_look.cornerRadius);
}
