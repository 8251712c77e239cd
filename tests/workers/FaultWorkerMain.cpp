// A metadata worker that fails on cue, by the photo's path: "abort-here" crashes before the request is
// answered, "hang-here" never answers, "abort-midway" crashes once the copy's file exists.
#include "Helper/MetadataWorker.h"
#include "Helper/WorkerProtocol.h"

#include <sys/resource.h>
#include <unistd.h>
#include <cstdlib>

int main(int argc, char** argv) {
    // The crashes are wanted; their core files are not.
    const rlimit noCore{0, 0};
    ::setrlimit(RLIMIT_CORE, &noCore);
    MetadataWorker::Hooks hooks;
    hooks.beforeRequest = [](const WorkerMessage& request) {
        const QString path = WorkerProtocol::photoPathOf(request);
        if (path.contains("abort-here")) std::abort();
        if (path.contains("hang-here")) {
            for (;;) ::pause();
        }
    };
    hooks.afterCreate = [](const QString& path) {
        if (path.contains("abort-midway")) std::abort();
    };
    return MetadataWorker::run(argc, argv, hooks);
}
