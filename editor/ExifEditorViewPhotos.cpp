// The photo side of the editing screen: adding photos, the loader, thumbnails, the info popup and removal.

#include "controls/CentredWindow.h"
#include "controls/DisableScrollView.h"
#include "controls/DisableSubviews.h"
#include "controls/DragDropBox.h"
#include "controls/SubWindowState.h"
#include "editor/AddPhotosOptions.h"
#include "editor/EditingOptionSection.h"
#include "editor/EditorBatchActions.h"
#include "editor/ExifEditorView.h"
#include "editor/FormTextView.h"
#include "editor/LoaderOverlay.h"
#include "editor/Logging.h"
#include "editor/MetadataSection.h"
#include "editor/OptionPopup.h"
#include "editor/PhotoTableModel.h"
#include "editor/PhotoTableView.h"
#include "editor/PopupLists.h"
#include "intake/BatchRemoval.h"
#include "intake/PhotoIntake.h"
#include "intake/ThumbnailLoader.h"
#include "platform/Alerts.h"
#include "platform/NotificationCenter.h"
#include "platform/OpenPanel.h"
#include "platform/UserDefaults.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QVBoxLayout>

// ---- Adding photos ----

bool ExifEditorView::isCustomRenamingAskingReset() const {
    const bool notAgain =
        platform::UserDefaults::standardUserDefaults().boolValue(AddPhotosOptions::notShowRenameResetPopupKey());
    if (!m_batchActions) return false;
    return AddPhotosOptions::asksRenamingReset(
        {m_batchActions->isEditNameOptionOn(), m_batchActions->onImageRenameOptionPage(),
         m_batchActions->isRenameToastVisible()},
        notAgain);
}

void ExifEditorView::handleFileDragDropNotification(const platform::Notification& notification) {
    const QStringList paths = notification.userInfo.value(QStringLiteral("paths")).toStringList();
    setRemovalFlags(false, false);
    addWithRenamingCheck(paths);
}

void ExifEditorView::addWithRenamingCheck(const QStringList& paths) {
    if (isCustomRenamingAskingReset()) {
        m_arrTempPhotosUrlsForResetRename = paths;
        showAlertForResetRename();
        return;
    }
    m_arrTempPhotosUrlsForResetRename.clear();
    addPhotosFromPathUrls(paths, false);
}

void ExifEditorView::showAlertForResetRename() {
    emit renameResetQuestionRequested();
}

void ExifEditorView::btnAddPhotosTapped() {
    m_flagCurrentAttachPopupType = PopupLists::AddPhotosMenu;
    const QStringList rows = PopupLists::rows(PopupLists::AddPhotosMenu, {});
    m_popup->setRows(rows);
    m_popup->setViewSize(PopupLists::kAddMenuWidth, PopupLists::addMenuHeight(static_cast<int>(rows.size())));
    // Beside the button's right edge, level with its middle.
    addAttachedPopupTableAtPoint(
        m_btnAddPhoto->mapTo(this, QPointF(m_btnAddPhoto->width(), m_btnAddPhoto->height() / 2.0)),
        QRectF(m_btnAddPhoto->mapTo(this, QPointF(0, 0)), m_btnAddPhoto->size()));
}

void ExifEditorView::popupAddPhotosTappedWithIndex(int index) {
    m_shared.subWindow.setIsSubWindowOpened(true);
    emit addPanelOpened(true);
    const platform::OpenPanelOptions options = AddPhotosOptions::openPanelFor(index);
    platform::OpenPanelPresenter::shared().beginSheet(options, this, [this](const platform::OpenPanelResult& result) {
        m_shared.subWindow.setIsSubWindowOpened(false);
        emit addPanelOpened(false);
        if (!result.accepted || result.paths.isEmpty()) return;
        if (AddPhotosOptions::refuseTrash(result.paths, this)) return;
        setRemovalFlags(false, false);
        addWithRenamingCheck(result.paths);
    });
}

void ExifEditorView::addPhotosFromPathUrls(const QStringList& paths, bool isiPhoto) {
    m_intake->addPhotosFromPathUrls(paths, isiPhoto);
}

