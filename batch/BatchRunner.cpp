#include "batch/BatchRunner.h"

#include <QFileInfo>
#include <QThread>
#include "batch/Logging.h"

#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <set>
#include <thread>

#include "batch/BatchTexts.h"
#include "batch/OutputNameBuilder.h"
#include "model/Utils.h"

namespace {

double steadySeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

}  // namespace

// The work of one run, off the main thread. Photos are started strictly in order here (name, place,
// free space, collision-free path); only the copy-and-write of started photos runs side by side.
class BatchRunner::Coordinator {
  public:
    Coordinator(BatchRunner* owner, BatchRunRequest request, const Services& services, OutputNameBuilder& builder,
                std::atomic<bool>& processing)
        : m_owner(owner),
          m_request(std::move(request)),
          m_services(services),
          m_builder(builder),
          m_processing(processing) {}

    void start() {
        m_thread = std::thread([this] { run(); });
    }
    void join() {
        if (m_thread.joinable()) m_thread.join();
    }

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
    bool checkFreeSpace(const QString& path);

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
    qint64 m_bytesInHand = 0;
    bool m_noMoreJobs = false;

    std::mutex m_deliveryMutex;
    std::map<int, BatchPhotoResult> m_finished;
    int m_nextToDeliver = 0;

    std::set<QString> m_reserved;
};

void BatchRunner::Coordinator::run() {
    // A private copy with its change flags: they tell the writer which emptied fields to erase.
    m_settings = m_request.settings;
    MetaDataObject::metadataObjectWithCleanInfoUpdation(m_settings);
    m_builder.setOutputSetting(m_request.renaming);
    m_builder.setStopFlag(&m_processing);
    m_builder.arrProcessedWithWarning.clear();
    const int threads = m_services.parallelWrites > 0 ? m_services.parallelWrites : QThread::idealThreadCount();
    startWorkers(std::max(1, threads));

    const int count = static_cast<int>(m_request.runList.size());
    for (int i = 0; i < count; ++i) {
        PhotoFile photo = m_request.runList[static_cast<std::size_t>(i)];
        const qint64 bytes = QFileInfo(photo.filePath).size();
        // A photo starts only when a writer is free and the run still goes on: Stop starts nothing new.
        waitForFreeWriter(bytes);
        if (!m_processing.load()) break;
        postToMain([owner = m_owner, i, path = photo.filePath] { emit owner->photoStarted(i, path); });
        const std::size_t before = m_builder.arrProcessedWithWarning.size();
        const QString newPath =
            m_builder.updatedPathWithSelectedSetting(m_request.selectedOutputFolder, photo, m_settings);
        std::vector<PhotoFile> warnings(m_builder.arrProcessedWithWarning.begin() + static_cast<long>(before),
                                        m_builder.arrProcessedWithWarning.end());
        qCInfo(lcBatch).noquote() << newPath;
        if (m_request.restore) {
            checkFreeSpace(photo.processedPath.isEmpty() ? newPath : photo.processedPath);
            if (photo.processedPath.isEmpty()) {
                // Without a copy from the last run there is nothing to restore, and nothing may be overwritten.
                deliver({i, ExifWriteFailed, QStringLiteral("No processed copy of this photo to restore."), QString(),
                         std::move(warnings)});
                continue;
            }
            submit({i, bytes, std::move(photo), newPath, std::move(warnings)});
        } else {
            checkFreeSpace(newPath);
            // A stale path from an older run must never be written over.
            photo.processedPath.clear();
            submit({i, bytes, std::move(photo), reservePath(newPath), std::move(warnings)});
        }
    }
    finishJobs();
    postToMain([owner = m_owner] { owner->endRun(); });
}

bool BatchRunner::Coordinator::checkFreeSpace(const QString& path) {
    // The volume that is written is the one measured, also when copies go beside their sources.
    const std::optional<qint64> space = m_services.files->freeSpace(QFileInfo(path).path());
    if (!space) {
        qCInfo(lcBatch).noquote() << QStringLiteral("Error Obtaining System Memory Info: Domain = %1, Code = %2")
                                         .arg(QStringLiteral("statvfs"))
                                         .arg(errno);
        return true;
    }
    if (*space >= kMinimumFreeSpace) return true;
    // The photo in hand is still written; no further photo starts.
    m_processing.store(false);
    postToMain([owner = m_owner] {
        owner->m_state.isEnoughSpaceWarning = true;
        emit owner->lowSpace();
    });
    return false;
}

QString BatchRunner::Coordinator::reservePath(const QString& path) {
    // Names taken by photos still being written count as taken, so suffixes come out as in a one-by-one run.
    const QString unique = Utils::stringToAvoidNameCollisionForPath(path, [this](const QString& candidate) {
        return m_reserved.count(candidate) > 0 || QFileInfo::exists(candidate);
    });
    m_reserved.insert(unique);
    return unique;
}

void BatchRunner::Coordinator::startWorkers(int count) {
    for (int i = 0; i < count; ++i) m_workers.emplace_back([this] { workerLoop(); });
}

void BatchRunner::Coordinator::waitForFreeWriter(qint64 bytes) {
    std::unique_lock lock(m_jobsMutex);
    // Each photo in hand is held in memory a few times over; large raw files wait for room rather than
    // piling up, while a single photo of any size always goes.
    m_jobsChanged.wait(lock, [this, bytes] {
        return m_jobs.size() + static_cast<std::size_t>(m_inFlight) < m_workers.size() &&
               (m_bytesInHand == 0 || m_bytesInHand + bytes <= m_services.bytesInHandLimit);
    });
}

