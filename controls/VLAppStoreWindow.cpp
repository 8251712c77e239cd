#include "controls/VLAppStoreWindow.h"

#include "controls/DisableSubviews.h"
#include "controls/IMGButton.h"
#include "controls/TitlebarGeometry.h"
#include "controls/VLTitlebarContainer.h"
#include "controls/VLTitlebarView.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QStyle>
#include <QWindow>

namespace {

// How far into the window a press still grabs an edge for resizing.
constexpr qreal kResizeBorder = 4.0;

void setButtonImages(IMGButton* button, const QString& stem) {
    // The button returns to its off state after each click, so the pressed picture doubles as the look
    // while held (the button is disabled then).
    button->setImgOffState_En(stem + QStringLiteral("-normal"));
    button->setImgOnState_En(stem + QStringLiteral("-normal"));
    button->setImgOffStateDwn_En(stem + QStringLiteral("-press"));
    button->setImgOffStateDis_En(stem + QStringLiteral("-press"));
    button->setImgOnStateDis_En(stem + QStringLiteral("-press"));
    button->setImgMouseHover(stem + QStringLiteral("-hover"));
    button->resize(button->sizeHint());
}

}  // namespace

VLAppStoreWindow::VLAppStoreWindow(QWidget* parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
    m_titleBarHeight = m_cachedTitleBarHeight = minimumTitlebarHeight();
    m_trafficLightSeparation = defaultTrafficLightSeparation();

    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this] { updateTitlebarView(); });
    qApp->installEventFilter(this);

    createTitlebarView();
    createStandardButtons();
    layoutTrafficLightsAndContent();
}

VLAppStoreWindow::~VLAppStoreWindow() {
    qApp->removeEventFilter(this);
}

qreal VLAppStoreWindow::minimumTitlebarHeight() {
    static qreal height = 0;  // 0 counts as not yet measured
    if (height == 0) {
        const int metric = QApplication::style()->pixelMetric(QStyle::PM_TitleBarHeight);
        height = metric > 0 ? metric : 22;
    }
    return height;
}

qreal VLAppStoreWindow::defaultTrafficLightSeparation() {
    // The gap between our own close and minimise pictures, as the window system spaces such buttons.
    return 6.0;
}

void VLAppStoreWindow::createTitlebarView() {
    m_titleBarContainer = new VLTitlebarContainer(this);
    m_titleBarContainer->lower();
    setTitleBarView(new VLTitlebarView);
}

void VLAppStoreWindow::createStandardButtons() {
    m_closeButton = new IMGButton(this);
    m_minimizeButton = new IMGButton(this);
    m_zoomButton = new IMGButton(this);
    m_closeButton->setObjectName(QStringLiteral("closeButton"));
    m_minimizeButton->setObjectName(QStringLiteral("minimizeButton"));
    m_zoomButton->setObjectName(QStringLiteral("zoomButton"));
    setButtonImages(m_closeButton, QStringLiteral("close"));
    setButtonImages(m_minimizeButton, QStringLiteral("min"));
    setButtonImages(m_zoomButton, QStringLiteral("max"));
    // An image button flips its state after its action; these buttons always show their off look again.
    auto resetAfterClick = [](IMGButton* button) {
        QMetaObject::invokeMethod(
            button, [button] { button->setState(ControlStateOff); }, Qt::QueuedConnection);
    };
    connect(m_closeButton, &QAbstractButton::clicked, this, [this, resetAfterClick] {
        resetAfterClick(m_closeButton);
        close();
    });
    connect(m_minimizeButton, &QAbstractButton::clicked, this, [this, resetAfterClick] {
        resetAfterClick(m_minimizeButton);
        showMinimized();
    });
    connect(m_zoomButton, &QAbstractButton::clicked, this, [this, resetAfterClick] {
        resetAfterClick(m_zoomButton);
        isMaximized() ? showNormal() : showMaximized();
    });
}

QWidget* VLAppStoreWindow::titleBarContainer() const {
    return m_titleBarContainer;
}

void VLAppStoreWindow::setTitleBarHeight(qreal height) {
    if (height == m_titleBarHeight) return;
    m_titleBarHeight = m_cachedTitleBarHeight = height;
    layoutTrafficLightsAndContent();
    displayTitlebar();
}

