#include "Helper/WorkerChannel.h"

#include <QJsonDocument>
#include <QtEndian>

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>

namespace {

bool isSocket(int fd) {
    struct stat info {};
    return ::fstat(fd, &info) == 0 && S_ISSOCK(info.st_mode);
}

int millisecondsUntil(const WorkerChannel::Deadline& deadline) {
    if (!deadline) return -1;
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(*deadline - std::chrono::steady_clock::now()).count();
    return left <= 0 ? 0 : int(std::min<long long>(left, 1 << 30));
}

}  // namespace

WorkerChannel::WorkerChannel(int fd) : m_fd(fd), m_socket(isSocket(fd)) {}

bool WorkerChannel::send(const WorkerMessage& message) const {
    const QByteArray json = QJsonDocument(message.json).toJson(QJsonDocument::Compact);
    char header[8];
    qToLittleEndian(quint32(json.size()), header);
    qToLittleEndian(quint32(message.bytes.size()), header + 4);
    return writeAll(header, sizeof header) && writeAll(json.constData(), json.size()) &&
           writeAll(message.bytes.constData(), message.bytes.size());
}

WorkerChannel::Received WorkerChannel::receive(WorkerMessage& message, Deadline deadline) const {
    char header[8];
    Received got = readAll(header, sizeof header, deadline);
    if (got != Received::Message) return got;
    const quint32 jsonSize = qFromLittleEndian<quint32>(header);
    const quint32 bytesSize = qFromLittleEndian<quint32>(header + 4);
    if (jsonSize > kMaximumPart || bytesSize > kMaximumPart) return Received::Malformed;
    QByteArray json(qsizetype(jsonSize), Qt::Uninitialized);
    if ((got = readAll(json.data(), json.size(), deadline)) != Received::Message) return got;
    message.bytes = QByteArray(qsizetype(bytesSize), Qt::Uninitialized);
    if ((got = readAll(message.bytes.data(), message.bytes.size(), deadline)) != Received::Message) return got;
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) return Received::Malformed;
    message.json = document.object();
    return Received::Message;
}

bool WorkerChannel::writeAll(const char* data, qsizetype size) const {
    // A socket is written without SIGPIPE, so a worker that died costs one answer, not the application.
    qsizetype done = 0;
    while (done < size) {
        const size_t chunk = size_t(size - done);
        const ssize_t n = m_socket ? ::send(m_fd, data + done, chunk, MSG_NOSIGNAL) : ::write(m_fd, data + done, chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += n;
    }
    return true;
}

WorkerChannel::Received WorkerChannel::readAll(char* data, qsizetype size, Deadline deadline) const {
    qsizetype done = 0;
    while (done < size) {
        pollfd waiting{m_fd, POLLIN, 0};
        const int ready = ::poll(&waiting, 1, millisecondsUntil(deadline));
        if (ready < 0 && errno == EINTR) continue;
        if (ready < 0) return Received::Closed;
        if (ready == 0) return Received::TimedOut;
        const ssize_t n = ::read(m_fd, data + done, size_t(size - done));
        if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
        if (n <= 0) return Received::Closed;
        done += n;
    }
    return Received::Message;
}
