#include "app/FloatingPanel.h"

#include "app/ArtworkViews.h"
#include "controls/IMGButton.h"
#include "controls/MouseDownView.h"
#include "platform/Compositing.h"

#include <QPainter>
#include <QPainterPath>

FloatingPanel::FloatingPanel(QWidget* mainWindow, const QSize& size, int stripHeight, int cornerRadius,
                             const QColor& colour)
    : QWidget(mainWindow, Qt::Tool | Qt::FramelessWindowHint),
      m_cornerRadius(cornerRadius),
      m_colour(colour),
      m_shaped(!platform::hasCompositing()) {
    // Without a compositing manager an X display draws a see-through window over another see-through one (the
    // main window) as nothing at all: the panel is then opaque, and its shape alone rounds its corners.
    if (!m_shaped) setAttribute(Qt::WA_TranslucentBackground);
    setFixedSize(size);
    ArtworkViews::roundWindowCorners(this, cornerRadius);
    m_dragStrip = new MouseDownView(this);
    m_dragStrip->setGeometry(0, 0, width(), stripHeight);
    m_dragStrip->lower();
    m_close = ArtworkViews::imageButton(QStringLiteral("close"), this);
    m_close->move(14, (std::min(stripHeight, 42) - m_close->height()) / 2);
}

void FloatingPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (m_shaped) painter.fillRect(rect(), m_colour);
    QPainterPath panel;
    panel.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), m_cornerRadius, m_cornerRadius);
    painter.fillPath(panel, m_colour);
    painter.setPen(QColor(70, 70, 74));
    painter.drawPath(panel);
}
