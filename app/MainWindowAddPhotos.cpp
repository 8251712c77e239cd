#include "app/MainWindowAddPhotos.h"

#include "app/AddPhotosMainWindow.h"
#include "app/AddPhotosWindow.h"
#include "app/MainWindowApplication.h"
#include "app/QuickTourWindow.h"
#include "app/online/ServiceHosts.h"
#include "controls/CentredWindow.h"
#include "editor/AddPhotosOptions.h"
#include "editor/PopupLists.h"
#include "platform/OpenPanel.h"
#include "platform/StandardPaths.h"
#include "platform/Workspace.h"

#include <QPointer>

MainWindowAddPhotos::MainWindowAddPhotos(MainWindowApplication& app, AddPhotosMainWindow& mainWindow,
                                         AddPhotosWindow* addPhotos, QuickTourWindow* tips, DelayedCall schedule,
                                         QObject* parent)
    : QObject(parent),
      m_app(app),
      m_mainWindow(mainWindow),
      m_addPhotos(addPhotos),
      m_tips(tips),
      m_schedule(std::move(schedule)) {
    connect(m_addPhotos, &AddPhotosWindow::addPhotosTapped, this, [this] { showAddPhotosPanel(0); });
    connect(m_addPhotos, &AddPhotosWindow::addFoldersTapped, this, [this] { showAddPhotosPanel(1); });
    connect(m_addPhotos, &AddPhotosWindow::addiPhotosTapped, this, &MainWindowAddPhotos::showIphotosPanel);
    connect(m_addPhotos, &AddPhotosWindow::closeTapped, this, &MainWindowAddPhotos::btnCloseAddPhotoWinTapped);
    connect(m_tips, &QuickTourWindow::torvanelinkClicked, this, &MainWindowAddPhotos::torvanelinkClicked);
    connect(m_tips, &QuickTourWindow::closeQuickTourClicked, this, &MainWindowAddPhotos::closeQuickTourClicked);
}

void MainWindowAddPhotos::showAddPhotosWindow() {
    m_schedule(kFirstWindowDelayMs, [this] { addPhotoWindow(); });
}

void MainWindowAddPhotos::addPhotoWindow() {
    if (m_addPhotos->isVisible() && m_addPhotos->isActiveWindow()) return;
    m_app.setIsSubWindowOpened(true);
    CentredWindow::centreOver(m_addPhotos, m_addPhotos->parentWidget());
    m_addPhotos->show();
    m_addPhotos->raise();
    m_addPhotos->activateWindow();
    m_mainWindow.enableWindowControls(false);
}

void MainWindowAddPhotos::hideAddPhotosWindow() {
    m_mainWindow.showWindow();
    m_addPhotos->hide();
    m_mainWindow.enableWindowControls(true);
    m_app.setIsSubWindowOpened(false);
}

void MainWindowAddPhotos::showAddPhotosPanel(int type) {
    if (type != 0 && type != 1) return;
    // The tiles open the panels of the Add menu's rows. A panel of files and folders together opens a folder
    // on Enter instead of choosing it; a folder is chosen in a folder chooser.
    const platform::OpenPanelOptions options =
        AddPhotosOptions::openPanelFor(type == 1 ? PopupLists::AddFolder : PopupLists::AddPhotos);
    m_app.setIsSubWindowOpened(true);
    m_app.enableSelectAll(true);
    QPointer<MainWindowAddPhotos> self(this);
    platform::OpenPanelPresenter::shared().beginSheet(options, m_addPhotos, [self](const platform::OpenPanelResult& r) {
        if (!self) return;
        self->m_app.setIsSubWindowOpened(false);
        self->m_app.enableSelectAll(false);
        if (r.accepted && !r.paths.isEmpty()) self->handOverChosenPaths(r.paths, self->m_addPhotos);
    });
}

void MainWindowAddPhotos::showIphotosPanel() {
    platform::OpenPanelOptions options;
    // A library is a folder here; the intake recognises it by its name and reads it as one.
    options.canChooseFiles = true;
    options.canChooseDirectories = true;
    options.allowsMultipleSelection = true;
    options.prompt = QStringLiteral("Add Photos Library");
    options.directory = platform::StandardPaths::picturesFolder();
    m_app.enableSelectAll(true);
    QPointer<MainWindowAddPhotos> self(this);
    platform::OpenPanelPresenter::shared().beginSheet(options, m_addPhotos, [self](const platform::OpenPanelResult& r) {
        if (!self) return;
        self->m_app.enableSelectAll(false);
        if (r.accepted && !r.paths.isEmpty()) self->handOverChosenPaths(r.paths, self->m_addPhotos);
    });
}

void MainWindowAddPhotos::handOverChosenPaths(const QStringList& paths, QWidget* panelOwner) {
    if (AddPhotosOptions::refuseTrash(paths, panelOwner)) return;
    hideAddPhotosWindow();
    m_app.addPhotosFromPathUrls(paths);
}

void MainWindowAddPhotos::btnCloseAddPhotoWinTapped() {
    m_mainWindow.hideWindow();
    m_addPhotos->hide();
    m_app.setIsSubWindowOpened(false);
    m_mainWindow.closeWindowActionShowRate(false);
}

void MainWindowAddPhotos::showExifEditorWindow() {
    m_addPhotos->hide();
    m_mainWindow.showWindow();
}

void MainWindowAddPhotos::showTipsScreen() {
    CentredWindow::centreOver(m_tips, m_tips->parentWidget());
    m_tips->showPage();
    m_tips->show();
    m_tips->raise();
    m_tips->activateWindow();
}

void MainWindowAddPhotos::tipsRequested() {
    m_isTipsFromNotification = true;
    showTipsScreen();
}

void MainWindowAddPhotos::closeQuickTourClicked() {
    if (!m_tips->isVisible()) return;
    m_tips->hide();
    if (m_isTipsFromNotification) {
        m_mainWindow.showWindow();
        return;
    }
    showAddPhotosWindow();
}

void MainWindowAddPhotos::torvanelinkClicked() {
    platform::openWebPage(m_app.serviceHosts().website, m_tips);
}
