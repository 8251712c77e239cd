#include "presets/MapCalloutPin.h"

#include <QPainter>
#include <QPainterPath>

#include "controls/ImageLibrary.h"

namespace {

constexpr QSizeF kPinSize(24, 36);
constexpr int kCalloutPadding = 8;
constexpr int kCalloutArrow = 6;

}  // namespace

MapCalloutPin::MapCalloutPin(const QString& imageName, QWidget* parent) : QWidget(parent), m_imageName(imageName) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setTitle(QString());
}

void MapCalloutPin::setTitle(const QString& title) {
    m_title = title;
    const QSize callout = calloutSize();
    resize(qMax(callout.width(), int(kPinSize.width())), callout.height() + int(kPinSize.height()));
    update();
}

QSize MapCalloutPin::calloutSize() const {
    if (m_title.isEmpty()) return {0, 0};
    const QFontMetrics metrics(font());
    return {metrics.horizontalAdvance(m_title) + 2 * kCalloutPadding,
            metrics.height() + 2 * kCalloutPadding / 2 + kCalloutArrow};
}

void MapCalloutPin::placeTipAt(const QPointF& point) {
    move(QPointF(point.x() - width() / 2.0, point.y() - height()).toPoint());
}

void MapCalloutPin::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QSize callout = calloutSize();
    const QRectF pin((width() - kPinSize.width()) / 2, callout.height(), kPinSize.width(), kPinSize.height());
    ImageLibrary::draw(painter, m_imageName, pin);
    if (m_title.isEmpty()) return;
    const QRectF bubble(0.5, 0.5, callout.width() - 1, callout.height() - kCalloutArrow - 1);
    QPainterPath path;
    path.addRoundedRect(bubble, 5, 5);
    const double middle = width() / 2.0;
    QPainterPath arrow;
    arrow.moveTo(middle - kCalloutArrow, bubble.bottom() - 1);
    arrow.lineTo(middle, bubble.bottom() + kCalloutArrow - 1);
    arrow.lineTo(middle + kCalloutArrow, bubble.bottom() - 1);
    arrow.closeSubpath();
    path = path.united(arrow);
    painter.setPen(QPen(QColor(0, 0, 0, 60), 1));
    painter.setBrush(QColor(255, 255, 255, 245));
    painter.drawPath(path);
    painter.setPen(QColor(30, 30, 30));
    painter.drawText(bubble, Qt::AlignCenter, m_title);
}
