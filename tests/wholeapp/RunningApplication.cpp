#include "tests/wholeapp/RunningApplication.h"

#include "app/AppDelegate.h"
#include "app/ApplicationSetup.h"
#include "app/EditingScreen.h"
#include "app/MainWindowController.h"
#include "batch/BatchRunController.h"
#include "editor/EditorBatchActions.h"
#include "editor/ExifEditorView.h"
#include "platform/TileServer.h"
#include "platform/UserDefaults.h"
#include "presets/PresetScreens.h"
#include "presets/PresetView.h"
#include "presets/PresetsWindow.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTimer>

namespace wholeapp {
namespace {

// The keys a run of the application leaves behind; a launch starts without them.
const QStringList kStoredKeys = {
    "isFirstTime",        "PROJECT_SESSION", "appVersion", "notShowPromotionWindow", "notShowRenameResetPopup",
    "trackedForAppStore", "phonenumber"};

// The screens' waits run at the next turn of the event loop, in the order they were asked for.
void promptly(int, std::function<void()> work) {
    QTimer::singleShot(0, qApp, std::move(work));
}

}  // namespace

QString RunningApplication::home() {
    // The application finds its defaults, output folder and caches through the environment, once per
    // process (the user defaults are a process-wide store), so the home is made once too.
    static QTemporaryDir dir;
    static const bool ready = [] {
        const QString root = dir.path();
        qputenv("HOME", QFile::encodeName(root));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(root + "/.config"));
        qputenv("XDG_CACHE_HOME", QFile::encodeName(root + "/.cache"));
        qputenv("XDG_DATA_HOME", QFile::encodeName(root + "/.local/share"));
        qputenv("XDG_STATE_HOME", QFile::encodeName(root + "/.local/state"));
        QDir().mkpath(root + "/Pictures");
        return true;
    }();
    (void)ready;
    return dir.path();
}

RunningApplication::RunningApplication() {
    home();
    platform::UserDefaults& defaults = platform::UserDefaults::standardUserDefaults();
    for (const QString& key : kStoredKeys) defaults.remove(key);
    defaults.setValue(platform::TileServer::roadTemplateKey(), tiles.urlTemplate());
    defaults.setValue(platform::TileServer::imageryTemplateKey(), QString());
    defaults.synchronize();
    services.script({200, "[default]\nfennacle = +1 800 555 0100\n"});
}

RunningApplication::~RunningApplication() {
    m_delegate.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void RunningApplication::launch(bool firstLaunch) {
    platform::UserDefaults& defaults = platform::UserDefaults::standardUserDefaults();
    if (!firstLaunch) defaults.setValue(QStringLiteral("isFirstTime"), QStringLiteral("no"));
    ApplicationSetup::configureApplication();
    m_delegate = std::make_unique<AppDelegate>(defaults);
    ApplicationSetup::assemble(*m_delegate, ServiceHosts::allOn(services.url()));
    m_delegate->setDelayedCall(promptly);
    m_delegate->setTerminateHandler([this] { ++m_terminations; });
    m_delegate->applicationDidFinishLaunching();
    shortenTheScreensWaits();
}

void RunningApplication::shortenTheScreensWaits() {
    ExifEditorView& view = editor();
    ExifEditorView::Timing timing;
    timing.disableViewInitiallyMs = 0;
    timing.thumbnailSettleMs = 0;
    timing.buttonsAfterPopupMs = 0;
    timing.textViewSaveMs = 0;
    view.setTiming(timing);
    view.batchActions().controller().setDelay(promptly);
    if (auto* presets = view.findChild<PresetScreens*>()) presets->presetsWindow()->presetView()->setTiming({0});
}

MainWindowController& RunningApplication::mainWindow() const {
    return *m_delegate->myWindowController();
}

ExifEditorView& RunningApplication::editor() const {
    return *qobject_cast<ExifEditorView*>(m_delegate->editingScreen()->view());
}

}  // namespace wholeapp
