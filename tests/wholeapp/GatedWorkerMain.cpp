// A metadata worker whose writes wait at a gate: with $LUMARIND_TEST_WRITE_GATE naming a named pipe, each
// write request first opens the pipe for reading, which blocks until the test holds it open for writing.
// The run's writers thus stay busy until the test lets them go, so a photo further down the batch is
// certainly not started before the test has changed its file.
#include "Helper/MetadataWorker.h"
#include "Helper/WorkerProtocol.h"

#include <QFile>

#include <fcntl.h>
#include <unistd.h>

int main(int argc, char** argv) {
    const QByteArray gate = QFile::encodeName(qEnvironmentVariable("LUMARIND_TEST_WRITE_GATE"));
    MetadataWorker::Hooks hooks;
    hooks.beforeRequest = [gate](const WorkerMessage& request) {
        if (gate.isEmpty() || WorkerProtocol::kindOf(request) != WorkerProtocol::Kind::Write) return;
        const int fd = ::open(gate.constData(), O_RDONLY | O_CLOEXEC);
        if (fd >= 0) ::close(fd);
    };
    return MetadataWorker::run(argc, argv, hooks);
}
