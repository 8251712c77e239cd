#include "batch/BatchRunnerCoordinator.h"

#include "batch/Logging.h"
#include "batch/OutputNameBuilder.h"
#include "model/Utils.h"

#include <QFileInfo>
#include <QThread>

BatchRunnerCoordinator::BatchRunnerCoordinator(Run& run, BatchRunRequest request, const BatchRunServices& services,
                                               OutputNameBuilder& builder, std::atomic<bool>& processing)
    : m_run(run), m_request(std::move(request)), m_services(services), m_builder(builder), m_processing(processing) {}

QString BatchRunnerCoordinator::changedSinceAddedMessage() {
    return QStringLiteral(
        "This photo was changed after it was added to the batch, so it was not written. Remove it "
        "and add it again.");
}

void BatchRunnerCoordinator::start() {
    m_thread = std::thread([this] { run(); });
}

void BatchRunnerCoordinator::join() {
    if (m_thread.joinable()) m_thread.join();
}

void BatchRunnerCoordinator::run() {
    // A private copy with its change flags: they tell the writer which emptied fields to erase.
    MetaDataObject settings = m_request.settings;
    MetaDataObject::metadataObjectWithCleanInfoUpdation(settings);
    m_records.emplace(std::move(settings), m_request.changedFields);
    m_builder.setOutputSetting(m_request.renaming);
    m_builder.setStopFlag(&m_processing);
    m_builder.arrProcessedWithWarning.clear();
    // Told photo by photo, a chosen folder that takes no file would read as a run of failures; a read-only
    // volume also reports no free room at all.
    if (const std::optional<QString> folder = folderRefusingTheRun()) {
        m_run.stopStarting();
        m_run.reportFolderNotWritable(*folder);
        m_run.reportEnd();
        return;
    }
    const int threads = m_services.parallelWrites > 0 ? m_services.parallelWrites : QThread::idealThreadCount();
    startWorkers(std::max(1, threads));

    const int count = static_cast<int>(m_request.runList.size());
    for (int i = 0; i < count; ++i) {
        PhotoFile photo = m_request.runList[static_cast<std::size_t>(i)];
        const std::optional<platform::FileManager::FileStatus> status = m_services.files->status(photo.filePath);
        const qint64 bytes = status ? status->size : 0;
        // A photo starts only when a writer is free and the run still goes on: Stop starts nothing new.
        waitForFreeWriter(bytes);
        if (!m_run.startNextPhoto()) break;
        // Written from the dates and values read when it was added, another file would be given wrong ones.
        if (hasChangedSinceAdded(photo, status)) {
            deliver({i, ExifWriteFailed, changedSinceAddedMessage(), QString(), {}});
            continue;
        }
        m_run.reportPhotoStarted(i, photo.filePath);
        if (m_request.restore) {
            // A restore rewrites the copy of the last run where it lies, under its name: no name is built, so
            // no renaming warning (a place or date not found) can arise for a name nobody will see.
            if (photo.processedPath.isEmpty()) {
                // Without a copy from the last run there is nothing to restore, and nothing may be overwritten.
                deliver(
                    {i, ExifWriteFailed, QStringLiteral("No processed copy of this photo to restore."), QString(), {}});
                continue;
            }
            checkFreeSpace(photo.processedPath);
            const QString target = photo.processedPath;
            submit({i, bytes, std::move(photo), target, {}});
            continue;
        }
        const std::size_t before = m_builder.arrProcessedWithWarning.size();
        const QString newPath =
            m_builder.updatedPathWithSelectedSetting(m_request.selectedOutputFolder, photo, m_records->settings());
        std::vector<PhotoFile> warnings(m_builder.arrProcessedWithWarning.begin() + static_cast<long>(before),
                                        m_builder.arrProcessedWithWarning.end());
        qCDebug(lcBatch).noquote() << newPath;
        checkFreeSpace(newPath);
        // A stale path from an older run must never be written over.
        photo.processedPath.clear();
        submit({i, bytes, std::move(photo), reservePath(newPath), std::move(warnings)});
    }
    finishJobs();
    m_run.reportEnd();
}

std::optional<QString> BatchRunnerCoordinator::destinationFolder(const PhotoFile& photo) const {
    if (!m_request.restore) return OutputNameBuilder::destinationFolder(m_request.renaming, photo);
    if (photo.processedPath.isEmpty()) return std::nullopt;
    return QFileInfo(photo.processedPath).path();
}

bool BatchRunnerCoordinator::isWritableFolder(const QString& folder) {
    const auto [known, added] = m_writableFolders.try_emplace(folder, false);
    if (added) known->second = m_services.files->isWritable(folder);
    return known->second;
}

std::optional<QString> BatchRunnerCoordinator::folderRefusingTheRun() {
    // Where one photo can be written the run goes on: beside their sources, or restoring copies of which one
    // folder was removed since, the others are written and the photos bound for a folder that takes no file
    // fail one by one, each with its error.
    std::optional<QString> first;
    for (const PhotoFile& photo : m_request.runList) {
        const std::optional<QString> folder = destinationFolder(photo);
        if (!folder) continue;
        if (isWritableFolder(*folder)) return std::nullopt;
        if (!first) first = folder;
    }
    return first;
}

