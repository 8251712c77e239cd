#include "controls/CustomScroll.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>
#include <QStyleOptionSlider>

namespace {

QColor trackColor(int tag) {
    if (tag == 101) return QColor::fromRgbF(80 / 255.0f, 80 / 255.0f, 80 / 255.0f, 0.7f);
    if (tag == 102) return Qt::transparent;
    return Qt::white;
}

QColor knobColor(int tag) {
    if (tag == 101) return QColor::fromRgbF(1, 1, 1, 0.7f);
    if (tag == 102) return Qt::white;
    return QColor::fromRgbF(200 / 255.0f, 200 / 255.0f, 200 / 255.0f, 1.0f);
}

}  // namespace

CustomScroll::CustomScroll(Qt::Orientation orientation, QWidget* parent) : QScrollBar(orientation, parent) {
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void CustomScroll::setTag(int tag) {
    m_tag = tag;
    update();
}

void CustomScroll::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    // Nothing of a standard scroller is drawn below, so the track goes straight over the view behind it:
    // tag 102 leaves the scroller see-through.
    painter.fillRect(event->rect(), trackColor(m_tag));

    QStyleOptionSlider option;
    initStyleOption(&option);
    const QRect knob = style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, this);
    if (knob.isEmpty() || maximum() == minimum()) return;
    QPainterPath path;
    path.addRoundedRect(QRectF(knob).adjusted(2, 2, -2, -2), 3, 3);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(path, knobColor(m_tag));
}
