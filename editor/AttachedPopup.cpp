#include "editor/AttachedPopup.h"

#include "controls/MAAttachedWindow.h"

#include <QApplication>
#include <QMouseEvent>

AttachedPopup::AttachedPopup(QObject* parent) : QObject(parent) {}

AttachedPopup::~AttachedPopup() {
    close();
}

void AttachedPopup::open(QWidget* view, const QPointF& point, QWidget* parentWindow, const Look& look) {
    close();
    m_window = MAAttachedWindow::create(view, point, parentWindow, look.side, look.distance);
    if (!m_window) return;
    m_window->setBorderColor(Qt::transparent);
    m_window->setBackgroundColor(look.background);
    m_window->setHasArrow(look.arrow ? 1.0f : 0.0f);
    if (look.cornerRadius >= 0) m_window->setCornerRadius(look.cornerRadius);
    m_window->setHasShadow(false);
    m_window->show();
    m_window->raise();
    qApp->installEventFilter(this);
}

void AttachedPopup::close() {
    if (!m_window) return;
    qApp->removeEventFilter(this);
    MAAttachedWindow* window = m_window;
    m_window = nullptr;
    window->hide();
    delete window;
    emit closed();
}

bool AttachedPopup::contains(const QPointF& globalPoint) const {
    if (m_window && m_window->isVisible() && m_window->frameGeometry().contains(globalPoint.toPoint())) return true;
    return m_child && m_child->contains(globalPoint);
}

bool AttachedPopup::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress && watched->isWidgetType()) {
        const auto* press = static_cast<QMouseEvent*>(event);
        if (!contains(press->globalPosition())) close();
    }
    return QObject::eventFilter(watched, event);
}
