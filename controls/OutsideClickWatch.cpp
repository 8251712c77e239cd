#include "controls/OutsideClickWatch.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

OutsideClickWatch::OutsideClickWatch(Inside inside, std::function<void()> onOutsidePress, QObject* parent)
    : QObject(parent), m_inside(std::move(inside)), m_onOutsidePress(std::move(onOutsidePress)) {}

OutsideClickWatch::~OutsideClickWatch() {
    stop();
}

void OutsideClickWatch::start() {
    if (m_watching || !qApp) return;
    m_watching = true;
    qApp->installEventFilter(this);
}

void OutsideClickWatch::stop() {
    if (!m_watching) return;
    m_watching = false;
    if (qApp) qApp->removeEventFilter(this);
}

bool OutsideClickWatch::eventFilter(QObject* watched, QEvent* event) {
    if (!m_watching) return false;
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape &&
        static_cast<QKeyEvent*>(event)->modifiers() == Qt::NoModifier) {
        // A list or calendar that Qt opens by itself over the popup (a combo box's, a date edit's) is closed by
        // this Escape alone; taking it here hid the popup under it and left the calendar standing on its own.
        if (QApplication::activePopupWidget()) return false;
        if (m_onOutsidePress) m_onOutsidePress();
        return true;
    }
    if (event->type() != QEvent::MouseButtonPress || !watched->isWidgetType()) return false;
    const auto* press = static_cast<QMouseEvent*>(event);
    // The press is offered to the target and each of its parents in turn; the first outside one decides.
    if (!m_inside(static_cast<QWidget*>(watched), press->globalPosition()) && m_onOutsidePress) m_onOutsidePress();
    return false;
}
