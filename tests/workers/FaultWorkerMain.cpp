// A metadata worker that fails or waits on cue, by the photo's path: "abort-here" crashes before the request is
// answered, "hang-here" never answers, "abort-midway" crashes once the copy's file exists, "abort-undated" once the
// copy is written but not yet dated. "exit-unread-once" ends before it acknowledges the request and "abort-once"
// crashes on it, each only the first time (a file beside the photo remembers). "pause-created" and "pause-undated"
// wait, once the copy's file exists or once it is written but not yet dated, at a gate beside the photo (a local
// socket at the photo's path plus ".gate"): they connect, say they are there and go on when the test hangs up.
// "by-name" writes the copy under a pending name, as on a file system that cannot hold a file without one.
#include "Helper/MetadataWorker.h"
#include "Helper/WorkerProtocol.h"

#include <QFile>
#include <QLocalSocket>

#include <sys/resource.h>
#include <unistd.h>
#include <cstdlib>

namespace {

QString g_photo;  // the photo of the request in hand

// True the first time it is asked about the photo.
bool firstTime(const QString& photo) {
    QFile seen(photo + QStringLiteral(".seen"));
    return seen.open(QIODevice::WriteOnly | QIODevice::NewOnly);
}

void waitAtTheGate() {
    QLocalSocket gate;
    gate.connectToServer(g_photo + QStringLiteral(".gate"));
    if (!gate.waitForConnected(10000) || gate.write("w") != 1 || !gate.waitForBytesWritten(10000)) std::abort();
    gate.waitForDisconnected(-1);
}

}  // namespace

int main(int argc, char** argv) {
    // The crashes are wanted; their core files are not.
    const rlimit noCore{0, 0};
    ::setrlimit(RLIMIT_CORE, &noCore);
    MetadataWorker::Hooks hooks;
    hooks.beforeReceipt = [](const WorkerMessage& request) {
        g_photo = WorkerProtocol::photoPathOf(request);
        // A write that carries the run's records leaves a mark beside its photo, for tests of when they travel.
        if (WorkerProtocol::kindOf(request) == WorkerProtocol::Kind::Write &&
            WorkerProtocol::writeQuery(request).bringsRecords)
            QFile(g_photo + QStringLiteral(".brought")).open(QIODevice::WriteOnly);
        if (g_photo.contains("exit-unread-once") && firstTime(g_photo)) ::_exit(0);
        // The first two times: a photo that uses up all but the last of the deliveries a request gets.
        if (g_photo.contains("exit-unread-twice") && (firstTime(g_photo) || firstTime(g_photo + ".again"))) ::_exit(0);
    };
    hooks.beforeRequest = [](const WorkerMessage&) {
        if (g_photo.contains("abort-here")) std::abort();
        if (g_photo.contains("abort-once") && firstTime(g_photo)) std::abort();
        if (g_photo.contains("hang-here")) {
            for (;;) ::pause();
        }
    };
    hooks.afterCreate = [](const QString&) {
        if (g_photo.contains("abort-midway")) std::abort();
        if (g_photo.contains("pause-created")) waitAtTheGate();
    };
    hooks.beforeDating = [](const QString&) {
        if (g_photo.contains("abort-undated")) std::abort();
        if (g_photo.contains("pause-undated")) waitAtTheGate();
    };
    hooks.writeUnderPendingName = [] { return g_photo.contains("by-name"); };
    return MetadataWorker::run(argc, argv, hooks);
}
