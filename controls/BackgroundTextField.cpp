#include "controls/BackgroundTextField.h"

#include "controls/BezierPathAdditions.h"

#include <QPainter>
#include <QPainterPath>

BackgroundTextField::BackgroundTextField(QWidget* parent) : QLineEdit(parent) {
    setFrame(false);
    setTextMargins(3, 0, 3, 0);
    QPalette p = palette();
    p.setColor(QPalette::Base, Qt::transparent);
    setPalette(p);
}

void BackgroundTextField::setFillColor(const QColor& color) {
    m_fillColor = color;
    // Under a style sheet of any ancestor the line edit paints its rectangle in the style's base colour, over
    // the fill; a transparent background of its own lets the fill show.
    setStyleSheet(QStringLiteral("QLineEdit { background: transparent; }"));
}

void BackgroundTextField::paintEvent(QPaintEvent* event) {
    QPainterPath path;
    path.addRoundedRect(QRectF(rect()), 1.0, 1.0);
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.fillPath(path, m_fillColor);
    }
    QLineEdit::paintEvent(event);
    // The outline goes on last and inside the field: under a style sheet the line edit paints its whole
    // rectangle, which would cover an outline drawn before it.
    if (!m_borderColor.isValid() || m_borderColor.alpha() == 0) return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    BezierPathAdditions::strokeInside(painter, path, QPen(m_borderColor, 2.0));
}
