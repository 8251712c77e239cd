// What a misbehaving server costs the running application, measured against a server on loopback in a
// thread of its own:
//
//   lumarind-hostile-server-bench tiles [count=24] [side=5000]
//       the map shows a region of about count tiles, and the server answers each with a side × side PNG;
//   lumarind-hostile-server-bench phone-large [megabytes=5]
//       the support-phone file comes back as megabytes of text;
//   lumarind-hostile-server-bench phone-drip [seconds=120]
//       the support-phone file comes one byte every two seconds; the bench watches for at most seconds.
//
// Each prints the longest stall of the main thread's event loop, the peak memory of the process and, for the
// drip, how long the first attempt stayed open. Run one scenario per process: the peak is the process's.

#include "app/online/PhoneNumberDownload.h"
#include "bench/ProcessMemory.h"
#include "bench/RunUntil.h"
#include "bench/StallMeter.h"
#include "platform/MapProjection.h"
#include "platform/MapView.h"
#include "platform/UserDefaults.h"

#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <atomic>

namespace {

// One kind of answer to every request. Lives in its own thread, so its writing is not counted as the
// application's stall, and writes big bodies a megabyte at a time, so its own memory stays small.
class HostileServer : public QObject {
  public:
    enum class Mode { Image, Text, Drip };

    HostileServer(Mode mode, QByteArray image, qint64 textBytes) : m_mode(mode), m_image(image), m_text(textBytes) {}

    void listen() {
        m_server = new QTcpServer(this);
        m_server->listen(QHostAddress::LocalHost, 0);
        port = m_server->serverPort();
        connect(m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = m_server->nextPendingConnection()) serve(socket);
        });
    }

    std::atomic<quint16> port{0};
    std::atomic<int> requests{0};
    std::atomic<qint64> dripOpenMs{-1};  // how long the dripped answer's connection stayed open

  private:
    void serve(QTcpSocket* socket) {
        auto* head = new QByteArray;
        connect(socket, &QTcpSocket::disconnected, socket, [socket, head] {
            delete head;
            socket->deleteLater();
        });
        connect(socket, &QTcpSocket::readyRead, this, [this, socket, head] {
            head->append(socket->readAll());
            for (qsizetype end = head->indexOf("\r\n\r\n"); end >= 0; end = head->indexOf("\r\n\r\n")) {
                head->remove(0, end + 4);
                ++requests;
                answer(socket);
            }
        });
    }

    void answer(QTcpSocket* socket) {
        switch (m_mode) {
            case Mode::Image:
                socket->write("HTTP/1.1 200 OK\r\nContent-Type: image/png\r\nContent-Length: " +
                              QByteArray::number(m_image.size()) + "\r\n\r\n" + m_image);
                return;
            case Mode::Text: {
                const QByteArray number = "[default]\nfennacle = 555 0100\n";
                socket->write("HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nConnection: close\r\nContent-Length: " +
                              QByteArray::number(m_text) + "\r\n\r\n" + number);
                streamText(socket, std::make_shared<qint64>(m_text - number.size()));
                return;
            }
            case Mode::Drip:
                drip(socket);
                return;
        }
    }

    void streamText(QTcpSocket* socket, std::shared_ptr<qint64> left) {
        const QByteArray line = QByteArray(79, 'x') + '\n';
        QByteArray chunk;
        for (int i = 0; i < (1 << 20) / 80; ++i) chunk += line;
        auto more = [socket, left, chunk] {
            while (*left > 0 && socket->bytesToWrite() < 4 * chunk.size()) {
                const qint64 part = std::min<qint64>(*left, chunk.size());
                socket->write(chunk.constData(), part);
                *left -= part;
            }
        };
        connect(socket, &QTcpSocket::bytesWritten, socket, more);
        more();
    }

    void drip(QTcpSocket* socket) {
        socket->write("HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nContent-Length: 1000\r\n\r\n");
        auto* timer = new QTimer(socket);
        auto opened = std::make_shared<QElapsedTimer>();
        opened->start();
        connect(timer, &QTimer::timeout, socket, [socket] { socket->write("x"); });
        connect(socket, &QTcpSocket::disconnected, this, [this, opened] {
            if (dripOpenMs < 0) dripOpenMs = opened->elapsed();
        });
        timer->start(2000);
    }

    Mode m_mode;
    QByteArray m_image;
    qint64 m_text;
    QTcpServer* m_server = nullptr;
};

struct ServerThread {
    ServerThread(HostileServer::Mode mode, QByteArray image = {}, qint64 textBytes = 0)
        : server(mode, std::move(image), textBytes) {
        server.moveToThread(&thread);
        thread.start();
        QMetaObject::invokeMethod(
            &server, [this] { server.listen(); }, Qt::BlockingQueuedConnection);
    }
    ~ServerThread() {
        QMetaObject::invokeMethod(
            &server, [this] { server.setParent(nullptr); }, Qt::BlockingQueuedConnection);
        thread.quit();
        thread.wait();
    }
    QString url() const { return QStringLiteral("http://127.0.0.1:") + QString::number(server.port); }

