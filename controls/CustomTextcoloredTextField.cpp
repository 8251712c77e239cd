#include "controls/CustomTextcoloredTextField.h"

#include <QEvent>

CustomTextcoloredTextField::CustomTextcoloredTextField(QWidget* parent) : QLabel(parent) {
    keepWhite();
}

void CustomTextcoloredTextField::keepWhite() {
    if (palette().color(QPalette::WindowText) == Qt::white) return;
    QPalette p = palette();
    p.setColor(QPalette::WindowText, Qt::white);
    p.setColor(QPalette::Text, Qt::white);
    setPalette(p);
}

void CustomTextcoloredTextField::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) keepWhite();
}
