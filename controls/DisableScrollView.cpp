#include "controls/DisableScrollView.h"

#include <QWheelEvent>

DisableScrollView::DisableScrollView(QWidget* parent) : QScrollArea(parent) {}

void DisableScrollView::wheelEvent(QWheelEvent* event) {
    if (m_scrollingEnabled) {
        QScrollArea::wheelEvent(event);
        return;
    }
    // Taken and dropped, so no enclosing view scrolls instead.
    event->accept();
}