void BatchRunner::Coordinator::submit(Job job) {
    std::lock_guard lock(m_jobsMutex);
    m_bytesInHand += job.bytes;
    m_jobs.push_back(std::move(job));
    m_jobsChanged.notify_all();
}

void BatchRunner::Coordinator::finishJobs() {
    {
        std::lock_guard lock(m_jobsMutex);
        m_noMoreJobs = true;
    }
    m_jobsChanged.notify_all();
    for (std::thread& worker : m_workers) worker.join();
    m_workers.clear();
}

void BatchRunner::Coordinator::workerLoop() {
    for (;;) {
        Job job;
        {
            std::unique_lock lock(m_jobsMutex);
            m_jobsChanged.wait(lock, [this] { return !m_jobs.empty() || m_noMoreJobs; });
            if (m_jobs.empty()) return;
            job = std::move(m_jobs.front());
            m_jobs.pop_front();
            ++m_inFlight;
        }
        std::optional<PhotoWriteOutcome> outcome;
        if (m_services.writer) {
            outcome = m_services.writer(job.photo, m_settings, job.path, m_request.changedFields, m_request.restore);
        }
        BatchPhotoResult result{job.index, ExifWriteSucceeded, QString(), QString(), std::move(job.warnings)};
        if (!outcome) {
            result.errorFlag = ExifWriteFailed;
            result.errorMsg = QStringLiteral("The photo could not be written: the metadata writer gave no answer.");
        } else {
            result.errorFlag = outcome->errorFlag;
            result.errorMsg = outcome->errorMsg;
            result.processedPath = outcome->processedPath;
        }
        // A photo that vanished has no renaming to warn about.
        if (result.errorFlag == ExifWriteSourceMissing) result.warnings.clear();
        deliver(std::move(result));
        {
            std::lock_guard lock(m_jobsMutex);
            --m_inFlight;
            m_bytesInHand -= job.bytes;
        }
        m_jobsChanged.notify_all();
    }
}

void BatchRunner::Coordinator::deliver(BatchPhotoResult result) {
    std::lock_guard lock(m_deliveryMutex);
    m_finished.emplace(result.index, std::move(result));
    // Hand results over strictly in run order; a photo skipped by a restore is delivered in its turn too.
    for (auto it = m_finished.find(m_nextToDeliver); it != m_finished.end(); it = m_finished.find(m_nextToDeliver)) {
        postToMain([owner = m_owner, r = std::move(it->second)] { owner->handleResult(r); });
        m_finished.erase(it);
        ++m_nextToDeliver;
    }
}

BatchRunner::BatchRunner(Services services, QObject* parent) : QObject(parent), m_services(std::move(services)) {
    qRegisterMetaType<BatchPhotoResult>();
    if (!m_services.now) m_services.now = steadySeconds;
    if (!m_services.geocoder) m_services.geocoder = &platform::ReverseGeocoder::shared();
    m_builder = std::make_shared<OutputNameBuilder>(*m_services.geocoder);
}

BatchRunner::~BatchRunner() {
    m_processing.store(false);
    waitForWorkers();
}

void BatchRunner::waitForWorkers() {
    if (m_coordinator) m_coordinator->join();
}

bool BatchRunner::start(BatchRunRequest request) {
    if (m_running || request.runList.empty()) return false;
    waitForWorkers();
    m_state = BatchRunState{};
    m_state.runCount = static_cast<qint64>(request.runList.size());
    m_state.restore = request.restore;
    m_state.selectedOutputFolder = request.selectedOutputFolder;
    m_runList = request.runList;
    m_startedAt = m_services.now();
    m_running = true;
    m_processing.store(true);
    m_coordinator = std::make_unique<Coordinator>(this, std::move(request), m_services, *m_builder, m_processing);
    m_coordinator->start();
    return true;
}

void BatchRunner::stop() {
    m_processing.store(false);
}

void BatchRunner::resetPlaceCache() {
    if (!m_running) m_builder->resetPlaceCache();
}

void BatchRunner::handleResult(const BatchPhotoResult& result) {
    if (result.errorFlag != ExifWriteSucceeded) {
        PhotoFile failed = m_runList.at(static_cast<std::size_t>(result.index));
        failed.processStatus = result.errorFlag;
        failed.processMsg = result.errorMsg;
        m_state.arrProcessedWithError.push_back(std::move(failed));
    }
    for (const PhotoFile& warning : result.warnings) m_state.arrProcessedWithWarning.push_back(warning);
    m_state.counterTotalProgressedFiles += 1;
    if (result.errorFlag == ExifWriteSucceeded) {
        m_state.counterProcessedSuccessfully += 1;
    } else {
        m_state.counterProcessedWithError += 1;
    }
    m_state.counterSkipped = m_state.runCount - m_state.counterNotProcessed - m_state.counterProcessedSuccessfully -
                             m_state.counterProcessedWithError;
    m_state.progressPercent = BatchTexts::percentDone(m_state.counterTotalProgressedFiles, m_state.runCount);
    if (m_state.counterTotalProgressedFiles == m_state.runCount) m_processing.store(false);
    emit photoHandled(result);
    emit progressChanged(m_state.progressPercent);
}

void BatchRunner::endRun() {
    m_running = false;
    m_processing.store(false);
    emit runEnded();
}

double BatchRunner::elapsedSeconds() const {
    return m_services.now() - m_startedAt;
}

QString BatchRunner::summaryTitle() const {
    return BatchTexts::summaryTitle(m_state.counterSkipped);
}

QString BatchRunner::errorsSummaryText() const {
    return BatchTexts::errorsLabel(m_state.counterProcessedWithError,
                                   static_cast<qint64>(m_state.arrProcessedWithWarning.size()));
}
