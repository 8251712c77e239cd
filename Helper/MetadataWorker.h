#pragma once

#include "Helper/WorkerChannel.h"
#include "model/MetaDataObject.h"

#include <functional>
#include <optional>

#include <sys/types.h>

// The worker side of MetadataWorkerPool: a process with one thread that answers requests on its standard
// input and output, one after the other, until its input closes. It alone calls Exiv2.
class MetadataWorker {
  public:
    using Send = std::function<void(const WorkerMessage& message)>;

    // Points where tests make a worker crash, hang or wait on cue.
    struct Hooks {
        // Read but not yet acknowledged: a worker that ends here never saw the request.
        std::function<void(const WorkerMessage& request)> beforeReceipt;
        std::function<void(const WorkerMessage& request)> beforeRequest;
        // The steps of a copy, each given the copy's pending name (empty while it has none): its file exists with
        // no byte in it; it is written but not yet dated.
        std::function<void(const QString& pending)> afterCreate;
        std::function<void(const QString& pending)> beforeDating;
        // Asked at each write: true writes the copy under a pending name, as on a file system that cannot hold a
        // file without a name.
        std::function<bool()> writeUnderPendingName;
    };

    // The worker's main: sets the process up, then serves until the input closes (0) or holds garbage (2).
    // "--application-pid N" names the application, whose end this process does not outlive.
    static int run(int argc, char** argv, const Hooks& hooks = {});

    explicit MetadataWorker(Send send, Hooks hooks = {});

    // The answer to one request. A write first reports each file it creates through send, so that the
    // application can remove an unfinished copy if this process dies midway.
    WorkerMessage answer(const WorkerMessage& request);

  private:
    WorkerMessage answerWrite(const WorkerMessage& request);

    // The run records the latest write brought; the run's later writes name them instead of bringing them.
    struct HeldRecords {
        quint64 identity = 0;
        MetaDataObject settings;
        MetaDataObject changedFields;
    };

    Send m_send;
    Hooks m_hooks;
    mode_t m_umask;
    std::optional<HeldRecords> m_held;
};