bool BatchRunnerCoordinator::hasChangedSinceAdded(const PhotoFile& photo,
                                                  const std::optional<platform::FileManager::FileStatus>& now) {
    // A photo made without intake has nothing to compare with; a vanished file is the writer's to report.
    if (!photo.fileModificationDate.isValid() || !now) return false;
    return !now->isRegular || now->size != static_cast<qint64>(photo.fileSizeInBytes) ||
           now->modified != photo.fileModificationDate;
}

void BatchRunnerCoordinator::checkFreeSpace(const QString& path) {
    // A photo bound for a folder that takes no file fails at the writer. A read-only volume reports no room at
    // all: taken for a full disk, it would stop the photos bound for other folders.
    if (!isWritableFolder(QFileInfo(path).path())) return;
    // Photos still being written will take their room too; without them, several writers could carry the
    // volume past the floor by a writer's worth of photos. Taken before the volume is measured: a photo that
    // lands in between then counts twice, which errs on the safe side, instead of not at all.
    const qint64 inHand = bytesNotYetWritten();
    // The volume that is written is the one measured, also when copies go beside their sources.
    const std::optional<qint64> space = m_services.files->freeSpace(QFileInfo(path).path());
    if (!space) {
        qCInfo(lcBatch).noquote() << QStringLiteral("Error Obtaining System Memory Info: Domain = statvfs, Code = ") +
                                         QString::number(errno);
        return;
    }
    if (*space - inHand >= kMinimumFreeSpace) return;
    // The photo in hand is still written; no further photo starts.
    m_run.stopStarting();
    m_run.reportLowSpace();
}

qint64 BatchRunnerCoordinator::bytesNotYetWritten() {
    std::lock_guard lock(m_jobsMutex);
    return m_bytesInHand;
}

QString BatchRunnerCoordinator::reservePath(const QString& path) {
    // Names taken by photos still being written count as taken, so suffixes come out as in a one-by-one run.
    const QString unique = Utils::stringToAvoidNameCollisionForPath(path, [this](const QString& candidate) {
        return m_reserved.count(candidate) > 0 || m_services.files->isNameTaken(candidate);
    });
    m_reserved.insert(unique);
    return unique;
}

void BatchRunnerCoordinator::startWorkers(int count) {
    for (int i = 0; i < count; ++i) m_workers.emplace_back([this] { workerLoop(); });
}

void BatchRunnerCoordinator::waitForFreeWriter(qint64 bytes) {
    std::unique_lock lock(m_jobsMutex);
    // Each photo in hand is held in memory a few times over; large raw files wait for room rather than
    // piling up, while a single photo of any size always goes.
    m_jobsChanged.wait(lock, [this, bytes] {
        return m_jobs.size() + static_cast<std::size_t>(m_inFlight) < m_workers.size() &&
               (m_bytesInHand == 0 || m_bytesInHand + bytes <= m_services.bytesInHandLimit);
    });
}

void BatchRunnerCoordinator::submit(Job job) {
    std::lock_guard lock(m_jobsMutex);
    m_bytesInHand += job.bytes;
    m_jobs.push_back(std::move(job));
    m_jobsChanged.notify_all();
}

void BatchRunnerCoordinator::finishJobs() {
    {
        std::lock_guard lock(m_jobsMutex);
        m_noMoreJobs = true;
    }
    m_jobsChanged.notify_all();
    for (std::thread& worker : m_workers) worker.join();
    m_workers.clear();
}

void BatchRunnerCoordinator::workerLoop() {
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
            outcome = m_services.writer(job.photo, *m_records, job.path, m_request.restore);
        }
        {
            // Its bytes are on the volume now, so the next free-space test must not count them twice.
            std::lock_guard lock(m_jobsMutex);
            --m_inFlight;
            m_bytesInHand -= job.bytes;
        }
        m_jobsChanged.notify_all();
        BatchPhotoResult result{job.index, ExifWriteSucceeded, QString(), QString(), std::move(job.warnings)};
        if (!outcome) {
            result.errorFlag = ExifWriteFailed;
            result.errorMsg = QStringLiteral("The photo could not be written: the metadata writer gave no answer.");
        } else {
            result.errorFlag = outcome->errorFlag;
            result.errorMsg = outcome->errorMsg;
            result.processedPath = outcome->processedPath;
        }
        deliver(std::move(result));
    }
}

void BatchRunnerCoordinator::deliver(BatchPhotoResult result) {
    std::lock_guard lock(m_deliveryMutex);
    m_finished.emplace(result.index, std::move(result));
    // Hand results over strictly in run order; a photo answered without a write is delivered in its turn too.
    for (auto it = m_finished.find(m_nextToDeliver); it != m_finished.end(); it = m_finished.find(m_nextToDeliver)) {
        m_run.reportResult(std::move(it->second));
        m_finished.erase(it);
        ++m_nextToDeliver;
    }
}
