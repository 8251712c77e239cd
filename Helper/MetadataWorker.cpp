#include "Helper/MetadataWorker.h"

#include "Helper/ExifImageProperties.h"
#include "Helper/ExifMetadataReading.h"
#include "Helper/ExifWriter.h"
#include "Helper/Exiv2Runtime.h"
#include "Helper/Logging.h"
#include "Helper/WorkerProtocol.h"
#include "model/MetaDataObject.h"
#include "platform/FileManager.h"
#include "platform/Log.h"

#include <QCoreApplication>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/time.h>
#include <unistd.h>
#include <cstdlib>
#include <cstring>

namespace {

// The file manager of a write, telling the application about every file as soon as it exists.
class AnnouncingFileManager : public platform::FileManager {
  public:
    AnnouncingFileManager(const MetadataWorker::Send& send, const MetadataWorker::Hooks& hooks, mode_t umask)
        : m_send(send), m_hooks(hooks), m_umask(umask) {}

    // Nothing in this process changes its umask, so the one it started with serves every copy.
    mode_t permissionsOfCopy(mode_t sourceMode) const override { return copyPermissions(sourceMode, m_umask); }

  protected:
    void didCreate(const QString& path) override {
        if (m_send) m_send(WorkerProtocol::createdEvent(path));
    }
    bool writesUnnamedFiles() const override {
        return !m_hooks.writeUnderPendingName || !m_hooks.writeUnderPendingName();
    }
    void didReach(WriteStep step, const QString& pending) override {
        if (step == WriteStep::Created && m_hooks.afterCreate) m_hooks.afterCreate(pending);
        if (step == WriteStep::Written && m_hooks.beforeDating) m_hooks.beforeDating(pending);
    }

  private:
    const MetadataWorker::Send& m_send;
    const MetadataWorker::Hooks& m_hooks;
    mode_t m_umask;
};

WorkerMessage answerRead(const WorkerMessage& request) {
    const WorkerProtocol::ReadQuery query = WorkerProtocol::readQuery(request);
    MetaDataObject record;
    std::optional<QVariantMap> properties;
    const ExifWriter& writer = ExifWriter::sharedInstance();
    if (query.metadata && query.properties) {
        properties = writer.readMetaAndPropertiesFromPath(query.path, record);
    } else if (query.metadata) {
        writer.readMetaFromPath(query.path, record);
    } else if (query.properties) {
        properties = ExifImageProperties::propertiesForFile(query.path);
    }
    return WorkerProtocol::readAnswer(record, properties);
}

// A failure no catch below the boundary knew about: a write answers that the photo could not be written,
// a read answers nothing.
WorkerMessage failedAnswer(const WorkerMessage& request, const QString& why) {
    qCWarning(lcHelper).noquote() << "Request on " + WorkerProtocol::photoPathOf(request) + " failed: " + why;
    if (WorkerProtocol::kindOf(request) == WorkerProtocol::Kind::Write)
        return WorkerProtocol::writeAnswer(ExifWriteResult::answer(ExifWriteFailed, ExifWriteResult::corruptImage()));
    return WorkerProtocol::emptyReadAnswer();
}

int g_input = -1;
pid_t g_parent = 0;

// The application may die while this process is busy on a photo that never ends. Once a second a timer
// looks whether its end of the socket has closed or the process has a new parent, and ends this process;
// the timer restarts interrupted calls, so the work in progress does not notice it.
void onWatchTimer(int) {
    pollfd input{g_input, POLLRDHUP, 0};
    const bool closed = ::poll(&input, 1, 0) > 0 && (input.revents & (POLLRDHUP | POLLHUP | POLLERR));
    if (closed || ::getppid() != g_parent) _exit(0);
}

// The application named on the command line, else the parent at start-up.
pid_t applicationOf(int argc, char** argv) {
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--application-pid") == 0) return static_cast<pid_t>(std::atoll(argv[i + 1]));
    }
    return ::getppid();
}

