#include <gtest/gtest.h>

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "platform/MapProjection.h"
#include "platform/MapView.h"
#include "tests/common/LoopbackTileServer.h"
#include "tests/common/TestSupport.h"

using namespace platform;
using testsupport::LoopbackTileServer;

namespace {

void waitForOfflineBase(MapView& map) {
    OfflineEarth::shared().waitForFinished();
    LUMARIND_WAIT_FOR(map.hasOfflineBase(), 10000);
}

// A map of a fixed size on screen (offscreen), asking only the given loopback servers.
struct ShownMap {
    MapView map;
    explicit ShownMap(const TileServer& road = {}, const CoordinateRegion& region = {{10, 10}, {20, 20}}) {
        map.setTileServers(road, {});
        map.setRegion(region, false);
        map.resize(512, 384);
        map.show();
        waitForOfflineBase(map);
    }
};

QColor colorAt(MapView& map, const GeoCoordinate& at) {
    const QImage image = map.grab().toImage();
    return image.pixelColor(map.pointForCoordinate(at).toPoint());
}

}  // namespace

TEST(TheMapView, asksTheTileServerOnlyForTheTilesItShowsAndNamesItself) {
    LoopbackTileServer server;
    ShownMap shown({server.urlTemplate(), "test tiles"}, {{48.85, 2.35}, {2, 2}});
    MapView& map = shown.map;
    const int needed = MapProjection::visibleTiles(map.centerCoordinate(), map.zoomLevel(), map.size(),
                                                   MapProjection::tileZoomFor(map.zoomLevel()))
                           .size();
    map.repaint();
    LUMARIND_WAIT_FOR(map.showsAllTiles() || (map.repaint(), false), 10000);
    EXPECT_EQ(server.requestedPaths.size(), needed);
    EXPECT_EQ(map.tileLoader().requestsStarted(), needed);
    ASSERT_FALSE(server.userAgents.isEmpty());
    for (const QByteArray& agent : server.userAgents) EXPECT_TRUE(agent.startsWith("Lumarind/")) << agent.data();

    // Drawing again, or moving by less than a tile, asks for nothing or only the new column.
    map.repaint();
    EXPECT_EQ(server.requestedPaths.size(), needed);
    QTest::keyClick(&map, Qt::Key_Right);
    map.repaint();
    EXPECT_LE(map.tileLoader().requestsStarted() - needed, 4);
}

TEST(TheMapView, keepsShowingTheOfflineEarthWhenTheTileServerCannotBeReached) {
    ShownMap shown({LoopbackTileServer::unreachableTemplate(), "nobody"}, {{0, 20}, {60, 60}});  // Africa
    MapView& map = shown.map;
    QSignalSpy unreachable(&map.tileLoader(), &TileLoader::serverUnreachable);
    map.repaint();
    LUMARIND_WAIT_FOR(unreachable.size() == 1, 10000);
    const int asked = map.tileLoader().requestsStarted();
    LUMARIND_WAIT_FOR_EQ(map.tileLoader().requestsRunning(), 0, 10000);
    map.repaint();
    QTest::keyClick(&map, Qt::Key_Left);
    map.repaint();
    EXPECT_EQ(map.tileLoader().requestsStarted(), asked) << "an unreachable server is not asked again at once";
    EXPECT_FALSE(map.showsAllTiles());
    // The Sahara in the road look is land, not the water colour behind the map.
    const QColor land = colorAt(map, {23, 12});
    EXPECT_NE(land, QColor(170, 211, 223));
    map.setMapType(MapType::Satellite);
    EXPECT_LT(colorAt(map, {0, -25}).blue() - colorAt(map, {0, -25}).red(), 200);  // drawn imagery, not fill
}

TEST(TheMapView, fitsRegionsSetBeforeItHasASizeAndZoomsAroundTheMouse) {
    MapView map;
    map.setTileServers({}, {});
    map.setRegion({{37.77, -122.4701}, {180, 360}}, false);
    map.resize(600, 400);
    map.show();
    EXPECT_DOUBLE_EQ(map.region().span.longitudeDelta, 360);
    EXPECT_GT(map.region().span.latitudeDelta, 170);

    map.setRegion({{37.77, -122.4701}, {0.55, 0.55}}, true);
    EXPECT_NEAR(map.region().center.latitude, 37.77, 1e-6) << "an animated region reports its destination";
    LUMARIND_WAIT_FOR(!map.isAnimating(), 5000);
    const GeoCoordinate under = map.coordinateForPoint({100, 100});
    QWheelEvent wheel(QPointF(100, 100), map.mapToGlobal(QPointF(100, 100)), {}, {0, 120}, Qt::NoButton, {},
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&map, &wheel);
    EXPECT_NEAR(map.coordinateForPoint({100, 100}).latitude, under.latitude, 1e-6);
    EXPECT_NEAR(map.coordinateForPoint({100, 100}).longitude, under.longitude, 1e-6);
}

TEST(TheMapView, dragsASelectedDraggablePinThroughItsStates) {
    ShownMap shown;
    MapView& map = shown.map;
    map.addAnnotation({{10, 10}, QString()});
    QList<int> states;
    QObject::connect(&map, &MapView::annotationDragStateChanged, [&](int index, AnnotationDragState now, auto) {
        EXPECT_EQ(index, 0);
        states.append(int(now));
    });
    QSignalSpy selected(&map, &MapView::didSelectAnnotation);
    const QPoint pin = map.pinRect(0).center().toPoint();

    // Not draggable yet: pressing selects, moving does not move it.
    QTest::mousePress(&map, Qt::LeftButton, {}, pin);
    QTest::mouseMove(&map, pin + QPoint(40, 0));
    QTest::mouseRelease(&map, Qt::LeftButton, {}, pin + QPoint(40, 0));
    EXPECT_EQ(selected.size(), 1);
    EXPECT_TRUE(states.isEmpty());

    map.setAnnotationDraggable(0, true);
    QTest::mousePress(&map, Qt::LeftButton, {}, pin);
    QTest::mouseMove(&map, pin + QPoint(20, 10));
    QTest::mouseMove(&map, pin + QPoint(60, 30));
    QTest::mouseRelease(&map, Qt::LeftButton, {}, pin + QPoint(60, 30));
    EXPECT_EQ(states, (QList<int>{1, 2, 4, 0}));
    const GeoCoordinate moved = map.annotations().at(0).coordinate;
    EXPECT_GT(moved.longitude, 10.5);
    EXPECT_LT(moved.latitude, 9.5);

    if (const char* dir = LUMARIND_SCREENSHOT_DIR) {
        QDir().mkpath(dir);
        map.setShowsZoomControls(true);
        map.setShowsCompass(true);
        map.grab().save(QString::fromUtf8(dir) + "/map-view-offline-road.png");
    }
}
