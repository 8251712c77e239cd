#include "batch/BatchRunController.h"

#include "batch/Logging.h"
#include "model/EditorAlertTag.h"
#include "platform/Dispatch.h"

BatchRunController::BatchRunController(BatchRunForm& form, BatchRunner::Services services, QObject* parent)
    : QObject(parent), m_form(form), m_runner(std::make_unique<BatchRunner>(std::move(services), this)) {
    m_delay = [this](int milliseconds, std::function<void()> call) {
        platform::dispatch::after(milliseconds, this, std::move(call));
    };
    m_bottomInfoTimer.setInterval(kInfoRefreshMs);
    connect(&m_bottomInfoTimer, &QTimer::timeout, this, &BatchRunController::setProcessInfoAtBottom);
    connect(m_runner.get(), &BatchRunner::photoStarted, this,
            [this](int, const QString& path) { emit currentPhotoChanged(path); });
    connect(m_runner.get(), &BatchRunner::photoHandled, this, &BatchRunController::photoHandled);
    connect(m_runner.get(), &BatchRunner::lowSpace, this, &BatchRunController::lowSpace);
    connect(m_runner.get(), &BatchRunner::runEnded, this, &BatchRunController::runEnded);
}

BatchRunController::~BatchRunController() = default;

void BatchRunController::setOutputFolder(const QString& folder) {
    m_selectedOutputFolder = m_outputFolderLocationPath = folder;
}

void BatchRunController::resetPlaceCache() {
    m_runner->resetPlaceCache();
}

void BatchRunController::later(int milliseconds, std::function<void()> call) {
    m_delay(milliseconds, std::move(call));
}

void BatchRunController::btnProcessTapped() {
    m_form.enableDragAndDrop(false);
    m_form.setPresetsAndNextEnabled(false);
    m_outputSettingObject = m_form.renamingOptions(m_destinationFolderCheck, m_outputFolderLocationPath);
    if (const int tag = m_form.startDecision(m_outputSettingObject)) {
        emit alertRequested(tag);
        return;
    }
    startProcessOnEditOptionBlank();
}

void BatchRunController::startProcessOnEditOptionBlank() {
    m_destinationFolderCheck = 0;
    emit destinationPanelRequested();
}

void BatchRunController::restorePresetsAndNext() {
    m_form.setPresetsAndNextEnabled(!m_form.isOnRenamingPage());
}

void BatchRunController::destinationChosen(bool accepted, const QString& folder, bool keepSourceFolder) {
    m_form.enableDragAndDrop(true);
    restorePresetsAndNext();
    if (!accepted || folder.isEmpty()) return;
    qCInfo(lcBatch).noquote() << QStringLiteral("Selected file: ") + folder;
    m_destinationFolderCheck = keepSourceFolder ? 1 : 0;
    // The folder is kept exactly as chosen: Linux file names are case-sensitive.
    m_selectedOutputFolder = m_outputFolderLocationPath = folder;
    if (!m_form.isStartEnabled()) return;
    if (!m_form.isParamsChanged()) {
        later(kConfirmDelayMs, [this] { emit alertRequested(AlertNoChangesInExifData); });
    } else if (m_form.isValidFormData()) {
        later(kConfirmDelayMs, [this] { emit alertRequested(AlertStartProcess); });
    } else {
        emit alertRequested(AlertErrorsFound);
    }
}

void BatchRunController::alertAnswered(int tag, AlertButton button) {
    switch (button) {
        case AlertButton::Yes:
            if (tag == AlertStartProcess) startProcessBtnYesTapped();
            if (tag == AlertRestoreExifData) btnRestoreMetaDataYesTapped();
            if (tag == AlertRemovePhotos) m_form.deleteSelectedPhotos();
            if (tag == AlertNoChangesInExifData) {
                restorePresetsAndNext();
                if (m_form.isValidFormData()) {
                    startProcessBtnYesTapped();
                } else {
                    emit alertRequested(AlertErrorsFound);
                }
            }
            if (tag == AlertNoRenamingOption) {
                restorePresetsAndNext();
                startProcessOnEditOptionBlank();
            }
            break;
        case AlertButton::No:
            restorePresetsAndNext();
            break;
        case AlertButton::OK:
            if (tag == AlertNotEnoughSpace) {
                later(kSummaryDelayMs, [this] {
                    m_summaryDue = true;
                    if (!isRunning()) addSummaryWindow();
                });
            }
            restorePresetsAndNext();
            if (m_form.isBatchEmpty()) m_form.processAfterAllPhotosAdded();
            if (tag == AlertFilesCannotBeAdded) m_form.setPresetsAndNextEnabled(!m_form.isBatchEmpty());
            break;
        case AlertButton::RemoveFromBatch:
            m_form.btnRemoveFromBatchTapped();
            break;
    }
}

void BatchRunController::startProcessBtnYesTapped() {
    startProcessPhotos(false);
}

void BatchRunController::btnRestoreTapped() {
    if (m_form.isRestoreEnabled()) emit alertRequested(AlertRestoreExifData);
}

void BatchRunController::btnRestoreMetaDataYesTapped() {
    m_form.setRestoreEnabled(false);
    startProcessPhotos(true);
}

