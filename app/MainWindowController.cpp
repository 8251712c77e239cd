#include "app/MainWindowController.h"

#include "app/AddPhotosWindow.h"
#include "app/AppNotifications.h"
#include "app/ArtworkViews.h"
#include "app/FeedbackService.h"
#include "app/LoadingOverlay.h"
#include "app/MainTitleBar.h"
#include "app/MainWindowApplication.h"
#include "app/ProductInfo.h"
#include "app/QuickTourWindow.h"
#include "controls/CentredWindow.h"
#include "controls/ControlState.h"
#include "controls/DragDropBox.h"
#include "controls/IMGButton.h"
#include "controls/MouseDownView.h"
#include "controls/VLAppStoreWindow.h"
#include "controls/VisualEffectBacking.h"
#include "platform/Dispatch.h"
#include "platform/NotificationCenter.h"
#include "platform/UserDefaults.h"

#include <QAction>
#include <QEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QVBoxLayout>

namespace {

const QSize kMainWindowSize(1050, 700);
constexpr int kTitleBarHeight = 50;
const QString kIsFirstTime = QStringLiteral("isFirstTime");
constexpr int kCornerRadius = 5;

// The content background (mainBG): a neutral dark grey, as the window's dark translucent material shows over a
// desktop, whose bottom corners follow the window's. The window itself is cut to its rounded shape.
VisualEffectBacking::Look mainBackground() {
    VisualEffectBacking::Look look;
    look.fill = QColor(44, 44, 48);
    look.cornerRadius = kCornerRadius;
    look.squareTop = true;
    look.underViewOnly = true;
    look.roundsView = false;
    return look;
}

// An image button flips its state once its click is handled; these only act.
void showsOffAfterClick(IMGButton* button) {
    QMetaObject::invokeMethod(
        button, [button] { button->setState(ControlStateOff); }, Qt::QueuedConnection);
}

}  // namespace

MainWindowController::MainWindowController(MainWindowApplication& app) : m_app(app) {
    m_schedule = [this](int milliseconds, std::function<void()> work) {
        platform::dispatch::after(milliseconds, this, std::move(work));
    };
    m_windowMain = new VLAppStoreWindow;
    m_windowMain->setObjectName(QStringLiteral("windowMain"));
    m_windowMain->setWindowTitle(ProductInfo::bundleName());
    m_windowMain->setAttribute(Qt::WA_TranslucentBackground);
    // Qt shows tool tips only over the active window; without a window manager the window may never become
    // active, and the form's fields explain themselves by their tool tips.
    m_windowMain->setAttribute(Qt::WA_AlwaysShowToolTips);
    m_mainScreenView = new QWidget;
    m_mainScreenView->setObjectName(QStringLiteral("mainScreenView"));
    auto* layout = new QVBoxLayout(m_mainScreenView);
    layout->setContentsMargins(0, 0, 0, 0);
    m_windowMain->setContentView(m_mainScreenView);
    VisualEffectBacking::addVisualEffectView(m_windowMain, m_mainScreenView, mainBackground());
    m_titleBar = new MainTitleBar;
    m_titleBar->setObjectName(QStringLiteral("vwTopContainer"));
    m_loading = new LoadingOverlay(m_windowMain);
    m_addPhotos = new AddPhotosWindow(m_windowMain);
    m_tips = new QuickTourWindow(m_windowMain);
    m_windowMain->installEventFilter(this);

    // The halves wait the way the window does, also once tests have replaced its waits.
    const DelayedCall waits = [this](int milliseconds, std::function<void()> work) {
        m_schedule(milliseconds, std::move(work));
    };
    m_startWindows = std::make_unique<MainWindowAddPhotos>(m_app, *this, m_addPhotos, m_tips, waits);
    m_closeFlow = std::make_unique<MainWindowCloseFlow>(m_app, m_windowMain, waits);
}

MainWindowController::~MainWindowController() {
    platform::NotificationCenter::defaultCenter().removeObserver(this);
    m_windowMain->setDelegate(nullptr);
    m_windowMain->removeEventFilter(this);
    delete m_windowMain;
}

