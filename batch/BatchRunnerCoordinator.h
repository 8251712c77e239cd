#pragma once

#include "batch/BatchRunner.h"

#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <set>
#include <thread>

class OutputNameBuilder;

// The work of one run, off the main thread. Photos are started strictly in order here (the check that the
// photo is still the one added, name, place, free space, collision-free path); only the copy-and-write of
// started photos runs side by side.
class BatchRunner::Coordinator {
  public:
    Coordinator(BatchRunner* owner, BatchRunRequest request, const Services& services, OutputNameBuilder& builder,
                std::atomic<bool>& processing);

    void start();
    void join();

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
    qint64 bytesNotYetWritten();
    static bool hasChangedSinceAdded(const PhotoFile& photo,
                                     const std::optional<platform::FileManager::FileStatus>& now);

    template <typename F>
    void postToMain(F&& f) {
        QMetaObject::invokeMethod(m_owner, std::forward<F>(f), Qt::QueuedConnection);
    }

    BatchRunner* m_owner;
    BatchRunRequest m_request;
    Services m_services;
    OutputNameBuilder& m_builder;
    std::atomic<bool>& m_processing;
    MetaDataObject m_settings;
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
};
