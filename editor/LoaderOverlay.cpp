#include "editor/LoaderOverlay.h"

#include "editor/LoaderAnimation.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QVBoxLayout>

namespace {

// bgLoader: a rounded grey box, nearly opaque.
class LoaderBox : public QWidget {
  public:
    using QWidget::QWidget;

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor::fromRgbF(0.7f, 0.7f, 0.7f, 0.98f));
        painter.drawRoundedRect(QRectF(rect()), 20, 20);
    }
};

}  // namespace

LoaderOverlay::LoaderOverlay(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("vwLoading"));
    m_box = new LoaderBox(this);
    m_box->setObjectName(QStringLiteral("bgForAnimator"));
    m_box->setFixedSize(220, 170);
    auto* column = new QVBoxLayout(m_box);
    column->setContentsMargins(12, 18, 12, 14);
    column->setSpacing(10);
    m_frameImage = new QLabel(m_box);
    m_frameImage->setObjectName(QStringLiteral("imgLoader"));
    m_frameImage->setAlignment(Qt::AlignCenter);
    m_frameImage->setFixedSize(LoaderAnimation::kFrameSize, LoaderAnimation::kFrameSize);
    column->addWidget(m_frameImage, 0, Qt::AlignHCenter);
    m_text = new QLabel(m_box);
    m_text->setObjectName(QStringLiteral("txtLoading"));
    m_text->setAlignment(Qt::AlignCenter);
    m_text->setWordWrap(true);
    m_text->setStyleSheet(QStringLiteral("color: #1e1e1e; font-weight: bold;"));
    column->addWidget(m_text, 1);
    hide();
}

void LoaderOverlay::setBoxVisible(bool visible) {
    m_box->setVisible(visible);
    update();
}

bool LoaderOverlay::isBoxVisible() const {
    return !m_box->isHidden();
}

void LoaderOverlay::setText(const QString& text) {
    m_text->setText(text);
}

QString LoaderOverlay::text() const {
    return m_text->text();
}

void LoaderOverlay::showFrame(int frame) {
    if (frame < 1 || frame > LoaderAnimation::kFrameCount) return;
    m_frame = frame;
    if (m_frames.isEmpty()) m_frames.resize(LoaderAnimation::kFrameCount);
    QPixmap& pixmap = m_frames[frame - 1];
    if (pixmap.isNull()) pixmap = QPixmap::fromImage(LoaderAnimation::frameImage(frame, devicePixelRatioF()));
    m_frameImage->setPixmap(pixmap);
}

void LoaderOverlay::placeBox() {
    m_box->move((width() - m_box->width()) / 2, (height() - m_box->height()) / 2);
}

void LoaderOverlay::resizeEvent(QResizeEvent*) {
    placeBox();
}

void LoaderOverlay::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0, 0, 0, isBoxVisible() ? 90 : 60));
}

void LoaderOverlay::mousePressEvent(QMouseEvent* event) {
    event->accept();
}

void LoaderOverlay::wheelEvent(QWheelEvent* event) {
    event->accept();
}