void MainWindowController::awakeFromNib() {
    initSetup();
    platform::UserDefaults& defaults = m_app.defaults();
    if (defaults.contains(kIsFirstTime) && defaults.string(kIsFirstTime) == QLatin1String("yes")) {
        m_schedule(kFirstWindowDelayMs, [this] { showTipsScreen(); });
        defaults.setValue(kIsFirstTime, QStringLiteral("no"));
        defaults.synchronize();
    } else {
        showAddPhotosWindow();
    }
}

QWidget* MainWindowController::frontWindow() const {
    if (m_tips->isVisible()) return m_tips;
    if (m_addPhotos->isVisible()) return m_addPhotos;
    return m_windowMain;
}

void MainWindowController::initSetup() {
    registerObservers();
    setupTitleBarViewForWindow();
    m_titleBar->vwMouseDownLintener()->setDelegate(this);
    m_tips->vwMouseDownTips()->setDelegate(this);
    m_addPhotos->vwContainerLoadImage()->setDelegate(this);
    m_loading->setGeometry(QRect(QPoint(0, 0), m_windowMain->size()));
}

void MainWindowController::registerObservers() {
    auto& center = platform::NotificationCenter::defaultCenter();
    center.addObserver(this, AppNotifications::showTips(),
                       [this](const platform::Notification&) { m_startWindows->tipsRequested(); });
    // The support-phone download may post from its own thread.
    center.addObserver(this, AppNotifications::updatePhoneNumber(), [this](const platform::Notification& n) {
        const QString number = n.userInfo.value(QStringLiteral("number")).toString();
        platform::dispatch::onMain(this, [this, number] { updatePhoneNumber_MainThread(number); });
    });
    center.addObserver(this, AppNotifications::showFeedback(),
                       [this](const platform::Notification&) { showFeedBackWindow(); });
    center.addObserver(this, AppNotifications::showLoading(), [this](const platform::Notification&) {
        btnCloseWindow()->setEnabled(false);
        btnZoomWindow()->setEnabled(false);
    });
    center.addObserver(this, AppNotifications::hideLoading(), [this](const platform::Notification&) {
        btnCloseWindow()->setEnabled(true);
        btnZoomWindow()->setEnabled(true);
    });
}

void MainWindowController::setupViewInitialSize() {
    const QScreen* screen = m_windowMain->screen();
    const QRect visible = screen ? screen->availableGeometry() : QRect(QPoint(0, 0), kMainWindowSize);
    m_windowMain->setMinimumSize(kMainWindowSize);
    m_windowMain->setGeometry(QRect(CentredWindow::topLeftOver(visible, kMainWindowSize), kMainWindowSize));
    m_lastMainPosition = m_windowMain->pos();
}

void MainWindowController::setupTitleBarViewForWindow() {
    setupViewInitialSize();
    m_windowMain->setTitleBarView(m_titleBar);
    m_windowMain->setTitleBarHeight(kTitleBarHeight);
    // Centred in the tall bar: near its top edge they look misplaced beside the centred title.
    m_windowMain->setCenterTrafficLightButtons(true);
    m_windowMain->setTrafficLightButtonsLeftMargin(7);
    m_windowMain->setShowsTitle(false);
    m_windowMain->setDelegate(this);
    m_titleBar->setCursor(Qt::ArrowCursor);

    // The window's own buttons answer with the close flow, the minimise and the full-screen switch here.
    for (IMGButton* button : {btnCloseWindow(), btnMinimizeWindow(), btnZoomWindow()})
        QObject::disconnect(button, &QAbstractButton::clicked, m_windowMain, nullptr);
    connect(btnCloseWindow(), &QAbstractButton::clicked, this, [this] {
        showsOffAfterClick(btnCloseWindow());
        btnCloseWindowTapped();
    });
    connect(btnMinimizeWindow(), &QAbstractButton::clicked, this, &MainWindowController::btnMinimizeWindowTapped);
    connect(btnZoomWindow(), &QAbstractButton::clicked, this, &MainWindowController::btnZoomWindowTapped);
    const std::pair<IMGButton*, QString> images[] = {{btnCloseWindow(), QStringLiteral("close")},
                                                     {btnMinimizeWindow(), QStringLiteral("min")},
                                                     {btnZoomWindow(), QStringLiteral("max")}};
    for (const auto& [button, stem] : images) {
        button->setImgOffState_En(stem + QStringLiteral("-normal"));
        button->setImgOnState_En(stem + QStringLiteral("-press"));
        button->setImgMouseHover(stem + QStringLiteral("-hover"));
        // Greyed while the add-photos window or a loader holds them, as the user expects of dead buttons.
        button->setImgOffStateDis_En(QStringLiteral("traffic-disabled"));
        button->setImgOnStateDis_En(QStringLiteral("traffic-disabled"));
    }
    btnCloseWindow()->setToolTip(QStringLiteral("Close"));
    btnMinimizeWindow()->setToolTip(QStringLiteral("Minimise"));
    btnZoomWindow()->setToolTip(QStringLiteral("Full screen"));

    m_addPhotos->leftBox()->registerForDraggedTypes();
    // Registered here rather than with the others: dropped paths first close the add-photos window.
    platform::NotificationCenter::defaultCenter().addObserver(this, AppNotifications::fileDragDrop(),
                                                              [this](const platform::Notification&) {
                                                                  if (m_addPhotos->isVisible()) hideAddPhotosWindow();
                                                              });
    buildMenu();
}

