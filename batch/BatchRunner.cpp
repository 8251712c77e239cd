#include "batch/BatchRunner.h"

#include "batch/BatchResultCount.h"
#include "batch/BatchRunnerCoordinator.h"
#include "batch/BatchTexts.h"
#include "batch/OutputNameBuilder.h"

#include <QHash>

namespace {

double steadySeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

}  // namespace

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
    {
        std::lock_guard lock(m_startMutex);
        m_photosStarted = 0;
        m_processing.store(true);
    }
    BatchRunnerCoordinator::Run& run = *this;
    m_coordinator =
        std::make_unique<BatchRunnerCoordinator>(run, std::move(request), m_services, *m_builder, m_processing);
    m_coordinator->start();
    return true;
}

void BatchRunner::stop() {
    std::lock_guard lock(m_startMutex);
    m_processing.store(false);
    if (m_running && m_state.photosStartedAtStop < 0) m_state.photosStartedAtStop = m_photosStarted;
}

bool BatchRunner::startNextPhoto() {
    std::lock_guard lock(m_startMutex);
    if (!m_processing.load()) return false;
    ++m_photosStarted;
    return true;
}

void BatchRunner::stopStarting() {
    std::lock_guard lock(m_startMutex);
    m_processing.store(false);
}

void BatchRunner::reportPhotoStarted(int index, const QString& filePath) {
    QMetaObject::invokeMethod(
        this, [this, index, filePath] { emit photoStarted(index, filePath); }, Qt::QueuedConnection);
}

void BatchRunner::reportLowSpace() {
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_state.isEnoughSpaceWarning = true;
            emit lowSpace();
        },
        Qt::QueuedConnection);
}

void BatchRunner::reportFolderNotWritable(const QString& folder) {
    QMetaObject::invokeMethod(
        this, [this, folder] { m_state.unwritableFolder = folder; }, Qt::QueuedConnection);
}

void BatchRunner::reportResult(BatchPhotoResult result) {
    QMetaObject::invokeMethod(
        this, [this, result = std::move(result)] { handleResult(result); }, Qt::QueuedConnection);
}

void BatchRunner::reportEnd() {
    QMetaObject::invokeMethod(
        this, [this] { endRun(); }, Qt::QueuedConnection);
}

void BatchRunner::resetPlaceCache() {
    if (!m_running) m_builder->resetPlaceCache();
}

void BatchRunner::handleResult(const BatchPhotoResult& result) {
    const BatchResultCount count = BatchResultCount::forFlag(result.errorFlag);
    if (count.written) {
        for (const PhotoFile& warning : result.warnings) m_state.arrProcessedWithWarning.push_back(warning);
    }
    if (!count.written || count.listedAsWarning) {
        PhotoFile listed = m_runList.at(static_cast<std::size_t>(result.index));
        listed.processStatus = result.errorFlag;
        listed.processMsg = result.errorMsg;
        auto& list = count.written ? m_state.arrProcessedWithWarning : m_state.arrProcessedWithError;
        list.push_back(std::move(listed));
    }
    BatchPhotoResult answer = result;
    answer.warnings.clear();
    m_state.answers.push_back(std::move(answer));
    m_state.counterTotalProgressedFiles += 1;
    if (count.written) {
        m_state.counterProcessedSuccessfully += 1;
    } else {
        m_state.counterProcessedWithError += 1;
    }
    countSkipped();
    m_state.progressPercent = BatchTexts::percentDone(m_state.counterTotalProgressedFiles, m_state.runCount);
    if (m_state.counterTotalProgressedFiles == m_state.runCount) m_processing.store(false);
    emit photoHandled(result);
    emit progressChanged(m_state.progressPercent);
}

void BatchRunner::countSkipped() {
    m_state.counterSkipped = m_state.runCount - m_state.counterNotProcessed - m_state.counterProcessedSuccessfully -
                             m_state.counterProcessedWithError;
}

void BatchRunner::endRun() {
    m_endedAt = m_services.now();
    m_running = false;
    m_processing.store(false);
    // Counted again here: a run stopped before its first answer has had no answer to count them.
    countSkipped();
    emit runEnded();
}

void BatchRunner::applyResultsTo(QList<PhotoFile>& batch) const {
    QHash<QString, PhotoFile*> byPath;
    byPath.reserve(batch.size());
    for (PhotoFile& item : batch) byPath.insert(item.filePath, &item);
    for (const BatchPhotoResult& answer : m_state.answers) {
        const PhotoFile& ran = m_runList.at(static_cast<std::size_t>(answer.index));
        PhotoFile* item = byPath.value(ran.filePath);
        if (!item) continue;  // removed from the batch while the run went on
        item->processStatus = answer.errorFlag;
        item->processMsg = answer.errorMsg;
        // A restore that failed leaves the copy where it was, and the next restore still finds it.
        if (!m_state.restore || !answer.processedPath.isEmpty()) item->processedPath = answer.processedPath;
    }
}

double BatchRunner::elapsedSeconds() const {
    return (m_running ? m_services.now() : m_endedAt) - m_startedAt;
}

QString BatchRunner::summaryTitle() const {
    return BatchTexts::summaryTitle(m_state.counterSkipped);
}

QString BatchRunner::errorsSummaryText() const {
    return BatchTexts::errorsLabel(m_state.counterProcessedWithError,
                                   static_cast<qint64>(m_state.arrProcessedWithWarning.size()));
}
