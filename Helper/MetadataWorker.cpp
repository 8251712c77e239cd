#include "Helper/MetadataWorker.h"

#include "Helper/ExifImageProperties.h"
#include "Helper/ExifMetadataReading.h"
#include "Helper/ExifWriter.h"
#include "Helper/Exiv2Runtime.h"
#include "Helper/Logging.h"
#include "model/MetaDataObject.h"
#include "model/PhotoFile.h"
#include "model/RecordTransfer.h"
#include "platform/FileManager.h"
#include "platform/Log.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QIODevice>
#include <QSize>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/time.h>
#include <unistd.h>

namespace {

const QLatin1String kRequest("request");
const QLatin1String kPath("path");

// The file manager of a write, telling the application about every file as soon as it exists.
class AnnouncingFileManager : public platform::FileManager {
  public:
    AnnouncingFileManager(const MetadataWorker::Send& send, const MetadataWorker::Hooks& hooks)
        : m_send(send), m_hooks(hooks) {}

  protected:
    void didCreate(const QString& path) override {
        if (m_send) m_send(WorkerMessage{QJsonObject{{QStringLiteral("created"), path}}, {}});
        if (m_hooks.afterCreate) m_hooks.afterCreate(path);
    }

  private:
    const MetadataWorker::Send& m_send;
    const MetadataWorker::Hooks& m_hooks;
};

WorkerMessage readAnswer(const QJsonObject& request) {
    const QString path = request.value(kPath).toString();
    const bool wantsProperties = request.value(QStringLiteral("properties")).toBool();
    const bool wantsMetadata = request.value(QStringLiteral("metadata")).toBool();
    MetaDataObject record;
    std::optional<QVariantMap> properties;
    const ExifWriter& writer = ExifWriter::sharedInstance();
    if (wantsMetadata && wantsProperties) {
        properties = writer.readMetaAndPropertiesFromPath(path, record);
    } else if (wantsMetadata) {
        writer.readMetaFromPath(path, record);
    } else if (wantsProperties) {
        properties = ExifImageProperties::propertiesForFile(path);
    }
    WorkerMessage answer;
    answer.json.insert(QStringLiteral("fields"), RecordTransfer::fields(record));
    answer.json.insert(QStringLiteral("hasProperties"), properties.has_value());
    if (properties) {
        QDataStream stream(&answer.bytes, QIODevice::WriteOnly);
        stream << *properties;
    }
    return answer;
}

WorkerMessage writeAnswer(const QJsonObject& request, const MetadataWorker::Send& send,
                          const MetadataWorker::Hooks& hooks) {
    const std::optional<PhotoFile> photo = RecordTransfer::photoFrom(request.value(QStringLiteral("photo")).toObject());
    const std::optional<MetaDataObject> settings =
        RecordTransfer::recordFrom(request.value(QStringLiteral("settings")).toObject());
    const std::optional<MetaDataObject> changed =
        RecordTransfer::recordFrom(request.value(QStringLiteral("changedFields")).toObject());
    ExifWriteResult result;
    if (!photo || !settings || !changed) {
        result = ExifWriteResult::answer(ExifWriteFailed, ExifWriteResult::corruptImage());
        qCWarning(lcHelper).noquote() << "A write request could not be decoded";
    } else {
        AnnouncingFileManager files(send, hooks);
        result = ExifWriter::sharedInstance().writeMetaDataToFilePath(
            *photo, *settings, request.value(QStringLiteral("newPath")).toString(), *changed,
            request.value(QStringLiteral("restore")).toBool(), files);
    }
    QJsonObject json{{QStringLiteral("errorFlag"), result.errorFlag}, {QStringLiteral("errorMsg"), result.errorMsg}};
    json.insert(QStringLiteral("processedPath"),
                result.processedPath ? QJsonValue(*result.processedPath) : QJsonValue(QJsonValue::Null));
    return WorkerMessage{json, {}};
}

WorkerMessage previewAnswer(const QJsonObject& request) {
    const QSize atLeast(request.value(QStringLiteral("width")).toInt(),
                        request.value(QStringLiteral("height")).toInt());
    return WorkerMessage{QJsonObject{}, ExifImageProperties::embeddedPreview(request.value(kPath).toString(), atLeast)};
}

// A failure no catch below the boundary knew about: a write answers that the photo could not be written,
// a read answers nothing.
WorkerMessage failedAnswer(const QJsonObject& request, const QString& why) {
    qCWarning(lcHelper).noquote()
        << "Request on " + request.value(kPath).toString() +
               request.value(QStringLiteral("photo")).toObject().value(QStringLiteral("filePath")).toString() +
               " failed: " + why;
    if (request.value(kRequest).toString() == QLatin1String("write")) {
        return WorkerMessage{QJsonObject{{QStringLiteral("errorFlag"), int(ExifWriteFailed)},
                                         {QStringLiteral("errorMsg"), ExifWriteResult::corruptImage()},
                                         {QStringLiteral("processedPath"), QJsonValue(QJsonValue::Null)}},
                             {}};
    }
    return WorkerMessage{
        QJsonObject{{QStringLiteral("fields"), QJsonObject()}, {QStringLiteral("hasProperties"), false}}, {}};
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

void exitWhenInputCloses(int fd) {
    g_input = fd;
    g_parent = ::getppid();
    struct sigaction action {};
    action.sa_handler = onWatchTimer;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGALRM, &action, nullptr);
    const itimerval everySecond{{1, 0}, {1, 0}};
    ::setitimer(ITIMER_REAL, &everySecond, nullptr);
}

}  // namespace

WorkerMessage MetadataWorker::answer(const WorkerMessage& request, const Send& send, const Hooks& hooks) {
    const QString kind = request.json.value(kRequest).toString();
    try {
        if (kind == QLatin1String("read")) return readAnswer(request.json);
        if (kind == QLatin1String("write")) return writeAnswer(request.json, send, hooks);
        if (kind == QLatin1String("preview")) return previewAnswer(request.json);
        return WorkerMessage{QJsonObject{{QStringLiteral("error"), QStringLiteral("unknown request")}}, {}};
    } catch (const std::exception& error) {
        return failedAnswer(request.json, QString::fromUtf8(error.what()));
    } catch (...) {
        return failedAnswer(request.json, QStringLiteral("an unknown exception"));
    }
}

int MetadataWorker::run(int argc, char** argv, const Hooks& hooks) {
    // Answers go out on a private copy of standard output; standard output itself then points at standard
    // error, so that nothing a library prints can break a message.
    const int answers = ::fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, 3);
    ::dup2(STDERR_FILENO, STDOUT_FILENO);
    exitWhenInputCloses(STDIN_FILENO);

    QCoreApplication application(argc, argv);
    platform::useLogLineFormat();
    Exiv2Runtime::initialize();
    // Inside the worker, the model reads photos straight through the library: this process has one thread.
    ExifMetadataReading::install();

    const WorkerChannel input(STDIN_FILENO);
    const WorkerChannel output(answers < 0 ? STDOUT_FILENO : answers);
    const Send send = [&output](const WorkerMessage& message) { output.send(message); };
    for (;;) {
        WorkerMessage request;
        const WorkerChannel::Received got = input.receive(request);
        if (got == WorkerChannel::Received::Closed) return 0;
        if (got != WorkerChannel::Received::Message) return 2;
        if (hooks.beforeRequest) hooks.beforeRequest(request.json);
        if (!output.send(answer(request, send, hooks))) return 0;
    }
}
