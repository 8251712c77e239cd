#include "app/AddPhotosWindow.h"
#include "app/AppNotifications.h"
#include "app/FeedbackService.h"
#include "app/InstallTrackingService.h"
#include "app/MainTitleBar.h"
#include "app/MainWindowController.h"
#include "app/ProductInfo.h"
#include "app/QuickTourWindow.h"
#include "app/ReachabilityService.h"
#include "app/SupportPhoneService.h"
#include "controls/VLAppStoreWindow.h"
#include "platform/NotificationCenter.h"
#include "tests/app/AppFixtures.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTextBrowser>

#include <gtest/gtest.h>

using appfixtures::Shell;
using LaunchStep = AppDelegate::LaunchStep;

namespace {

const char* stepName(LaunchStep step) {
    switch (step) {
        case LaunchStep::LightAppearance:
            return "light appearance";
        case LaunchStep::FirstTimeFlag:
            return "first-time flag";
        case LaunchStep::EmptyBatch:
            return "empty batch";
        case LaunchStep::LoadPresets:
            return "presets loaded";
        case LaunchStep::OpenMainWindow:
            return "main window";
        case LaunchStep::RegisterReachability:
            return "reachability registered";
        case LaunchStep::PhoneNumberDefault:
            return "phone default";
        case LaunchStep::UpdatePhoneInfo:
            return "phone shown";
        case LaunchStep::SupportPhoneDownload:
            return "phone download started";
        case LaunchStep::EnableSelectAll:
            return "select all";
        case LaunchStep::RegisterForTracking:
            return "tracking registered";
    }
    return "?";
}

// Services that only note in the shared record that they were called.
struct Recorder {
    QStringList events;
};
struct RecordingReachability : ReachabilityService {
    explicit RecordingReachability(Recorder& r) : recorder(r) {}
    void registerReachability(AppDelegate& app) override {
        recorder.events.append(QStringLiteral("reachability service"));
        app.network.isInternetAvailable = true;
    }
    Recorder& recorder;
};
struct RecordingSupportPhone : SupportPhoneService {
    explicit RecordingSupportPhone(Recorder& r) : recorder(r) {}
    void startUpdatePhoneNumbersFromWebINI(AppDelegate& app) override {
        // The download runs after the network flags were set.
        recorder.events.append(app.network.isInternetAvailable ? QStringLiteral("download, online")
                                                               : QStringLiteral("download, offline"));
    }
    Recorder& recorder;
};
struct RecordingTracking : InstallTrackingService {
    explicit RecordingTracking(Recorder& r) : recorder(r) {}
    void registerForTracking(AppDelegate&) override { recorder.events.append(QStringLiteral("tracking service")); }
    Recorder& recorder;
};

MetaDataObject preset(const QString& name) {
    MetaDataObject record;
    record.name = name;
    record.Artist = name + QStringLiteral(" artist");
    return record;
}

QStringList presetNames(const QList<MetaDataObject>& presets) {
    QStringList names;
    for (const MetaDataObject& p : presets) names.append(p.name);
    return names;
}

}  // namespace

