#include "editor/EditorFormActions.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include <algorithm>

#include "controls/DisableScrollView.h"
#include "controls/SubWindowState.h"
#include "editor/EditingOptionSection.h"
#include "editor/EditingOptions.h"
#include "editor/ExifEditorView.h"
#include "editor/FormValidation.h"
#include "editor/Logging.h"
#include "editor/OptionPopup.h"
#include "editor/PhotoTableActions.h"
#include "editor/PhotoTableModel.h"
#include "editor/PhotoTableView.h"
#include "editor/PopupLists.h"
#include "editor/PresetPopup.h"
#include "model/PresetStore.h"
#include "platform/Alerts.h"
#include "platform/Dispatch.h"
#include "platform/NotificationCenter.h"
#include "platform/Workspace.h"

EditorFormActions::EditorFormActions(ExifEditorView& view)
    : QObject(&view),
      m_view(view),
      m_session(view.editRecords()),
      m_gpsMap(new GpsMapController(m_session, view.shared().subWindow, &view, this)) {
    addApplyRevertButtons();
    m_gpsMap->enableView = [this](bool enabled) { m_view.enableView(enabled); };
    connect(m_gpsMap, &GpsMapController::gpsFieldsChanged, this, &EditorFormActions::showGpsFields);
    connect(m_gpsMap, &GpsMapController::windowWillClose, &m_view, &ExifEditorView::windowWillClose);
    connect(m_view.btnShowMap(), &QPushButton::clicked, this, [this] {
        if (m_view.btnShowMap()->isEnabled()) m_gpsMap->btnShowMap();
    });
    connect(m_view.btnPresets(), &QPushButton::clicked, this, &EditorFormActions::btnPresetTapped);
    connect(m_view.btnMetadataMoreOptions(), &QPushButton::clicked, this, &EditorFormActions::btnMetaMoreOptionsTapped);
    connect(&m_view, &ExifEditorView::popupChoice, this, &EditorFormActions::onPopupChoice);
    connect(&m_view, &ExifEditorView::editingOptionTapped, this, &EditorFormActions::btnEditingOptionTapped);
    connect(m_view.editingOptionSection(), &EditingOptionSection::clearSwitchTicked, this,
            &EditorFormActions::clearSwitchTicked);
    connect(&m_view, &ExifEditorView::photoRowClicked, this, &EditorFormActions::btnCheckBoxSelect);
    connect(&m_view, &ExifEditorView::photoMenuRequested, this, &EditorFormActions::btnInfoTappedAtLocationInTableView);
    connect(&m_view, &ExifEditorView::removeMissingPhotosRequested, this, &EditorFormActions::btnRemoveFromBatchTapped);
    connect(m_view.tblPhotos(), &PhotoTableView::selectAllRequested, this, &EditorFormActions::tickAllPhotos);
    m_view.installEventFilter(this);
    isMetadataParamChanged(m_session.isParamsChanged());
}

EditorFormActions::~EditorFormActions() = default;

void EditorFormActions::addApplyRevertButtons() {
    m_btnApply = new QPushButton(QStringLiteral("Apply"), m_view.btnReset()->parentWidget());
    m_btnApply->setObjectName(QStringLiteral("btnApplyMetaData"));
    m_btnRevert = new QPushButton(QStringLiteral("Revert"), m_view.btnReset()->parentWidget());
    m_btnRevert->setObjectName(QStringLiteral("btnRevertMetaData"));
    for (QPushButton* button : {m_btnApply, m_btnRevert}) {
        button->setCursor(Qt::PointingHandCursor);
        button->setFocusPolicy(Qt::NoFocus);
        button->setStyleSheet(m_view.btnReset()->styleSheet());
    }
    m_btnApply->setToolTip(QStringLiteral("Apply the edited values to the selected photos' form"));
    m_btnRevert->setToolTip(QStringLiteral("Go back to the values the selected photos had"));
    m_view.insertBefore(m_btnApply, m_view.btnReset());
    m_view.insertBefore(m_btnRevert, m_view.btnReset());
    connect(m_btnApply, &QPushButton::clicked, this, &EditorFormActions::btnApplyMetaDataTapped);
    connect(m_btnRevert, &QPushButton::clicked, this, &EditorFormActions::btnRevertTapped);
    // Apply is offered while there are edits to apply; Revert while the form is not what the selection was
    // before editing, so it still takes an applied form back.
    connect(&m_view, &ExifEditorView::paramsChangedStateChanged, this, [this](bool changed) {
        m_btnApply->setEnabled(changed);
        m_btnRevert->setEnabled(m_view.totalPhotosSelected() > 0 && m_session.differsFromBeforeEditing());
    });
}