void ExifEditorView::btnStopProcessTapped() {
    // One Stop ends an import and a batch run alike.
    if (m_intake->isImporting()) m_intake->stopImport();
    m_batchActions->btnStopProcessTapped();
    m_btnStop->hide();
}

void ExifEditorView::showAlertWithTag(int tag) {
    m_batchActions->showAlertWithTag(tag);
}

void ExifEditorView::processAfterAllPhotosAdded() {
    m_btnStop->hide();
    enableDragAndDrop(true);
    // Ticked before the form's set-up hands the batch to the merge: ticking a batch shared with a merge
    // under way would copy all of it.
    tickAll();
    initSetup();
    const bool hasPhotos = !m_shared.arraySelectedImagesToProcess.isEmpty();
    enableView(hasPhotos);
    selectAllTableViewCellAndReload();
    tableviewPhotosBoundDidChange();
    showLoading(false, QStringLiteral("Processing..."));
    refreshPhotosCount();
    if (!hasPhotos) {
        m_btnRemovePhoto->setEnabled(false);
        return;
    }
    m_btnNext->show();
    m_btnNext->setEnabled(true);
    m_vwMetaContainer->show();
    m_btnRemovePhoto->setEnabled(true);
}

void ExifEditorView::selectAllTableViewCellAndReload() {
    tickAll();
    m_photoModel->reload();
}

void ExifEditorView::tickAll() {
    // Read first: writing through the list, even the same value, would copy a batch that a merge shares.
    const QList<PhotoFile>& batch = std::as_const(m_shared.arraySelectedImagesToProcess);
    if (std::all_of(batch.begin(), batch.end(), [](const PhotoFile& photo) { return photo.isSelected; })) return;
    for (PhotoFile& photo : m_shared.arraySelectedImagesToProcess) photo.isSelected = true;
}

void ExifEditorView::refreshPhotosCount() {
    const qsizetype count = m_shared.arraySelectedImagesToProcess.size();
    m_lblPhotosCount->setText(count == 0 ? QStringLiteral("Photos") : QStringLiteral("Photos(%1)").arg(count));
}

// ---- Loader and enabling ----

void ExifEditorView::placeOverlay() {
    // The loader covers the whole screen; the plain cover of a disabled screen leaves the bar with the Add
    // button free, so an empty screen can still take photos.
    const QRect area = m_vwLoading->isBoxVisible() ? m_leftBox->rect() : m_body->geometry();
    m_vwLoading->setGeometry(area);
    m_vwLoading->raise();
}

void ExifEditorView::showLoading(bool show, const QString& text) {
    m_vwLoading->setBoxVisible(true);
    placeOverlay();
    m_vwLoading->setText(text);
    if (show && !m_loaderTimer.isActive()) {
        m_shared.subWindow.setIsSubWindowOpened(true);
        m_vwLoading->show();
        enableDragAndDrop(false);
        m_loaderAnimation.restart();
        m_loaderTimer.start();
    } else if (!show) {
        m_mergeLoaderShown = false;
        m_shared.subWindow.setIsSubWindowOpened(false);
        m_loaderTimer.stop();
        m_vwLoading->hide();
        enableDragAndDrop(true);
    }
    platform::NotificationCenter::defaultCenter().post(show ? QStringLiteral("notificationsShowLoading")
                                                            : QStringLiteral("notificationsHideLoading"));
}

void ExifEditorView::performLoaderAnimationWithCounter() {
    if (m_loaderAnimation.step() == LoaderAnimation::Step::Restart) {
        m_loaderTimer.stop();
        showLoading(true, m_vwLoading->text());
        return;
    }
    m_vwLoading->showFrame(m_loaderAnimation.frameToShow());
}

void ExifEditorView::enableView(bool enabled) {
    // The form as with enableExifDataView, and besides it the cover over the screen and the Remove button.
    enableExifDataView(enabled);
    m_btnStop->hide();
    m_vwLoading->setBoxVisible(false);
    placeOverlay();
    m_vwLoading->setVisible(!enabled);
    m_btnRemovePhoto->setEnabled(enabled && !m_shared.arraySelectedImagesToProcess.isEmpty());
}