void VLAppStoreWindow::setTitleBarView(QWidget* view) {
    if (!view || view == m_titleBarView) return;
    if (m_titleBarView) {
        m_titleBarView->hide();
        m_titleBarView->setParent(nullptr);
        m_titleBarView->deleteLater();
    }
    m_titleBarView = view;
    view->setParent(m_titleBarContainer);
    m_titleBarContainer->setFillingView(view);
    view->show();
}

void VLAppStoreWindow::setCenterFullScreenButton(bool on) {
    if (on == m_centerFullScreenButton) return;
    m_centerFullScreenButton = on;
    layoutTrafficLightsAndContent();
}

void VLAppStoreWindow::setCenterTrafficLightButtons(bool on) {
    if (on == m_centerTrafficLightButtons) return;
    m_centerTrafficLightButtons = on;
    layoutTrafficLightsAndContent();
}

void VLAppStoreWindow::setVerticalTrafficLightButtons(bool on) {
    if (on == m_verticalTrafficLightButtons) return;
    m_verticalTrafficLightButtons = on;
    layoutTrafficLightsAndContent();
}

void VLAppStoreWindow::setVerticallyCenterTitle(bool on) {
    if (on == m_verticallyCenterTitle) return;
    m_verticallyCenterTitle = on;
    displayTitlebar();
}

void VLAppStoreWindow::setShowsBaselineSeparator(bool on) {
    if (on == m_showsBaselineSeparator) return;
    m_showsBaselineSeparator = on;
    if (m_titleBarView) m_titleBarView->update();
}

void VLAppStoreWindow::setTrafficLightButtonsLeftMargin(qreal margin) {
    if (margin == m_trafficLightButtonsLeftMargin) return;
    m_trafficLightButtonsLeftMargin = margin;
    layoutTrafficLightsAndContent();
    displayTitlebar();
}

void VLAppStoreWindow::setFullScreenButtonRightMargin(qreal margin) {
    if (margin == m_fullScreenButtonRightMargin) return;
    m_fullScreenButtonRightMargin = margin;
    layoutTrafficLightsAndContent();
    displayTitlebar();
}

void VLAppStoreWindow::setTrafficLightSeparation(qreal separation) {
    if (separation == m_trafficLightSeparation) return;
    m_trafficLightSeparation = separation;
    layoutTrafficLightsAndContent();
}

void VLAppStoreWindow::setShowsTitle(bool on) {
    if (on == m_showsTitle) return;
    m_showsTitle = on;
    displayTitlebar();
}

void VLAppStoreWindow::setContentView(QWidget* view) {
    if (view == m_contentView) return;
    if (m_contentView) m_contentView->deleteLater();
    m_contentView = view;
    if (!view) return;
    view->setParent(this);
    view->show();
    view->lower();
    m_titleBarContainer->lower();
    repositionContentView();
}

void VLAppStoreWindow::setResizable(bool resizable) {
    m_resizable = resizable;
}

bool VLAppStoreWindow::drawsAsMain() const {
    return isActiveWindow() && QGuiApplication::applicationState() == Qt::ApplicationActive;
}

bool VLAppStoreWindow::isInFullScreen() const {
    return windowState() & Qt::WindowFullScreen;
}

void VLAppStoreWindow::layoutTrafficLightsAndContent() {
    const QRectF container = TitlebarGeometry::containerRect(size(), m_titleBarHeight);
    m_titleBarContainer->setGeometry(container.toRect());
    // Set here too: a hidden container hears of its new size only once shown.
    if (m_titleBarView) m_titleBarView->setGeometry(QRect(QPoint(0, 0), container.size().toSize()));

    TitlebarGeometry::TrafficLightInput in;
    in.close = m_closeButton->size();
    in.minimise = m_minimizeButton->size();
    in.zoom = m_zoomButton->size();
    in.centered = m_centerTrafficLightButtons;
    in.vertical = m_verticalTrafficLightButtons;
    in.leftMargin = m_trafficLightButtonsLeftMargin;
    in.topMargin = m_trafficLightButtonsTopMargin;
    in.separation = m_trafficLightSeparation;
    const auto frames = TitlebarGeometry::layoutTrafficLights(container, in);
    m_closeButton->setGeometry(frames.close.toRect());
    m_minimizeButton->setGeometry(frames.minimise.toRect());
    m_zoomButton->setGeometry(frames.zoom.toRect());
    for (QWidget* button : {static_cast<QWidget*>(m_closeButton), static_cast<QWidget*>(m_minimizeButton),
                            static_cast<QWidget*>(m_zoomButton)}) {
        button->raise();
    }
    repositionContentView();
}

