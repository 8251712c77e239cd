#pragma once

#include "platform/Alerts.h"

#include <QString>

class QWidget;

namespace platform {
class Workspace;
}

// What the editing screen asks of the desktop for a photo or a folder. A desktop without a file manager or
// an application for the file would otherwise do nothing visible, so then an alert says so.
class DesktopActions {
  public:
    enum Action { ShowInFileManager, OpenInImageViewer, OpenFolder };

    static platform::Alert cannotActAlert(Action action, const QString& path);
    // Asks the desktop; when it cannot act, the alert is shown over parent (over the application when
    // parent has gone by the time the desktop answered).
    static void perform(Action action, const QString& path, platform::Workspace& workspace, QWidget* parent);
};
