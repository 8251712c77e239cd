#pragma once

#include "app/DelayedCall.h"
#include "app/MainWindowApplication.h"
#include "app/NetworkFlags.h"
#include "app/online/ServiceHosts.h"
#include "controls/SubWindowState.h"
#include "model/MetaDataObject.h"
#include "model/PhotoFile.h"
#include "model/PresetStore.h"
#include "platform/Notification.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>

class EditingScreen;
class FeedbackService;
class InstallTrackingService;
class MainWindowController;
class PhotoIntake;
class PromotionPanelService;
class QAction;
class ReachabilityService;
class SupportPhoneService;

namespace platform {
class UserDefaults;
}

// The start and the end of the application, and the state every screen shares for the whole run. One
// instance exists while the application runs (shared()); screens built elsewhere borrow its members by
// reference. Main thread only, except where a member says otherwise.
class AppDelegate : public QObject, public MainWindowApplication {
    Q_OBJECT
  public:
    // The launch sequence, in the order it runs.
    enum class LaunchStep {
        LightAppearance,
        FirstTimeFlag,
        EmptyBatch,
        LoadPresets,
        OpenMainWindow,
        RegisterReachability,
        PhoneNumberDefault,
        UpdatePhoneInfo,
        SupportPhoneDownload,
        EnableSelectAll,
        RegisterForTracking,
    };
    using EditingScreenFactory = std::function<EditingScreen*(AppDelegate& delegate)>;

    explicit AppDelegate(platform::UserDefaults& defaults, QObject* parent = nullptr);
    ~AppDelegate() override;

    // The running application's delegate, or nullptr before one exists.
    static AppDelegate* shared();

    // ---- the state shared by every screen ----
    // The batch, in the order the photos were added. Only the main thread changes it.
    QList<PhotoFile> arraySelectedImagesToProcess;
    // The paths of the photos in the batch (the intake's duplicate test); a removed photo leaves it too.
    QSet<QString> dictFileAdded;
    // The merged record of the ticked photos: the base against which the form finds its changes.
    MetaDataObject selectedMetaDataSettingObj;
    MetaDataObject selectedMetaDataSettingObjOnlyUpdatedFields;
    // Kept for the editing form.
    bool isExifEditingFirstTime = false;
    bool isProcessingWithFileSystem = false;
    NetworkFlags network;
    // The last support number handed to the main window.
    QString strPhoneNumber;

    // The saved presets, in display order, and their store: save after every change to the list.
    PresetStore& presetStore() { return m_presetStore; }
    QList<MetaDataObject>& arrayPresets() { return m_presetStore.arrayPresets(); }
    // A sheet, panel or child window is up; installed as SubWindowState::shared() for the controls.
    SubWindowState& subWindowState() { return m_subWindowState; }
    bool isSubWindowOpened() const { return m_subWindowState.isSubWindowOpened(); }
    void setIsSubWindowOpened(bool opened) override { m_subWindowState.setIsSubWindowOpened(opened); }
    // The one intake over the batch and dictFileAdded; the editing screen drives it once installed.
    PhotoIntake& photoIntake() { return *m_photoIntake; }
    platform::UserDefaults& defaults() override { return m_defaults; }
    // Where the maker's pages and services are: the product's own unless the online services were installed
    // with other hosts.
    const ServiceHosts& serviceHosts() const override { return m_serviceHosts; }
    void setServiceHosts(const ServiceHosts& hosts) { m_serviceHosts = hosts; }
    MainWindowController* myWindowController() const { return m_windowController.get(); }
    QAction* menuSelectAll() const override { return m_menuSelectAll; }
    QAction* menuDeselectAll() const override { return m_menuDeselectAll; }

