#include "platform/QuitSignals.h"

#include "platform/Log.h"

#include <QObject>
#include <QPointer>
#include <QSocketNotifier>

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>
#include <cerrno>
#include <csignal>

namespace platform {
namespace {

int g_pipe[2] = {-1, -1};

// Only async-signal-safe work here: one byte into the pipe, read back by the event loop.
extern "C" void writeSignal(int signal) {
    const int saved = errno;
    const char byte = static_cast<char>(signal);
    [[maybe_unused]] const ssize_t written = ::write(g_pipe[1], &byte, 1);
    errno = saved;
}

}  // namespace

bool QuitSignals::install(QObject* receiver, std::function<void(int signal)> handler) {
    if (g_pipe[0] >= 0) return false;
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_pipe) != 0) {
        qCWarning(lcPlatform).noquote() << QStringLiteral("quit signals: no socket pair, signals end the process");
        return false;
    }
    ::fcntl(g_pipe[1], F_SETFL, O_NONBLOCK);
    auto* notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, receiver);
    QObject::connect(notifier, &QSocketNotifier::activated, receiver, [handler = std::move(handler)] {
        char byte = 0;
        if (::read(g_pipe[0], &byte, 1) != 1) return;
        qCInfo(lcPlatform).noquote() << QStringLiteral("received signal ") + QString::number(int(byte));
        if (handler) handler(int(byte));
    });
    struct sigaction action = {};
    action.sa_handler = writeSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) ::sigaction(signal, &action, nullptr);
    return true;
}

}  // namespace platform
