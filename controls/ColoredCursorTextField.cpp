#include "controls/ColoredCursorTextField.h"

#include <QEvent>

ColoredCursorTextField::ColoredCursorTextField(QWidget* parent) : QLineEdit(parent) {
    keepCaretBlack();
}

void ColoredCursorTextField::keepCaretBlack() {
    QPalette p = palette();
    // Already black: also ends the palette change that setting it here raises.
    if (p.color(QPalette::Text) == Qt::black) return;
    p.setColor(QPalette::Text, Qt::black);
    setPalette(p);
}

void ColoredCursorTextField::changeEvent(QEvent* event) {
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) keepCaretBlack();
}
