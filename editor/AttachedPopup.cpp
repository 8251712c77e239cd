#include "editor/AttachedPopup.h"

#include "controls/OutsideClickWatch.h"

#include <QVBoxLayout>

AttachedPopup::AttachedPopup(QObject* parent) : QObject(parent) {
    m_clicks = new OutsideClickWatch([this](const QWidget*, const QPointF& point) { return contains(point); },
                                     [this] { close(); }, this);
}

AttachedPopup::~AttachedPopup() {
    discard();
}

void AttachedPopup::discard() {
    if (!m_window) return;
    MAAttachedWindow* window = m_window;
    forget();
    delete window;
}

void AttachedPopup::open(QWidget* view, const QPointF& point, QWidget* parentWindow, const Look& look) {
    close();
    if (!view) return;
    m_view = view;
    m_home = view->parentWidget();
    m_homeDying = false;
    // A widget announces its end before its children go: from then on the view must not be sent back.
    if (m_home) m_homeWatch = connect(m_home, &QObject::destroyed, this, [this] { m_homeDying = true; });
    // The popup shows a frame of its own; the view sits in it and leaves it again when the popup closes.
    auto* frame = new QWidget;
    auto* layout = new QVBoxLayout(frame);
    layout->setContentsMargins(0, 0, 0, 0);
    frame->resize(view->size());
    layout->addWidget(view);
    view->show();
    m_window = MAAttachedWindow::create(frame, point, parentWindow, look.side, look.distance);
    m_windowWatch = connect(m_window, &QObject::destroyed, this, [this] { forget(); });
    m_window->setBorderColor(Qt::transparent);
    m_window->setBackgroundColor(look.background);
    m_window->setHasArrow(look.arrow ? 1.0f : 0.0f);
    if (look.cornerRadius >= 0) m_window->setCornerRadius(look.cornerRadius);
    m_window->setHasShadow(false);
    if (look.opener.isValid()) m_window->setOpenerFrame(look.opener);
    if (look.area.isValid()) m_window->setPreferredArea(look.area);
    m_window->show();
    m_window->raise();
    m_clicks->start();
}

void AttachedPopup::forget() {
    // The window went with its parent window; whatever it held went with it.
    m_clicks->stop();
    disconnect(m_homeWatch);
    disconnect(m_windowWatch);
    m_window = nullptr;
}

void AttachedPopup::close() {
    if (!m_window) return;
    MAAttachedWindow* window = m_window;
    forget();
    if (m_view && m_home && !m_homeDying) {
        m_view->hide();
        m_view->setParent(m_home);
    }
    window->hide();
    delete window;
    emit closed();
}

bool AttachedPopup::contains(const QPointF& globalPoint) const {
    if (m_window && m_window->isVisible() && m_window->frameGeometry().contains(globalPoint.toPoint())) return true;
    return m_child && m_child->contains(globalPoint);
}