    QThread thread;
    HostileServer server;
};

QByteArray bigPng(int side) {
    QImage image(side, side, QImage::Format_RGB32);
    image.fill(QColor(236, 232, 220));
    QPainter(&image).drawLine(0, 0, side, side);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

QString megabytes(long kilobytes) {
    return QString::number(kilobytes / 1024.0, 'f', 0) + QStringLiteral(" MB");
}

int benchTiles(QTextStream& out, int count, int side) {
    QTemporaryDir cache;
    ServerThread server(HostileServer::Mode::Image, bigPng(side));
    platform::MapView map;
    // Square tiles on a screen of count tiles: a region whose tile grid at its zoom covers the view.
    const int columns = std::max(1, static_cast<int>(std::ceil(std::sqrt(count * 1.6))));
    const int rows = std::max(1, (count + columns - 1) / columns);
    map.resize(columns * platform::MapProjection::kTileSize, rows * platform::MapProjection::kTileSize);
    map.setTileServers({}, {});
    map.setRegion({{20, 0}, {60, 100}}, false);
    map.show();
    platform::OfflineEarth::shared().waitForFinished();
    runUntil([&] { return map.hasOfflineBase(); }, 30000);
    const long before = statusKilobytes("VmRSS:");
    map.setTileServers({server.url() + QStringLiteral("/{z}/{x}/{y}.png"), QStringLiteral("hostile")}, {});

    // The first paint draws the offline base and asks for the tiles; what follows is the tiles' doing.
    StallMeter meter;
    QElapsedTimer clock;
    clock.start();
    map.repaint();
    const qint64 firstPaint = clock.elapsed();
    meter.start();
    platform::TileLoader& tiles = map.tileLoader();
    const bool settled = runUntil(
        [&] {
            map.update();
            return tiles.requestsStarted() > 0 && tiles.requestsRunning() == 0;
        },
        120000);
    const qint64 stall = meter.stop();
    out << "tiles: " << tiles.requestsStarted() << " tiles of " << side << "x" << side << " asked ("
        << server.server.requests << " served) in " << clock.elapsed() / 1000.0 << " s"
        << (settled ? "" : ", not settled after 120 s") << "; first paint " << firstPaint
        << " ms, then longest main-thread stall " << stall << " ms; memory before " << megabytes(before) << ", peak "
        << megabytes(statusKilobytes("VmHWM:")) << ", after " << megabytes(statusKilobytes("VmRSS:")) << "\n";
    return 0;
}

int benchPhone(QTextStream& out, HostileServer::Mode mode, qint64 textBytes, int watchSeconds) {
    QTemporaryDir dir;
    platform::UserDefaults defaults(dir.filePath(QStringLiteral("defaults.conf")));
    ServerThread server(mode, {}, textBytes);
    PhoneNumberDownload download(QUrl(server.url() + QStringLiteral("/fennacle/phonenumber.ini")), defaults);
    bool updated = false;
    QObject::connect(&download, &PhoneNumberDownload::phoneNumberUpdated, [&] { updated = true; });
    StallMeter meter;
    QElapsedTimer clock;
    clock.start();
    meter.start();
    download.updatePhoneNumbersFromWebINI(true);
    if (mode == HostileServer::Mode::Text) {
        runUntil([&] { return updated || download.isWaitingToRetry(); }, 600000);
        const qint64 stall = meter.stop();
        out << "phone-large: " << textBytes / (1024 * 1024) << " MB answer done in " << clock.elapsed() / 1000.0
            << " s (" << (updated ? "number stored" : "attempt refused") << "); longest main-thread stall " << stall
            << " ms; peak memory " << megabytes(statusKilobytes("VmHWM:")) << "\n";
        return 0;
    }
    runUntil([&] { return server.server.dripOpenMs >= 0; }, watchSeconds * 1000LL);
    const qint64 stall = meter.stop();
    const qint64 open = server.server.dripOpenMs;
    out << "phone-drip: first attempt "
        << (open >= 0 ? QStringLiteral("closed after %1 s").arg(open / 1000.0)
                      : QStringLiteral("still open after %1 s").arg(watchSeconds))
        << "; longest main-thread stall " << stall << " ms\n";
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream out(stdout);
    const QString scenario = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("tiles");
    auto number = [&](int index, qint64 fallback) {
        return argc > index ? QString::fromLocal8Bit(argv[index]).toLongLong() : fallback;
    };
    if (scenario == u"tiles")
        return benchTiles(out, static_cast<int>(number(2, 24)), static_cast<int>(number(3, 5000)));
    if (scenario == u"phone-large") return benchPhone(out, HostileServer::Mode::Text, number(2, 5) * 1024 * 1024, 0);
    if (scenario == u"phone-drip")
        return benchPhone(out, HostileServer::Mode::Drip, 0, static_cast<int>(number(2, 120)));
    out << "unknown scenario " << scenario << "; tiles, phone-large or phone-drip\n";
    return 2;
}
