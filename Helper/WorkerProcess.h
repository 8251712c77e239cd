#pragma once

#include "Helper/WorkerChannel.h"

#include <QString>

#include <sys/types.h>

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

// One metadata worker process and the application's end of the socket that is its standard input and output.
class WorkerProcess {
  public:
    ~WorkerProcess() { end(false); }
    WorkerProcess(const WorkerProcess&) = delete;
    WorkerProcess& operator=(const WorkerProcess&) = delete;

    WorkerChannel& channel() { return m_channel; }
    pid_t pid() const { return m_pid; }

    // The identity of the run records this process holds (WorkerProtocol::addRecords), 0 for none: a process
    // just started holds none, so a worker that replaces a dead one is sent them again.
    quint64 heldRecords() const { return m_heldRecords; }
    void setHeldRecords(quint64 identity) { m_heldRecords = identity; }

    // Whether the process can take a request: it has not ended, and its end of the socket is open and quiet
    // (an idle worker never speaks first). A stopped process still counts as ready; its request times out.
    bool isReady() const;

    // Closing its input makes a sound worker exit by itself; one that does not within a moment, or that is
    // known to be stuck, is killed.
    void end(bool kill);

  private:
    friend class WorkerLauncher;
    WorkerProcess(pid_t pid, int fd) : m_pid(pid), m_fd(fd), m_channel(fd) {}

    pid_t m_pid;
    int m_fd;
    WorkerChannel m_channel;
    quint64 m_heldRecords = 0;
};

// Starts worker processes, all from one thread of its own that lives as long as the launcher. A worker asks
// the kernel to kill it when the thread that started it ends: that is how it dies with its application even
// while it is stopped or blocked, where no check of its own can run. The threads that borrow workers come and
// go, so none of them may be that thread.
class WorkerLauncher {
  public:
    WorkerLauncher() = default;
    ~WorkerLauncher();
    WorkerLauncher(const WorkerLauncher&) = delete;
    WorkerLauncher& operator=(const WorkerLauncher&) = delete;

    // The started worker, or nothing when it could not be started (logged). Any thread; waits for the start.
    std::unique_ptr<WorkerProcess> start(const QString& program);

  private:
    static std::unique_ptr<WorkerProcess> spawn(const QString& program);
    void serve();

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<std::function<void()>> m_jobs;
    bool m_stopping = false;
    std::thread m_thread;
};