// ---- Changed fields, Apply, Revert ----

void EditorFormActions::isMetadataParamChanged(bool changed) {
    m_view.isMetadataParamChanged(changed);
}

bool EditorFormActions::isValidFormData() {
    const auto result = FormValidation::isValidFormData(
        [this](const QString& field) {
            const QLineEdit* text = m_view.textField(field);
            return text ? text->text() : QString();
        },
        m_session.metaDataObject());
    if (result.failure) {
        if (QLabel* label = m_view.errorLabel(result.failure->fieldName)) {
            if (!result.failure->labelText.isNull()) label->setText(result.failure->labelText);
            label->show();
        }
    }
    if (!result.valid) m_view.scrollToField(result.firstFailingField);
    return result.valid;
}

void EditorFormActions::btnApplyMetaDataTapped() {
    if (!isValidFormData()) {
        emit errorsFoundInForm();
        return;
    }
    m_session.apply();
    isMetadataParamChanged(false);
}

void EditorFormActions::btnRevertTapped() {
    platform::Alert alert;
    alert.messageText = QStringLiteral("Revert changes?");
    alert.informativeText = QStringLiteral("The form goes back to the values the selected photos had.");
    alert.buttons = {QStringLiteral("Yes"), QStringLiteral("No")};
    alert.tag = 0;
    platform::AlertPresenter::shared().beginSheet(alert, &m_view, [this](const platform::AlertAnswer& answer) {
        if (answer.button == 0) btnYesOnRevertAlertTapped();
    });
}

void EditorFormActions::btnYesOnRevertAlertTapped() {
    m_view.hideAllErrorLabels();
    m_session.revert();
    m_view.refreshPlaceholders();
    m_view.updateTextFieldsValues(m_view.shared().selectedMetaDataSettingObj);
    m_view.setTextFieldValidations();
    resizeEditingOptionsViewWithAnimation();
    m_view.highlightBorder(m_session.metaDataObject());
    platform::NotificationCenter::defaultCenter().post(QStringLiteral("notificationsHideLoading"));
    isMetadataParamChanged(false);
}

// ---- Editing option and clear switches ----

QPointF EditorFormActions::topInView(QWidget* widget) const {
    return widget->mapTo(&m_view, QPointF(0, 0));
}

void EditorFormActions::openList(int type, const QStringList& rows, const QRectF& frame, const QPointF& anchor,
                                 const QRectF& opener) {
    m_view.setFlagCurrentAttachPopupType(type);
    m_view.optionPopup()->setRows(rows);
    m_view.optionPopup()->setViewSize(static_cast<int>(frame.width()), static_cast<int>(frame.height()));
    m_view.addAttachedPopupTableAtPoint(anchor, opener);
}

void EditorFormActions::btnEditingOptionTapped(QWidget* button) {
    const QStringList rows = PopupLists::rows(PopupLists::EditingOptions, {});
    // The list belongs to the option's text as much as to the button beside it.
    QWidget* field = m_view.editingOptionSection()->txtMetaDataEditingOption();
    const QPointF left = topInView(field);
    const QRectF span(left, QPointF(topInView(button).x() + button->width(), left.y() + field->height()));
    m_view.optionPopup()->setRows(rows);
    const QRectF frame =
        EditingOptions::listFrame(span.width(), m_view.optionPopup()->rowsWidth(), static_cast<int>(rows.size()));
    openList(PopupLists::EditingOptions, rows, frame, EditingOptions::listAnchor(span), span);
}

void EditorFormActions::changeViewAccordingToMetadataOtion(int option) {
    const MetaDataObject& shown = m_session.changeEditingOption(option);
    m_view.highlightBorder(m_session.metaDataObject());
    resizeEditingOptionsViewWithAnimation();
    m_view.updateTextFieldsValues(shown);
    isMetadataParamChanged(true);
}

void EditorFormActions::clearSwitchTicked(MetadataClearSwitch clearSwitch, bool on) {
    m_session.setClearSwitch(clearSwitch, on);
    m_view.highlightBorder(m_session.metaDataObject());
    isMetadataParamChanged(true);
}

