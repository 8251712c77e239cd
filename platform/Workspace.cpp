#include "platform/Workspace.h"

#include <QDesktopServices>
#include <QFileInfo>

namespace platform {
namespace {

// The desktop's own handlers through Qt. The file manager cannot be asked to select a file this way, so
// revealing opens the folder.
class DesktopWorkspace : public Workspace {
  public:
    bool openURL(const QUrl& url) override { return QDesktopServices::openUrl(url); }
    bool openFile(const QString& path) override { return QDesktopServices::openUrl(QUrl::fromLocalFile(path)); }
    bool revealInFileManager(const QStringList& paths) override {
        if (paths.isEmpty()) return false;
        return QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(paths.first()).absolutePath()));
    }
    void showFileInfo(const QString&, QWidget*) override {}
};

Workspace* g_installed = nullptr;

}  // namespace

Workspace& Workspace::shared() {
    static DesktopWorkspace own;
    return g_installed ? *g_installed : own;
}

void Workspace::install(Workspace* workspace) {
    g_installed = workspace;
}

}  // namespace platform
