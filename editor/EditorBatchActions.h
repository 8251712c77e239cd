#pragma once

#include <QObject>

#include "batch/BatchRunForm.h"
#include "batch/BatchRunner.h"
#include "editor/BatchActionsScreen.h"
#include "editor/EditSession.h"
#include "editor/EditorSharedState.h"

class BatchRunController;
class BatchRunScreen;
class DateTimeRulesPanel;
class PhotoIntake;
class QWidget;
class RenamingOptionsPanel;

// The batch side of the editing screen, kept beside it: Start, the renaming page and its notice, Restore,
// Reset and Stop of a run, the date-time rules panel, the renaming-reset question and the screen's one alert
// sheet. It answers the run's questions about the form (BatchRunForm) from the edit session and the screen,
// which it asks through BatchActionsScreen.
class EditorBatchActions : public QObject, private BatchRunForm {
    Q_OBJECT
  public:
    // owner: the widget the half's sheets, panels and notice open over. services: how the run writes; a
    // default set writes through the shared metadata writer.
    EditorBatchActions(EditSession& session, BatchActionsScreen& screen, EditorSharedState& shared, PhotoIntake& intake,
                       QWidget* owner, BatchRunner::Services services = {});
    ~EditorBatchActions() override;

    BatchRunScreen& batchScreen() const { return *m_screen; }
    BatchRunController& controller() const;
    RenamingOptionsPanel* renamingPage() const { return m_page; }
    DateTimeRulesPanel* datePanel() const { return m_datePanel; }
    QWidget* vwRenameToast() const { return m_toast; }

    // ---- The renaming page's state, as the add and remove roads ask it ----
    int onImageRenameOptionPage() const;
    bool isEditNameOptionOn() const;
    bool isRenameToastVisible() const;

    // showAlertWithTag: the screen's alert sheet, with the counts of the latest add and of the ticked photos.
    void showAlertWithTag(int tag);
    // The screen's set-up after the batch changed: the renaming page back at its start, the panel's values.
    void initSetup();

    // ---- Buttons ----
    void btnProcessTapped();
    void btnNextTapped();
    void addExtentionView();
    void btnCloseOnToastTapped();
    void btnStopProcessTapped();

    // ---- Dates ----
    void btnDatePickerTapped(int dateIndex, QWidget* button);
    // The future-date check, then the impossible-date check, on the six date fields' labels.
    void showDateWarningIfGreaterThanToday();

    // ---- The renaming-reset question ----
    void showAlertForResetRename();
    void btnYesOnResetRenameTapped();
    void btnNoOnResetRenameTapped();

  private:
    void connectParts();
    void buildRenameToast();
    void pageLeft(bool showNotice);
    void setRenameToastVisible(bool visible);
    void ruleApplied(int fieldIndex, DateTimeConfigurationRef rule, const QString& summary);
    void popupClosed();
    void resetRenamingPage();

    // ---- BatchRunForm ----
    bool isValidFormData() override;
    int startDecision(const OutputRenamingOptions& options) override;
    bool isParamsChanged() const override;
    bool isMetaDataResetEnable() const override;
    bool isStartEnabled() const override;
    bool isOnRenamingPage() const override;
    bool isRestoreEnabled() const override;
    bool isBatchEmpty() const override;
    OutputRenamingOptions renamingOptions(int destinationFolderCheck, const QString& outputFolder) const override;
    MetaDataObject metaDataObject() const override;
    MetaDataObject metaDataObjectBeforeSaving() const override;
    MetaDataObject createUpdatedChangesOnly() override;
    std::vector<PhotoFile> tickedPhotos() const override;
    void applyRunResults(const BatchRunner& runner) override;
    void enableDragAndDrop(bool enable) override;
    void enableView(bool enable) override;
    void setPresetsAndNextEnabled(bool enable) override;
    void setRestoreEnabled(bool enable) override;
    void setResetEnabled(bool enable) override;
    void dropPendingEdits() override;
    void highlightBorders() override;
    void setupUIForSelectedPhotoFiles() override;
    void isMetadataParamChanged(bool changed) override;
    void processAfterAllPhotosAdded() override;
    void deleteSelectedPhotos() override;
    void btnRemoveFromBatchTapped() override;

    EditSession& m_session;
    BatchActionsScreen& m_view;
    EditorSharedState& m_shared;
    PhotoIntake& m_intake;
    QWidget* m_owner;
    BatchRunScreen* m_screen = nullptr;
    RenamingOptionsPanel* m_page = nullptr;
    DateTimeRulesPanel* m_datePanel = nullptr;
    QWidget* m_toast = nullptr;
};
