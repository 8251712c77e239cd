// A metadata worker that fails on cue, by the photo's path: "abort-here" crashes before the request is
// answered, "hang-here" never answers, "abort-midway" crashes once the copy's file exists, "abort-undated"
// once the copy is written but not yet dated. "exit-unread-once" ends before it acknowledges the request and
// "abort-once" crashes on it, each only the first time (a file beside the photo remembers).
#include "Helper/MetadataWorker.h"
#include "Helper/WorkerProtocol.h"

#include <QFile>

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

}  // namespace

int main(int argc, char** argv) {
    // The crashes are wanted; their core files are not.
    const rlimit noCore{0, 0};
    ::setrlimit(RLIMIT_CORE, &noCore);
    MetadataWorker::Hooks hooks;
    hooks.beforeReceipt = [](const WorkerMessage& request) {
        g_photo = WorkerProtocol::photoPathOf(request);
        if (g_photo.contains("exit-unread-once") && firstTime(g_photo)) ::_exit(0);
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
    };
    hooks.beforeDating = [](const QString&) {
        if (g_photo.contains("abort-undated")) std::abort();
    };
    return MetadataWorker::run(argc, argv, hooks);
}