TEST(AnApplicationLaunch, runsItsStepsInOrderEachFindingWhatTheEarlierOnesLeft) {
    Shell shell(
        {{QStringLiteral("isFirstTime"), QVariant()}, {QStringLiteral("phonenumber"), QStringLiteral("555 0100")}});
    {
        PresetStore earlierRun(*shell.defaults);
        earlierRun.arrayPresets() = {preset(QStringLiteral("Holiday"))};
        ASSERT_TRUE(earlierRun.saveProjectSession());
    }
    Recorder recorder;
    shell.app->installReachability(std::make_unique<RecordingReachability>(recorder));
    shell.app->installSupportPhone(std::make_unique<RecordingSupportPhone>(recorder));
    shell.app->installTracking(std::make_unique<RecordingTracking>(recorder));
    shell.app->arraySelectedImagesToProcess.append(PhotoFile());
    QObject observer;
    platform::NotificationCenter::defaultCenter().addObserver(
        &observer, AppNotifications::updatePhoneNumber(), [&](const platform::Notification& n) {
            recorder.events.append(QStringLiteral("number posted: ") + n.userInfo.value("number").toString());
        });
    AppDelegate& app = *shell.app;
    app.setLaunchObserver([&](LaunchStep step) {
        recorder.events.append(QString::fromLatin1(stepName(step)));
        switch (step) {
            case LaunchStep::FirstTimeFlag:
                EXPECT_EQ(shell.defaults->string("isFirstTime"), "yes");
                break;
            case LaunchStep::EmptyBatch:
                EXPECT_TRUE(app.arraySelectedImagesToProcess.isEmpty());
                break;
            case LaunchStep::LoadPresets:
                EXPECT_EQ(presetNames(app.arrayPresets()), QStringList{"Holiday"});
                break;
            case LaunchStep::OpenMainWindow:
                ASSERT_NE(app.myWindowController(), nullptr);
                EXPECT_TRUE(app.myWindowController()->windowMain()->isVisible());
                // The window took the first launch for its quick tour.
                EXPECT_EQ(shell.defaults->string("isFirstTime"), "no");
                EXPECT_EQ(app.myWindowController()->editorView(), shell.screen.widget);
                break;
            case LaunchStep::EnableSelectAll:
                EXPECT_TRUE(app.menuSelectAll()->isVisible());
                EXPECT_FALSE(app.menuDeselectAll()->isVisible());
                break;
            default:
                break;
        }
    });
    shell.launch();

    const QStringList expected{"light appearance",
                               "first-time flag",
                               "empty batch",
                               "presets loaded",
                               "main window",
                               "reachability service",
                               "reachability registered",
                               "phone default",
                               "number posted: 555 0100",
                               "phone shown",
                               "download, online",
                               "phone download started",
                               "select all",
                               "tracking service",
                               "tracking registered"};
    EXPECT_EQ(recorder.events, expected);
    EXPECT_EQ(app.strPhoneNumber, "555 0100");
}

TEST(AnApplicationLaunch, showsTheQuickTourOnlyWhileTheFirstTimeFlagSaysYes) {
    struct Row {
        QVariant stored;
        bool tour;
        const char* storedAfter;
    };
    const Row rows[] = {
        {QVariant(), true, "no"},
        {QStringLiteral("yes"), true, "no"},
        {QStringLiteral("no"), false, "no"},
        {QStringLiteral("YES"), false, "YES"},
        {QStringLiteral(""), false, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.stored.toString().toStdString());
        Shell shell({{QStringLiteral("isFirstTime"), row.stored}});
        shell.launch();
        MainWindowController& window = shell.window();
        EXPECT_FALSE(window.winTips()->isVisible());
        EXPECT_FALSE(window.winAddPhotos()->isVisible());
        shell.delays.runAll();
        EXPECT_EQ(shell.delays.intervals, QList<int>{300});
        EXPECT_EQ(window.winTips()->isVisible(), row.tour);
        EXPECT_EQ(window.winAddPhotos()->isVisible(), !row.tour);
        EXPECT_EQ(shell.defaults->string("isFirstTime"), row.storedAfter);
    }
}

TEST(ThePresets, surviveAnEndWithoutQuittingOnceSavedAndAreSavedAgainAtQuit) {
    Shell shell;
    shell.launch();
    // The preset editor stores the list after each change.
    shell.app->arrayPresets().prepend(preset(QStringLiteral("Trip")));
    ASSERT_TRUE(shell.app->saveProjectSession());
    shell.app.reset();  // the process ends without its normal quit

    platform::UserDefaults afterCrash(shell.defaults->filePath());
    AppDelegate second(afterCrash);
    second.setTerminateHandler([] {});
    second.loadPresets();
    EXPECT_EQ(presetNames(second.arrayPresets()), QStringList{"Trip"});
    EXPECT_EQ(second.arrayPresets().first().Artist, "Trip artist");

    second.arrayPresets().append(preset(QStringLiteral("Studio")));
    second.terminate();
    platform::UserDefaults afterQuit(shell.defaults->filePath());
    PresetStore reread(afterQuit);
    reread.loadPresets();
    EXPECT_EQ(presetNames(reread.arrayPresets()), (QStringList{"Trip", "Studio"}));
}

