#include "controls/MouseDownView.h"

#include "controls/MouseDownViewDelegate.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleHints>
#include <QWheelEvent>

MouseDownView::MouseDownView(QWidget* parent)
    : QWidget(parent), m_clicks(QGuiApplication::styleHints()->mouseDoubleClickInterval()) {
    setFocusPolicy(Qt::ClickFocus);
}

MouseDownView::PressMessage MouseDownView::messageForClickCount(int clickCount) {
    if (clickCount == 1) return PressMessage::MouseDown;
    if (clickCount >= 2) return PressMessage::DoubleClicked;
    return PressMessage::None;
}

void MouseDownView::press(QMouseEvent* event, bool toolkitDoubleClick) {
    event->accept();
    if (event->button() == Qt::RightButton) {
        if (m_delegate) m_delegate->rightMouseDown(event);
        return;
    }
    if (event->button() != Qt::LeftButton) return;
    const int count = m_clicks.press(event->timestamp(), event->position(), toolkitDoubleClick);
    if (!m_delegate) return;
    switch (messageForClickCount(count)) {
        case PressMessage::MouseDown:
            m_delegate->mouseDown(event, this);
            break;
        case PressMessage::DoubleClicked:
            m_delegate->mouseDoubleClicked(event, this);
            break;
        case PressMessage::None:
            break;
    }
}

void MouseDownView::mousePressEvent(QMouseEvent* event) {
    press(event, false);
}

void MouseDownView::mouseDoubleClickEvent(QMouseEvent* event) {
    press(event, true);
}

void MouseDownView::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    if (m_delegate && (event->buttons() & Qt::LeftButton)) m_delegate->mouseDragged(event, this);
}

void MouseDownView::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    if (m_delegate && event->button() == Qt::LeftButton) m_delegate->mouseUp(event, this);
}

void MouseDownView::leaveEvent(QEvent* event) {
    if (m_delegate) m_delegate->mouseExited(event, this);
}

void MouseDownView::wheelEvent(QWheelEvent* event) {
    event->accept();
    if (m_delegate) m_delegate->scrollWheel(event, this);
}

void MouseDownView::keyPressEvent(QKeyEvent* event) {
    event->accept();
}
