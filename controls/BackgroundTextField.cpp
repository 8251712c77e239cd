#include "controls/BackgroundTextField.h"

#include <QPainter>
#include <QPainterPath>

BackgroundTextField::BackgroundTextField(QWidget* parent) : QLineEdit(parent) {
    setFrame(false);
    setTextMargins(3, 0, 3, 0);
    QPalette p = palette();
    p.setColor(QPalette::Base, Qt::transparent);
    setPalette(p);
}

void BackgroundTextField::paintEvent(QPaintEvent* event) {
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        QPainterPath path;
        path.addRoundedRect(QRectF(rect()), 1.0, 1.0);
        painter.fillPath(path, Qt::white);
        painter.setPen(QPen(m_borderColor.isValid() ? m_borderColor : QColor(Qt::transparent), 2.0));
        painter.drawPath(path);
    }
    QLineEdit::paintEvent(event);
}