TEST(ThePresets, thatCannotBeReadAreToldOfOverTheFirstWindowOnceItIsUp) {
    for (const bool firstLaunch : {false, true}) {
        SCOPED_TRACE(firstLaunch);
        Shell shell({{QStringLiteral("isFirstTime"), firstLaunch ? QStringLiteral("yes") : QStringLiteral("no")}},
                    true);
        shell.launch();
        EXPECT_TRUE(shell.alerts.shown.isEmpty());
        shell.delays.runAll();
        ASSERT_EQ(shell.alerts.shown.size(), 1);
        EXPECT_EQ(shell.alerts.shown.first().messageText, "Your presets cannot be read or saved");
        QWidget* front = firstLaunch ? static_cast<QWidget*>(shell.window().winTips()) : shell.window().winAddPhotos();
        EXPECT_TRUE(front->isVisible());
        EXPECT_EQ(shell.alerts.parents.first(), front);
        shell.app->terminate();
        EXPECT_EQ(shell.alerts.shown.size(), 1);
    }
}

TEST(TheQuitFlow, endsByTheWindowThatClosedAndTheStoredChoices) {
    enum Source { MainWindow, MainWindowInUserInfo, Panel, OtherWindow, NoWindow };
    struct Row {
        Source source;
        bool notShowPromotion;
        bool dontShowTicked;
        bool terminates;
        bool panelShown;
        bool notShowStoredAfter;
    };
    const Row rows[] = {
        {MainWindow, false, false, false, true, false},
        {MainWindow, true, false, true, false, true},
        {MainWindowInUserInfo, false, false, false, true, false},
        {MainWindowInUserInfo, true, false, true, false, true},
        {Panel, false, false, true, false, false},
        {Panel, false, true, true, false, true},
        {OtherWindow, false, true, false, false, false},
        {NoWindow, true, false, false, false, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "source " << row.source << ", not shown " << row.notShowPromotion
                                        << ", ticked " << row.dontShowTicked);
        Shell shell;
        if (row.notShowPromotion) shell.defaults->setValue("notShowPromotionWindow", true);
        shell.launch();
        shell.panel->dontShow = row.dontShowTicked;
        QWidget other;
        platform::Notification n;
        n.name = AppNotifications::windowWillClose();
        QObject* main = shell.window().windowMain();
        if (row.source == MainWindow) n.object = main;
        if (row.source == MainWindowInUserInfo) n.userInfo.insert("object", QVariant::fromValue<QObject*>(main));
        if (row.source == Panel) n.object = shell.panel->windowSubscription();
        if (row.source == OtherWindow) n.object = &other;
        shell.app->handleWindowClose_Main(n);
        EXPECT_EQ(shell.terminations, row.terminates ? 1 : 0);
        EXPECT_EQ(shell.panel->shown, row.panelShown ? 1 : 0);
        EXPECT_EQ(shell.defaults->boolValue("notShowPromotionWindow"), row.notShowStoredAfter);
    }
}

TEST(TheQuitFlow, terminatesWhenNoPromotionPanelIsInstalled) {
    Shell shell;
    shell.app->installPromotionPanel(nullptr);
    shell.launch();
    platform::Notification n{AppNotifications::windowWillClose(), shell.window().windowMain(), {}};
    shell.app->handleWindowClose_Main(n);
    EXPECT_EQ(shell.terminations, 1);
}