void exitWithTheApplication(int fd, pid_t application) {
    g_input = fd;
    g_parent = application;
    // A stopped or blocked process runs no check of its own, so the kernel kills it when the thread that
    // started it ends; the application may have died before this line, which the parent then tells.
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (::getppid() != g_parent) _exit(0);
    struct sigaction action {};
    action.sa_handler = onWatchTimer;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGALRM, &action, nullptr);
    const itimerval everySecond{{1, 0}, {1, 0}};
    ::setitimer(ITIMER_REAL, &everySecond, nullptr);
}

}  // namespace

MetadataWorker::MetadataWorker(Send send, Hooks hooks)
    : m_send(std::move(send)), m_hooks(std::move(hooks)), m_umask(platform::FileManager::processUmask()) {}

WorkerMessage MetadataWorker::answerWrite(const WorkerMessage& request) {
    const WorkerProtocol::WriteQuery query = WorkerProtocol::writeQuery(request);
    if (query.bringsRecords) {
        m_held.reset();
        if (query.settings && query.changedFields)
            m_held = HeldRecords{query.records, *query.settings, *query.changedFields};
    }
    // Records this process never received cannot be guessed; the photo is not written with any others.
    const bool holdsRecords = m_held && m_held->identity == query.records;
    if (!holdsRecords) {
        qCWarning(lcHelper).noquote() << (query.bringsRecords
                                              ? "A write request could not be decoded"
                                              : "A write request named records this worker does not hold");
        return WorkerProtocol::writeAnswer(ExifWriteResult::answer(ExifWriteFailed, ExifWriteResult::corruptImage()));
    }
    AnnouncingFileManager files(m_send, m_hooks, m_umask);
    return WorkerProtocol::writeAnswer(ExifWriter::sharedInstance().writeMetaDataToFilePath(
        query.photo, m_held->settings, query.newPath, m_held->changedFields, query.isForRestore, files));
}

WorkerMessage MetadataWorker::answer(const WorkerMessage& request) {
    try {
        switch (WorkerProtocol::kindOf(request)) {
            case WorkerProtocol::Kind::Read:
                return answerRead(request);
            case WorkerProtocol::Kind::Write:
                return answerWrite(request);
            case WorkerProtocol::Kind::Preview:
                return WorkerMessage{{},
                                     ExifImageProperties::embeddedPreview(WorkerProtocol::photoPathOf(request),
                                                                          WorkerProtocol::previewSize(request))};
            case WorkerProtocol::Kind::Unknown:
                break;
        }
        return WorkerProtocol::unknownRequestAnswer();
    } catch (const std::exception& error) {
        return failedAnswer(request, QString::fromUtf8(error.what()));
    } catch (...) {
        return failedAnswer(request, QStringLiteral("an unknown exception"));
    }
}

int MetadataWorker::run(int argc, char** argv, const Hooks& hooks) {
    // Answers go out on a private copy of standard output; standard output itself then points at standard
    // error, so that nothing a library prints can break a message.
    const int answers = ::fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, 3);
    ::dup2(STDERR_FILENO, STDOUT_FILENO);
    exitWithTheApplication(STDIN_FILENO, applicationOf(argc, argv));

    QCoreApplication application(argc, argv);
    platform::useLogLineFormat();
    Exiv2Runtime::initialize();
    // Inside the worker, the model reads photos straight through the library: this process has one thread.
    ExifMetadataReading::install();

    const WorkerChannel input(STDIN_FILENO);
    const WorkerChannel output(answers < 0 ? STDOUT_FILENO : answers);
    MetadataWorker worker([&output](const WorkerMessage& message) { output.send(message); }, hooks);
    for (;;) {
        WorkerMessage request;
        const WorkerChannel::Received got = input.receive(request);
        if (got == WorkerChannel::Received::Closed) return 0;
        if (got != WorkerChannel::Received::Message) return 2;
        if (hooks.beforeReceipt) hooks.beforeReceipt(request);
        if (!output.send(WorkerProtocol::receivedEvent())) return 0;
        if (hooks.beforeRequest) hooks.beforeRequest(request);
        if (!output.send(worker.answer(request))) return 0;
    }
}
