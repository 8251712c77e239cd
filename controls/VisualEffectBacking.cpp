#include "controls/VisualEffectBacking.h"

#include <QEvent>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>

namespace {

QRegion roundedRegion(const QSize& size, int radius) {
    QPainterPath path;
    path.addRoundedRect(QRectF(QPointF(0, 0), size), radius, radius);
    return QRegion(path.toFillPolygon().toPolygon());
}

}  // namespace

VisualEffectBacking* VisualEffectBacking::addVisualEffectView(QWidget* container, QWidget* view) {
    if (!container || !view) return nullptr;
    for (auto* backing : container->findChildren<VisualEffectBacking*>(Qt::FindDirectChildrenOnly)) {
        if (backing->m_view == view) return backing;
    }
    return new VisualEffectBacking(container, view);
}

VisualEffectBacking::VisualEffectBacking(QWidget* container, QWidget* view) : QWidget(container), m_view(view) {
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
    setGeometry(0, 0, container->width(), container->height() + kExtraHeight);
}

void VisualEffectBacking::roundView() {
    if (m_view && !m_view->size().isEmpty()) m_view->setMask(roundedRegion(m_view->size(), kCornerRadius));
}

bool VisualEffectBacking::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize) {
        if (watched == parentWidget()) followContainer();
        if (watched == m_view) roundView();
    }
    return QWidget::eventFilter(watched, event);
}

void VisualEffectBacking::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    // Dark and a little see-through, as a panel over a dark window.
    painter.setBrush(QColor(28, 28, 30, 235));
    painter.drawRoundedRect(QRectF(rect()), kCornerRadius, kCornerRadius);
}
