#include "app/MainWindowCloseFlow.h"

#include "app/AppNotifications.h"
#include "app/MainWindowApplication.h"
#include "app/ProductInfo.h"
#include "platform/Alerts.h"
#include "platform/NotificationCenter.h"
#include "platform/UserDefaults.h"

#include <QPointer>
#include <QWidget>

namespace {

const QString kAppVersion = QStringLiteral("appVersion");
const QString kNotShowPromotionWindow = QStringLiteral("notShowPromotionWindow");

enum CloseAppButton { CloseYes = 0, CloseNo = 1 };
enum RateButton { RateYes = 0, RateNo = 1 };

platform::Alert alertCloseApp() {
    platform::Alert alert;
    alert.messageText = QStringLiteral("Quit without processing your changes?");
    alert.informativeText = QStringLiteral(
        "You have edited the metadata of your photos but have not processed them yet. If you quit now, your "
        "changes will be lost.");
    alert.buttons = {QStringLiteral("Yes"), QStringLiteral("No")};
    alert.style = platform::Alert::Style::Warning;
    return alert;
}

platform::Alert winRateus() {
    platform::Alert alert;
    alert.messageText = QStringLiteral("Enjoying ") + ProductInfo::bundleName() + QStringLiteral("?");
    alert.informativeText = QStringLiteral(
        "If it helps you with your photos, please take a moment to rate it. Thank you for your support!");
    alert.buttons = {QStringLiteral("Rate Now"), QStringLiteral("No, Thanks")};
    alert.style = platform::Alert::Style::Informational;
    alert.suppressionText = QStringLiteral("Don't ask me again");
    // Escape puts the question away as "No, Thanks" does, as it puts away every other window.
    alert.escapeButton = RateNo;
    return alert;
}

}  // namespace

MainWindowCloseFlow::MainWindowCloseFlow(MainWindowApplication& app, QWidget* window, DelayedCall schedule,
                                         QObject* parent)
    : QObject(parent), m_app(app), m_window(window), m_schedule(std::move(schedule)) {}

void MainWindowCloseFlow::btnCloseWindowTapped() {
    closeWindowActionShowRate(true);
}

void MainWindowCloseFlow::closeWindowActionShowRate(bool showRate) {
    if (m_app.hasUnprocessedEdits()) {
        m_app.setIsSubWindowOpened(true);
        QPointer<MainWindowCloseFlow> self(this);
        platform::AlertPresenter::shared().beginSheet(
            alertCloseApp(), m_window, [self](const platform::AlertAnswer& a) {
                if (!self) return;
                self->m_app.setIsSubWindowOpened(false);
                if (a.button != CloseYes) return;
                self->closeMainWindow();
                platform::NotificationCenter::defaultCenter().post(AppNotifications::windowWillClose());
            });
        return;
    }
    if (showRate && m_app.defaults().string(kAppVersion) != ProductInfo::bundleVersion()) {
        m_schedule(200, [this] { showAlertForRateApp(); });
        return;
    }
    continueClosing();
}

void MainWindowCloseFlow::continueClosing() {
    if (!m_app.defaults().boolValue(kNotShowPromotionWindow)) {
        platform::NotificationCenter::defaultCenter().post(
            AppNotifications::mainWindowClose(), nullptr,
            {{QStringLiteral("object"), QVariant::fromValue<QObject*>(m_window)}});
        m_window->hide();
        return;
    }
    closeMainWindow();
}

void MainWindowCloseFlow::closeMainWindow() {
    m_closeApproved = true;
    m_window->close();
}

void MainWindowCloseFlow::showAlertForRateApp() {
    // Set until the prompt is answered, so nothing else opens over it meanwhile.
    m_app.setIsSubWindowOpened(true);
    QPointer<MainWindowCloseFlow> self(this);
    platform::AlertPresenter::shared().beginSheet(winRateus(), m_window, [self](const platform::AlertAnswer& a) {
        if (!self) return;
        MainWindowApplication& app = self->m_app;
        app.setIsSubWindowOpened(false);
        if (a.button == RateYes) app.btnRateOnAppstoreTapped();
        if (a.suppressed) {
            app.defaults().setValue(kAppVersion, ProductInfo::bundleVersion());
            app.defaults().synchronize();
        }
        self->continueClosing();
    });
}