void BatchRunController::btnResetTapped() {
    m_form.setResetEnabled(false);
    m_form.dropPendingEdits();
    m_form.setupUIForSelectedPhotoFiles();
}

void BatchRunController::btnCloseSummaryTapped() {
    m_form.enableDragAndDrop(true);
    m_form.enableView(true);
    restorePresetsAndNext();
}

void BatchRunController::btnStopProcessTapped() {
    m_runner->stop();
}

void BatchRunController::startProcessPhotos(bool restore) {
    emit currentFileChanged(QString());
    std::vector<PhotoFile> ticked = m_form.tickedPhotos();
    if (ticked.empty() || isRunning()) return;
    m_restore = restore;
    m_summaryDue = false;
    // The page's choices are taken once, here on the main thread; the run never reads the page again.
    m_outputSettingObject = m_form.renamingOptions(m_destinationFolderCheck, m_outputFolderLocationPath);
    BatchRunRequest request;
    request.runList = ticked;
    request.settings = restore ? m_form.metaDataObjectBeforeSaving() : m_form.metaDataObject();
    request.changedFields = m_form.createUpdatedChangesOnly();
    request.renaming = m_outputSettingObject;
    request.selectedOutputFolder = m_selectedOutputFolder;
    request.restore = restore;
    m_runList = std::move(ticked);
    m_runner->start(std::move(request));
    setBatchInfo();
    updateBottomInfoWithTimerFlag(true);
    setProcessInfoAtBottom();
    emit progressChanged(0);
    showProcessProgressWindow();
}

void BatchRunController::photoHandled() {
    const BatchRunState& state = m_runner->state();
    emit progressChanged(state.progressPercent);
    setBatchInfo();
    setProcessInfoAtBottom();
    const qint64 done = state.counterTotalProgressedFiles;
    if (done >= 1 && done <= static_cast<qint64>(m_runList.size())) {
        emit currentFileChanged(m_runList[static_cast<std::size_t>(done - 1)].filePath);
    }
    if (done == state.runCount) {
        emit currentPhotoChanged(QString());
        updateBottomInfoWithTimerFlag(false);
    }
}

void BatchRunController::lowSpace() {
    // The sheet goes first: the alert sheet refuses to open over it.
    hideProcessProgressWindow();
    emit alertRequested(AlertNotEnoughSpace);
}

void BatchRunController::runEnded() {
    if (!m_runner->state().unwritableFolder.isEmpty()) {
        runRefused();
        return;
    }
    // Statuses and processed paths reach the batch first: the restore and the form's reload read them there.
    m_form.applyRunResults(*m_runner);
    m_form.dropPendingEdits();
    m_form.highlightBorders();
    if (m_restore) m_form.setupUIForSelectedPhotoFiles();
    hideProcessProgressWindow();
    if (!m_restore) m_form.setRestoreEnabled(true);
    m_restore = false;
    const bool previousResetEnable = m_form.isMetaDataResetEnable();
    m_form.isMetadataParamChanged(false);
    if (previousResetEnable) m_form.setResetEnabled(true);
    updateBottomInfoWithTimerFlag(false);
    if (m_summaryDue) addSummaryWindow();
}

CopyDestination BatchRunController::copyDestination() const {
    if (m_runner->state().restore) return CopyDestination::EarlierCopies;
    return m_outputSettingObject.sourceFolderSelected == 1 ? CopyDestination::SourceFolders
                                                           : CopyDestination::ChosenFolder;
}

void BatchRunController::runRefused() {
    // No photo was written: the form keeps its edits as they are, and a refused restore can be asked again.
    updateBottomInfoWithTimerFlag(false);
    hideProcessProgressWindow();
    if (m_restore) m_form.setRestoreEnabled(true);
    m_restore = false;
    emit alertRequested(AlertFolderNotWritable);
}

void BatchRunController::showProcessProgressWindow() {
    m_form.enableDragAndDrop(false);
    emit progressSheetShown();
}

void BatchRunController::hideProcessProgressWindow() {
    m_form.enableDragAndDrop(true);
    emit progressSheetHidden();
    // After low space the summary waits for the alert; a run that started no photo has none.
    const BatchRunState& state = m_runner->state();
    if (!state.isEnoughSpaceWarning && state.unwritableFolder.isEmpty()) {
        later(kSummaryDelayMs, [this] { addSummaryWindow(); });
    }
}

void BatchRunController::setBatchInfo() {
    emit batchInfoChanged(BatchSummary::batchLine(m_runner->state()));
}

void BatchRunController::setProcessInfoAtBottom() {
    emit processInfoChanged(
        BatchSummary::processLine(m_runner->state(), static_cast<qint64>(m_runner->elapsedSeconds())));
}

void BatchRunController::updateBottomInfoWithTimerFlag(bool on) {
    if (on) {
        m_bottomInfoTimer.start();
    } else {
        m_bottomInfoTimer.stop();
    }
}

void BatchRunController::addSummaryWindow() {
    m_summaryDue = false;
    m_form.enableDragAndDrop(false);
    m_form.enableView(false);
    const BatchRunState& state = m_runner->state();
    const OutputLink link = OutputLink::forRun(m_outputSettingObject, m_selectedOutputFolder, m_runList);
    emit summaryReady(BatchSummary::make(state, link, static_cast<qint64>(m_runner->elapsedSeconds())));
}
