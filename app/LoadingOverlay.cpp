#include "app/LoadingOverlay.h"

#include <QPainter>
#include <QPainterPath>

namespace {

const QSize kBoxSize(300, 140);

}  // namespace

LoadingOverlay::LoadingOverlay(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("vwLoading"));
    // A plain widget would let clicks through its transparent parts to the screen below.
    setAttribute(Qt::WA_NoMousePropagation);
    setFocusPolicy(Qt::StrongFocus);
    hide();
}

void LoadingOverlay::setText(const QString& text) {
    m_text = text;
    update();
}

QRect LoadingOverlay::boxRect() const {
    QRect box(QPoint(0, 0), kBoxSize);
    box.moveCenter(rect().center());
    return box;
}

void LoadingOverlay::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), QColor(0, 0, 0, 90));
    QPainterPath box;
    box.addRoundedRect(QRectF(boxRect()), 20, 20);
    painter.fillPath(box, QColor(0, 0, 0, int(0.98 * 255)));
    QFont font = painter.font();
    font.setPointSize(13);
    painter.setFont(font);
    painter.setPen(QColor(240, 240, 240));
    painter.drawText(boxRect().adjusted(16, 16, -16, -16), Qt::AlignCenter | Qt::TextWordWrap, m_text);
}
