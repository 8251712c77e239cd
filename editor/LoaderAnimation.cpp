#include "editor/LoaderAnimation.h"

#include <QPainter>

#include <cmath>

LoaderAnimation::Step LoaderAnimation::step() {
    if (m_counter > kFrameCount) return Step::Restart;
    m_shown = m_counter++;
    return Step::ShowFrame;
}

void LoaderAnimation::drawFrame(QPainter& painter, const QRectF& box, int frame) {
    constexpr int spokes = 12;
    const qreal side = std::min(box.width(), box.height());
    const qreal outer = side * 0.46;
    const qreal inner = side * 0.22;
    const qreal thickness = std::max<qreal>(2.0, side * 0.075);
    // The brightest spoke leads; the ones behind it fade, so the turning reads even at a glance.
    const qreal angle = 360.0 * ((frame - 1) % kFrameCount) / kFrameCount;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.translate(box.center());
    painter.rotate(angle);
    for (int i = 0; i < spokes; ++i) {
        QColor colour(255, 255, 255);
        colour.setAlphaF(0.15 + 0.85 * (spokes - i) / spokes);
        painter.setPen(QPen(colour, thickness, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(0, -inner), QPointF(0, -outer));
        painter.rotate(-360.0 / spokes);
    }
    painter.restore();
}

QImage LoaderAnimation::frameImage(int frame, qreal devicePixelRatio) {
    const int pixels = static_cast<int>(std::ceil(kFrameSize * devicePixelRatio));
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    drawFrame(painter, QRectF(0, 0, kFrameSize, kFrameSize), frame);
    return image;
}
