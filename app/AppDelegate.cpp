#include "app/AppDelegate.h"

#include "app/AppNotifications.h"
#include "app/EditingScreen.h"
#include "app/FeedbackService.h"
#include "app/InstallTrackingService.h"
#include "app/Logging.h"
#include "app/MainWindowController.h"
#include "app/ProductInfo.h"
#include "app/PromotionPanelService.h"
#include "app/ReachabilityService.h"
#include "app/SupportPhoneService.h"
#include "app/online/PhoneNumberIni.h"
#include "batch/EditorAlert.h"
#include "controls/VLAppStoreWindow.h"
#include "editor/AddPhotosOptions.h"
#include "intake/PhotoAcceptance.h"
#include "intake/PhotoIntake.h"
#include "platform/Alerts.h"
#include "platform/Dispatch.h"
#include "platform/NotificationCenter.h"
#include "platform/UserDefaults.h"
#include "platform/Workspace.h"

#include <QAction>
#include <QApplication>
#include <QStyle>
#include <QStyleFactory>

// The shell's artwork and tour page are compiled into this static library; the registration must be
// referenced to be linked.
static void registerShellResources() {
    Q_INIT_RESOURCE(app);
}

namespace {

AppDelegate* g_shared = nullptr;

const QString kIsFirstTime = QStringLiteral("isFirstTime");
const QString kPhoneNumber = QStringLiteral("phonenumber");
const QString kNotShowPromotionWindow = QStringLiteral("notShowPromotionWindow");
const QString kAppVersion = QStringLiteral("appVersion");

// Select All and Deselect All act on whatever holds the keyboard focus (a text field, a list), through
// the first of the slots it has.
void invokeOnFocus(std::initializer_list<const char*> slotNames) {
    QWidget* focus = QApplication::focusWidget();
    if (!focus) return;
    for (const char* slot : slotNames) {
        if (focus->metaObject()->indexOfSlot(QByteArray(slot) + "()") < 0) continue;
        QMetaObject::invokeMethod(focus, slot);
        return;
    }
}

}  // namespace

AppDelegate::AppDelegate(platform::UserDefaults& defaults, QObject* parent)
    : QObject(parent), m_defaults(defaults), m_presetStore(defaults) {
    g_shared = this;
    registerShellResources();
    SubWindowState::install(&m_subWindowState);
    m_photoIntake = std::make_unique<PhotoIntake>(arraySelectedImagesToProcess, dictFileAdded);
    // Until the editing screen drives the intake, its busy overlay and its closing alerts are the main
    // window's, and nothing else is set up again once the photos are in.
    PhotoIntake::Hooks hooks;
    hooks.showLoading = [this](bool show, const QString& text) { showIntakeLoading(show, text); };
    hooks.processAfterAllPhotosAdded = [this] { showIntakeLoading(false, QString()); };
    hooks.showAlertWithTag = [this](EditorAlertTag tag) {
        const IntakeCounters& added = m_photoIntake->counters();
        EditorAlertCounts counts;
        counts.totalPhotoToAdd = added.totalPhotoToAdd;
        counts.damagedFileCount = added.damagedFileCount;
        counts.alreadyExistsPhotosCount = added.alreadyExistsPhotosCount;
        counts.unreadableNameCount = added.unreadableNameCount;
        counts.failedReadCount = added.failedReadCount;
        counts.lockedLibraryCount = added.lockedLibraryCount;
        counts.photosLimit = MAX_PHOTOS_LIMIT;
        const std::optional<EditorAlert> shown = EditorAlert::forTag(tag, counts);
        if (!shown) return;
        platform::Alert alert;
        alert.messageText = shown->title;
        alert.informativeText = shown->text;
        alert.buttons = {QStringLiteral("OK")};
        alert.tag = tag;
        QWidget* parent = m_windowController ? m_windowController->windowMain() : nullptr;
        platform::AlertPresenter::shared().beginSheet(alert, parent, nullptr);
    };
    hooks.archivePathAlert = [this](std::function<void()> dismissed) {
        QWidget* parent = m_windowController ? m_windowController->windowMain() : nullptr;
        AddPhotosOptions::showArchivePathAlert(parent, std::move(dismissed));
    };
    m_photoIntake->setHooks(std::move(hooks));
    m_presetStore.setNoticeHandler([this](const PresetStore::Notice& notice) { tellAboutPresets(notice); });

    platform::NotificationCenter::defaultCenter().addObserver(
        this, AppNotifications::fileDragDrop(),
        [this](const platform::Notification& n) { handleDropWithoutEditingScreen(n); });
    if (qApp) {
        connect(qApp, &QCoreApplication::aboutToQuit, this, &AppDelegate::applicationWillTerminate);
        if (auto* gui = qobject_cast<QGuiApplication*>(qApp)) {
            // The session may end the process right after asking; the presets must be on disk by then.
            connect(gui, &QGuiApplication::commitDataRequest, this, [this] { saveProjectSession(); });
        }
    }
    createMenuActions();
}

