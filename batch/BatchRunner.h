#pragma once

#include <QList>
#include <QObject>
#include <QString>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "batch/BatchRunValues.h"
#include "batch/BatchRunnerCoordinator.h"

// The counters and lists of the latest run, as the summary shows them.
struct BatchRunState {
    // Photos never answered count as skipped, also when the run ended before its first answer.
    qint64 runCount = 0;
    qint64 counterTotalProgressedFiles = 0;
    qint64 counterNotProcessed = 0;
    qint64 counterProcessedSuccessfully = 0;
    qint64 counterProcessedWithError = 0;
    qint64 counterSkipped = 0;
    int progressPercent = 0;
    bool isEnoughSpaceWarning = false;
    // The run started no photo because no folder its copies were to go to could be written; this one first.
    QString unwritableFolder;
    bool restore = false;
    QString selectedOutputFolder;
    std::vector<PhotoFile> arrProcessedWithError;
    std::vector<PhotoFile> arrProcessedWithWarning;
    std::vector<BatchPhotoResult> answers;  // every photo's answer, in run order
    // How many photos had been started when Stop was pressed (-1: it was not): exactly those are written.
    qint64 photosStartedAtStop = -1;
};

// Runs a batch: builds each photo's output path, checks free space and has the writer make the copy.
// Lives on the main thread; the work runs on a coordinator thread that starts photos strictly in order and
// on a few writer threads, and every result comes back to the main thread in run order, so names,
// collision suffixes, statuses, counters and the summary are those of a one-by-one run.
class BatchRunner : public QObject, private BatchRunnerCoordinator::Run {
    Q_OBJECT
  public:
    static constexpr qint64 kMinimumFreeSpace = BatchRunnerCoordinator::kMinimumFreeSpace;  // 101 MiB

    using Services = BatchRunServices;

    explicit BatchRunner(Services services, QObject* parent = nullptr);
    ~BatchRunner() override;

    // Starts a run; false (and nothing happens) when the list is empty or a run is going on.
    bool start(BatchRunRequest request);
    // Ends the run after the photos in hand: no photo starts after this returns, and the photos already
    // started are written and counted; the others count as skipped.
    void stop();
    bool isProcessing() const { return m_processing.load(); }
    bool isRunning() const { return m_running; }
    // Blocks until the coordinator thread has ended (for shutdown); results still arrive as events.
    void waitForWorkers();

    const BatchRunState& state() const { return m_state; }
    // From the start of the run to its end (to now while it goes on): an alert left open after the run
    // ended, and the summary's delay, are no time the run took.
    double elapsedSeconds() const;
    // "Batch Process Finished" or "Batch Process Stopped".
    QString summaryTitle() const;
    // "Error Found(1) Warning Found(1)".
    QString errorsSummaryText() const;
    // The place cache lives until the batch changes.
    void resetPlaceCache();
    // Puts the latest run's answers (status, message, processed path) on the live batch items, found by their
    // path, which is unique in a batch; items removed meanwhile are passed over. Main thread.
    void applyResultsTo(QList<PhotoFile>& batch) const;

    // What a photo answers when its file is not the one that was added.
    static QString changedSinceAddedMessage() { return BatchRunnerCoordinator::changedSinceAddedMessage(); }

  signals:
    void photoStarted(int index, const QString& filePath);
    void lowSpace();
    void photoHandled(const BatchPhotoResult& result);
    void progressChanged(int percent);
    void runEnded();

  private:
    void handleResult(const BatchPhotoResult& result);
    void countSkipped();
    void endRun();

    // ---- BatchRunnerCoordinator::Run ----
    // Stop and the start of a photo exclude each other, so every photo is started either before Stop or not at all.
    bool startNextPhoto() override;
    void stopStarting() override;
    void reportPhotoStarted(int index, const QString& filePath) override;
    void reportLowSpace() override;
    void reportFolderNotWritable(const QString& folder) override;
    void reportResult(BatchPhotoResult result) override;
    void reportEnd() override;

    Services m_services;
    std::mutex m_startMutex;
    qint64 m_photosStarted = 0;  // guarded by m_startMutex
    std::atomic<bool> m_processing{false};
    bool m_running = false;
    BatchRunState m_state;
    std::vector<PhotoFile> m_runList;
    double m_startedAt = 0;
    double m_endedAt = 0;
    std::unique_ptr<BatchRunnerCoordinator> m_coordinator;
    std::shared_ptr<class OutputNameBuilder> m_builder;
};
