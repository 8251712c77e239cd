#include "controls/ColoredCusrsorTextField.h"

#include <QEvent>

ColoredCusrsorTextField::ColoredCusrsorTextField(QWidget* parent) : QLineEdit(parent) {
    keepCaretBlack();
}

void ColoredCusrsorTextField::keepCaretBlack() {
    QPalette p = palette();
    if (p.color(QPalette::Text) == Qt::black) return;
    m_adjusting = true;
    p.setColor(QPalette::Text, Qt::black);
    setPalette(p);
    m_adjusting = false;
}

void ColoredCusrsorTextField::changeEvent(QEvent* event) {
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::PaletteChange && !m_adjusting) keepCaretBlack();
}