AppDelegate::~AppDelegate() {
    platform::NotificationCenter::defaultCenter().removeObserver(this);
    m_windowController.reset();
    if (&SubWindowState::shared() == &m_subWindowState) SubWindowState::install(nullptr);
    if (g_shared == this) g_shared = nullptr;
}

AppDelegate* AppDelegate::shared() {
    return g_shared;
}

void AppDelegate::createMenuActions() {
    m_menuSelectAll = new QAction(QStringLiteral("Select All"), this);
    m_menuSelectAll->setShortcut(QKeySequence::SelectAll);
    connect(m_menuSelectAll, &QAction::triggered, this, [] { invokeOnFocus({"selectAll"}); });
    m_menuDeselectAll = new QAction(QStringLiteral("Deselect All"), this);
    m_menuDeselectAll->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+A")));
    connect(m_menuDeselectAll, &QAction::triggered, this, [] { invokeOnFocus({"clearSelection", "deselect"}); });
}

void AppDelegate::setEditingScreen(EditingScreen* screen) {
    m_editingScreen = screen;
    m_editingScreenView = screen ? screen->view() : nullptr;
    if (m_editingScreenView && m_windowController) m_windowController->setEditorView(m_editingScreenView);
}

bool AppDelegate::hasUnprocessedEdits() const {
    const EditingScreen* screen = editingScreen();
    return !arraySelectedImagesToProcess.isEmpty() && screen && screen->isParamsChanged();
}

void AppDelegate::installReachability(std::unique_ptr<ReachabilityService> service) {
    m_reachability = std::move(service);
}

void AppDelegate::installSupportPhone(std::unique_ptr<SupportPhoneService> service) {
    m_supportPhone = std::move(service);
}

void AppDelegate::installTracking(std::unique_ptr<InstallTrackingService> service) {
    m_tracking = std::move(service);
}

void AppDelegate::installPromotionPanel(std::unique_ptr<PromotionPanelService> service) {
    m_promotionPanel = std::move(service);
}

void AppDelegate::installFeedback(std::unique_ptr<FeedbackService> service) {
    m_feedback = std::move(service);
    if (m_windowController) m_windowController->feedbackAvailabilityChanged();
}

void AppDelegate::step(LaunchStep done) {
    if (m_launchObserver) m_launchObserver(done);
}

void AppDelegate::applicationDidFinishLaunching() {
    useLightAppearance();
    step(LaunchStep::LightAppearance);
    if (!m_defaults.contains(kIsFirstTime)) {
        m_defaults.setValue(kIsFirstTime, QStringLiteral("yes"));
        m_defaults.synchronize();
    }
    step(LaunchStep::FirstTimeFlag);
    arraySelectedImagesToProcess.clear();
    dictFileAdded.clear();
    step(LaunchStep::EmptyBatch);
    loadPresets();
    step(LaunchStep::LoadPresets);
    openMainWindow();
    tellPendingNotices();
    step(LaunchStep::OpenMainWindow);
    registerReachability();
    step(LaunchStep::RegisterReachability);
    m_defaults.registerDefaults({{kPhoneNumber, QString()}});
    step(LaunchStep::PhoneNumberDefault);
    updatePhoneInfo();
    step(LaunchStep::UpdatePhoneInfo);
    if (m_supportPhone) m_supportPhone->startUpdatePhoneNumbersFromWebINI(*this);
    step(LaunchStep::SupportPhoneDownload);
    enableSelectAll(false);
    step(LaunchStep::EnableSelectAll);
    if (m_tracking) m_tracking->registerForTracking(*this);
    step(LaunchStep::RegisterForTracking);
    emit launchFinished();
}

