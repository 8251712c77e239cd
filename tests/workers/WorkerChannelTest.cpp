// Messages cross between the application and a worker whole, over a socket or a pipe, however the kernel
// splits them; a line cut off midway or gone quiet says so instead of handing over half a message.
#include <gtest/gtest.h>

#include "Helper/WorkerChannel.h"

#include <QJsonObject>

#include <thread>

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

TEST(AWorkerChannel, carriesWholeMessagesAndTellsACutOrSilentLine) {
    const struct {
        const char* name;
        bool socket;
        int textLength;  // of the one JSON value
        int bytes;       // beside the JSON; far beyond what a socket or pipe holds at once splits the message
    } lines[] = {{"shortOnASocket", true, 3, 0},
                 {"shortOnAPipe", false, 3, 0},
                 {"longTextOnASocket", true, 400000, 0},
                 {"largeBytesOnASocket", true, 10, 3 << 20},
                 {"largeBytesOnAPipe", false, 10, 3 << 20}};
    for (const auto& line : lines) {
        SCOPED_TRACE(line.name);
        // Socket ends both read and write; a pipe reads at 0 and writes at 1.
        int ends[2] = {-1, -1};
        ASSERT_EQ(line.socket ? ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) : ::pipe2(ends, O_CLOEXEC),
                  0);
        QByteArray bytes(line.bytes, Qt::Uninitialized);
        for (int i = 0; i < bytes.size(); ++i) bytes[i] = char(i * 7);
        const WorkerMessage sent{QJsonObject{{"text", QString(line.textLength, u'é')}, {"number", 42}}, bytes};
        bool delivered = false;
        std::thread sender([&] { delivered = WorkerChannel(ends[1]).send(sent) && WorkerChannel(ends[1]).send(sent); });
        const WorkerChannel reader(ends[0]);
        for (int i = 0; i < 2; ++i) {
            WorkerMessage received;
            ASSERT_EQ(reader.receive(received), WorkerChannel::Received::Message) << i;
            EXPECT_EQ(received.json, sent.json);
            EXPECT_EQ(received.bytes, sent.bytes);
        }
        sender.join();
        EXPECT_TRUE(delivered);

        WorkerMessage nothing;
        EXPECT_EQ(reader.receive(nothing, std::chrono::steady_clock::now()), WorkerChannel::Received::TimedOut);
        // A header that promises more than ever comes, then the other end goes.
        const char header[8] = {100, 0, 0, 0, 0, 0, 0, 0};
        ASSERT_EQ(::write(ends[1], header, sizeof header), ssize_t(sizeof header));
        ASSERT_EQ(::write(ends[1], "{\"cut\":", 7), 7);
        ::close(ends[1]);
        EXPECT_EQ(reader.receive(nothing), WorkerChannel::Received::Closed);
        ::close(ends[0]);
    }
}

}  // namespace
