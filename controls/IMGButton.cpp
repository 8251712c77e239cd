#include "controls/IMGButton.h"

#include "controls/ImageLibrary.h"
#include "controls/ThreePartImage.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

#include <algorithm>

namespace {
const QColor kDisabledTitleGrey = QColor::fromRgbF(0.3764706f, 0.3764706f, 0.3764706f, 1.0f);
}

IMGButton::IMGButton(QWidget* parent)
    : QAbstractButton(parent),
      m_colorOnState(Qt::white),
      m_colorOnStateDis(kDisabledTitleGrey),
      m_colorOffState(Qt::white),
      m_colorOffStateDis(kDisabledTitleGrey) {
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_Hover);
    // Its clicks come from the pointer only: a key press would bypass the held-and-released cycle.
    setFocusPolicy(Qt::NoFocus);
}

QString IMGButton::imageName(Look look, Slice slice) const {
    return m_images[static_cast<size_t>(look)][static_cast<size_t>(slice)];
}

void IMGButton::setImageName(Look look, Slice slice, const QString& name) {
    m_images[static_cast<size_t>(look)][static_cast<size_t>(slice)] = name;
}

void IMGButton::setState(int state) {
    m_state = state;
    update();
}

std::optional<IMGButton::LookChoice> IMGButton::lookFor(bool enabled, int state, bool mouseDown) {
    if (state != ControlStateOn && state != ControlStateOff) return std::nullopt;
    const bool on = state == ControlStateOn;
    if (enabled) {
        if (on) return LookChoice{mouseDown ? Look::OnStateDwn : Look::OnState, true, false};
        return LookChoice{mouseDown ? Look::OffStateDwn : Look::OffState, false, false};
    }
    return LookChoice{on ? Look::OnStateDis : Look::OffStateDis, on, true};
}

bool IMGButton::releaseCounts(const QPointF& pos, const QSizeF& size) {
    return pos.x() >= 0 && pos.x() <= size.width() && pos.y() >= 0 && pos.y() <= size.height();
}

int IMGButton::flippedState(int state) {
    return state == ControlStateOff ? ControlStateOn : ControlStateOff;
}

QColor IMGButton::currentTitleColour() const {
    if (m_lastLook.onColours) return m_lastLook.disabledColours ? m_colorOnStateDis : m_colorOnState;
    return m_lastLook.disabledColours ? m_colorOffStateDis : m_colorOffState;
}

bool IMGButton::isBreakable(const QString& title) const {
    return (!m_multiLineStr.isEmpty() && title.contains(m_multiLineStr)) || title.contains(QLatin1Char('\n'));
}

IMGButton::TitleChoice IMGButton::titleChoice(const TitleFitting::Measure& measure) const {
    const QRectF bounds = rect();
    const QString title = text();
    TitleChoice choice;
    choice.text = title;
    choice.layout = TitleFitting::fit(
        title, TitleFitting::textArea(bounds, m_marginLeft, m_marginRight, m_marginTop, m_marginBottom), m_makeBoldFont,
        measure, font());
    if (!isBreakable(title)) return choice;
    const QString twoLine = TitleFitting::twoLineTitle(title, m_multiLineStr);
    const TitleFitting::Layout two = TitleFitting::fit(
        twoLine, TitleFitting::textArea(bounds, m_marginLeft, m_marginRight, m_marginTopML, m_marginBottomML),
        m_makeBoldFont, measure, font());
    if (TitleFitting::prefersTwoLines(choice.layout.measured, two.measured)) {
        choice.twoLines = true;
        choice.text = twoLine;
        choice.layout = two;
    }
    return choice;
}

void IMGButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (const auto look = lookFor(isEnabled(), m_state, m_isMouseDown)) m_lastLook = *look;
    const auto& slices = m_images[static_cast<size_t>(m_lastLook.look)];
    ThreePartImage::draw(painter, rect(), slices[static_cast<size_t>(Slice::St)],
                         slices[static_cast<size_t>(Slice::Md)], slices[static_cast<size_t>(Slice::En)]);

    const QString title = text();
    if (!title.isEmpty()) {
        const TitleChoice choice = titleChoice(&TitleFitting::measureWithFontMetrics);
        if (choice.layout.hasAttributes) {
            QRectF textRect = choice.layout.textRect;
            if (m_isMouseDown && isBreakable(title)) textRect.translate(1, 1);
            painter.setFont(choice.layout.font);
            painter.setPen(currentTitleColour());
            const int wrap = choice.twoLines ? Qt::TextWordWrap : 0;
            painter.drawText(textRect, Qt::AlignHCenter | Qt::AlignTop | wrap, choice.text);
        } else {
            // Nothing fitted: the plain default text over the whole button.
            painter.setFont(font());
            painter.setPen(Qt::black);
            painter.drawText(rect(), Qt::AlignLeft | Qt::AlignTop, choice.text);
        }
    }

    if (m_isMouseHover && m_state == ControlStateOff) {
        ThreePartImage::draw(painter, rect(), imgOnState_St(), imgOnState_Md(), m_imgMouseHover);
    }
}

void IMGButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !isEnabled()) return;
    m_isMouseDown = true;
    // Disabled while held: the disabled look shows and nothing can press it again until the release.
    setEnabled(false);
    update();
}

void IMGButton::mouseReleaseEvent(QMouseEvent* event) {
    if (m_isMouseDown && event->button() == Qt::LeftButton) handleRelease(event->position());
}

bool IMGButton::event(QEvent* event) {
    // The button disables itself while held, and a disabled widget is not given mouse or hover events;
    // the release and the pointer leaving must still reach it.
    switch (event->type()) {
        case QEvent::MouseButtonRelease:
            if (m_isMouseDown) {
                auto* mouse = static_cast<QMouseEvent*>(event);
                if (mouse->button() == Qt::LeftButton) handleRelease(mouse->position());
                return true;
            }
            break;
        case QEvent::Enter:
            if (isEnabled()) {
                m_isMouseHover = true;
                update();
            }
            break;
        case QEvent::Leave:
            m_isMouseHover = false;
            update();
            break;
        default:
            break;
    }
    return QAbstractButton::event(event);
}

void IMGButton::handleRelease(const QPointF& pos) {
    m_isMouseDown = false;
    if (!releaseCounts(pos, size())) {
        setEnabled(true);
        update();
        return;
    }
    QPointer<IMGButton> self(this);
    // The handler reads the state the button had before this click.
    emit clicked(false);
    if (!self) return;
    m_state = flippedState(m_state);
    if (m_enableImmediately) setEnabled(true);
    update();
}

void IMGButton::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange) update();
    QAbstractButton::changeEvent(event);
}

QSize IMGButton::sizeHint() const {
    QSizeF size(0, 0);
    for (const QString& name : m_images[static_cast<size_t>(Look::OffState)]) {
        const QSizeF s = ImageLibrary::naturalSize(name);
        size.setWidth(size.width() + s.width());
        size.setHeight(std::max(size.height(), s.height()));
    }
    if (size.isEmpty()) return QSize(80, 24);
    return size.toSize();
}
