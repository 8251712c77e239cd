#include "editor/EditorFormActions.h"

#include <QFileInfo>
#include <QKeyEvent>
#include <QWidget>

#include <algorithm>

#include "controls/SubWindowState.h"
#include "editor/FormValidation.h"
#include "editor/Logging.h"
#include "editor/PhotoTableActions.h"
#include "editor/PopupLists.h"
#include "editor/PresetPopup.h"
#include "model/PresetStore.h"
#include "platform/Alerts.h"
#include "platform/Dispatch.h"
#include "platform/NotificationCenter.h"
#include "platform/Workspace.h"

EditorFormActions::EditorFormActions(EditSession& session, FormActionsScreen& screen, EditorSharedState& shared,
                                     QWidget* owner)
    : QObject(owner),
      m_session(session),
      m_screen(screen),
      m_shared(shared),
      m_owner(owner),
      m_gpsMap(new GpsMapController(m_session, shared.subWindow, owner, this)) {
    m_gpsMap->enableView = [this](bool enabled) { m_screen.enableView(enabled); };
    connect(m_gpsMap, &GpsMapController::gpsFieldsChanged, this, &EditorFormActions::showGpsFields);
    connect(m_gpsMap, &GpsMapController::windowWillClose, this, [this] { m_screen.windowWillClose(); });
    owner->installEventFilter(this);
}

EditorFormActions::~EditorFormActions() = default;

// ---- Apply, Revert, the form checks ----

bool EditorFormActions::isApplyOffered() const {
    return m_session.isParamsChanged();
}

bool EditorFormActions::isRevertOffered() const {
    return m_screen.totalPhotosSelected() > 0 && m_session.differsFromBeforeEditing();
}

bool EditorFormActions::isValidFormData() {
    const auto result = FormValidation::isValidFormData(
        [this](const QString& field) { return m_screen.fieldText(field); }, m_session.metaDataObject());
    if (result.failure) m_screen.showFieldError(result.failure->fieldName, result.failure->labelText);
    if (!result.valid) m_screen.scrollToField(result.firstFailingField);
    return result.valid;
}

void EditorFormActions::btnApplyMetaDataTapped() {
    if (!isValidFormData()) {
        emit errorsFoundInForm();
        return;
    }
    m_session.apply();
}

void EditorFormActions::btnRevertTapped() {
    platform::Alert alert;
    alert.messageText = QStringLiteral("Revert changes?");
    alert.informativeText = QStringLiteral("The form goes back to the values the selected photos had.");
    alert.buttons = {QStringLiteral("Yes"), QStringLiteral("No")};
    alert.tag = 0;
    platform::AlertPresenter::shared().beginSheet(alert, m_owner, [this](const platform::AlertAnswer& answer) {
        if (answer.button == 0) btnYesOnRevertAlertTapped();
    });
}

void EditorFormActions::btnYesOnRevertAlertTapped() {
    m_screen.hideAllErrorLabels();
    m_session.revert();
    platform::NotificationCenter::defaultCenter().post(QStringLiteral("notificationsHideLoading"));
}

// ---- Editing option, clear switches, presets ----

void EditorFormActions::changeViewAccordingToMetadataOtion(int option) {
    m_session.changeEditingOption(option);
}

void EditorFormActions::clearSwitchTicked(MetadataClearSwitch clearSwitch, bool on) {
    m_session.setClearSwitch(clearSwitch, on);
}

void EditorFormActions::changeViewAccordingToPresetSelected(int row) {
    const int count = static_cast<int>(m_shared.presets.arrayPresets().size());
    if (PresetPopup::choose(row, count) == PresetPopup::Choice::OpenPresetEditor) return addPresetWindow();
    btnApplyPresetTapped(row);
}

void EditorFormActions::addPresetWindow() {
    m_screen.enableView(false);
    emit presetEditorRequested();
}

void EditorFormActions::btnApplyPresetTapped(int index) {
    m_screen.enableView(true);
    PresetPopup::applyPreset(m_session, m_shared.presets.arrayPresets(), index);
    m_screen.endFieldEditing();
}

void EditorFormActions::onPopupChoice(int type, int row) {
    switch (type) {
        case PopupLists::EditingOptions:
            return changeViewAccordingToMetadataOtion(row);
        case PopupLists::Presets:
            return changeViewAccordingToPresetSelected(row);
        case PopupLists::PhotoMenu:
            return btnOnMenuOptionTapped(row);
        case PopupLists::MetadataMenu:
            return btnOnMetadataMenuOptionTapped(row);
        default:
            return;
    }
}

// ---- The photo list ----

void EditorFormActions::btnCheckBoxSelect(int row) {
    QList<PhotoFile>& batch = m_shared.arraySelectedImagesToProcess;
    if (!PhotoTableActions::toggleTick(batch, row)) return;
    m_screen.photoRowChanged(row);
    m_screen.setupUIForSelectedPhotoFiles(PhotoTableActions::selectedPhotos(batch));
    followTicks();
}

void EditorFormActions::followTicks() {
    m_screen.setPresetsAndNextEnabled(
        PhotoTableActions::presetsAndNextEnabled(m_screen.totalPhotosSelected(), m_screen.onImageRenameOptionPage()));
}

