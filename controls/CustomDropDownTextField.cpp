#include "controls/CustomDropDownTextField.h"

#include <QPainter>
#include <QPainterPath>

CustomDropDownTextField::CustomDropDownTextField(QWidget* parent) : QLineEdit(parent) {
    setFrame(false);
    QPalette p = palette();
    p.setColor(QPalette::Base, Qt::transparent);
    setPalette(p);
}

void CustomDropDownTextField::setBorderColor(const QColor& color) {
    m_borderColor = color;
    update();
}

void CustomDropDownTextField::paintEvent(QPaintEvent* event) {
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        QPainterPath path;
        path.addRoundedRect(QRectF(0, 0, width(), height() - 1), 10, 10);
        // The box's gradient runs between whites brighter than white, active or not, so it shows as white.
        painter.fillPath(path, Qt::white);
    }
    QLineEdit::paintEvent(event);
}
