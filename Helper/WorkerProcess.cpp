#include "Helper/WorkerProcess.h"

#include "Helper/Logging.h"

#include <QFile>
#include <QThread>

#include <future>

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>

extern char** environ;

bool WorkerProcess::isReady() const {
    if (m_pid <= 0) return false;
    pollfd peer{m_fd, POLLIN | POLLRDHUP, 0};
    if (::poll(&peer, 1, 0) != 0) return false;
    // Looked at without reaping it, so that its number stays ours until end() waits for it.
    siginfo_t state{};
    return ::waitid(P_PID, static_cast<id_t>(m_pid), &state, WEXITED | WNOHANG | WNOWAIT) == 0 && state.si_pid == 0;
}

void WorkerProcess::end(bool kill) {
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

WorkerLauncher::~WorkerLauncher() {
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_all();
    if (m_thread.joinable()) m_thread.join();
}

std::unique_ptr<WorkerProcess> WorkerLauncher::start(const QString& program) {
    std::packaged_task<std::unique_ptr<WorkerProcess>()> job([&program] { return spawn(program); });
    std::future<std::unique_ptr<WorkerProcess>> started = job.get_future();
    {
        std::lock_guard lock(m_mutex);
        if (!m_thread.joinable()) m_thread = std::thread([this] { serve(); });
        m_jobs.push_back([&job] { job(); });
    }
    m_wake.notify_one();
    return started.get();
}

void WorkerLauncher::serve() {
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_stopping || !m_jobs.empty(); });
        if (m_jobs.empty()) return;
        const std::function<void()> job = std::move(m_jobs.front());
        m_jobs.pop_front();
        lock.unlock();
        job();
        lock.lock();
    }
}

std::unique_ptr<WorkerProcess> WorkerLauncher::spawn(const QString& program) {
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) {
        qCWarning(lcHelper).noquote() << "No socket for a metadata worker: " +
                                             QString::fromLocal8Bit(std::strerror(errno));
        return nullptr;
    }
    // The worker's standard input and output are its end of the socket; it is told who its application is, so
    // that it can tell whether that one already died before it could ask to die along with it.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, ends[1], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, ends[1], STDOUT_FILENO);
    const QByteArray path = QFile::encodeName(program);
    QByteArray option("--application-pid");
    QByteArray application = QByteArray::number(::getpid());
    char* argv[] = {const_cast<char*>(path.constData()), option.data(), application.data(), nullptr};
    pid_t pid = -1;
    const int failed = ::posix_spawn(&pid, path.constData(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(ends[1]);
    if (failed != 0) {
        ::close(ends[0]);
        qCWarning(lcHelper).noquote() << "The metadata worker " + program +
                                             " could not be started: " + QString::fromLocal8Bit(std::strerror(failed));
        return nullptr;
    }
    return std::unique_ptr<WorkerProcess>(new WorkerProcess(pid, ends[0]));
}
