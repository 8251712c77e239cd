#include "controls/BlackView.h"

#include <QPaintEvent>
#include <QPainter>

BlackView::BlackView(QWidget* parent) : QWidget(parent) {}

void BlackView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), QColor::fromRgbF(0, 0, 0, 0.8));
}
