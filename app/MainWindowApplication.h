#pragma once

#include <QStringList>

class FeedbackService;
class QAction;
struct ServiceHosts;

namespace platform {
class UserDefaults;
}

// What the main window and the windows around it need of the application: the user's stored choices, the
// sub-window flag, where chosen photos go, the menu's application-wide actions and the end of the run. The
// application delegate implements it; the main window never sees the delegate itself.
class MainWindowApplication {
  public:
    virtual ~MainWindowApplication() = default;

    // ---- Questions ----
    virtual platform::UserDefaults& defaults() = 0;
    virtual const ServiceHosts& serviceHosts() const = 0;
    // The batch holds photos and the editing screen holds edits that no run has written yet.
    virtual bool hasUnprocessedEdits() const = 0;
    // nullptr while no feedback service is installed.
    virtual FeedbackService* feedback() const = 0;
    // The application's Select All and Deselect All, which the window's menu and shortcuts carry.
    virtual QAction* menuSelectAll() const = 0;
    virtual QAction* menuDeselectAll() const = 0;

    // ---- Steps ----
    virtual void setIsSubWindowOpened(bool opened) = 0;
    // Deselect All takes Select All's place while an open panel is up.
    virtual void enableSelectAll(bool panelOpen) = 0;
    virtual void addPhotosFromPathUrls(const QStringList& paths) = 0;
    virtual void showTips() = 0;
    virtual void btnHelpTapped() = 0;
    virtual void btnFeedbackTapped() = 0;
    virtual void btnRateOnAppstoreTapped() = 0;
    virtual void terminate() = 0;
};
