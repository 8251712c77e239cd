// The main window's ways into the batch: the add-photos window with its open panels, and the quick tour
// that comes before it at the first launch.
#include "app/AddPhotosWindow.h"
#include "app/AppDelegate.h"
#include "app/Logging.h"
#include "app/MainWindowController.h"
#include "app/QuickTourWindow.h"
#include "controls/CentredWindow.h"
#include "controls/IMGButton.h"
#include "controls/MouseDownView.h"
#include "controls/VLAppStoreWindow.h"
#include "editor/AddPhotosOptions.h"
#include "intake/PhotoAcceptance.h"
#include "platform/OpenPanel.h"
#include "platform/StandardPaths.h"
#include "platform/Workspace.h"

void MainWindowController::showAddPhotosWindow() {
    m_schedule(kFirstWindowDelayMs, [this] { addPhotoWindow(); });
}

void MainWindowController::addPhotoWindow() {
    if (m_addPhotos->isVisible() && m_addPhotos->isActiveWindow()) return;
    m_app.setIsSubWindowOpened(true);
    CentredWindow::centreOver(m_addPhotos, m_windowMain);
    m_addPhotos->show();
    m_addPhotos->raise();
    m_addPhotos->activateWindow();
    enableTitleBarButtons(false);
    m_windowMain->setResizable(false);
    m_addPhotos->vwContainerLoadImage()->setDelegate(this);
}

void MainWindowController::hideAddPhotosWindow() {
    showWindow();
    m_addPhotos->hide();
    enableTitleBarButtons(true);
    m_windowMain->setResizable(true);
    m_app.setIsSubWindowOpened(false);
}

void MainWindowController::showAddPhotosPanel(int type) {
    if (type != 0 && type != 1) return;
    platform::OpenPanelOptions options;
    options.canChooseFiles = true;
    options.canChooseDirectories = type == 1;
    options.allowsMultipleSelection = true;
    options.canCreateDirectories = true;
    options.prompt = QStringLiteral("Add Photos");
    options.allowsImageFiles = true;
    options.allowedExtensions = PhotoAcceptance::ExtraImageExtensions();
    m_app.setIsSubWindowOpened(true);
    m_app.enableSelectAll(true);
    QPointer<MainWindowController> self(this);
    platform::OpenPanelPresenter::shared().beginSheet(options, m_addPhotos, [self](const platform::OpenPanelResult& r) {
        if (!self) return;
        self->m_app.setIsSubWindowOpened(false);
        self->m_app.enableSelectAll(false);
        if (r.accepted && !r.paths.isEmpty()) self->handOverChosenPaths(r.paths, self->m_addPhotos);
    });
}

void MainWindowController::showIphotosPanel() {
    platform::OpenPanelOptions options;
    // A library is a folder here; the intake recognises it by its name and reads it as one.
    options.canChooseFiles = true;
    options.canChooseDirectories = true;
    options.allowsMultipleSelection = true;
    options.prompt = QStringLiteral("Add Photos Library");
    options.directory = platform::StandardPaths::picturesFolder();
    m_app.enableSelectAll(true);
    QPointer<MainWindowController> self(this);
    platform::OpenPanelPresenter::shared().beginSheet(options, m_addPhotos, [self](const platform::OpenPanelResult& r) {
        if (!self) return;
        self->m_app.enableSelectAll(false);
        if (r.accepted && !r.paths.isEmpty()) self->handOverChosenPaths(r.paths, self->m_addPhotos);
    });
}

void MainWindowController::handOverChosenPaths(const QStringList& paths, QWidget* panelOwner) {
    if (AddPhotosOptions::refuseTrash(paths, panelOwner)) return;
    hideAddPhotosWindow();
    m_app.addPhotosFromPathUrls(paths);
}

void MainWindowController::btnCloseAddPhotoWinTapped() {
    m_windowMain->hide();
    m_addPhotos->hide();
    m_app.setIsSubWindowOpened(false);
    closeWindowActionShowRate(false);
}

void MainWindowController::showExifEditorWindow() {
    m_addPhotos->hide();
    showWindow();
}

void MainWindowController::showTipsScreen() {
    CentredWindow::centreOver(m_tips, m_windowMain);
    m_tips->showPage();
    m_tips->show();
    m_tips->raise();
    m_tips->activateWindow();
}

void MainWindowController::closeQuickTourClicked() {
    if (!m_tips->isVisible()) return;
    m_tips->hide();
    if (m_isTipsFromNotification) {
        showWindow();
        return;
    }
    showAddPhotosWindow();
}

void MainWindowController::torvanelinkClicked() {
    platform::Workspace::shared().openURL(m_app.serviceHosts().website);
}
