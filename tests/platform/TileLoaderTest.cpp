#include <gtest/gtest.h>

#include <QImage>
#include <QImageReader>
#include <QMutex>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <utility>

#include "platform/MapProjection.h"
#include "platform/TileLoader.h"
#include "tests/common/LoopbackTileServer.h"
#include "tests/common/TestSupport.h"

using namespace platform;
using testsupport::LoopbackTileServer;

namespace {

const TileKey kKey{1, 0, 0};
const QString kPath = QStringLiteral("/1/0/0.png");

QByteArray answer(const QByteArray& body, qint64 announced) {
    QByteArray head = "HTTP/1.1 200 OK\r\nContent-Type: image/png\r\n";
    if (announced >= 0) head += "Content-Length: " + QByteArray::number(announced) + "\r\n";
    return head + "\r\n" + body;
}

QByteArray imageOf(int width, int height) {
    QImage image(width, height, QImage::Format_Mono);
    image.fill(0);
    return LoopbackTileServer::pngAnswer(image);
}

// While one lives, the image library allows no decode of more than a megabyte and every refusal it reports is kept:
// an image larger than a tile must be refused from its header, before any decode is tried.
class DecodeRefusals {
  public:
    DecodeRefusals() : m_limit(QImageReader::allocationLimit()) {
        QImageReader::setAllocationLimit(1);
        s_previous = qInstallMessageHandler(keep);
    }
    ~DecodeRefusals() {
        qInstallMessageHandler(s_previous);
        QImageReader::setAllocationLimit(m_limit);
    }
    QStringList take() {
        QMutexLocker lock(&s_mutex);
        return std::exchange(s_kept, {});
    }

  private:
    // Decodes run on the loader's threads.
    static void keep(QtMsgType type, const QMessageLogContext& context, const QString& message) {
        if (message.contains(QLatin1String("allocation limit"))) {
            QMutexLocker lock(&s_mutex);
            s_kept.append(message);
        }
        s_previous(type, context, message);
    }

    int m_limit;
    static inline QtMessageHandler s_previous = nullptr;
    static inline QMutex s_mutex;
    static inline QStringList s_kept;
};

}  // namespace

// Whatever a server answers, the map holds at most a tile of the size it asked for, the request ends soon,
// the server still counts as reachable (it did answer) and a refused tile is not asked for again at once.
TEST(ATileAnswer, isTakenOnlyAsATileOfTheDeclaredSize) {
    LoopbackTileServer elsewhere;
    DecodeRefusals refusals;
    const struct {
        const char* name;
        QByteArray answer;
        bool taken;
    } rows[] = {{"aTileOfTheDeclaredSize", imageOf(256, 256), true},
                {"fiveThousandPixelsASide", imageOf(5000, 5000), false},
                {"onePixelTooWide", imageOf(257, 256), false},
                {"aTallStrip", imageOf(256, 4000), false},
                {"announcesSixtyFourMegabytesAndStalls", answer(QByteArray(1024, 'x'), 64 << 20), false},
                {"sendsWithoutALengthAndStalls", answer(QByteArray(2 << 20, 'x'), -1), false},
                {"redirectsToAnotherHost",
                 "HTTP/1.1 302 Found\r\nLocation: http://localhost:" + QByteArray::number(elsewhere.port()) +
                     kPath.toLatin1() + "\r\nContent-Length: 0\r\n\r\n",
                 false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        QTemporaryDir cache;
        LoopbackTileServer server;
        server.script(kPath, row.answer);
        TileLoader loader(cache.path());
        const TileServer tiles{server.urlTemplate(), QStringLiteral("test")};
        QSignalSpy ready(&loader, &TileLoader::tileReady);

        EXPECT_EQ(loader.tile(tiles, kKey), nullptr);
        LUMARIND_WAIT_FOR(loader.requestsRunning() == 0, 10000);
        const QImage* image = loader.cachedTile(tiles, kKey);
        ASSERT_EQ(image != nullptr, row.taken);
        EXPECT_EQ(ready.size(), row.taken ? 1 : 0);
        if (image) {
            EXPECT_EQ(image->size(), QSize(MapProjection::kTileSize, MapProjection::kTileSize));
        }
        EXPECT_EQ(refusals.take(), QStringList()) << "a decode was tried before the image's size was checked";
        EXPECT_FALSE(loader.isServerUnreachable(tiles));
        EXPECT_TRUE(elsewhere.requestedPaths.isEmpty()) << elsewhere.requestedPaths.join(' ').toStdString();
        loader.tile(tiles, kKey);
        EXPECT_EQ(loader.requestsStarted(), 1);
    }
}