void EditorFormActions::resizeEditingOptionsViewWithAnimation() {
    const auto layout = EditingOptions::panelLayout(m_session.metaDataObject().editingOption);
    m_view.editingOptionSection()->vwClearOptions()->setVisible(layout.showsClearOptions);
    m_view.vwExif()->setVisible(!layout.showsClearOptions);
    if (layout.showsClearOptions) m_view.scrollViewToTop();
    m_view.enableScrollView(layout.scrollingEnabled);
    m_view.scrollViewExifData()->setVerticalScrollBarPolicy(layout.scrollingEnabled ? Qt::ScrollBarAsNeeded
                                                                                    : Qt::ScrollBarAlwaysOff);
}

// ---- Presets ----

void EditorFormActions::btnPresetTapped() {
    if (!m_view.btnPresets()->isEnabled()) return;
    QStringList names;
    for (const MetaDataObject& preset : m_view.shared().presets.arrayPresets()) names.append(preset.name);
    const QStringList rows = PopupLists::rows(PopupLists::Presets, {nullptr, names, {}});
    QPushButton* button = m_view.btnPresets();
    const QRectF frame(button->mapTo(&m_view, QPoint(0, 0)), button->size());
    openList(PopupLists::Presets, rows, PresetPopup::frame(static_cast<int>(names.size())), PresetPopup::anchor(frame),
             frame);
}

void EditorFormActions::changeViewAccordingToPresetSelected(int row) {
    const int count = static_cast<int>(m_view.shared().presets.arrayPresets().size());
    if (PresetPopup::choose(row, count) == PresetPopup::Choice::OpenPresetEditor) return addPresetWindow();
    btnApplyPresetTapped(row);
}

void EditorFormActions::addPresetWindow() {
    m_view.enableView(false);
    emit presetEditorRequested();
}

void EditorFormActions::btnApplyPresetTapped(int index) {
    m_view.enableView(true);
    if (PresetPopup::applyPreset(m_session, m_view.shared().presets.arrayPresets(), index)) {
        m_view.refreshPlaceholders();
        m_view.highlightBorder(m_session.metaDataObject());
        m_view.updateTextFieldsValues(m_session.metaDataObject());
        resizeEditingOptionsViewWithAnimation();
        isMetadataParamChanged(true);
    }
    if (QWidget* focused = m_view.window()->focusWidget()) focused->clearFocus();
}

// ---- The photo list ----

void EditorFormActions::btnCheckBoxSelect(int row) {
    QList<PhotoFile>& batch = m_view.shared().arraySelectedImagesToProcess;
    if (!PhotoTableActions::toggleTick(batch, row)) return;
    m_view.photoModel()->rowChanged(row);
    m_view.setupUIForSelectedPhotoFiles(PhotoTableActions::selectedPhotos(batch));
    followTicks();
}

void EditorFormActions::followTicks() {
    const bool enabled =
        PhotoTableActions::presetsAndNextEnabled(m_view.totalPhotosSelected(), m_view.onImageRenameOptionPage());
    m_view.btnPresets()->setEnabled(enabled);
    m_view.btnNext()->setEnabled(enabled);
}

void EditorFormActions::btnInfoTappedAtLocationInTableView(const QPointF& location, qint64 row,
                                                           bool isFromRightMouseDown) {
    const QList<PhotoFile>& batch = m_view.shared().arraySelectedImagesToProcess;
    if (row < 0 || row >= batch.size()) return;
    if (!QFileInfo::exists(batch.at(row).filePath)) return m_view.showPhotoMissingAlert();
    m_selectedMenuFileIndexPath = static_cast<int>(row);
    m_view.setIsPhotoMenuFromRightMouseDown(isFromRightMouseDown);
    const QStringList rows = PopupLists::rows(PopupLists::PhotoMenu, {});
    // The row reports where the menu points, in the coordinates of the table's holder.
    QWidget* holder = m_view.tblPhotos()->parentWidget();
    const QPointF inView = holder ? holder->mapTo(&m_view, location) : location;
    openList(PopupLists::PhotoMenu, rows, PhotoTableActions::photoMenuFrame(static_cast<int>(rows.size())), inView);
}

void EditorFormActions::btnOnMenuOptionTapped(int row) {
    const QList<PhotoFile>& batch = m_view.shared().arraySelectedImagesToProcess;
    if (m_selectedMenuFileIndexPath < 0 || m_selectedMenuFileIndexPath >= batch.size()) return;
    const QString path = batch.at(m_selectedMenuFileIndexPath).filePath;
    switch (row) {
        case PhotoTableActions::ShowMetaData:
            return m_view.addMetaDataPopupWithIndex(m_selectedMenuFileIndexPath);
        case PhotoTableActions::MarkUnmarkAll:
            return markUnmarkAll();
        case PhotoTableActions::RemovePhoto: {
            if (!m_view.isCustomRenamingAskingReset()) return removePhotoForMenuOption();
            m_view.setRemovalFlags(true, true);
            m_view.showAlertForResetRename();
            return;
        }
        default:
            PhotoTableActions::performDesktopRow(row, path, platform::Workspace::shared(), &m_view);
    }
}

