#include "presets/AttachedPanel.h"

#include <QApplication>
#include <QEvent>

#include "controls/AttachedWindowSide.h"
#include "controls/OutsideClickWatch.h"

namespace {

// The popups' fill: calibrated grey 230/255, no border.
const QColor kPanelFill = QColor::fromRgbF(230 / 255.0f, 230 / 255.0f, 230 / 255.0f, 1.0f);

}  // namespace

AttachedPanel::AttachedPanel(QWidget* host) : QObject(host), m_host(host) {
    m_clicks = new OutsideClickWatch([this](const QWidget* widget, const QPointF&) { return isInside(widget); },
                                     [this] {
                                         if (!m_window) return;
                                         close();
                                         emit dismissed();
                                     },
                                     this);
}

AttachedPanel::~AttachedPanel() {
    m_clicks->stop();
    // The window gives its view back when it goes, so it must go while the host still exists.
    delete m_window;
}

void AttachedPanel::open(QWidget* view, const QPointF& point, float distance, const QRectF& opener,
                         const QRectF& area) {
    close();
    QWidget* window = m_host->window();
    m_window = MAAttachedWindow::create(view, m_host->mapTo(window, point), window, AttachedAutomatic, distance);
    if (!m_window) return;
    const auto inWindow = [this, window](const QRectF& r) {
        return QRectF(m_host->mapTo(window, r.topLeft()), r.size());
    };
    if (opener.isValid()) m_window->setOpenerFrame(inWindow(opener));
    if (area.isValid()) m_window->setPreferredArea(inWindow(area));
    m_window->setBorderColor(Qt::transparent);
    m_window->setBackgroundColor(kPanelFill);
    m_window->setHasArrow(1.0f);
    m_window->show();
    m_window->raise();
    m_clicks->start();
}

void AttachedPanel::close() {
    m_clicks->stop();
    if (!m_window) return;
    MAAttachedWindow* window = m_window;
    m_window = nullptr;
    window->hide();
    // The press that closes the panel may still be on its way through one of its controls.
    window->deleteLater();
    emit closed();
}

bool AttachedPanel::isInside(const QWidget* widget) const {
    // Lists and calendars that the panel's controls open are windows of their own, parented to the control.
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        if (w == m_window) return true;
    }
    return false;
}