void ExifEditorView::enableExifDataView(bool enabled) {
    if (!enabled) takeFocusFromForm();
    m_formEnabled = enabled;
    DisableSubviews::disableSubviews(m_scrollViewExifData, !enabled);
    DisableSubviews::disableSubviews(m_editingOption, !enabled);
    for (MetadataSection* section : std::as_const(m_sections)) section->setTextViewsEditable(enabled);
    for (QPushButton* button : {m_btnPresets, m_btnNext, m_btnMetadataMoreOptions, m_btnShowMap})
        button->setEnabled(enabled);
}

void ExifEditorView::enableDragAndDrop(bool enabled) {
    if (enabled) {
        m_leftBox->registerForDraggedTypes();
    } else {
        m_leftBox->unregisterDraggedTypes();
    }
}

// ---- Thumbnails ----

void ExifEditorView::tableviewPhotosBoundDidChange() {
    m_thumbnails->tableviewPhotosBoundDidChange();
}

void ExifEditorView::loadTableViewThumbnailImages() {
    if (m_shared.arraySelectedImagesToProcess.isEmpty()) return;
    QList<ThumbnailLoader::Row> rows;
    for (int row : m_tblPhotos->visibleRows()) {
        const PhotoFile* photo = m_photoModel->photoAt(row);
        if (!photo) continue;
        if (!m_dictPhotoImages.contains(photo->filePath)) m_photoModel->thumbnailRequested(photo->filePath);
        rows.append({row, photo->filePath});
    }
    for (const ThumbnailLoader::Cached& cached : m_thumbnails->loadTableViewThumbnailImages(rows))
        m_photoModel->rowChanged(cached.row);
}

// ---- The info popup ----

void ExifEditorView::buildMetadataPopup() {
    m_winMetadataPopup = new QWidget(this, Qt::Tool | Qt::FramelessWindowHint);
    m_winMetadataPopup->setObjectName(QStringLiteral("winMetadataPopup"));
    m_winMetadataPopup->setAttribute(Qt::WA_StyledBackground);
    m_winMetadataPopup->setStyleSheet(
        QStringLiteral("#winMetadataPopup { background: #2f2f2f; border: 1px solid #4a4a4a; }"));
    auto* column = new QVBoxLayout(m_winMetadataPopup);
    column->setContentsMargins(1, 1, 1, 1);
    column->setSpacing(0);
    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(8, 4, 4, 4);
    bar->addStretch(1);
    auto* close = new QPushButton(QStringLiteral("Close"), m_winMetadataPopup);
    close->setObjectName(QStringLiteral("btnCloseMetadataPopup"));
    close->setStyleSheet(
        QStringLiteral("QPushButton { color: white; background: #3d3d3d; border: 1px solid #555555;"
                       " border-radius: 3px; padding: 3px 12px; }"));
    connect(close, &QPushButton::clicked, this, &ExifEditorView::removeInfoPopupWindow);
    // Escape puts it away as Close does: without a window manager's title bar, the keyboard has no other way.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), m_winMetadataPopup);
    connect(escape, &QShortcut::activated, this, &ExifEditorView::removeInfoPopupWindow);
    bar->addWidget(close);
    column->addLayout(bar);
    m_scrollViewMetadataPopup = new DisableScrollView(m_winMetadataPopup);
    m_scrollViewMetadataPopup->setObjectName(QStringLiteral("scrollViewMetadataPopup"));
    m_scrollViewMetadataPopup->setWidgetResizable(true);
    m_scrollViewMetadataPopup->setFrameShape(QFrame::NoFrame);
    column->addWidget(m_scrollViewMetadataPopup, 1);
    m_winMetadataPopup->hide();
}

void ExifEditorView::setMetadataPopupContent(QWidget* content) {
    m_scrollViewMetadataPopup->setWidget(content);
}

void ExifEditorView::doubleClick(int row) {
    addMetaDataPopupWithIndex(row);
}

