// The first half of quitting: the close confirmation when edits would be lost, the rate prompt, then the
// main window hidden for the promotion panel or closed. The application delegate does the rest.
#include "app/AppDelegate.h"
#include "app/AppNotifications.h"
#include "app/EditingScreen.h"
#include "app/MainWindowController.h"
#include "app/ProductInfo.h"
#include "controls/VLAppStoreWindow.h"
#include "platform/Alerts.h"
#include "platform/NotificationCenter.h"
#include "platform/UserDefaults.h"
#include "platform/Workspace.h"

#include <QPointer>

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
    return alert;
}

}  // namespace

void MainWindowController::btnCloseWindowTapped() {
    closeWindowActionShowRate(true);
}

void MainWindowController::closeWindowActionShowRate(bool showRate) {
    EditingScreen* screen = m_app.editingScreen();
    if (!m_app.arraySelectedImagesToProcess.isEmpty() && screen && screen->isParamsChanged()) {
        m_app.setIsSubWindowOpened(true);
        QPointer<MainWindowController> self(this);
        platform::AlertPresenter::shared().beginSheet(
            alertCloseApp(), m_windowMain, [self](const platform::AlertAnswer& a) {
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

void MainWindowController::continueClosing() {
    if (!m_app.defaults().boolValue(kNotShowPromotionWindow)) {
        platform::NotificationCenter::defaultCenter().post(
            AppNotifications::mainWindowClose(), nullptr,
            {{QStringLiteral("object"), QVariant::fromValue<QObject*>(m_windowMain)}});
        m_windowMain->hide();
        return;
    }
    closeMainWindow();
}

void MainWindowController::closeMainWindow() {
    m_closeApproved = true;
    m_windowMain->close();
}

void MainWindowController::showAlertForRateApp() {
    // Set until the prompt is answered, so nothing else opens over it meanwhile.
    m_app.setIsSubWindowOpened(true);
    QPointer<MainWindowController> self(this);
    platform::AlertPresenter::shared().beginSheet(winRateus(), m_windowMain, [self](const platform::AlertAnswer& a) {
        if (!self) return;
        AppDelegate& app = self->m_app;
        app.setIsSubWindowOpened(false);
        if (a.button == RateYes && platform::Workspace::shared().openURL(app.serviceHosts().reviewPage()))
            app.defaults().setValue(kAppVersion, ProductInfo::bundleVersion());
        if (a.suppressed) {
            app.defaults().setValue(kAppVersion, ProductInfo::bundleVersion());
            app.defaults().synchronize();
        }
        self->continueClosing();
    });
}
