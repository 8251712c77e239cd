#include "editor/FieldFrame.h"

#include <QPainter>

FieldFrame::FieldFrame(QWidget* parent) : QFrame(parent) {
    setContentsMargins(3, 3, 3, 3);
}

void FieldFrame::setBorderColor(const QColor& color) {
    if (m_borderColor == color) return;
    m_borderColor = color;
    update();
}

void FieldFrame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(rect()).adjusted(1, 1, -1, -1);
    painter.setPen(m_borderColor.isValid() && m_borderColor.alpha() > 0 ? QPen(m_borderColor, 2) : Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(box, 1, 1);
}
