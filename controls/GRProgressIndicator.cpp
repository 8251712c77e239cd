#include "controls/GRProgressIndicator.h"

#include "controls/NinePartImage.h"
#include "controls/ProgressBarGeometry.h"

#include <QEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPropertyAnimation>

namespace {

// The bar's colour in every window state and theme.
QColor barColor() {
    return QColor::fromRgbF(44 / 255.0, 160 / 255.0, 26 / 255.0, 1.0);
}

}  // namespace

GRProgressIndicator::GRProgressIndicator(QWidget* parent) : QWidget(parent) {
    setTheme(0);
    setMinValue(0.0);
    setMaxValue(100.0);
    setDoubleValue(0.0);
}

void GRProgressIndicator::setTheme(int theme) {
    // Every theme draws the same green.
    m_theme = theme;
    update();
}

void GRProgressIndicator::setDoubleValue(double value) {
    if (m_glide) m_glide->stop();
    if (value > m_doubleValue) {
        auto* glide = new QPropertyAnimation(this, "internalDoubleValue", this);
        glide->setDuration(kGlideMs);
        glide->setStartValue(m_internalDoubleValue);
        glide->setEndValue(value);
        m_glide = glide;
        glide->start(QAbstractAnimation::DeleteWhenStopped);
    } else {
        setInternalDoubleValue(value);
    }
    m_doubleValue = value;
}

void GRProgressIndicator::setInternalDoubleValue(double value) {
    m_internalDoubleValue = value;
    update();
}

QRectF GRProgressIndicator::progressBarRect() const {
    return ProgressBarGeometry::barRect(m_internalDoubleValue, m_minValue, m_maxValue, size());
}

QSize GRProgressIndicator::sizeHint() const {
    return QSize(200, 20);
}

void GRProgressIndicator::changeEvent(QEvent* event) {
    // The window's key state is part of the look.
    if (event->type() == QEvent::ActivationChange) update();
    QWidget::changeEvent(event);
}

void GRProgressIndicator::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    NinePartImage::draw(
        painter, rect(),
        {QStringLiteral("pi_topLeft"), QStringLiteral("pi_topFill"), QStringLiteral("pi_topRight"),
         QStringLiteral("pi_leftFill"), QStringLiteral("pi_centerFill"), QStringLiteral("pi_rightFill"),
         QStringLiteral("pi_bottomLeft"), QStringLiteral("pi_bottomFill"), QStringLiteral("pi_bottomRight")});
    QPainterPath clip;
    clip.addRoundedRect(ProgressBarGeometry::clipRect(size()), 3.0, 3.0);
    painter.setClipPath(clip);
    drawProgressBar(painter);
}

void GRProgressIndicator::drawProgressBar(QPainter& painter) {
    if (m_doubleValue <= 0) return;
    const QRectF bar = progressBarRect();
    if (bar.width() <= 0) return;
    painter.fillRect(bar, barColor());

    // The inner light: a soft white glow that falls from the bar's top edge into the bar.
    painter.save();
    painter.setClipRect(bar, Qt::IntersectClip);
    QLinearGradient light(bar.topLeft(), bar.topLeft() + QPointF(0, 2.2));
    light.setColorAt(0, QColor::fromRgbF(1, 1, 1, 0.293));
    light.setColorAt(1, QColor::fromRgbF(1, 1, 1, 0));
    painter.fillRect(QRectF(bar.left(), bar.top(), bar.width(), 2.2), light);
    painter.restore();

    painter.fillRect(ProgressBarGeometry::endLineRect(bar), barColor());
}
