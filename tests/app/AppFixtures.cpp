#include "tests/app/AppFixtures.h"

#include "app/MainWindowController.h"

#include <QCoreApplication>
#include <QDir>

namespace appfixtures {

DelayedCall ManualDelays::delayedCall() {
    return [this](int milliseconds, std::function<void()> work) {
        intervals.append(milliseconds);
        m_pending.append(std::move(work));
    };
}

void ManualDelays::runAll() {
    while (!m_pending.isEmpty()) m_pending.takeFirst()();
}

QWidget* RecordingEditingScreen::view() {
    if (!widget) widget = new QWidget;
    return widget;
}

Shell::Shell(const QVariantMap& stored, bool folderForTheDefaultsFile) {
    if (folderForTheDefaultsFile) QDir(dir.path()).mkdir(QStringLiteral("defaults.conf"));
    defaults = std::make_unique<platform::UserDefaults>(dir.filePath(QStringLiteral("defaults.conf")));
    QVariantMap values = stored;
    if (!values.contains(QStringLiteral("isFirstTime")))
        values.insert(QStringLiteral("isFirstTime"), QStringLiteral("no"));
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        if (it.value().isValid()) defaults->setValue(it.key(), it.value());
    }
    defaults->synchronize();
    app = std::make_unique<AppDelegate>(*defaults);
    app->setDelayedCall(delays.delayedCall());
    app->setTerminateHandler([this] { ++terminations; });
    auto owned = std::make_unique<RecordingPromotionPanel>();
    panel = owned.get();
    app->installPromotionPanel(std::move(owned));
}

Shell::~Shell() {
    app.reset();
    settle();
}

void Shell::launch(bool withEditingScreen) {
    if (withEditingScreen) app->setEditingScreen(&screen);
    app->applicationDidFinishLaunching();
    settle();
}

void Shell::launchToMainWindow() {
    launch();
    delays.runAll();
    window().hideAddPhotosWindow();
    delays.intervals.clear();
}

void Shell::settle() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

MainWindowController& Shell::window() const {
    return *app->myWindowController();
}

}  // namespace appfixtures
