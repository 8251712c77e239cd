#include "controls/VLTitlebarView.h"

#include "controls/NoiseTexture.h"
#include "controls/TitlebarGeometry.h"
#include "controls/VLAppStoreWindow.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

namespace {

const TitleBarAppearance& appearanceOf(const VLAppStoreWindow* window) {
    static const TitleBarAppearance defaults;
    return window ? window->appearance() : defaults;
}

QColor orDefault(const QColor& c, const QColor& fallback) {
    return c.isValid() ? c : fallback;
}

QColor grey(float v) {
    return QColor::fromRgbF(v, v, v);
}

// The look's own colours, by whether the window draws as main.
QColor defaultStartColor(bool asMain) {
    return grey(asMain ? 0.66f : 0.878f);
}

QColor defaultEndColor(bool asMain) {
    return grey(asMain ? 0.9f : 0.976f);
}

QColor defaultSeparatorColor(bool asMain) {
    return grey(asMain ? 0.408f : 0.655f);
}

}  // namespace

VLTitlebarView::VLTitlebarView(QWidget* parent) : QWidget(parent) {}

VLAppStoreWindow* VLTitlebarView::appStoreWindow() const {
    return qobject_cast<VLAppStoreWindow*>(window());
}

bool VLTitlebarView::drawsAsMain() const {
    const VLAppStoreWindow* w = appStoreWindow();
    return w ? w->drawsAsMain() : isActiveWindow();
}

VLTitlebarView::TitleLook VLTitlebarView::titleLook(const QString& title) const {
    const VLAppStoreWindow* w = appStoreWindow();
    const TitleBarAppearance& a = appearanceOf(w);
    const bool asMain = drawsAsMain();
    TitleLook look;
    const auto& shadow = asMain ? a.titleTextShadow : a.inactiveTitleTextShadow;
    look.shadow = shadow ? *shadow : TitleTextShadow{QPointF(0, 1), 0, QColor::fromRgbF(1, 1, 1, 0.5)};
    const QColor standard = QColor::fromRgbF(56 / 255.0, 56 / 255.0, 56 / 255.0, asMain ? 1.0 : 0.5);
    look.color = orDefault(asMain ? a.titleTextColor : a.inactiveTitleTextColor, standard);
    look.font = a.titleFont ? *a.titleFont : QApplication::font("QMdiSubWindowTitleBar");
    const QSizeF size = QFontMetricsF(look.font).size(Qt::TextSingleLine, title);
    look.frame = TitlebarGeometry::titleFrame(rect(), size, w && w->verticallyCenterTitle());
    return look;
}

void VLTitlebarView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const VLAppStoreWindow* w = appStoreWindow();
    const TitleBarAppearance& a = appearanceOf(w);
    const bool asMain = drawsAsMain();
    const bool fullScreen = w && w->isInFullScreen();

    if (a.titleBarDrawingBlock) {
        a.titleBarDrawingBlock(painter, asMain, rect(), TitlebarGeometry::roundedTopPath(rect()));
    } else {
        drawBackground(painter, asMain, fullScreen);
    }

    if (w && w->showsTitle() && (!fullScreen || w->showsTitleInFullscreen())) {
        const QString title = w->windowTitle();
        const TitleLook look = titleLook(title);
        painter.setFont(look.font);
        if (look.shadow.color.alpha() > 0) {
            painter.setPen(look.shadow.color);
            painter.drawText(look.frame.translated(look.shadow.offset), Qt::AlignLeft | Qt::AlignTop, title);
        }
        painter.setPen(look.color);
        painter.drawText(look.frame, Qt::AlignLeft | Qt::AlignTop, title);
    }
}

void VLTitlebarView::drawBackground(QPainter& painter, bool asMain, bool fullScreen) {
    const VLAppStoreWindow* w = appStoreWindow();
    const TitleBarAppearance& a = appearanceOf(w);
    const QRectF bounds = rect();
    const QColor start =
        orDefault(asMain ? a.titleBarStartColor : a.inactiveTitleBarStartColor, defaultStartColor(asMain));
    const QColor end = orDefault(asMain ? a.titleBarEndColor : a.inactiveTitleBarEndColor, defaultEndColor(asMain));
    if (fullScreen) painter.fillRect(bounds, Qt::black);

    painter.save();
    painter.setClipPath(TitlebarGeometry::backgroundClip(bounds));
    QLinearGradient gradient(bounds.center().x(), bounds.bottom(), bounds.center().x(), bounds.top());
    gradient.setColorAt(0, start);
    gradient.setColorAt(1, end);
    painter.fillRect(bounds, gradient);
    painter.restore();

    const bool separator = !w || w->showsBaselineSeparator();
    if (separator) {
        const QColor line = orDefault(asMain ? a.baselineSeparatorColor : a.inactiveBaselineSeparatorColor,
                                      defaultSeparatorColor(asMain));
        painter.save();
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.fillRect(QRectF(0, bounds.bottom() - 1, bounds.width(), 1), line);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter.fillRect(QRectF(0, bounds.bottom() - 2, bounds.width(), 1), QColor::fromRgbF(1, 1, 1, 0.12));
        painter.restore();
    }

    if (asMain) {
        painter.save();
        painter.setClipPath(TitlebarGeometry::roundedTopPath(TitlebarGeometry::noiseRect(bounds, separator)));
        drawNoise(painter, 0.1);
        painter.restore();
    }
}

void VLTitlebarView::drawNoise(QPainter& painter, qreal opacity) {
    painter.save();
    painter.setOpacity(opacity);
    painter.setCompositionMode(QPainter::CompositionMode_Screen);
    // One grain per device pixel.
    const qreal ratio = devicePixelRatioF();
    if (ratio > 0) painter.scale(1 / ratio, 1 / ratio);
    const QImage& noise = NoiseTexture::image();
    const QRectF area(0, 0, width() * ratio, height() * ratio);
    static const QPixmap tile = QPixmap::fromImage(noise);
    painter.drawTiledPixmap(area, tile);
    painter.restore();
}

void VLTitlebarView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    m_pressed = true;
    m_pressPosition = event->position();
}

void VLTitlebarView::mouseMoveEvent(QMouseEvent* event) {
    if (!m_pressed || !(event->buttons() & Qt::LeftButton)) return;
    if ((event->position() - m_pressPosition).manhattanLength() < QApplication::startDragDistance()) return;
    m_pressed = false;
    if (QWindow* handle = window()->windowHandle()) handle->startSystemMove();
}

void VLTitlebarView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) m_doubleClicked = true;
}

void VLTitlebarView::mouseReleaseEvent(QMouseEvent* event) {
    m_pressed = false;
    if (event->button() != Qt::LeftButton) return;
    // A double click minimises; it never zooms.
    if (m_doubleClicked) window()->showMinimized();
    m_doubleClicked = false;
}
