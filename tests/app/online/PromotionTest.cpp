#include "LoopbackServer.h"
#include "tests/common/ScriptedPlatform.h"

#include "app/online/PromotionPanel.h"
#include "app/online/Tracker.h"
#include "controls/CustomButton.h"
#include "controls/WindowCloseButton.h"
#include "platform/UserDefaults.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFrame>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QJsonObject json(const QByteArray& body) {
    return QJsonDocument::fromJson(body).object();
}

TEST(TheInstallTracking, buildsOneHitOnTheFirstLaunchOnly) {
    QTemporaryDir dir;
    platform::UserDefaults defaults(dir.filePath("defaults.conf"));
    LoopbackServer server;
    const ServiceHosts hosts = ServiceHosts::allOn(server.url());

    auto tracker = Tracker::registerForTracking(defaults, hosts);
    ASSERT_TRUE(tracker);
    EXPECT_EQ(defaults.string("trackedForAppStore"), "TRACKING CALLED");
    EXPECT_EQ(tracker->frmApp(), "qzv");
    EXPECT_TRUE(tracker->appStoreTrackURL().endsWith("/kestrack/KesParser.svc/registerAppInstalls"));
    EXPECT_TRUE(tracker->getURLForTATTracking().endsWith("/kestrack/kesparser.svc/CrossTracking"));
    EXPECT_FALSE(tracker->macSerialNumber().isEmpty());
    const QJsonObject hit = json(tracker->fireInstallHitForTrackSource(24));
    EXPECT_EQ(hit, (QJsonObject{{"pid", "24"}, {"bins", "1"}, {"mac", tracker->macSerialNumber()}}));

    EXPECT_FALSE(Tracker::registerForTracking(defaults, hosts));
    QCoreApplication::processEvents();
    EXPECT_EQ(server.connections, 0);  // built, never sent
}

TEST(ATrackingBody, isValidJsonWhateverTheValues) {
    const QByteArray body = Tracker::getJSONFromDict({{"quote\"key", "a \"b\" \\ c\n"}, {"n", 3}});
    EXPECT_EQ(json(body), (QJsonObject{{"quote\"key", "a \"b\" \\ c\n"}, {"n", 3}}));
    EXPECT_EQ(Tracker::getJSONFromDict({}), "{}");
}

TEST(APromotionLayout, showsTheFirstTwoMissingCandidates) {
    struct Row {
        const char* name;
        QList<bool> installed;
        QList<int> rows;
        int shift;
        bool heading;
    };
    const Row rows[] = {
        {"noneInstalled", {false, false, false, false, false, false}, {0, 1}, 0, true},
        {"allInstalled", {true, true, true, true, true, true}, {}, 255, false},
        {"oneMissing", {true, true, true, true, false, true}, {4}, 129, true},
        {"firstTwoInstalled", {true, true, false, false, false, false}, {2, 3}, 0, true},
        {"secondMissingOnly", {true, false, true, true, true, true}, {1}, 129, true},
        {"firstMissingThenFill", {false, true, true, false, false, true}, {0, 3}, 0, true},
    };
    for (const Row& row : rows) {
        const PromotionLayout layout = PromotionLayout::forInstalled(row.installed);
        EXPECT_EQ(layout.rows, row.rows) << row.name;
        EXPECT_EQ(layout.socialShift, row.shift) << row.name;
        EXPECT_EQ(layout.headingVisible, row.heading) << row.name;
        EXPECT_EQ(layout.separatorVisible, row.heading) << row.name;
    }
}

class APromotionPanel : public testing::Test {
  protected:
    APromotionPanel() : panel(ServiceHosts::allOn(server.url())) {}

    void showWithInstalled(const QStringList& installed) {
        panel.setInstalledCheck([installed](const QString& name) { return installed.contains(name); });
        panel.showPanel();
    }

    LoopbackServer server;
    testsupport::ScriptedWorkspace workspace;
    PromotionPanel panel;
};

TEST_F(APromotionPanel, fillsItsRowsAndMovesTheSocialBlockUp) {
    const auto& ui = panel.outlets();
    const int socialTop = ui.lblConnectWithUs->y();
    const int fullHeight = panel.height();
    showWithInstalled({"clonewise-pro", "framefold", "tidyshelf", "resizely", "pixel-mender"});
    EXPECT_EQ(ui.lblAppName->text(), QCoreApplication::applicationName());
    EXPECT_EQ(ui.lblFirstAppName->text(), "Sharp Capture");
    EXPECT_TRUE(ui.btnFirst->isVisible());
    EXPECT_FALSE(ui.btnSecond->isVisible());
    EXPECT_TRUE(ui.secondHorizontalLine->isVisible());
    EXPECT_EQ(ui.lblConnectWithUs->y(), socialTop - 129);
    EXPECT_EQ(panel.height(), fullHeight - 129);
    EXPECT_LE(ui.btnQuit->geometry().bottom(), panel.height());
    EXPECT_GT(ui.btnFaceBookLike->y(), ui.lblFirstAppDesc->geometry().bottom());

    showWithInstalled({"clonewise", "framefold", "tidyshelf", "resizely", "pixel-mender", "sharp-capture"});
    EXPECT_FALSE(ui.lblOurRecommendedApps->isVisible());
    EXPECT_FALSE(ui.btnFirst->isVisible());
    EXPECT_FALSE(ui.secondHorizontalLine->isVisible());
    EXPECT_EQ(ui.lblConnectWithUs->y(), socialTop - 255);
    panel.hide();
}

TEST_F(APromotionPanel, endsTheRunByItsOwnCloseButtonAndByEscape) {
    QSignalSpy closed(&panel, &PromotionPanel::panelClosed);
    showWithInstalled({});
    QTest::mouseClick(panel.outlets().btnClose, Qt::LeftButton);
    EXPECT_EQ(closed.size(), 1);
    EXPECT_FALSE(panel.isVisible());
    showWithInstalled({});
    QTest::keyClick(&panel, Qt::Key_Escape);
    EXPECT_EQ(closed.size(), 2);
    EXPECT_FALSE(panel.isVisible());
}

TEST_F(APromotionPanel, opensPagesAndKeepsClickRecordsOnTheMachine) {
    showWithInstalled({"clonewise"});
    panel.outlets().btnSecond->click();
    ASSERT_EQ(workspace.openedUrls.size(), 1);
    EXPECT_EQ(panel.outlets().lblFirstAppName->text(), "Framefold");  // the first missing, then the next
    EXPECT_EQ(workspace.openedUrls.first().path(), "/apps/tidyshelf");
    const QJsonObject record = json(panel.lastTrackingRecord());
    EXPECT_EQ(record.value("from"), "qzv");
    EXPECT_EQ(record.value("to"), "tds");
    EXPECT_EQ(record.value("btn"), "exit_nag");
    EXPECT_EQ(record.value("fromid"), "8");
    EXPECT_EQ(record.value("toid"), "17");
    EXPECT_TRUE(record.contains("mac"));

    panel.outlets().btnTwitter->click();
    panel.btnFaceBookRightPanelClicked(panel.outlets().btnQuit);  // not a social button: nothing
    panel.btnTorvaneAppcenterTapped(6);
    panel.btnTorvaneAppcenterTapped(7);
    ASSERT_EQ(workspace.openedUrls.size(), 3);
    EXPECT_EQ(workspace.openedUrls.at(1).path(), "/social/twitter");
    EXPECT_EQ(workspace.openedUrls.at(2).path(), "/apps/sharpcapture");
    QCoreApplication::processEvents();
    EXPECT_EQ(server.connections, 0);
    panel.hide();
}

}  // namespace