void AppDelegate::useLightAppearance() {
    // The screens are drawn for a light system look; a dark desktop theme would leave dark text on them.
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (!app) return;
    if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"))) {
        QApplication::setStyle(fusion);
        QApplication::setPalette(fusion->standardPalette());
    }
}

void AppDelegate::loadPresets() {
    m_presetStore.loadPresets();
}

bool AppDelegate::saveProjectSession() {
    return m_presetStore.saveProjectSession();
}

void AppDelegate::openMainWindow() {
    if (!m_windowController) {
        m_windowController = std::make_unique<MainWindowController>(*this);
        if (m_delayedCall) m_windowController->setDelayedCall(m_delayedCall);
        if (m_editingScreenFactory && !m_editingScreen)
            setEditingScreen(m_editingScreenFactory(*this));
        else if (m_editingScreenView)
            m_windowController->setEditorView(m_editingScreenView);
        m_windowController->awakeFromNib();
    }
    m_windowController->showWindow();
}

void AppDelegate::registerReachability() {
    auto& center = platform::NotificationCenter::defaultCenter();
    // Both roads of the close flow end in handleWindowClose_Main on a later pass of the event loop, so
    // the window that posted has finished closing by then.
    auto deferred = [this](const platform::Notification& n) {
        platform::dispatch::onMain(this, [this, n] { handleWindowClose_Main(n); });
    };
    center.addObserver(this, AppNotifications::windowWillClose(), deferred);
    center.addObserver(this, AppNotifications::mainWindowClose(), deferred);
    if (m_reachability) m_reachability->registerReachability(*this);
}

QString AppDelegate::getDefaultPhoneNumber() const {
    return m_defaults.string(kPhoneNumber);
}

void AppDelegate::updatePhoneInfo() {
    updatePhoneInfoToLabels(getDefaultPhoneNumber());
}

void AppDelegate::updatePhoneInfoToLabels(const QString& number) {
    // A value stored by an earlier version may be whatever a server once served.
    const QString shown = PhoneNumberIni::isPhoneNumber(number) ? number : QString();
    platform::NotificationCenter::defaultCenter().post(AppNotifications::updatePhoneNumber(), nullptr,
                                                       {{QStringLiteral("number"), shown}});
    strPhoneNumber = shown;
}

void AppDelegate::enableSelectAll(bool panelOpen) {
    m_menuSelectAll->setVisible(!panelOpen);
    m_menuDeselectAll->setVisible(panelOpen);
}

void AppDelegate::btnFeedbackTapped() {
    if (isSubWindowOpened()) return;
    platform::NotificationCenter::defaultCenter().post(AppNotifications::showFeedback());
}

void AppDelegate::showTips() {
    platform::NotificationCenter::defaultCenter().post(AppNotifications::showTips());
}

void AppDelegate::btnHelpTapped() {
    platform::openWebPage(m_serviceHosts.supportPage(),
                          m_windowController ? m_windowController->frontWindow() : nullptr);
}

void AppDelegate::btnRateOnAppstoreTapped() {
    if (platform::openWebPage(m_serviceHosts.reviewPage(),
                              m_windowController ? m_windowController->frontWindow() : nullptr))
        m_defaults.setValue(kAppVersion, ProductInfo::bundleVersion());
}

void AppDelegate::addPhotosFromPathUrls(const QStringList& paths) {
    if (EditingScreen* screen = editingScreen()) {
        screen->addPhotosFromPathUrls(paths, false);
        return;
    }
    m_photoIntake->addPhotosFromPathUrls(paths, false);
}

