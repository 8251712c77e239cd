#include "Helper/MetadataWorkerPool.h"

#include "Helper/Logging.h"
#include "Helper/WorkerProtocol.h"
#include "model/MetaDataObject.h"
#include "model/PhotoFile.h"
#include "model/WriteRecords.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <unistd.h>

namespace {

// Deliveries of one request before it counts as failed, when each worker dies before reading it.
constexpr int kDeliveries = 3;

}  // namespace

MetadataWorkerPool::MetadataWorkerPool() : MetadataWorkerPool(Settings{}) {}

MetadataWorkerPool::MetadataWorkerPool(Settings settings)
    : m_settings(std::move(settings)),
      m_limit(m_settings.workers > 0 ? m_settings.workers : std::max(2, QThread::idealThreadCount())) {
    if (m_settings.program.isEmpty()) m_settings.program = defaultProgram();
}

MetadataWorkerPool::~MetadataWorkerPool() {
    shutDown();
}

namespace {
MetadataWorkerPool*& sharedPool() {
    static MetadataWorkerPool* pool = nullptr;
    return pool;
}
}  // namespace

void MetadataWorkerPool::install() {
    MetadataWorkerPool*& pool = sharedPool();
    if (pool) return;
    // Lives as long as the process; its destructor at exit ends the workers.
    static MetadataWorkerPool instance;
    pool = &instance;
    MetadataReading::install(pool);
}

MetadataWorkerPool& MetadataWorkerPool::shared() {
    install();
    return *sharedPool();
}

QString MetadataWorkerPool::defaultProgram() {
    const QString named = qEnvironmentVariable("LUMARIND_METADATA_WORKER");
    if (!named.isEmpty()) return named;
    if (QCoreApplication::instance()) {
        const QString program = QCoreApplication::applicationDirPath();
        const QString name = QStringLiteral("/lumarind-metadata-worker");
        for (const QString& folder : {program, program + QStringLiteral("/" LUMARIND_WORKER_FROM_PROGRAM)}) {
            const QString candidate = QDir::cleanPath(folder + name);
            if (QFileInfo(candidate).isExecutable()) return candidate;
        }
    }
    return QStringLiteral(LUMARIND_METADATA_WORKER_PATH);
}

std::unique_ptr<WorkerProcess> MetadataWorkerPool::checkOut() const {
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_available.wait(lock, [this] { return !m_idle.empty() || m_started < m_limit; });
        if (m_idle.empty()) break;
        std::unique_ptr<WorkerProcess> worker = std::move(m_idle.back());
        m_idle.pop_back();
        if (worker->isReady()) return worker;
        // Killed or gone while idle: the next photo is no reason to find that out.
        lock.unlock();
        qCInfo(lcHelper).noquote() << "The idle metadata worker " + QString::number(worker->pid()) +
                                          " has ended; it is replaced";
        worker->end(true);
        lock.lock();
        --m_started;
    }
    ++m_started;
    lock.unlock();
    std::unique_ptr<WorkerProcess> worker = m_launcher.start(m_settings.program);
    if (!worker) retire(nullptr);
    return worker;
}

void MetadataWorkerPool::checkIn(std::unique_ptr<WorkerProcess> worker) const {
    {
        std::lock_guard lock(m_mutex);
        m_idle.push_back(std::move(worker));
    }
    m_available.notify_one();
}

void MetadataWorkerPool::retire(std::unique_ptr<WorkerProcess> worker) const {
    if (worker) worker->end(true);
    {
        std::lock_guard lock(m_mutex);
        --m_started;
    }
    m_available.notify_one();
}

void MetadataWorkerPool::shutDown() {
    std::vector<std::unique_ptr<WorkerProcess>> idle;
    {
        std::lock_guard lock(m_mutex);
        idle.swap(m_idle);
        m_started -= int(idle.size());
    }
    for (std::unique_ptr<WorkerProcess>& worker : idle) worker->end(false);
}

int MetadataWorkerPool::startedWorkers() const {
    std::lock_guard lock(m_mutex);
    return m_started;
}

MetadataWorkerPool::Exchange MetadataWorkerPool::exchange(const Request& request, const QString& photoPath) const {
    Exchange result;
    for (int delivery = 0; delivery < kDeliveries; ++delivery) {
        std::unique_ptr<WorkerProcess> worker = checkOut();
        if (!worker) {
            result.started = false;
            return result;
        }
        // Files the worker made for this request; they are removed if it stops before answering.
        QStringList created;
        const Delivery outcome = deliver(*worker, request, result, created);
        if (outcome == Delivery::Answered) {
            checkIn(std::move(worker));
            return result;
        }
        const QString id = QString::number(worker->pid());
        retire(std::move(worker));
        if (outcome == Delivery::NotReceived) {
            qCWarning(lcHelper).noquote() << "The metadata worker " + id + " ended before it read the request on " +
                                                 photoPath + "; another one takes it";
            continue;
        }
        qCWarning(lcHelper).noquote() << "The metadata worker " + id + " stopped or took too long on " + photoPath +
                                             "; it is replaced";
        for (const QString& path : created) {
            if (::unlink(QFile::encodeName(path).constData()) == 0)
                qCInfo(lcHelper).noquote() << "Removed the unfinished " + path;
        }
        return result;
    }
    return result;
}

