#pragma once

#include "app/DelayedCall.h"

#include <QObject>
#include <QStringList>

class AddPhotosMainWindow;
class AddPhotosWindow;
class MainWindowApplication;
class QuickTourWindow;
class QWidget;

// The main window's ways into the batch: the add-photos window with its open panels, and the quick tour that
// comes before it at the first launch. Both are windows of the main window, which this asks through
// AddPhotosMainWindow; chosen photos go to the application.
class MainWindowAddPhotos : public QObject {
    Q_OBJECT
  public:
    // The wait between the main window's opening and the quick tour or the add-photos window.
    static constexpr int kFirstWindowDelayMs = 300;

    MainWindowAddPhotos(MainWindowApplication& app, AddPhotosMainWindow& mainWindow, AddPhotosWindow* addPhotos,
                        QuickTourWindow* tips, DelayedCall schedule, QObject* parent = nullptr);

    // ---- add-photos window ----
    void showAddPhotosWindow();
    void addPhotoWindow();
    void hideAddPhotosWindow();
    // 0: photo files; 1: folders, walked whole; any other type opens nothing.
    void showAddPhotosPanel(int type);
    void showIphotosPanel();
    void btnCloseAddPhotoWinTapped();
    // Puts the add-photos window away and brings the main window forward.
    void showExifEditorWindow();

    // ---- quick tour ----
    void showTipsScreen();
    // The tour asked for from the menu: closing it goes back to the main window, not to the add-photos window.
    void tipsRequested();
    void closeQuickTourClicked();
    void torvanelinkClicked();

  private:
    void handOverChosenPaths(const QStringList& paths, QWidget* panelOwner);

    MainWindowApplication& m_app;
    AddPhotosMainWindow& m_mainWindow;
    AddPhotosWindow* m_addPhotos;
    QuickTourWindow* m_tips;
    DelayedCall m_schedule;
    bool m_isTipsFromNotification = false;
};