void MainWindowController::buildMenu() {
    QMenu* menu = m_titleBar->menu();
    menu->addAction(QStringLiteral("Quick Tour"), this, [this] { m_app.showTips(); });
    menu->addAction(QStringLiteral("Help"), this, &MainWindowController::openHelpUrl);
    QAction* feedback =
        menu->addAction(QStringLiteral("Send Feedback..."), this, [this] { m_app.btnFeedbackTapped(); });
    feedback->setObjectName(QStringLiteral("menuFeedback"));
    menu->addAction(QStringLiteral("Rate ") + ProductInfo::bundleName() + QStringLiteral("..."), this,
                    [this] { m_app.btnRateOnAppstoreTapped(); });
    menu->addSeparator();
    menu->addAction(m_app.menuSelectAll());
    menu->addAction(m_app.menuDeselectAll());
    menu->addSeparator();
    QAction* quit =
        menu->addAction(QStringLiteral("Quit ") + ProductInfo::bundleName(), this, [this] { m_app.terminate(); });
    quit->setShortcut(QKeySequence::Quit);
    // Shortcuts work while the window is active, the menu closed.
    m_windowMain->addActions({m_app.menuSelectAll(), m_app.menuDeselectAll(), quit});
    feedbackAvailabilityChanged();
}

void MainWindowController::feedbackAvailabilityChanged() {
    if (auto* item = m_titleBar->menu()->findChild<QAction*>(QStringLiteral("menuFeedback")))
        item->setVisible(m_app.feedback() != nullptr);
}

void MainWindowController::showWindow() {
    m_windowMain->show();
    m_windowMain->raise();
    m_windowMain->activateWindow();
}

void MainWindowController::setEditorView(QWidget* view) {
    if (view == m_editorView) return;
    if (m_editorView) m_editorView->deleteLater();
    m_editorView = view;
    if (!view) return;
    view->setParent(m_mainScreenView);
    m_mainScreenView->layout()->addWidget(view);
    view->show();
}

IMGButton* MainWindowController::btnCloseWindow() const {
    return m_windowMain->closeButton();
}

IMGButton* MainWindowController::btnMinimizeWindow() const {
    return m_windowMain->minimizeButton();
}

IMGButton* MainWindowController::btnZoomWindow() const {
    return m_windowMain->zoomButton();
}

void MainWindowController::hideWindow() {
    m_windowMain->hide();
}

void MainWindowController::enableWindowControls(bool enabled) {
    for (IMGButton* button : {btnCloseWindow(), btnMinimizeWindow(), btnZoomWindow()}) button->setEnabled(enabled);
    m_windowMain->setResizable(enabled);
}

void MainWindowController::btnMinimizeWindowTapped() {
    // The button turns itself on after this click and keeps its pressed look until the window is back.
    m_windowMain->showMinimized();
}

void MainWindowController::btnZoomWindowTapped() {
    showsOffAfterClick(btnZoomWindow());
    m_isFullscreenEnable = !m_isFullscreenEnable;
    m_isFullscreenEnable ? m_windowMain->showFullScreen() : m_windowMain->showNormal();
    btnMinimizeWindow()->setEnabled(!m_isFullscreenEnable);
}

