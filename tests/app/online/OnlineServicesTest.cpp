// The online services as the running application uses them: installed into the delegate, launched, and
// driven through the main window and the close flow.
#include "LoopbackServer.h"
#include "ScriptedReachability.h"
#include "tests/common/ScriptedPlatform.h"
#include "tests/common/TestSupport.h"

#include "app/AppDelegate.h"
#include "app/AppNotifications.h"
#include "app/FeedbackWindowController.h"
#include "app/MainTitleBar.h"
#include "app/MainWindowController.h"
#include "app/OnlineServices.h"
#include "app/online/PromotionPanel.h"
#include "controls/VLAppStoreWindow.h"
#include "platform/NotificationCenter.h"
#include "platform/UserDefaults.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

template <typename Window>
Window* visibleTopLevel() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<Window*>(widget); window && window->isVisible()) return window;
    }
    return nullptr;
}

class TheOnlineServices : public testing::Test {
  protected:
    TheOnlineServices() : defaults(dir.filePath("defaults.conf")), delegate(defaults) {
        defaults.setValue("isFirstTime", "no");
        defaults.setValue("phonenumber", "555 0001");
        installOnlineServices(delegate, ServiceHosts::allOn(server.url()));
        delegate.setTerminateHandler([this] { ++terminated; });
        platform::NotificationCenter::defaultCenter().addObserver(
            &observer, AppNotifications::updatePhoneNumber(),
            [this](const platform::Notification& note) { numbersShown << note.userInfo.value("number").toString(); });
    }
    ~TheOnlineServices() override {
        for (QWidget* widget : QApplication::topLevelWidgets()) widget->hide();
    }

    QTemporaryDir dir;
    platform::UserDefaults defaults;
    ScriptedReachability network;
    LoopbackServer server;
    testsupport::ScriptedAlerts alerts;
    testsupport::ScriptedWorkspace workspace;
    AppDelegate delegate;
    QObject observer;
    QStringList numbersShown;
    int terminated = 0;
};

TEST_F(TheOnlineServices, keepTheNetworkFlagsAndRefreshThePhoneNumberAtLaunch) {
    server.script({200, "[default]\r\nfennacle = 555 0100\r\n"});
    delegate.applicationDidFinishLaunching();
    EXPECT_TRUE(delegate.network.isInternetAvailable);
    EXPECT_TRUE(delegate.network.isInternetAvailableUsingWiFi);

    LUMARIND_WAIT_FOR_EQ(numbersShown, (QStringList{"555 0001", "555 0100"}), 10000);
    EXPECT_EQ(defaults.string("phonenumber"), "555 0100");
    MainTitleBar* bar = delegate.myWindowController()->vwTopContainer();
    LUMARIND_WAIT_FOR_EQ(bar->lblContactNumber()->text(), QString("555 0100"), 5000);
    EXPECT_TRUE(bar->viewContactSupport()->isVisibleTo(bar));

    // The install was tracked once, without a request: the only one made was for the phone file.
    EXPECT_EQ(defaults.string("trackedForAppStore"), "TRACKING CALLED");
    ASSERT_EQ(server.requests.size(), 1);
    EXPECT_EQ(server.requests.first().path, "/fennacle/phonenumber.ini");

    network.change(platform::Reachable | platform::ConnectionRequired);
    EXPECT_FALSE(delegate.network.isInternetAvailable);
    EXPECT_TRUE(delegate.network.connectionRequired);
    network.change(platform::Reachable | platform::IsDirect);
    EXPECT_TRUE(delegate.network.isInternetAvailableUsingDataProvider);
}

TEST_F(TheOnlineServices, openEveryPageOfTheMakerOnTheGivenHosts) {
    network.current = 0;
    delegate.applicationDidFinishLaunching();
    delegate.btnHelpTapped();
    delegate.btnRateOnAppstoreTapped();
    delegate.myWindowController()->torvanelinkClicked();
    ASSERT_EQ(workspace.openedUrls.size(), 3);
    for (const QUrl& url : workspace.openedUrls)
        EXPECT_EQ(url.authority(), server.url().authority()) << url.toString().toStdString();
}

TEST(TheProductsHosts, areAllReachedOverHttps) {
    const ServiceHosts hosts = ServiceHosts::product();
    const QUrl addresses[] = {hosts.feedbackEndpoint(),     hosts.supportPhoneFileUrl(),
                              QUrl(hosts.trackingBase()),   QUrl(hosts.installTrackingUrl()),
                              hosts.supportPage(),          hosts.reviewPage(),
                              QUrl(hosts.websitePage("x")), QUrl(hosts.productPageUrl("Lumarind"))};
    for (const QUrl& url : addresses) EXPECT_EQ(url.scheme(), "https") << url.toString().toStdString();
}

TEST_F(TheOnlineServices, clearTheNumberWithoutANetwork) {
    network.current = 0;
    delegate.applicationDidFinishLaunching();
    LUMARIND_WAIT_FOR_EQ(numbersShown, (QStringList{"555 0001", ""}), 10000);
    EXPECT_EQ(server.connections, 0);
    EXPECT_EQ(defaults.string("phonenumber"), "");
}

TEST_F(TheOnlineServices, openTheFeedbackSheetOverTheMainWindow) {
    network.current = 0;
    delegate.applicationDidFinishLaunching();
    delegate.myWindowController()->showFeedBackWindow();
    auto* form = delegate.myWindowController()->windowMain()->findChild<FeedbackWindowController*>();
    ASSERT_TRUE(form);
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(delegate.isSubWindowOpened());  // the feedback menu item and the editing alerts wait
    form->outlets().btnFBSubmit->click();       // the delegate's flags say there is no network
    EXPECT_EQ(alerts.shown.size(), 1);
    form->outlets().btnFBCancel->click();
    EXPECT_FALSE(delegate.isSubWindowOpened());
}

TEST_F(TheOnlineServices, showThePromotionPanelAtQuitAndRememberItsBox) {
    delegate.applicationDidFinishLaunching();
    platform::NotificationCenter::defaultCenter().post(
        AppNotifications::mainWindowClose(), nullptr,
        {{"object", QVariant::fromValue<QObject*>(delegate.myWindowController()->windowMain())}});
    PromotionPanel* panel = nullptr;
    LUMARIND_WAIT_FOR((panel = visibleTopLevel<PromotionPanel>()) != nullptr, 5000);
    EXPECT_EQ(terminated, 0);
    panel->outlets().btnCheckDontShow->setChecked(true);
    panel->outlets().btnQuit->click();
    LUMARIND_WAIT_FOR_EQ(terminated, 1, 5000);
    EXPECT_TRUE(defaults.boolValue("notShowPromotionWindow"));
    EXPECT_EQ(server.connections, 1);  // the phone file only
}

}  // namespace