void VLAppStoreWindow::repositionContentView() {
    if (!m_contentView) return;
    const QRect target = TitlebarGeometry::contentRect(size(), m_titleBarHeight).toRect();
    if (m_contentView->geometry() == target) return;
    m_contentView->setGeometry(target);
    m_contentView->update();
}

void VLAppStoreWindow::displayTitlebar() {
    if (m_titleBarView) m_titleBarView->update();
}

void VLAppStoreWindow::updateTitlebarView() {
    if (!m_titleBarView) return;
    m_titleBarView->update();
    const bool enabled = drawsAsMain();
    for (QObject* child : m_titleBarView->children()) {
        auto* view = qobject_cast<QWidget*>(child);
        if (view && !view->isWindow() && DisableSubviews::isControl(view)) view->setEnabled(enabled);
    }
}

QPointF VLAppStoreWindow::sheetPosition(QWidget* sheet, const QSizeF& sheetSize) {
    const QRectF proposed(0, 0, width(), 0);
    const QRectF rect = m_delegateProxy.sheetRect(this, sheet, proposed, m_titleBarHeight);
    return TitlebarGeometry::sheetTopLeft(QRectF(geometry()), rect, sheetSize);
}

void VLAppStoreWindow::beginSheet(QWidget* sheet) {
    if (!sheet) return;
    sheet->setParent(this, Qt::Dialog | Qt::FramelessWindowHint);
    sheet->setWindowModality(Qt::WindowModal);
    sheet->adjustSize();
    sheet->move(sheetPosition(sheet, sheet->size()).toPoint());
    sheet->show();
}

void VLAppStoreWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutTrafficLightsAndContent();
    m_delegateProxy.windowDidResize(this);
}

void VLAppStoreWindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    layoutTrafficLightsAndContent();
}

void VLAppStoreWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    switch (event->type()) {
        case QEvent::ActivationChange:
            updateTitlebarView();
            layoutTrafficLightsAndContent();
            break;
        case QEvent::WindowTitleChange:
            layoutTrafficLightsAndContent();
            displayTitlebar();
            break;
        case QEvent::WindowStateChange: {
            const bool fullScreen = isInFullScreen();
            if (fullScreen && !m_wasFullScreen) {
                windowWillEnterFullScreen();
                m_delegateProxy.windowDidEnterFullScreen(this);
            } else if (!fullScreen && m_wasFullScreen) {
                windowWillExitFullScreen();
                windowDidExitFullScreen();
                m_delegateProxy.windowDidExitFullScreen(this);
            }
            m_wasFullScreen = fullScreen;
            break;
        }
        default:
            break;
    }
}

void VLAppStoreWindow::windowWillEnterFullScreen() {
    if (!m_hideTitleBarInFullScreen) return;
    m_titleBarHeight = 0;  // the cached height stays for the way back
    layoutTrafficLightsAndContent();
    displayTitlebar();
    if (m_titleBarView) m_titleBarView->hide();
}

void VLAppStoreWindow::windowWillExitFullScreen() {
    if (!m_hideTitleBarInFullScreen) return;
    m_titleBarHeight = m_cachedTitleBarHeight;
    layoutTrafficLightsAndContent();
    displayTitlebar();
    if (m_titleBarView) m_titleBarView->show();
}

void VLAppStoreWindow::windowDidExitFullScreen() {
    layoutTrafficLightsAndContent();
}

void VLAppStoreWindow::closeEvent(QCloseEvent* event) {
    if (!m_delegateProxy.windowShouldClose(this)) {
        event->ignore();
        return;
    }
    m_delegateProxy.windowWillClose(this);
    event->accept();
}

bool VLAppStoreWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Hide && watched != this && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->parentWidget() == this && static_cast<QWidget*>(watched)->isWindow()) {
        layoutTrafficLightsAndContent();  // a sheet or child window went away
        return false;
    }
    if (event->type() != QEvent::MouseButtonPress || !m_resizable || !watched->isWidgetType()) return false;
    auto* widget = static_cast<QWidget*>(watched);
    if (widget->window() != this || isMaximized() || isInFullScreen()) return false;
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() != Qt::LeftButton) return false;
    const QPointF pos = mapFromGlobal(mouse->globalPosition());
    const Qt::Edges edges = TitlebarGeometry::resizeEdgesAt(pos, size(), kResizeBorder);
    // The press is taken only when the window system really starts resizing.
    return edges && windowHandle() && windowHandle()->startSystemResize(edges);
}
