#pragma once

#include "app/DelayedCall.h"
#include "controls/MouseDownViewDelegate.h"
#include "controls/VLAppStoreWindowDelegate.h"

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>

class AddPhotosWindow;
class AppDelegate;
class IMGButton;
class LoadingOverlay;
class MainTitleBar;
class QuickTourWindow;
class VLAppStoreWindow;
class QWidget;

// The application's one main window (windowMain) and the windows around it: the add-photos window that
// starts the user's work, the quick tour, the rate prompt and the close confirmation. It shows the support
// number, reacts to the editing screen's busy state, and runs the first half of the close flow, whose second
// half is the application delegate's. The editing screen is mounted below its title bar.
class MainWindowController : public QObject, public VLAppStoreWindowDelegate, public MouseDownViewDelegate {
    Q_OBJECT
  public:
    explicit MainWindowController(AppDelegate& app);
    ~MainWindowController() override;

    // The wait between the window's opening and the quick tour or the add-photos window.
    static constexpr int kFirstWindowDelayMs = 300;

    VLAppStoreWindow* windowMain() const { return m_windowMain; }
    // The window in front: the quick tour or the add-photos window while one is up, else the main window.
    QWidget* frontWindow() const;
    // The 0.3 s and 0.2 s waits before the tour, the add-photos window and the rate prompt.
    void setDelayedCall(DelayedCall delayedCall) { m_schedule = std::move(delayedCall); }

    // Observers, title bar, drag areas; then the quick tour at the first launch, else the add-photos window.
    void awakeFromNib();
    void initSetup();
    void showWindow();

    // ---- the editing screen's place ----
    // Shows view below the title bar, in place of an earlier one; the window takes it over.
    void setEditorView(QWidget* view);
    QWidget* editorView() const { return m_editorView; }
    QWidget* mainScreenView() const { return m_mainScreenView; }

    // ---- title bar ----
    IMGButton* btnCloseWindow() const;
    IMGButton* btnMinimizeWindow() const;
    IMGButton* btnZoomWindow() const;
    MainTitleBar* vwTopContainer() const { return m_titleBar; }
    void btnCloseWindowTapped();
    void btnMinimizeWindowTapped();
    void btnZoomWindowTapped();
    void updatePhoneNumber_MainThread(const QString& number);
    void feedbackAvailabilityChanged();

    // ---- the busy overlay (used while no editing screen shows its own) ----
    void showLoading(bool show, const QString& text);
    LoadingOverlay* vwLoading() const { return m_loading; }

    // ---- add-photos window ----
    AddPhotosWindow* winAddPhotos() const { return m_addPhotos; }
    void showAddPhotosWindow();
    void addPhotoWindow();
    void hideAddPhotosWindow();
    // 0: photo files; 1: photo files and folders; any other type opens nothing.
    void showAddPhotosPanel(int type);
    void showIphotosPanel();
    void btnCloseAddPhotoWinTapped();
    // Puts the add-photos window away and brings the main window forward.
    void showExifEditorWindow();

    // ---- quick tour ----
    QuickTourWindow* winTips() const { return m_tips; }
    void showTipsScreen();
    void closeQuickTourClicked();
    void torvanelinkClicked();

    // ---- close flow ----
    void closeWindowActionShowRate(bool showRate);
    void showAlertForRateApp();
    void showFeedBackWindow();
    void openHelpUrl();

    // VLAppStoreWindowDelegate
    bool windowShouldClose(VLAppStoreWindow* window) override;
    void windowWillClose(VLAppStoreWindow* window) override;
    void windowDidResize(VLAppStoreWindow* window) override;
    void windowDidEnterFullScreen(VLAppStoreWindow* window) override;
    void windowDidExitFullScreen(VLAppStoreWindow* window) override;

    // MouseDownViewDelegate
    void mouseDown(QMouseEvent* event, MouseDownView* view) override;
    void mouseDragged(QMouseEvent* event, MouseDownView* view) override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void setupTitleBarViewForWindow();
    void setupViewInitialSize();
    void buildMenu();
    void registerObservers();
    void enableTitleBarButtons(bool enabled);
    void handOverChosenPaths(const QStringList& paths, QWidget* panelOwner);
    void closeMainWindow();
    void continueClosing();
    QWidget* windowDraggedBy(const MouseDownView* view) const;

    AppDelegate& m_app;
    DelayedCall m_schedule;
    VLAppStoreWindow* m_windowMain = nullptr;
    MainTitleBar* m_titleBar = nullptr;
    QWidget* m_mainScreenView = nullptr;
    QPointer<QWidget> m_editorView;
    LoadingOverlay* m_loading = nullptr;
    AddPhotosWindow* m_addPhotos = nullptr;
    QuickTourWindow* m_tips = nullptr;

    QPoint m_lastMainPosition;
    bool m_isFullscreenEnable = false;
    bool m_isTipsFromNotification = false;
    // Where the pointer grabbed the dragged window, from the window's top-left corner.
    QPoint m_initialLocation;
    // Set by the close flow when the window may really close; any other close request runs the flow.
    bool m_closeApproved = false;
};
