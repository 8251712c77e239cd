#include "editor/ImageToggleButton.h"

#include "controls/ImageLibrary.h"

#include <QPainter>

namespace {
constexpr int kImageSize = 16;
constexpr int kGap = 6;
}  // namespace

ImageToggleButton::ImageToggleButton(const QString& title, const QString& onImage, const QString& offImage,
                                     QWidget* parent)
    : QAbstractButton(parent), m_onImage(onImage), m_offImage(offImage), m_textColor(QColor(0x33, 0x33, 0x33)) {
    setText(title);
    setCheckable(true);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
}

ImageToggleButton* ImageToggleButton::radio(const QString& title, QWidget* parent) {
    auto* button = new ImageToggleButton(title, QStringLiteral("radio_btn_sel copy"),
                                         QStringLiteral("radio_btn_normal copy"), parent);
    button->m_radio = true;
    return button;
}

ImageToggleButton* ImageToggleButton::checkBox(const QString& title, QWidget* parent) {
    return new ImageToggleButton(title, QStringLiteral("chckbox_sel copy"), QStringLiteral("chckbox_normal copy"),
                                 parent);
}

void ImageToggleButton::setTextColor(const QColor& color) {
    m_textColor = color;
    update();
}

void ImageToggleButton::nextCheckState() {
    // A chosen radio stays chosen; its partner turns it off.
    if (m_radio && isChecked()) return;
    setChecked(!isChecked());
}

QSize ImageToggleButton::sizeHint() const {
    const int textWidth = text().isEmpty() ? 0 : kGap + fontMetrics().horizontalAdvance(text());
    return {kImageSize + textWidth + 2, std::max(kImageSize, fontMetrics().height()) + 4};
}

void ImageToggleButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal opacity = isEnabled() ? 1.0 : 0.4;
    const QRectF image(1, (height() - kImageSize) / 2.0, kImageSize, kImageSize);
    ImageLibrary::draw(painter, imageName(), image, opacity);
    if (text().isEmpty()) return;
    painter.setOpacity(opacity);
    painter.setPen(m_textColor);
    const QRect textRect(kImageSize + kGap + 1, 0, width() - kImageSize - kGap - 1, height());
    painter.drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft, text());
}