void ExifEditorView::showPhotoMissingAlert() {
    showAlertWithTag(AlertRemoveFromBatch);
}

void ExifEditorView::addMetaDataPopupWithIndex(int row) {
    const QList<PhotoFile>& batch = m_shared.arraySelectedImagesToProcess;
    if (row < 0 || row >= batch.size()) return;
    if (!QFileInfo::exists(batch.at(row).filePath)) return showPhotoMissingAlert();
    const QRect cell = m_tblPhotos->visualRect(m_photoModel->index(row, 0));
    addInfoPopupWindowAtPoint(m_tblPhotos->viewport()->mapTo(this, QPointF(cell.topLeft())));
    platform::NotificationCenter::defaultCenter().post(QStringLiteral("notificationSetupMetaDataPopup"), nullptr,
                                                       {{QStringLiteral("selectedIndex"), row}});
}

void ExifEditorView::addInfoPopupWindowAtPoint(const QPointF&) {
    enableView(false);
    m_shared.subWindow.setIsSubWindowOpened(true);
    // The popup keeps its own place over the window (the row does not move it), opened at its top.
    QWidget* host = window();
    const QSize size(std::min(780, host->width() - 40), std::min(600, host->height() - 60));
    m_winMetadataPopup->resize(size);
    CentredWindow::centreOver(m_winMetadataPopup, host);
    m_scrollViewMetadataPopup->verticalScrollBar()->setValue(0);
    m_winMetadataPopup->show();
    m_winMetadataPopup->raise();
    // A tool window is not given the keys by itself; Escape would go to the window beneath.
    m_winMetadataPopup->activateWindow();
}

void ExifEditorView::removeInfoPopupWindow() {
    if (!m_winMetadataPopup || !m_winMetadataPopup->isVisible()) return;
    m_winMetadataPopup->hide();
    windowWillClose();
}

void ExifEditorView::windowWillClose() {
    m_shared.subWindow.setIsSubWindowOpened(false);
    enableView(true);
    enableDisableRenameOptionButton();
}

// ---- Removal ----

void ExifEditorView::btnRemovePhotosTapped() {
    qCInfo(lcEditor).noquote() << "yes on remove photos tapped";
    if (m_totalPhotosSelected < 1) {
        hideNoNewPhotosAlertWindow(false);
        return;
    }
    deleteSelectedPhotos();
}

void ExifEditorView::hideNoNewPhotosAlertWindow(bool hide) {
    if (hide) {
        m_shared.subWindow.setIsSubWindowOpened(false);
        return;
    }
    m_alertTag = 1001;
    m_shared.subWindow.setIsSubWindowOpened(true);
    platform::Alert sheet;
    sheet.messageText = BatchRemoval::noPhotoToRemoveTitle();
    sheet.informativeText = BatchRemoval::noPhotoToRemoveMessage();
    sheet.buttons = {QStringLiteral("OK")};
    sheet.tag = m_alertTag;
    platform::AlertPresenter::shared().beginSheet(
        sheet, this, [this](const platform::AlertAnswer&) { hideNoNewPhotosAlertWindow(true); });
}

void ExifEditorView::deleteSelectedPhotos() {
    if (isCustomRenamingAskingReset()) {
        setRemovalFlags(true, false);
        showAlertForResetRename();
        return;
    }
    removePhotosForRemoveButton();
}

void ExifEditorView::removePhotosForRemoveButton() {
    m_btnNext->show();
    m_btnNext->setEnabled(true);
    m_vwMetaContainer->show();
    BatchRemoval::removeSelectedPhotos(m_shared.arraySelectedImagesToProcess, m_shared.dictFileAdded);
    if (m_shared.arraySelectedImagesToProcess.isEmpty()) m_session.dropPendingEdits();
    m_shared.subWindow.setIsSubWindowOpened(false);
    processAfterAllPhotosAdded();
    checkAllPhotosDeletedFromArray();
}

void ExifEditorView::checkAllPhotosDeletedFromArray() {
    setPresetsAndNextEnabled(BatchRemoval::checkAllPhotosDeletedFromArray(m_shared.arraySelectedImagesToProcess));
}