MetadataWorkerPool::Delivery MetadataWorkerPool::deliver(WorkerProcess& worker, const Request& request,
                                                         Exchange& result, QStringList& created) const {
    const auto deadline = std::chrono::steady_clock::now() + m_settings.timeLimit;
    const bool bringRecords = request.records && worker.heldRecords() != request.records->identity();
    WorkerMessage sent = request.message;
    if (bringRecords) WorkerProtocol::addRecords(sent, *request.records);
    if (!worker.channel().send(sent)) return Delivery::NotReceived;
    bool received = false;
    for (;;) {
        WorkerMessage message;
        if (worker.channel().receive(message, deadline) != WorkerChannel::Received::Message) {
            return received ? Delivery::FailedOnPhoto : Delivery::NotReceived;
        }
        received = true;
        if (WorkerProtocol::isReceivedEvent(message)) continue;
        if (const std::optional<QString> path = WorkerProtocol::createdPath(message)) {
            created.append(*path);
            continue;
        }
        // A worker that answered has read the request, and kept any records it brought.
        if (bringRecords) worker.setHeldRecords(request.records->identity());
        result.answered = true;
        result.answer = std::move(message);
        return Delivery::Answered;
    }
}

std::optional<QVariantMap> MetadataWorkerPool::read(const QString& path, MetaDataObject* record,
                                                    bool properties) const {
    const Exchange done = exchange({WorkerProtocol::readRequest(path, record != nullptr, properties)}, path);
    // A photo the library stopped on reads like one without metadata.
    return WorkerProtocol::takeReadAnswer(done.answered ? done.answer : WorkerProtocol::emptyReadAnswer(), record);
}

MetaDataObject& MetadataWorkerPool::readMetadata(const QString& path, MetaDataObject& record) const {
    read(path, &record, false);
    return record;
}

MetadataReading::ReadOutcome MetadataWorkerPool::readPhoto(const QString& path, MetaDataObject& record,
                                                           std::optional<QVariantMap>& properties) const {
    // The first failure may be the worker's own (killed from outside, short of memory): a second worker tells.
    for (int attempt = 0; attempt < 2; ++attempt) {
        const Exchange done = exchange({WorkerProtocol::readRequest(path, true, true)}, path);
        // Without any worker at all nothing can be read or written; that is said when the photos are written.
        if (done.answered || !done.started) {
            properties = WorkerProtocol::takeReadAnswer(done.answered ? done.answer : WorkerProtocol::emptyReadAnswer(),
                                                        &record);
            return ReadOutcome::Read;
        }
    }
    properties.reset();
    return ReadOutcome::ReaderFailed;
}

std::optional<QVariantMap> MetadataWorkerPool::imageProperties(const QString& path) const {
    return read(path, nullptr, true);
}

std::optional<QVariantMap> MetadataWorkerPool::readMetadataAndProperties(const QString& path,
                                                                         MetaDataObject& record) const {
    return read(path, &record, true);
}

QByteArray MetadataWorkerPool::embeddedPreview(const QString& path, const QSize& atLeast) const {
    const Exchange done = exchange({WorkerProtocol::previewRequest(path, atLeast)}, path);
    return done.answered ? done.answer.bytes : QByteArray();
}

ExifWriteResult MetadataWorkerPool::writeProcessedCopy(const PhotoFile& photo, const MetaDataObject& settings,
                                                       const QString& newPath, const MetaDataObject& changedFields,
                                                       bool isForRestore) const {
    return writeProcessedCopy(photo, WriteRecords(settings, changedFields), newPath, isForRestore);
}

ExifWriteResult MetadataWorkerPool::writeProcessedCopy(const PhotoFile& photo, const WriteRecords& records,
                                                       const QString& newPath, bool isForRestore) const {
    const Exchange done =
        exchange({WorkerProtocol::writeRequest(photo, records, newPath, isForRestore), &records}, photo.filePath);
    if (!done.started) return ExifWriteResult::answer(ExifWriteFailed, workerMissingMessage());
    if (!done.answered) return ExifWriteResult::answer(ExifWriteFailed, workerStoppedMessage());
    return WorkerProtocol::takeWriteAnswer(done.answer);
}
