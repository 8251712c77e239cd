#include "controls/LinkButton.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

LinkButton::LinkButton(const QString& title, QWidget* parent) : QAbstractButton(parent) {
    setCursor(Qt::PointingHandCursor);
    setTitle(title);
    setTitleColor(Qt::white);
}

void LinkButton::setTitle(const QString& title) {
    setText(title);
    m_color = Qt::blue;
    m_font = font();
    m_font.setUnderline(true);
    m_truncateTail = false;
    update();
}

void LinkButton::setTitle(const QString& title, qreal fontSize, bool bold, const QColor& color) {
    setText(title);
    m_color = color.isValid() ? color : QColor(Qt::blue);
    m_font = QApplication::font();
    // Sizes are given in the screens' points, which are our logical pixels.
    m_font.setPixelSize(std::max(1, static_cast<int>(std::lround(fontSize))));
    m_font.setBold(bold);
    m_font.setUnderline(true);
    m_truncateTail = true;
    update();
}

void LinkButton::setTitleColor(const QColor& color) {
    m_color = color.isValid() ? color : palette().color(QPalette::WindowText);
    m_font = font();
    m_font.setUnderline(true);
    m_truncateTail = true;
    update();
}

QSize LinkButton::sizeHint() const {
    return QFontMetricsF(m_font).size(Qt::TextSingleLine, text()).toSize() + QSize(4, 4);
}

void LinkButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(m_font);
    painter.setPen(m_color);
    const QString shown = m_truncateTail ? QFontMetricsF(m_font).elidedText(text(), Qt::ElideRight, width()) : text();
    painter.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine, shown);
}