void MainWindowController::updatePhoneNumber_MainThread(const QString& number) {
    const bool hasNumber = !number.isEmpty();
    m_titleBar->lblContactNumber()->setText(number);
    // Shown again when a number arrives after an empty one: the download may bring it late.
    m_titleBar->viewContactSupport()->setVisible(hasNumber);
    m_titleBar->tipsPopupView()->setVisible(hasNumber);
    m_titleBar->lblContactNumber()->setVisible(hasNumber);
    m_titleBar->relayout();
}

void MainWindowController::showLoading(bool show, const QString& text) {
    m_loading->setText(text);
    m_loading->setGeometry(QRect(QPoint(0, 0), m_windowMain->size()));
    m_loading->setVisible(show);
    if (show) m_loading->raise();
}

void MainWindowController::showFeedBackWindow() {
    if (FeedbackService* feedback = m_app.feedback()) feedback->showFeedBackWindow(m_windowMain);
}

void MainWindowController::openHelpUrl() {
    m_app.btnHelpTapped();
}

bool MainWindowController::windowShouldClose(VLAppStoreWindow*) {
    if (!m_closeFlow->isCloseApproved()) {
        // Closed by the window system (a key or its menu): the same questions as the close button.
        platform::dispatch::onMain(this, [this] { btnCloseWindowTapped(); });
        return false;
    }
    m_app.setIsSubWindowOpened(false);
    return true;
}

void MainWindowController::windowWillClose(VLAppStoreWindow* window) {
    platform::NotificationCenter::defaultCenter().post(AppNotifications::windowWillClose(), window);
}

void MainWindowController::windowDidResize(VLAppStoreWindow*) {
    const bool edgeToEdge = m_windowMain->isFullScreen() || m_windowMain->isMaximized();
    ArtworkViews::roundWindowCorners(m_windowMain, edgeToEdge ? 0 : kCornerRadius);
    if (m_loading) m_loading->setGeometry(QRect(QPoint(0, 0), m_windowMain->size()));
    platform::NotificationCenter::defaultCenter().post(AppNotifications::windowResized());
}

void MainWindowController::windowDidEnterFullScreen(VLAppStoreWindow*) {
    platform::NotificationCenter::defaultCenter().post(AppNotifications::windowEndResizing());
}

void MainWindowController::windowDidExitFullScreen(VLAppStoreWindow*) {
    platform::NotificationCenter::defaultCenter().post(AppNotifications::windowEndResizing());
}

QWidget* MainWindowController::windowDraggedBy(const MouseDownView* view) const {
    // The tour's strip moves the main window, and the tour with it.
    if (view == m_addPhotos->vwContainerLoadImage()) return m_addPhotos;
    return m_windowMain;
}

void MainWindowController::mouseDown(QMouseEvent* event, MouseDownView* view) {
    m_initialLocation = event->globalPosition().toPoint() - windowDraggedBy(view)->pos();
}

void MainWindowController::mouseDragged(QMouseEvent* event, MouseDownView* view) {
    QWidget* moved = windowDraggedBy(view);
    if (moved == m_windowMain && (m_windowMain->isMaximized() || m_windowMain->isFullScreen())) return;
    QPoint origin = event->globalPosition().toPoint() - m_initialLocation;
    // The top edge never goes above the screen, where it could no longer be grabbed.
    if (const QScreen* screen = moved->screen()) origin.setY(std::max(origin.y(), screen->geometry().top()));
    moved->move(origin);
}

bool MainWindowController::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_windowMain && event->type() == QEvent::Move) {
        // Child windows travel with the main window.
        const QPoint delta = m_windowMain->pos() - m_lastMainPosition;
        m_lastMainPosition = m_windowMain->pos();
        for (QWidget* child : {static_cast<QWidget*>(m_addPhotos), static_cast<QWidget*>(m_tips)}) {
            if (child->isVisible()) child->move(child->pos() + delta);
        }
    }
    if (watched == m_windowMain && event->type() == QEvent::WindowStateChange && !m_windowMain->isMinimized())
        btnMinimizeWindow()->setState(ControlStateOff);
    return QObject::eventFilter(watched, event);
}