    // ---- services that arrive later; none is called before it is installed ----
    // Made when the main window opens and mounted below its title bar.
    void setEditingScreenFactory(EditingScreenFactory factory) { m_editingScreenFactory = std::move(factory); }
    void setEditingScreen(EditingScreen* screen);
    // The installed screen, or nullptr (also once its view is gone).
    EditingScreen* editingScreen() const { return m_editingScreenView ? m_editingScreen : nullptr; }
    bool hasUnprocessedEdits() const override;
    void installReachability(std::unique_ptr<ReachabilityService> service);
    void installSupportPhone(std::unique_ptr<SupportPhoneService> service);
    void installTracking(std::unique_ptr<InstallTrackingService> service);
    void installPromotionPanel(std::unique_ptr<PromotionPanelService> service);
    void installFeedback(std::unique_ptr<FeedbackService> service);
    FeedbackService* feedback() const override { return m_feedback.get(); }

    // ---- launch ----
    void applicationDidFinishLaunching();
    // Called after each launch step; tests record the order.
    void setLaunchObserver(std::function<void(LaunchStep)> observer) { m_launchObserver = std::move(observer); }
    void loadPresets();
    // Stores the presets now; false when the defaults could not be written.
    bool saveProjectSession();
    void openMainWindow();
    void registerReachability();
    void updatePhoneInfo();
    QString getDefaultPhoneNumber() const;
    // Posts "updatePhoneNumber" with the number; main thread.
    void updatePhoneInfoToLabels(const QString& number);
    void enableSelectAll(bool panelOpen) override;

    // The one entry for photos chosen in a panel: the editing screen's when installed, else the intake's.
    void addPhotosFromPathUrls(const QStringList& paths) override;

    // ---- application-wide actions ----
    void btnFeedbackTapped() override;
    void showTips() override;
    void btnHelpTapped() override;
    void btnRateOnAppstoreTapped() override;

    // ---- the end ----
    // Saves the presets once, whatever ends the run.
    void applicationWillTerminate();
    // Ends the run through the normal path (presets saved). Tests replace what ends the event loop.
    void terminate() override;
    void setTerminateHandler(std::function<void()> handler) { m_terminateHandler = std::move(handler); }
    // What the main window waits with; a real timer unless set before the window opens.
    void setDelayedCall(DelayedCall delayedCall) { m_delayedCall = std::move(delayedCall); }
    // The second half of the close flow, for the main window closing or hidden and the promotion panel.
    void handleWindowClose_Main(const platform::Notification& notification);

  signals:
    void launchFinished();

  private:
    void step(LaunchStep done);
    void useLightAppearance();
    void createMenuActions();
    void handleDropWithoutEditingScreen(const platform::Notification& notification);
    void showIntakeLoading(bool show, const QString& text);
    void tellAboutPresets(const PresetStore::Notice& notice);
    void tellPendingNotices();
    bool isMainWindow(const QObject* object) const;

    platform::UserDefaults& m_defaults;
    ServiceHosts m_serviceHosts = ServiceHosts::product();
    PresetStore m_presetStore;
    SubWindowState m_subWindowState;
    std::unique_ptr<PhotoIntake> m_photoIntake;
    std::unique_ptr<MainWindowController> m_windowController;
    QPointer<QAction> m_menuSelectAll;
    QPointer<QAction> m_menuDeselectAll;

    EditingScreenFactory m_editingScreenFactory;
    EditingScreen* m_editingScreen = nullptr;
    QPointer<QWidget> m_editingScreenView;
    std::unique_ptr<ReachabilityService> m_reachability;
    std::unique_ptr<SupportPhoneService> m_supportPhone;
    std::unique_ptr<InstallTrackingService> m_tracking;
    std::unique_ptr<PromotionPanelService> m_promotionPanel;
    std::unique_ptr<FeedbackService> m_feedback;

    std::function<void(LaunchStep)> m_launchObserver;
    std::function<void()> m_terminateHandler;
    DelayedCall m_delayedCall;
    bool m_willTerminateDone = false;
    // Notices about the presets that arrived before the main window could carry them.
    QList<PresetStore::Notice> m_pendingNotices;
};
