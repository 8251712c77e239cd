#pragma once

#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>

#include "batch/BatchRunForm.h"
#include "batch/BatchRunner.h"
#include "batch/BatchSummary.h"
#include "batch/EditorAlert.h"

// The batch run as the editing screen drives it, without a widget: Start and its checks, the destination,
// the confirmations, the run with its progress, Stop, Restore, Reset, the answers to the screen's alerts and
// the steps that end a run. The form is reached through BatchRunForm; what the user sees leaves as signals
// that the screen turns into sheets, alerts and labels.
class BatchRunController : public QObject {
    Q_OBJECT
  public:
    using AlertButton = EditorAlert::Button;
    // Runs a call later on the main thread (the confirmations, the summary); tests pass their own.
    using Delay = std::function<void(int milliseconds, std::function<void()> call)>;

    static constexpr int kConfirmDelayMs = 500;
    static constexpr int kSummaryDelayMs = 200;
    static constexpr int kInfoRefreshMs = 10;

    BatchRunController(BatchRunForm& form, BatchRunner::Services services, QObject* parent = nullptr);
    ~BatchRunController() override;

    void setDelay(Delay delay) { m_delay = std::move(delay); }
    // The folder the destination panel starts in and the run writes to until the user chooses another.
    void setOutputFolder(const QString& folder);
    // The batch changed: the place names found for earlier photos are forgotten.
    void resetPlaceCache();

    // ---- The user's actions ----
    void btnProcessTapped();
    void startProcessOnEditOptionBlank();
    // The destination panel's answer: the chosen folder, and whether copies go beside their sources.
    void destinationChosen(bool accepted, const QString& folder, bool keepSourceFolder);
    void btnStopProcessTapped();
    void btnRestoreTapped();
    void btnResetTapped();
    void btnCloseSummaryTapped();
    // An answer on the screen's alert sheet for the alert with this tag.
    void alertAnswered(int tag, AlertButton button);

    void startProcessBtnYesTapped();
    void btnRestoreMetaDataYesTapped();

    // ---- State ----
    bool isRunning() const { return m_runner->isRunning(); }
    const BatchRunner& runner() const { return *m_runner; }
    const QString& selectedOutputFolder() const { return m_selectedOutputFolder; }
    int destinationFolderCheck() const { return m_destinationFolderCheck; }
    const OutputRenamingOptions& outputSettingObject() const { return m_outputSettingObject; }
    bool isProcessForRestoreExif() const { return m_restore; }
    // The folder the latest run could not write into, which it named in its alert; "" when it could.
    const QString& unwritableFolder() const { return m_runner->state().unwritableFolder; }
    // Where the latest run's copies were to go.
    CopyDestination copyDestination() const;
    const std::vector<PhotoFile>& runList() const { return m_runList; }

  signals:
    void alertRequested(int tag);
    void destinationPanelRequested();
    void progressSheetShown();
    void progressSheetHidden();
    void progressChanged(int percent);
    // lblCurrntFilePath
    void currentFileChanged(const QString& filePath);
    // The photo being written ("" when none is: the placeholder shows).
    void currentPhotoChanged(const QString& filePath);
    void batchInfoChanged(const BatchInfoLine& line);
    void processInfoChanged(const BatchInfoLine& line);
    void summaryReady(const BatchSummary& summary);

  private:
    void startProcessPhotos(bool restore);
    void photoHandled();
    void lowSpace();
    void runEnded();
    void runRefused();
    void showProcessProgressWindow();
    void hideProcessProgressWindow();
    void setBatchInfo();
    void setProcessInfoAtBottom();
    void updateBottomInfoWithTimerFlag(bool on);
    void addSummaryWindow();
    void restorePresetsAndNext();
    void later(int milliseconds, std::function<void()> call);

    BatchRunForm& m_form;
    std::unique_ptr<BatchRunner> m_runner;
    Delay m_delay;
    QTimer m_bottomInfoTimer;
    QString m_selectedOutputFolder;
    QString m_outputFolderLocationPath;
    int m_destinationFolderCheck = 0;
    OutputRenamingOptions m_outputSettingObject;
    std::vector<PhotoFile> m_runList;
    bool m_restore = false;
    // The summary waits for both its delay after the low-space alert and the end of the run.
    bool m_summaryDue = false;
};
