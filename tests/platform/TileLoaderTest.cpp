#include <gtest/gtest.h>

#include <QImage>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "platform/MapProjection.h"
#include "platform/TileLoader.h"
#include "tests/common/LoopbackTileServer.h"

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

struct HostileTile {
    const char* name;
    QByteArray (*answer)(const LoopbackTileServer& elsewhere);
    bool taken;
};

void PrintTo(const HostileTile& row, std::ostream* os) {
    *os << row.name;
}

class ATileAnswer : public testing::TestWithParam<HostileTile> {};

// Whatever a server answers, the map holds at most a tile of the size it asked for, the request ends soon,
// the server still counts as reachable (it did answer) and a refused tile is not asked for again at once.
TEST_P(ATileAnswer, isTakenOnlyAsATileOfTheDeclaredSize) {
    QTemporaryDir cache;
    LoopbackTileServer server;
    LoopbackTileServer elsewhere;
    server.script(kPath, GetParam().answer(elsewhere));
    TileLoader loader(cache.path());
    const TileServer tiles{server.urlTemplate(), QStringLiteral("test")};
    QSignalSpy ready(&loader, &TileLoader::tileReady);

    EXPECT_EQ(loader.tile(tiles, kKey), nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return loader.requestsRunning() == 0; }, 10000));
    const QImage* image = loader.cachedTile(tiles, kKey);
    ASSERT_EQ(image != nullptr, GetParam().taken);
    EXPECT_EQ(ready.size(), GetParam().taken ? 1 : 0);
    if (image) {
        EXPECT_EQ(image->size(), QSize(MapProjection::kTileSize, MapProjection::kTileSize));
    }
    EXPECT_FALSE(loader.isServerUnreachable(tiles));
    EXPECT_TRUE(elsewhere.requestedPaths.isEmpty()) << elsewhere.requestedPaths.join(' ').toStdString();
    loader.tile(tiles, kKey);
    EXPECT_EQ(loader.requestsStarted(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ATileAnswer,
    testing::Values(
        HostileTile{"aTileOfTheDeclaredSize", [](const LoopbackTileServer&) { return imageOf(256, 256); }, true},
        HostileTile{"fiveThousandPixelsASide", [](const LoopbackTileServer&) { return imageOf(5000, 5000); }, false},
        HostileTile{"onePixelTooWide", [](const LoopbackTileServer&) { return imageOf(257, 256); }, false},
        HostileTile{"aTallStrip", [](const LoopbackTileServer&) { return imageOf(256, 4000); }, false},
        HostileTile{"announcesSixtyFourMegabytesAndStalls",
                    [](const LoopbackTileServer&) { return answer(QByteArray(2 << 20, 'x'), 64 << 20); }, false},
        HostileTile{"sendsWithoutALengthAndStalls",
                    [](const LoopbackTileServer&) { return answer(QByteArray(2 << 20, 'x'), -1); }, false},
        HostileTile{"redirectsToAnotherHost",
                    [](const LoopbackTileServer& elsewhere) {
                        return QByteArray("HTTP/1.1 302 Found\r\nLocation: http://localhost:") +
                               QByteArray::number(elsewhere.port()) + kPath.toLatin1() +
                               "\r\nContent-Length: 0\r\n\r\n";
                    },
                    false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
