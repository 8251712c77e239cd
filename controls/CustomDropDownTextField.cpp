#include "controls/CustomDropDownTextField.h"

#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace {
QColor clampedWhite(double v) {
    const double c = std::clamp(v, 0.0, 1.0);
    return QColor::fromRgbF(c, c, c, 1.0);
}
}  // namespace

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

QColor CustomDropDownTextField::gradientStart(bool applicationActive) {
    return clampedWhite(applicationActive ? 1.24 : 1.55);
}

QColor CustomDropDownTextField::gradientEnd(bool applicationActive) {
    return clampedWhite(applicationActive ? 1.374 : 1.558);
}

void CustomDropDownTextField::paintEvent(QPaintEvent* event) {
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const bool active = QGuiApplication::applicationState() == Qt::ApplicationActive;
        const QRectF box(0, 0, width(), height() - 1);
        QPainterPath path;
        path.addRoundedRect(box, 10, 10);
        QLinearGradient gradient(box.bottomLeft(), box.topLeft());
        gradient.setColorAt(0, gradientStart(active));
        gradient.setColorAt(1, gradientEnd(active));
        painter.fillPath(path, gradient);
    }
    QLineEdit::paintEvent(event);
}