void AppDelegate::showIntakeLoading(bool show, const QString& text) {
    setIsSubWindowOpened(show);
    if (m_windowController) m_windowController->showLoading(show, text);
    platform::NotificationCenter::defaultCenter().post(show ? AppNotifications::showLoading()
                                                            : AppNotifications::hideLoading());
}

void AppDelegate::tellAboutPresets(const PresetStore::Notice& notice) {
    if (!m_windowController && !m_willTerminateDone) {
        m_pendingNotices.append(notice);
        return;
    }
    qCInfo(lcApp).noquote() << notice.messageText + QStringLiteral(": ") +
                                   QString(notice.informativeText).replace(QLatin1Char('\n'), QLatin1Char(' '));
    // At the end of the run the log alone keeps it: an alert would close with the application.
    if (m_willTerminateDone) return;
    platform::Alert alert;
    alert.messageText = notice.messageText;
    alert.informativeText = notice.informativeText;
    alert.buttons = {QStringLiteral("OK")};
    platform::AlertPresenter::shared().beginSheet(alert, m_windowController->frontWindow(), nullptr);
}

void AppDelegate::tellPendingNotices() {
    if (m_pendingNotices.isEmpty()) return;
    // Over the quick tour or the add-photos window, once it is up: an alert below it would hold that window
    // unseen.
    auto tell = [this] {
        for (const PresetStore::Notice& notice : std::exchange(m_pendingNotices, {})) tellAboutPresets(notice);
    };
    if (m_delayedCall)
        m_delayedCall(MainWindowController::kFirstWindowDelayMs, tell);
    else
        platform::dispatch::after(MainWindowController::kFirstWindowDelayMs, this, tell);
}

void AppDelegate::handleDropWithoutEditingScreen(const platform::Notification& notification) {
    // An editing screen asks its renaming question first and starts the import itself.
    if (editingScreen()) return;
    const QStringList paths = notification.userInfo.value(QStringLiteral("paths")).toStringList();
    if (paths.isEmpty()) return;
    // After the main window has put the add-photos window away, which frees the screen: the import then
    // marks it busy for as long as it runs.
    platform::dispatch::onMain(this, [this, paths] { m_photoIntake->addPhotosFromPathUrls(paths, false); });
}

void AppDelegate::applicationWillTerminate() {
    if (m_willTerminateDone) return;
    m_willTerminateDone = true;
    for (const PresetStore::Notice& notice : std::exchange(m_pendingNotices, {})) tellAboutPresets(notice);
    saveProjectSession();
}

void AppDelegate::terminate() {
    qCInfo(lcApp).noquote() << QStringLiteral("terminating");
    applicationWillTerminate();
    if (m_terminateHandler) {
        m_terminateHandler();
        return;
    }
    // exit() rather than quit(): quitting would first ask every window to close, and the main window
    // answers a close request with the close flow.
    QCoreApplication::exit(0);
}

bool AppDelegate::isMainWindow(const QObject* object) const {
    return object && m_windowController && object == m_windowController->windowMain();
}

void AppDelegate::handleWindowClose_Main(const platform::Notification& notification) {
    const QObject* object = notification.object.data();
    qCInfo(lcApp).noquote() << QStringLiteral("closing Window Class ") +
                                   QString::fromLatin1(object ? object->metaObject()->className() : "nil");
    const auto* carried = notification.userInfo.value(QStringLiteral("object")).value<QObject*>();
    if (isMainWindow(object) || isMainWindow(carried)) {
        // Without a panel to show, the run ends here: a hidden main window would leave nothing to quit by.
        if (m_defaults.boolValue(kNotShowPromotionWindow) || !m_promotionPanel) {
            terminate();
            return;
        }
        m_promotionPanel->showPromotionPanel();
        return;
    }
    if (object && m_promotionPanel && object == m_promotionPanel->windowSubscription()) {
        if (m_promotionPanel->isDontShowChecked()) {
            m_defaults.setValue(kNotShowPromotionWindow, true);
            m_defaults.synchronize();
        }
        terminate();
    }
}
