#include "app/OnlineServices.h"

#include "app/AppDelegate.h"
#include "app/AppNotifications.h"
#include "app/FeedbackService.h"
#include "app/FeedbackWindowController.h"
#include "app/InstallTrackingService.h"
#include "app/PromotionPanelService.h"
#include "app/ReachabilityService.h"
#include "app/SupportPhoneService.h"
#include "app/online/Logging.h"
#include "app/online/PhoneNumberDownload.h"
#include "app/online/PromotionPanel.h"
#include "app/online/Reachability.h"
#include "app/online/Tracker.h"
#include "platform/NotificationCenter.h"

#include <QCheckBox>
#include <QCoreApplication>

namespace {

class ReachabilityMonitor : public ReachabilityService {
  public:
    void registerReachability(AppDelegate& delegate) override {
        m_reachability = Reachability::reachabilityForInternetConnection();
        if (!m_reachability) {
            qCInfo(lcOnline).noquote() << "the network cannot be watched; it counts as not reachable";
            return;
        }
        // The observer belongs to the reachability object, so it lives exactly as long as what it reads.
        platform::NotificationCenter::defaultCenter().addObserver(
            m_reachability.get(), AppNotifications::reachabilityChanged(),
            [&delegate](const platform::Notification& notification) {
                if (auto* changed = qobject_cast<Reachability*>(notification.object.data()))
                    Reachability::updateInterfaceWithReachability(*changed, delegate.network);
            });
        if (!m_reachability->startNotifier())
            qCInfo(lcOnline).noquote() << "network changes cannot be watched; the launch-time state stays";
        Reachability::updateInterfaceWithReachability(*m_reachability, delegate.network);
    }

  private:
    std::unique_ptr<Reachability> m_reachability;
};

class SupportPhoneUpdater : public SupportPhoneService {
  public:
    explicit SupportPhoneUpdater(const ServiceHosts& hosts) : m_hosts(hosts) {}

    void startUpdatePhoneNumbersFromWebINI(AppDelegate& delegate) override {
        m_download = std::make_unique<PhoneNumberDownload>(m_hosts.supportPhoneFileUrl(), delegate.defaults());
        QObject::connect(m_download.get(), &PhoneNumberDownload::phoneNumberUpdated, &delegate,
                         [&delegate](const QString& number) { delegate.updatePhoneInfoToLabels(number); });
        // A download still waiting to retry must not touch the defaults once the run is ending.
        if (QCoreApplication* app = QCoreApplication::instance())
            QObject::connect(app, &QCoreApplication::aboutToQuit, m_download.get(), &PhoneNumberDownload::cancel);
        m_download->updatePhoneNumbersFromWebINI(delegate.network.isInternetAvailable);
    }

  private:
    ServiceHosts m_hosts;
    std::unique_ptr<PhoneNumberDownload> m_download;
};

class InstallTracking : public InstallTrackingService {
  public:
    explicit InstallTracking(const ServiceHosts& hosts) : m_hosts(hosts) {}

    void registerForTracking(AppDelegate& delegate) override {
        m_tracker = Tracker::registerForTracking(delegate.defaults(), m_hosts);
    }

  private:
    ServiceHosts m_hosts;
    std::unique_ptr<Tracker> m_tracker;
};

// The panel is made the first time it is needed: most runs end without it.
class PromotionPanelController : public PromotionPanelService {
  public:
    explicit PromotionPanelController(const ServiceHosts& hosts) : m_hosts(hosts) {}

    void showPromotionPanel() override {
        if (!m_panel) {
            m_panel = std::make_unique<PromotionPanel>(m_hosts);
            PromotionPanel* panel = m_panel.get();
            QObject::connect(panel, &PromotionPanel::panelClosed, panel, [panel] {
                platform::NotificationCenter::defaultCenter().post(AppNotifications::windowWillClose(), panel);
            });
        }
        m_panel->showPanel();
    }
    QObject* windowSubscription() const override { return m_panel.get(); }
    bool isDontShowChecked() const override { return m_panel && m_panel->outlets().btnCheckDontShow->isChecked(); }

  private:
    ServiceHosts m_hosts;
    std::unique_ptr<PromotionPanel> m_panel;
};

class FeedbackSheet : public FeedbackService {
  public:
    FeedbackSheet(AppDelegate& delegate, const ServiceHosts& hosts) : m_delegate(delegate), m_hosts(hosts) {}

    void showFeedBackWindow(QWidget* mainWindow) override {
        AppDelegate& delegate = m_delegate;
        auto* form = new FeedbackWindowController(
            m_hosts, [&delegate] { return delegate.network.isInternetAvailable.load(); }, mainWindow);
        form->setAttribute(Qt::WA_DeleteOnClose);
        form->setWindowInCenterOfWindow(mainWindow);
        form->show();
    }

  private:
    AppDelegate& m_delegate;
    ServiceHosts m_hosts;
};

}  // namespace

void installOnlineServices(AppDelegate& delegate, const ServiceHosts& hosts) {
    delegate.setServiceHosts(hosts);
    delegate.installReachability(std::make_unique<ReachabilityMonitor>());
    delegate.installSupportPhone(std::make_unique<SupportPhoneUpdater>(hosts));
    delegate.installTracking(std::make_unique<InstallTracking>(hosts));
    delegate.installPromotionPanel(std::make_unique<PromotionPanelController>(hosts));
    delegate.installFeedback(std::make_unique<FeedbackSheet>(delegate, hosts));
}