void EditorFormActions::btnInfoTappedAtLocationInTableView(const QPointF& location, qint64 row,
                                                           bool isFromRightMouseDown) {
    const QList<PhotoFile>& batch = m_shared.arraySelectedImagesToProcess;
    if (row < 0 || row >= batch.size()) return;
    if (!QFileInfo::exists(batch.at(row).filePath)) return m_screen.showPhotoMissingAlert();
    m_selectedMenuFileIndexPath = static_cast<int>(row);
    m_screen.openPhotoMenu(location, isFromRightMouseDown);
}

void EditorFormActions::btnOnMenuOptionTapped(int row) {
    const QList<PhotoFile>& batch = m_shared.arraySelectedImagesToProcess;
    if (m_selectedMenuFileIndexPath < 0 || m_selectedMenuFileIndexPath >= batch.size()) return;
    const QString path = batch.at(m_selectedMenuFileIndexPath).filePath;
    switch (row) {
        case PhotoTableActions::ShowMetaData:
            return m_screen.addMetaDataPopupWithIndex(m_selectedMenuFileIndexPath);
        case PhotoTableActions::MarkUnmarkAll:
            return markUnmarkAll();
        case PhotoTableActions::RemovePhoto:
            if (!m_screen.isCustomRenamingAskingReset()) return removePhotoForMenuOption();
            return m_screen.holdRemovalByMenuForResetQuestion();
        default:
            PhotoTableActions::performDesktopRow(row, path, platform::Workspace::shared(), m_owner);
    }
}

void EditorFormActions::removePhotoForMenuOption() {
    QList<PhotoFile>& batch = m_shared.arraySelectedImagesToProcess;
    if (m_selectedMenuFileIndexPath < 0 || m_selectedMenuFileIndexPath >= batch.size()) return;
    const QString path = batch.at(m_selectedMenuFileIndexPath).filePath;
    if (!PhotoTableActions::removePhoto(batch, m_shared.dictFileAdded, path)) return;
    if (batch.isEmpty()) m_session.dropPendingEdits();
    m_shared.subWindow.setIsSubWindowOpened(false);
    m_screen.processAfterAllPhotosAdded();
    m_screen.checkAllPhotosDeletedFromArray();
}

void EditorFormActions::btnOnMetadataMenuOptionTapped(int row) {
    if (row == PhotoTableActions::Reset) emit resetRequested();
    if (row == PhotoTableActions::CleanMetadata) changeViewAccordingToMetadataOtion(CleanMetadataInfo);
}

void EditorFormActions::markUnmarkAll() {
    QList<PhotoFile>& batch = m_shared.arraySelectedImagesToProcess;
    PhotoTableActions::markUnmarkAll(batch);
    m_screen.reloadPhotoList();
    m_screen.setupUIForSelectedPhotoFiles(PhotoTableActions::selectedPhotos(batch));
}

void EditorFormActions::tickAllPhotos() {
    const QList<PhotoFile>& batch = m_shared.arraySelectedImagesToProcess;
    if (std::all_of(batch.begin(), batch.end(), [](const PhotoFile& photo) { return photo.isSelected; })) return;
    markUnmarkAll();  // with a photo unticked it ticks them all
    followTicks();
}

void EditorFormActions::btnRemoveFromBatchTapped() {
    m_shared.subWindow.setIsSubWindowOpened(false);
    m_screen.showLoading(true, QStringLiteral("Removing Photos"));
    QStringList paths;
    for (const PhotoFile& photo : std::as_const(m_shared.arraySelectedImagesToProcess)) paths.append(photo.filePath);
    // The worker only looks at the files; the batch itself changes here, on the main thread.
    platform::dispatch::background([this, paths] {
        const QSet<QString> missing = PhotoTableActions::findMissingFiles(paths);
        platform::dispatch::onMain(this, [this, missing] {
            const int removed = PhotoTableActions::removeMissingPhotos(m_shared.arraySelectedImagesToProcess,
                                                                       m_shared.dictFileAdded, missing);
            m_screen.showLoading(false, QStringLiteral("Removing Photos"));
            m_shared.subWindow.setIsSubWindowOpened(false);
            m_screen.processAfterAllPhotosAdded();
            emit missingPhotosRemoved(removed);
        });
    });
}

bool EditorFormActions::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_owner && event->type() == QEvent::KeyPress) {
        qCDebug(lcEditor).noquote() << "Caught key event";
        const auto* key = static_cast<QKeyEvent*>(event);
        // Pressing Control itself is no key press with Control held; any other key is.
        const bool modifierItself = key->key() == Qt::Key_Control || key->key() == Qt::Key_Shift ||
                                    key->key() == Qt::Key_Alt || key->key() == Qt::Key_Meta;
        if (!modifierItself && PhotoTableActions::isMarkAllShortcut(key->modifiers())) {
            markUnmarkAll();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void EditorFormActions::showGpsFields(const GpsFields::Shown&, bool clearPlaceholders) {
    // A removed pin empties the four fields for every ticked photo: a hint of their differing values would
    // say otherwise.
    if (clearPlaceholders) {
        m_screen.clearPlaceholders({QStringLiteral("GPS_Lattitude"), QStringLiteral("GPS_Longitude"),
                                    QStringLiteral("GPS_LattitudeRef"), QStringLiteral("GPS_LongitudeRef")});
    }
}
