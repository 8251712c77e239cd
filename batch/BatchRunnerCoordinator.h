#pragma once

#include "batch/BatchRunValues.h"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <thread>

class OutputNameBuilder;

// The work of one run, off the main thread. Photos are started strictly in order here (the check that the
// photo is still the one added, name, place, free space, collision-free path); only the copy-and-write of
// started photos runs side by side.
class BatchRunnerCoordinator {
  public:
    // Below this much free room on the output volume no further photo starts (101 MiB).
    static constexpr qint64 kMinimumFreeSpace = 0x6500000;

    // What the coordinator needs of the run it works for. Every call comes from the coordinator's threads:
    // starting and stopping are decided at once, under the run's own lock; the run takes each report to its
    // own thread, in the order they were made.
    class Run {
      public:
        virtual ~Run() = default;
        // Whether the next photo may start; false once the run was stopped.
        virtual bool startNextPhoto() = 0;
        virtual void stopStarting() = 0;
        virtual void reportPhotoStarted(int index, const QString& filePath) = 0;
        virtual void reportLowSpace() = 0;
        // The run starts no photo: no folder where its copies were to go can be written, this one first.
        virtual void reportFolderNotWritable(const QString& folder) = 0;
        // One photo's outcome, strictly in run order.
        virtual void reportResult(BatchPhotoResult result) = 0;
        virtual void reportEnd() = 0;
    };

    BatchRunnerCoordinator(Run& run, BatchRunRequest request, const BatchRunServices& services,
                           OutputNameBuilder& builder, std::atomic<bool>& processing);

    void start();
    void join();

    // What a photo answers when its file is not the one that was added.
    static QString changedSinceAddedMessage();

  private:
    struct Job {
        int index;
        qint64 bytes;
        PhotoFile photo;
        QString path;
        std::vector<PhotoFile> warnings;
    };

    void run();
    void startWorkers(int count);
    void workerLoop();
    void waitForFreeWriter(qint64 bytes);
    void submit(Job job);
    void finishJobs();
    void deliver(BatchPhotoResult result);
    QString reservePath(const QString& path);
    void checkFreeSpace(const QString& path);
    // Where a photo's copy goes; nothing for a restore without a copy from the last run, which writes nothing.
    std::optional<QString> destinationFolder(const PhotoFile& photo) const;
    // Whether a new file can be made in folder, asked once per folder and run.
    bool isWritableFolder(const QString& folder);
    // The first folder of the run that cannot be written, when no photo's folder can; else nothing.
    std::optional<QString> folderRefusingTheRun();
    qint64 bytesNotYetWritten();
    static bool hasChangedSinceAdded(const PhotoFile& photo,
                                     const std::optional<platform::FileManager::FileStatus>& now);

    Run& m_run;
    BatchRunRequest m_request;
    BatchRunServices m_services;
    OutputNameBuilder& m_builder;
    std::atomic<bool>& m_processing;
    std::optional<WriteRecords> m_records;  // made when the run starts
    std::thread m_thread;

    std::vector<std::thread> m_workers;
    std::mutex m_jobsMutex;
    std::condition_variable m_jobsChanged;
    std::deque<Job> m_jobs;
    int m_inFlight = 0;
    qint64 m_bytesInHand = 0;  // of every photo started and not yet written
    bool m_noMoreJobs = false;

    std::mutex m_deliveryMutex;
    std::map<int, BatchPhotoResult> m_finished;
    int m_nextToDeliver = 0;

    std::set<QString> m_reserved;
    std::map<QString, bool> m_writableFolders;
};
