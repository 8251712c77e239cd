#pragma once

#include <QByteArray>
#include <QJsonObject>

#include <chrono>
#include <optional>

// One message between the application and a metadata worker process: a JSON object and, for images and
// property lists, raw bytes beside it.
struct WorkerMessage {
    QJsonObject json;
    QByteArray bytes;
};

// Length-prefixed messages over one file descriptor (a socket or a pipe): an 8-byte header with the JSON
// length and the bytes length (little-endian 32-bit each), then the compact JSON text, then the bytes.
// Blocking; the descriptor is not owned.
class WorkerChannel {
  public:
    using Deadline = std::optional<std::chrono::steady_clock::time_point>;
    enum class Received { Message, Closed, TimedOut, Malformed };

    explicit WorkerChannel(int fd);

    // False when the other side is gone.
    bool send(const WorkerMessage& message) const;
    // Waits for one whole message until the deadline (none: for ever).
    Received receive(WorkerMessage& message, Deadline deadline = std::nullopt) const;

    // A message larger than this is taken for garbage on the line.
    static constexpr quint32 kMaximumPart = 1u << 30;

  private:
    bool writeAll(struct iovec* parts, int count) const;
    // Waits before the first read when waitFirst; otherwise only once the bytes are not there yet.
    Received readAll(char* data, qsizetype size, Deadline deadline, bool waitFirst) const;

    int m_fd;
    bool m_socket;
};
