#include "controls/Color.h"

#include <QPaintEvent>
#include <QPainter>

Color::Color(QWidget* parent) : QPushButton(parent) {}

void Color::setBGColor(const QColor& color) {
    m_bgColor = color;
    // A bevel would hide the fill: a filled button is drawn borderless.
    setFlat(color.isValid());
    update();
}

void Color::setTextColor(const QColor& color) {
    m_textColor = color;
    if (color.isValid()) {
        QPalette p = palette();
        p.setColor(QPalette::ButtonText, color);
        setPalette(p);
    }
    update();
}

void Color::paintEvent(QPaintEvent* event) {
    if (m_bgColor.isValid()) {
        QPainter painter(this);
        painter.fillRect(event->rect(), m_bgColor);
    }
    QPushButton::paintEvent(event);
}
