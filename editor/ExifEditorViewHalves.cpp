// The editing screen and its two halves: the wiring of its controls to them, and its answers to what they ask.

#include "batch/BatchRunController.h"
#include "controls/DisableScrollView.h"
#include "editor/DateTimeRulesPanel.h"
#include "editor/EditingOptionSection.h"
#include "editor/EditorBatchActions.h"
#include "editor/EditorFormActions.h"
#include "editor/EditorResources.h"
#include "editor/ExifEditorView.h"
#include "editor/PhotoTableActions.h"
#include "editor/PhotoTableModel.h"
#include "editor/PhotoTableView.h"
#include "editor/RenamingOptionsPanel.h"
#include "model/EditorAlertTag.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

void ExifEditorView::connectHalves() {
    EditorFormActions* form = m_formActions;
    EditorBatchActions* batch = m_batchActions;
    BatchRunController* run = &batch->controller();
    connect(m_btnApply, &QPushButton::clicked, form, &EditorFormActions::btnApplyMetaDataTapped);
    connect(m_btnRevert, &QPushButton::clicked, form, &EditorFormActions::btnRevertTapped);
    connect(m_btnShowMap, &QPushButton::clicked, form, [this, form] {
        if (m_btnShowMap->isEnabled()) form->gpsMap().btnShowMap();
    });
    connect(this, &ExifEditorView::popupChoice, form, &EditorFormActions::onPopupChoice);
    connect(m_editingOption, &EditingOptionSection::clearSwitchTicked, form, &EditorFormActions::clearSwitchTicked);
    connect(this, &ExifEditorView::photoRowClicked, form, &EditorFormActions::btnCheckBoxSelect);
    connect(this, &ExifEditorView::photoMenuRequested, form, &EditorFormActions::btnInfoTappedAtLocationInTableView);
    connect(this, &ExifEditorView::removeMissingPhotosRequested, form, &EditorFormActions::btnRemoveFromBatchTapped);
    connect(m_tblPhotos, &PhotoTableView::selectAllRequested, form, &EditorFormActions::tickAllPhotos);

    connect(m_btnProcess, &QPushButton::clicked, batch, &EditorBatchActions::btnProcessTapped);
    connect(m_btnNext, &QPushButton::clicked, batch, &EditorBatchActions::btnNextTapped);
    connect(m_btnRestore, &QPushButton::clicked, run, &BatchRunController::btnRestoreTapped);
    connect(m_btnReset, &QPushButton::clicked, run, &BatchRunController::btnResetTapped);
    connect(form, &EditorFormActions::resetRequested, run, &BatchRunController::btnResetTapped);
    connect(form, &EditorFormActions::errorsFoundInForm, batch, [batch] { batch->showAlertWithTag(AlertErrorsFound); });
    connect(this, &ExifEditorView::dateFieldTapped, batch, &EditorBatchActions::btnDatePickerTapped);
    connect(this, &ExifEditorView::renameResetQuestionRequested, batch, &EditorBatchActions::showAlertForResetRename);
    followUnsavedState(m_session.isParamsChanged());
}

int ExifEditorView::onImageRenameOptionPage() const {
    return m_batchActions ? m_batchActions->onImageRenameOptionPage() : 0;
}

// ---- What the form's actions ask ----

QString ExifEditorView::fieldText(const QString& fieldName) const {
    const QLineEdit* text = textField(fieldName);
    return text ? text->text() : QString();
}

void ExifEditorView::showFieldError(const QString& fieldName, const QString& labelText) {
    if (QLabel* label = errorLabel(fieldName)) {
        if (!labelText.isNull()) label->setText(labelText);
        label->show();
    }
}

void ExifEditorView::clearPlaceholders(const QStringList& fieldNames) {
    for (const QString& name : fieldNames) {
        if (QLineEdit* text = textField(name)) text->setPlaceholderText(QString());
    }
}

void ExifEditorView::endFieldEditing() {
    if (QWidget* focused = window()->focusWidget()) focused->clearFocus();
}

void ExifEditorView::holdRemovalByMenuForResetQuestion() {
    setRemovalFlags(true, true);
    showAlertForResetRename();
}

void ExifEditorView::photoRowChanged(int row) {
    m_photoModel->rowChanged(row);
}

void ExifEditorView::reloadPhotoList() {
    m_photoModel->reload();
}

// ---- What the batch side asks ----

bool ExifEditorView::isStartEnabled() const {
    return m_btnProcess->isEnabled();
}

bool ExifEditorView::isRestoreEnabled() const {
    return m_btnRestore->isEnabled();
}

bool ExifEditorView::isValidFormData() {
    return m_formActions->isValidFormData();
}

void ExifEditorView::placeRenamingPage(RenamingOptionsPanel& page) {
    page.setParent(m_scrollViewExifData->parentWidget());
    page.setCoverArea(m_scrollViewExifData);
}

void ExifEditorView::setNextEnabled(bool enabled) {
    m_btnNext->setEnabled(enabled);
}

void ExifEditorView::setRestoreEnabled(bool enabled) {
    m_btnRestore->setEnabled(enabled);
}

void ExifEditorView::setResetEnabled(bool enabled) {
    m_btnReset->setEnabled(enabled);
}

void ExifEditorView::showFormFields(bool shown) {
    m_vwMetaContainer->setVisible(shown);
}

void ExifEditorView::showRenamingOnNext(bool customRenaming) {
    const QString image =
        customRenaming ? QStringLiteral("rename_option_Edit_normal") : QStringLiteral("rename_option_normal");
    m_btnNext->setIcon(EditorResources::icon(image, QSize(18, 18)));
    m_btnNext->setProperty("imageName", image);
}

void ExifEditorView::showDateLabel(const QString& fieldName, DateRuleChecks::Label state) {
    if (QLabel* label = errorLabel(fieldName)) DateTimeRulesPanel::showDateLabel(label, state);
}

void ExifEditorView::highlightBorders() {
    highlightBorder(m_session.metaDataObject());
}

void ExifEditorView::setupUIForSelectedPhotoFiles() {
    setupUIForSelectedPhotoFiles(PhotoTableActions::selectedPhotos(m_shared.arraySelectedImagesToProcess));
}

void ExifEditorView::removeMissingPhotos() {
    emit removeMissingPhotosRequested();
}

void ExifEditorView::resumeHeldChange() {
    const bool removing = m_isRemovingPhotosFromRename;
    const bool byMenu = m_isRemovingPhotosByMenuOption;
    setRemovalFlags(false, false);
    if (!removing) {
        addPhotosFromPathUrls(m_arrTempPhotosUrlsForResetRename, false);
    } else if (byMenu) {
        m_formActions->removePhotoForMenuOption();
    } else {
        removePhotosForRemoveButton();
    }
}

void ExifEditorView::dropHeldChange() {
    setRemovalFlags(false, false);
    m_arrTempPhotosUrlsForResetRename.clear();
}