TEST(TheSupportNumber, showsItsViewsWheneverANumberArrivesAndHidesThemWhenItIsEmptyOrNoNumber) {
    Shell shell;
    shell.launch();
    MainTitleBar* bar = shell.window().vwTopContainer();
    const struct {
        const char* number;
        bool shown;
    } steps[] = {{"", false},
                 {"555 0100", true},
                 {"", false},
                 {"+1 555 0199", true},
                 {"<h1>LICENSE EXPIRED</h1>", false},
                 {"+1 (800) 555-0100", true},
                 {"555 0100 or visit evil.example", false}};
    for (const auto& step : steps) {
        shell.app->updatePhoneInfoToLabels(QString::fromUtf8(step.number));
        Shell::settle();
        EXPECT_EQ(bar->viewContactSupport()->isVisibleTo(bar), step.shown) << step.number;
        EXPECT_EQ(bar->tipsPopupView()->isVisibleTo(bar), step.shown) << step.number;
        EXPECT_EQ(bar->lblContactNumber()->text(), step.shown ? step.number : "");
        EXPECT_EQ(bar->lblContactNumber()->textFormat(), Qt::PlainText);
    }
}

TEST(TheApplicationActions, openTheirPagesAndRespectAnOpenSheet) {
    struct RecordingFeedback : FeedbackService {
        void showFeedBackWindow(QWidget* parent) override { parents.append(parent); }
        QList<QWidget*> parents;
    };
    Shell shell;
    auto owned = std::make_unique<RecordingFeedback>();
    RecordingFeedback* feedback = owned.get();
    shell.app->installFeedback(std::move(owned));
    shell.launch();

    shell.app->setIsSubWindowOpened(true);
    shell.app->btnFeedbackTapped();
    EXPECT_TRUE(feedback->parents.isEmpty());
    shell.app->setIsSubWindowOpened(false);
    shell.app->btnFeedbackTapped();
    ASSERT_EQ(feedback->parents.size(), 1);
    EXPECT_EQ(feedback->parents.first(), shell.window().windowMain());

    shell.workspace.succeeds = false;
    shell.app->btnRateOnAppstoreTapped();
    EXPECT_FALSE(shell.defaults->contains("appVersion"));
    shell.workspace.succeeds = true;
    shell.app->btnRateOnAppstoreTapped();
    EXPECT_EQ(shell.defaults->string("appVersion"), ProductInfo::bundleVersion());
    shell.app->btnHelpTapped();
    ASSERT_EQ(shell.workspace.openedUrls.size(), 3);
    EXPECT_EQ(shell.workspace.openedUrls.last().path(), "/support");
}

// A web page asked for on a desktop without a web browser: an alert over the window it was asked from gives
// its address, instead of nothing happening.
TEST(AWebLink, saysSoWhenNoBrowserOpensItsPage) {
    for (const QString link : {"help", "rate", "tourWebsite"}) {
        SCOPED_TRACE(link.toStdString());
        Shell shell;
        shell.launchToMainWindow();
        const auto follow = [&] {
            if (link == "help") shell.app->btnHelpTapped();
            if (link == "rate") shell.app->btnRateOnAppstoreTapped();
            if (link == "tourWebsite") {
                shell.app->showTips();
                emit shell.window().winTips()->webViewTips()->anchorClicked(QUrl("app:torvanelinkClicked"));
            }
        };
        follow();
        EXPECT_TRUE(shell.alerts.shown.isEmpty()) << "a browser opened it";
        shell.workspace.succeeds = false;
        follow();
        ASSERT_EQ(shell.alerts.shown.size(), 1);
        EXPECT_EQ(shell.alerts.shown.first().messageText, "No web browser could open the page.");
        EXPECT_TRUE(shell.alerts.shown.first().informativeText.contains(shell.workspace.openedUrls.last().toString()));
        EXPECT_EQ(shell.alerts.parents.first(),
                  link == "tourWebsite" ? shell.window().winTips() : shell.window().frontWindow());
    }
}
