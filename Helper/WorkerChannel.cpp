#include "Helper/WorkerChannel.h"

#include <QJsonDocument>
#include <QtEndian>

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/uio.h>
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
    iovec parts[] = {{header, sizeof header},
                     {const_cast<char*>(json.constData()), size_t(json.size())},
                     {const_cast<char*>(message.bytes.constData()), size_t(message.bytes.size())}};
    return writeAll(parts, message.bytes.isEmpty() ? 2 : 3);
}

WorkerChannel::Received WorkerChannel::receive(WorkerMessage& message, Deadline deadline) const {
    char header[8];
    Received got = readAll(header, sizeof header, deadline, true);
    if (got != Received::Message) return got;
    const quint32 jsonSize = qFromLittleEndian<quint32>(header);
    const quint32 bytesSize = qFromLittleEndian<quint32>(header + 4);
    if (jsonSize > kMaximumPart || bytesSize > kMaximumPart) return Received::Malformed;
    // The rest of a message is nearly always there by the time its header is.
    QByteArray json(qsizetype(jsonSize), Qt::Uninitialized);
    if ((got = readAll(json.data(), json.size(), deadline, false)) != Received::Message) return got;
    message.bytes = QByteArray(qsizetype(bytesSize), Qt::Uninitialized);
    if ((got = readAll(message.bytes.data(), message.bytes.size(), deadline, false)) != Received::Message) return got;
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) return Received::Malformed;
    message.json = document.object();
    return Received::Message;
}

bool WorkerChannel::writeAll(iovec* parts, int count) const {
    // A socket is written without SIGPIPE, so a worker that died costs one answer, not the application.
    while (count > 0) {
        msghdr message{};
        message.msg_iov = parts;
        message.msg_iovlen = size_t(count);
        ssize_t n = m_socket ? ::sendmsg(m_fd, &message, MSG_NOSIGNAL) : ::writev(m_fd, parts, count);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 || (n == 0 && parts->iov_len > 0)) return false;
        for (; count > 0 && size_t(n) >= parts->iov_len; ++parts, --count) n -= ssize_t(parts->iov_len);
        if (count > 0) {
            parts->iov_base = static_cast<char*>(parts->iov_base) + n;
            parts->iov_len -= size_t(n);
        }
    }
    return true;
}

WorkerChannel::Received WorkerChannel::readAll(char* data, qsizetype size, Deadline deadline, bool waitFirst) const {
    // A pipe has no read that returns at once when it is empty, so it is always waited on first.
    bool wait = waitFirst || !m_socket;
    qsizetype done = 0;
    while (done < size) {
        if (wait) {
            pollfd waiting{m_fd, POLLIN, 0};
            const int ready = ::poll(&waiting, 1, millisecondsUntil(deadline));
            if (ready < 0 && errno == EINTR) continue;
            if (ready < 0) return Received::Closed;
            if (ready == 0) return Received::TimedOut;
        }
        const size_t wanted = size_t(size - done);
        const ssize_t n =
            m_socket ? ::recv(m_fd, data + done, wanted, MSG_DONTWAIT) : ::read(m_fd, data + done, wanted);
        wait = true;
        if (n < 0 && (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK)) continue;
        if (n <= 0) return Received::Closed;
        done += n;
        wait = !m_socket;
    }
    return Received::Message;
}
