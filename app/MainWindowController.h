#pragma once

#include "app/AddPhotosMainWindow.h"
#include "app/DelayedCall.h"
#include "app/MainWindowAddPhotos.h"
#include "app/MainWindowCloseFlow.h"
#include "controls/MouseDownViewDelegate.h"
#include "controls/VLAppStoreWindowDelegate.h"

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class AddPhotosWindow;
class IMGButton;
class LoadingOverlay;
class MainTitleBar;
class MainWindowApplication;
class QuickTourWindow;
class VLAppStoreWindow;
class QWidget;

// The application's one main window (windowMain) and the windows around it: the add-photos window that
// starts the user's work, the quick tour, the rate prompt and the close confirmation. It shows the support
// number, reacts to the editing screen's busy state, and runs the first half of the close flow, whose second
// half is the application delegate's. The editing screen is mounted below its title bar. The add-photos window
// with the quick tour and the close flow are halves of their own (MainWindowAddPhotos, MainWindowCloseFlow),
// whose operations the window hands on under its own names; the application is asked through
// MainWindowApplication.
class MainWindowController : public QObject,
                             public VLAppStoreWindowDelegate,
                             public MouseDownViewDelegate,
                             public AddPhotosMainWindow {
    Q_OBJECT
  public:
    explicit MainWindowController(MainWindowApplication& app);
    ~MainWindowController() override;

    // The wait between the window's opening and the quick tour or the add-photos window.
    static constexpr int kFirstWindowDelayMs = MainWindowAddPhotos::kFirstWindowDelayMs;

    VLAppStoreWindow* windowMain() const { return m_windowMain; }
    // The window in front: the quick tour or the add-photos window while one is up, else the main window.
    QWidget* frontWindow() const;
    // The 0.3 s and 0.2 s waits before the tour, the add-photos window and the rate prompt.
    void setDelayedCall(DelayedCall delayedCall) { m_schedule = std::move(delayedCall); }

    // Observers, title bar, drag areas; then the quick tour at the first launch, else the add-photos window.
    void awakeFromNib();
    void initSetup();
    void showWindow() override;
    void hideWindow() override;
    void enableWindowControls(bool enabled) override;

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
    void btnCloseWindowTapped() { m_closeFlow->btnCloseWindowTapped(); }
    void btnMinimizeWindowTapped();
    void btnZoomWindowTapped();
    void updatePhoneNumber_MainThread(const QString& number);
    void feedbackAvailabilityChanged();

    // ---- the busy overlay (used while no editing screen shows its own) ----
    void showLoading(bool show, const QString& text);
    LoadingOverlay* vwLoading() const { return m_loading; }

    // ---- add-photos window ----
    AddPhotosWindow* winAddPhotos() const { return m_addPhotos; }
    void showAddPhotosWindow() { m_startWindows->showAddPhotosWindow(); }
    void addPhotoWindow() { m_startWindows->addPhotoWindow(); }
    void hideAddPhotosWindow() { m_startWindows->hideAddPhotosWindow(); }
    // 0: photo files; 1: photo files and folders; any other type opens nothing.
    void showAddPhotosPanel(int type) { m_startWindows->showAddPhotosPanel(type); }
    void showIphotosPanel() { m_startWindows->showIphotosPanel(); }
    void btnCloseAddPhotoWinTapped() { m_startWindows->btnCloseAddPhotoWinTapped(); }
    // Puts the add-photos window away and brings the main window forward.
    void showExifEditorWindow() { m_startWindows->showExifEditorWindow(); }

    // ---- quick tour ----
    QuickTourWindow* winTips() const { return m_tips; }
    void showTipsScreen() { m_startWindows->showTipsScreen(); }
    void closeQuickTourClicked() { m_startWindows->closeQuickTourClicked(); }
    void torvanelinkClicked() { m_startWindows->torvanelinkClicked(); }

    // ---- close flow ----
    void closeWindowActionShowRate(bool showRate) override { m_closeFlow->closeWindowActionShowRate(showRate); }
    void showAlertForRateApp() { m_closeFlow->showAlertForRateApp(); }
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
    QWidget* windowDraggedBy(const MouseDownView* view) const;

    MainWindowApplication& m_app;
    DelayedCall m_schedule;
    VLAppStoreWindow* m_windowMain = nullptr;
    MainTitleBar* m_titleBar = nullptr;
    QWidget* m_mainScreenView = nullptr;
    QPointer<QWidget> m_editorView;
    LoadingOverlay* m_loading = nullptr;
    AddPhotosWindow* m_addPhotos = nullptr;
    QuickTourWindow* m_tips = nullptr;
    std::unique_ptr<MainWindowAddPhotos> m_startWindows;
    std::unique_ptr<MainWindowCloseFlow> m_closeFlow;

    QPoint m_lastMainPosition;
    bool m_isFullscreenEnable = false;
    // Where the pointer grabbed the dragged window, from the window's top-left corner.
    QPoint m_initialLocation;
};
