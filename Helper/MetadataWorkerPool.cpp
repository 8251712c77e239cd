#include "Helper/MetadataWorkerPool.h"

#include "Helper/Logging.h"
#include "Helper/WorkerProtocol.h"
#include "model/MetaDataObject.h"
#include "model/PhotoFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>

extern char** environ;

// One worker process and our end of its socket.
class MetadataWorkerPool::Worker {
  public:
    static std::unique_ptr<Worker> start(const QString& program) {
        int ends[2];
        if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) {
            qCWarning(lcHelper).noquote()
                << "No socket for a metadata worker: " + QString::fromLocal8Bit(std::strerror(errno));
            return nullptr;
        }
        // The worker's standard input and output are its end of the socket.
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, ends[1], STDIN_FILENO);
        posix_spawn_file_actions_adddup2(&actions, ends[1], STDOUT_FILENO);
        const QByteArray path = QFile::encodeName(program);
        char* argv[] = {const_cast<char*>(path.constData()), nullptr};
        pid_t pid = -1;
        const int failed = ::posix_spawn(&pid, path.constData(), &actions, nullptr, argv, environ);
        posix_spawn_file_actions_destroy(&actions);
        ::close(ends[1]);
        if (failed != 0) {
            ::close(ends[0]);
            qCWarning(lcHelper).noquote()
                << "The metadata worker " + program +
                       " could not be started: " + QString::fromLocal8Bit(std::strerror(failed));
            return nullptr;
        }
        return std::unique_ptr<Worker>(new Worker(pid, ends[0]));
    }

    ~Worker() { end(false); }

    WorkerChannel& channel() { return m_channel; }

    // Closing its input makes a sound worker exit by itself; one that does not within a moment, or that
    // is known to be stuck, is killed.
    void end(bool kill) {
        if (m_pid <= 0) return;
        ::close(m_fd);
        if (kill) ::kill(m_pid, SIGKILL);
        for (int waited = 0; waited < 200; ++waited) {
            const pid_t done = ::waitpid(m_pid, nullptr, WNOHANG);
            if (done == m_pid || (done < 0 && errno != EINTR)) {
                m_pid = -1;
                return;
            }
            QThread::msleep(5);
        }
        ::kill(m_pid, SIGKILL);
        while (::waitpid(m_pid, nullptr, 0) < 0 && errno == EINTR) {
        }
        m_pid = -1;
    }

    pid_t pid() const { return m_pid; }

  private:
    Worker(pid_t pid, int fd) : m_pid(pid), m_fd(fd), m_channel(fd) {}

    pid_t m_pid;
    int m_fd;
    WorkerChannel m_channel;
};

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

std::unique_ptr<MetadataWorkerPool::Worker> MetadataWorkerPool::checkOut() const {
    std::unique_lock lock(m_mutex);
    m_available.wait(lock, [this] { return !m_idle.empty() || m_started < m_limit; });
    if (!m_idle.empty()) {
        std::unique_ptr<Worker> worker = std::move(m_idle.back());
        m_idle.pop_back();
        return worker;
    }
    ++m_started;
    lock.unlock();
    std::unique_ptr<Worker> worker = Worker::start(m_settings.program);
    if (!worker) retire(nullptr);
    return worker;
}

void MetadataWorkerPool::checkIn(std::unique_ptr<Worker> worker) const {
    {
        std::lock_guard lock(m_mutex);
        m_idle.push_back(std::move(worker));
    }
    m_available.notify_one();
}

void MetadataWorkerPool::retire(std::unique_ptr<Worker> worker) const {
    if (worker) worker->end(true);
    {
        std::lock_guard lock(m_mutex);
        --m_started;
    }
    m_available.notify_one();
}

void MetadataWorkerPool::shutDown() {
    std::vector<std::unique_ptr<Worker>> idle;
    {
        std::lock_guard lock(m_mutex);
        idle.swap(m_idle);
        m_started -= int(idle.size());
    }
    for (std::unique_ptr<Worker>& worker : idle) worker->end(false);
}

int MetadataWorkerPool::startedWorkers() const {
    std::lock_guard lock(m_mutex);
    return m_started;
}

MetadataWorkerPool::Exchange MetadataWorkerPool::exchange(const WorkerMessage& request,
                                                          const QString& photoPath) const {
    Exchange result;
    std::unique_ptr<Worker> worker = checkOut();
    if (!worker) {
        result.started = false;
        return result;
    }
    // Files the worker made for this request; they are removed if it stops before answering.
    QStringList created;
    const auto deadline = std::chrono::steady_clock::now() + m_settings.timeLimit;
    WorkerChannel::Received got =
        worker->channel().send(request) ? WorkerChannel::Received::Message : WorkerChannel::Received::Closed;
    while (got == WorkerChannel::Received::Message) {
        WorkerMessage message;
        got = worker->channel().receive(message, deadline);
        if (got != WorkerChannel::Received::Message) break;
        if (const std::optional<QString> path = WorkerProtocol::createdPath(message)) {
            created.append(*path);
            continue;
        }
        result.answered = true;
        result.answer = std::move(message);
        checkIn(std::move(worker));
        return result;
    }
    const char* why = got == WorkerChannel::Received::TimedOut ? "took too long on" : "stopped on";
    qCWarning(lcHelper).noquote() << "The metadata worker " + QString::number(worker->pid()) + " " +
                                         QLatin1String(why) + " " + photoPath + "; it is replaced";
    retire(std::move(worker));
    for (const QString& path : created) {
        if (::unlink(QFile::encodeName(path).constData()) == 0)
            qCInfo(lcHelper).noquote() << "Removed the unfinished " + path;
    }
    return result;
}

std::optional<QVariantMap> MetadataWorkerPool::read(const QString& path, MetaDataObject* record,
                                                    bool properties) const {
    const Exchange done = exchange(WorkerProtocol::readRequest(path, record != nullptr, properties), path);
    // A photo the library stopped on reads like one without metadata.
    return WorkerProtocol::takeReadAnswer(done.answered ? done.answer : WorkerProtocol::emptyReadAnswer(), record);
}

MetaDataObject& MetadataWorkerPool::readMetadata(const QString& path, MetaDataObject& record) const {
    read(path, &record, false);
    return record;
}

std::optional<QVariantMap> MetadataWorkerPool::imageProperties(const QString& path) const {
    return read(path, nullptr, true);
}

std::optional<QVariantMap> MetadataWorkerPool::readMetadataAndProperties(const QString& path,
                                                                         MetaDataObject& record) const {
    return read(path, &record, true);
}

QByteArray MetadataWorkerPool::embeddedPreview(const QString& path, const QSize& atLeast) const {
    const Exchange done = exchange(WorkerProtocol::previewRequest(path, atLeast), path);
    return done.answered ? done.answer.bytes : QByteArray();
}

ExifWriteResult MetadataWorkerPool::writeProcessedCopy(const PhotoFile& photo, const MetaDataObject& settings,
                                                       const QString& newPath, const MetaDataObject& changedFields,
                                                       bool isForRestore) const {
    const Exchange done =
        exchange(WorkerProtocol::writeRequest(photo, settings, newPath, changedFields, isForRestore), photo.filePath);
    if (!done.started) return ExifWriteResult::answer(ExifWriteFailed, workerMissingMessage());
    if (!done.answered) return ExifWriteResult::answer(ExifWriteFailed, workerStoppedMessage());
    return WorkerProtocol::takeWriteAnswer(done.answer);
}
