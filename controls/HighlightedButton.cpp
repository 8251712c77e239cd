#include "controls/HighlightedButton.h"

#include "controls/SubWindowState.h"

#include <QEvent>
#include <QPainter>
#include <QPainterPath>

HighlightedButton::HighlightedButton(int tag, QWidget* parent) : QPushButton(parent), m_tag(tag) {
    setAttribute(Qt::WA_Hover);
    awakeFromNib();
}

void HighlightedButton::awakeFromNib() {
    setIsEnabled(true);
    setButtonDefault();
}

bool HighlightedButton::gateOpen() const {
    const SubWindowState& state = m_subWindowState ? *m_subWindowState : SubWindowState::shared();
    return HighlightedButtonLook::gatePasses(state.isSubWindowOpened(), m_isEnabled, m_tag);
}

void HighlightedButton::setButtonDefault() {
    if (!gateOpen()) return;
    apply(HighlightedButtonLook::forTag(m_tag, HighlightedButtonLook::Kind::Normal));
}

void HighlightedButton::setButtonHighlighted() {
    if (!gateOpen()) return;
    apply(HighlightedButtonLook::forTag(m_tag, HighlightedButtonLook::Kind::Hover));
}

void HighlightedButton::setDisabled() {
    apply(HighlightedButtonLook::forTag(m_tag, HighlightedButtonLook::Kind::Disabled));
}

void HighlightedButton::apply(const std::optional<HighlightedButtonLook>& look) {
    if (!look) return;
    if (look->image) m_shownImage = *look->image;
    if (look->layerBackground) m_layerBackground = *look->layerBackground;
    if (look->cornerRadius) m_cornerRadius = *look->cornerRadius;
    if (look->borderColor) m_borderColor = *look->borderColor;
    if (look->borderWidth) m_borderWidth = *look->borderWidth;
    // The title is styled only when there is one.
    if (look->setsTitle && !text().isEmpty()) {
        m_styledTitle = true;
        m_titleColor = look->titleColor;
        m_titleBold = look->boldTitle;
    }
    update();
}

bool HighlightedButton::event(QEvent* event) {
    // Hover looks also reach a disabled tag-104 button, which the toolkit would not tell of the pointer.
    if (event->type() == QEvent::Enter) setButtonHighlighted();
    if (event->type() == QEvent::Leave) setButtonDefault();
    return QPushButton::event(event);
}

void HighlightedButton::changeEvent(QEvent* event) {
    QPushButton::changeEvent(event);
    if (event->type() != QEvent::EnabledChange) return;
    setIsEnabled(isEnabled());
    if (isEnabled()) {
        setButtonDefault();
    } else {
        setDisabled();
    }
}

void HighlightedButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box =
        QRectF(rect()).adjusted(m_borderWidth / 2, m_borderWidth / 2, -m_borderWidth / 2, -m_borderWidth / 2);
    QPainterPath path;
    path.addRoundedRect(box, m_cornerRadius, m_cornerRadius);
    if (m_layerBackground.isValid()) painter.fillPath(path, m_layerBackground);
    if (m_borderWidth > 0 && m_borderColor.isValid()) painter.strokePath(path, QPen(m_borderColor, m_borderWidth));

    const QIcon& icon = m_shownImage == HighlightedButtonLook::Image::Normal     ? m_imgNormalState
                        : m_shownImage == HighlightedButtonLook::Image::Selected ? m_imgSelectedState
                                                                                 : QIcon();
    if (!icon.isNull()) icon.paint(&painter, rect(), Qt::AlignCenter);

    if (text().isEmpty()) return;
    QFont titleFont = font();
    QColor colour = palette().color(QPalette::ButtonText);
    if (m_styledTitle) {
        titleFont.setBold(m_titleBold);
        colour = m_titleColor;
    }
    painter.setFont(titleFont);
    painter.setPen(colour);
    painter.drawText(rect(), Qt::AlignCenter, text());
}