void EditorFormActions::removePhotoForMenuOption() {
    QList<PhotoFile>& batch = m_view.shared().arraySelectedImagesToProcess;
    if (m_selectedMenuFileIndexPath < 0 || m_selectedMenuFileIndexPath >= batch.size()) return;
    const QString path = batch.at(m_selectedMenuFileIndexPath).filePath;
    if (!PhotoTableActions::removePhoto(batch, m_view.shared().dictFileAdded, path)) return;
    if (batch.isEmpty()) m_session.dropPendingEdits();
    m_view.shared().subWindow.setIsSubWindowOpened(false);
    m_view.processAfterAllPhotosAdded();
    m_view.checkAllPhotosDeletedFromArray();
}

void EditorFormActions::btnMetaMoreOptionsTapped() {
    QPushButton* button = m_view.btnMetadataMoreOptions();
    const QStringList rows = PopupLists::rows(PopupLists::MetadataMenu, {});
    const QPointF top = topInView(button);
    openList(PopupLists::MetadataMenu, rows, PhotoTableActions::metadataMenuFrame(static_cast<int>(rows.size())),
             top + QPointF(button->width() / 2.0, button->height()));
}

void EditorFormActions::btnOnMetadataMenuOptionTapped(int row) {
    if (row == PhotoTableActions::Reset) emit resetRequested();
    if (row == PhotoTableActions::CleanMetadata) changeViewAccordingToMetadataOtion(CleanMetadataInfo);
}

void EditorFormActions::markUnmarkAll() {
    QList<PhotoFile>& batch = m_view.shared().arraySelectedImagesToProcess;
    PhotoTableActions::markUnmarkAll(batch);
    m_view.photoModel()->reload();
    m_view.setupUIForSelectedPhotoFiles(PhotoTableActions::selectedPhotos(batch));
}

void EditorFormActions::tickAllPhotos() {
    const QList<PhotoFile>& batch = m_view.shared().arraySelectedImagesToProcess;
    if (std::all_of(batch.begin(), batch.end(), [](const PhotoFile& photo) { return photo.isSelected; })) return;
    markUnmarkAll();  // with a photo unticked it ticks them all
    followTicks();
}

void EditorFormActions::btnRemoveFromBatchTapped() {
    m_view.shared().subWindow.setIsSubWindowOpened(false);
    m_view.showLoading(true, QStringLiteral("Removing Photos"));
    QStringList paths;
    for (const PhotoFile& photo : std::as_const(m_view.shared().arraySelectedImagesToProcess))
        paths.append(photo.filePath);
    // The worker only looks at the files; the batch itself changes here, on the main thread.
    platform::dispatch::background([this, paths] {
        const QSet<QString> missing = PhotoTableActions::findMissingFiles(paths);
        platform::dispatch::onMain(this, [this, missing] {
            const int removed = PhotoTableActions::removeMissingPhotos(m_view.shared().arraySelectedImagesToProcess,
                                                                       m_view.shared().dictFileAdded, missing);
            m_view.showLoading(false, QStringLiteral("Removing Photos"));
            m_view.shared().subWindow.setIsSubWindowOpened(false);
            m_view.processAfterAllPhotosAdded();
            emit missingPhotosRemoved(removed);
        });
    });
}

bool EditorFormActions::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &m_view && event->type() == QEvent::KeyPress) {
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
    // The record holds the new values already; the fields show them with their references' labels. The
    // rest of the form stays as it is: under "clear others" it shows what the run keeps, not the record.
    m_view.updateTextFieldsValues(m_session.metaDataObject(),
                                  [](const FormFieldTraits& field) { return GpsFields::isMapField(field.row->field); });
    if (clearPlaceholders) {
        for (const char* field : {"GPS_Lattitude", "GPS_Longitude", "GPS_LattitudeRef", "GPS_LongitudeRef"}) {
            if (QLineEdit* text = m_view.textField(QString::fromLatin1(field))) text->setPlaceholderText(QString());
        }
    }
    m_view.highlightBorder(m_session.metaDataObject());
    isMetadataParamChanged(true);
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
