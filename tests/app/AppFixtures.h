#pragma once

#include "app/AppDelegate.h"
#include "app/DelayedCall.h"
#include "app/EditingScreen.h"
#include "app/PromotionPanelService.h"
#include "platform/UserDefaults.h"
#include "tests/common/ScriptedPlatform.h"

#include <QList>
#include <QPointer>
#include <QTemporaryDir>
#include <QVariantMap>
#include <QWidget>

#include <functional>
#include <memory>
#include <utility>

class MainWindowController;

namespace appfixtures {

// Delayed calls that wait until the test runs them.
class ManualDelays {
  public:
    DelayedCall delayedCall();
    // Runs what is pending now (and what those calls schedule), in order.
    void runAll();
    QList<int> intervals;  // every delay asked for, in order

  private:
    QList<std::function<void()>> m_pending;
};

// An editing screen that records what reaches it.
class RecordingEditingScreen : public EditingScreen {
  public:
    QWidget* view() override;
    void addPhotosFromPathUrls(const QStringList& paths, bool) override { added.append(paths); }
    bool isParamsChanged() const override { return paramsChanged; }

    bool paramsChanged = false;
    QList<QStringList> added;
    QPointer<QWidget> widget;
};

class RecordingPromotionPanel : public PromotionPanelService {
  public:
    void showPromotionPanel() override { ++shown; }
    QObject* windowSubscription() const override { return window.get(); }
    bool isDontShowChecked() const override { return dontShow; }

    int shown = 0;
    bool dontShow = false;
    std::unique_ptr<QWidget> window = std::make_unique<QWidget>();
};

// The application as a test drives it: its own defaults file, scripted alerts, panels and desktop, delays
// run by hand, and terminations counted instead of ending the test program.
class Shell {
  public:
    // stored: values in the defaults before launch ("isFirstTime" is "no" unless given). With a folder where
    // the defaults file should be, nothing can be read or saved.
    explicit Shell(const QVariantMap& stored = {}, bool folderForTheDefaultsFile = false);
    ~Shell();

    // With the recording editing screen mounted, or with none (photos then go to the delegate's intake).
    void launch(bool withEditingScreen = true);
    // Launched, and past the add-photos window as after photos were chosen.
    void launchToMainWindow();
    // Lets deferred hand-backs (close flow, phone number) run.
    static void settle();
    MainWindowController& window() const;

    QTemporaryDir dir;
    std::unique_ptr<platform::UserDefaults> defaults;
    ManualDelays delays;
    testsupport::ScriptedAlerts alerts;
    testsupport::ScriptedOpenPanel panels;
    testsupport::ScriptedWorkspace workspace;
    RecordingEditingScreen screen;
    RecordingPromotionPanel* panel = nullptr;  // owned by the delegate once installed
    std::unique_ptr<AppDelegate> app;
    int terminations = 0;
};

}  // namespace appfixtures
