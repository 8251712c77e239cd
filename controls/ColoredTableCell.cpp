#include "controls/ColoredTableCell.h"

#include <QPainter>

ColoredTableCell::ColoredTableCell(QWidget* parent) : QWidget(parent) {}

void ColoredTableCell::setSelected(bool selected) {
    if (selected == m_selected) return;
    m_selected = selected;
    update();
}

void ColoredTableCell::setSelectionHighlightStyle(SelectionHighlightStyle style) {
    m_style = style;
    update();
}

QRectF ColoredTableCell::selectionRect(const QRectF& bounds) {
    return bounds.adjusted(0, 2, 0, -2);
}

void ColoredTableCell::paintEvent(QPaintEvent*) {
    if (!m_selected || m_style == SelectionHighlightStyle::None) return;
    QPainter painter(this);
    painter.fillRect(selectionRect(rect()), QColor::fromRgbF(30 / 255.0f, 24 / 255.0f, 25 / 255.0f, 0.9f));
}
