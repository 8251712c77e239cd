#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "platform/MapProjection.h"
#include "platform/ReverseGeocoder.h"
#include "platform/TileServer.h"
#include "platform/UserDefaults.h"

using namespace platform;

TEST(TheMapProjection, roundTripsPositionsAndWrapsLongitude) {
    struct Case {
        GeoCoordinate in;
        double zoom;
        QPointF world;  // expected world pixel (NaN: not checked)
    };
    const Case cases[] = {
        {{0, 0}, 0, {128, 128}},
        {{0, -180}, 1, {0, 256}},
        {{MapProjection::kMaxLatitude, 179.999}, 2, {1023.997, 0}},
        {{-33.8688, 151.2093}, 10, {qQNaN(), qQNaN()}},
        {{48.8534, 2.3488}, 15.5, {qQNaN(), qQNaN()}},
    };
    for (const Case& c : cases) {
        const QPointF world = MapProjection::project(c.in, c.zoom);
        if (!qIsNaN(c.world.x())) {
            EXPECT_NEAR(world.x(), c.world.x(), 0.01);
            EXPECT_NEAR(world.y(), c.world.y(), 0.01);
        }
        const GeoCoordinate back = MapProjection::unproject(world, c.zoom);
        EXPECT_NEAR(back.latitude, c.in.latitude, 1e-9);
        EXPECT_NEAR(back.longitude, c.in.longitude, 1e-9);
    }
    const double world = MapProjection::worldSize(4);
    EXPECT_NEAR(MapProjection::unproject({world + 10, 100}, 4).longitude,
                MapProjection::unproject({10, 100}, 4).longitude, 1e-9);
}

TEST(TheMapProjection, fitsRegionsAndNeverShowsBeyondThePoles) {
    const QSizeF view(600, 400);
    // The whole world: as tall as the view, every longitude visible.
    const GeoCoordinate sanFrancisco{37.77, -122.4701};
    const double worldZoom = MapProjection::zoomToFit({180, 360}, sanFrancisco, view);
    EXPECT_DOUBLE_EQ(worldZoom, MapProjection::minimumZoom(view));
    const GeoCoordinate centred = MapProjection::constrainCenter(sanFrancisco, worldZoom, view);
    EXPECT_NEAR(centred.latitude, 0, 1e-9);
    const CoordinateRegion whole = MapProjection::visibleRegion(centred, worldZoom, view);
    EXPECT_DOUBLE_EQ(whole.span.longitudeDelta, 360);
    EXPECT_NEAR(whole.span.latitudeDelta, 2 * MapProjection::kMaxLatitude, 1e-6);

    // A 0.55-degree region: the span fits within the view, and the next zoom level would not.
    const double zoom = MapProjection::zoomToFit({0.55, 0.55}, sanFrancisco, view);
    const CoordinateRegion shown = MapProjection::visibleRegion(sanFrancisco, zoom, view);
    EXPECT_GE(shown.span.latitudeDelta, 0.55 - 1e-9);
    EXPECT_GE(shown.span.longitudeDelta, 0.55 - 1e-9);
    EXPECT_LT(std::min(shown.span.latitudeDelta, shown.span.longitudeDelta), 0.56);

    // Tiles: only those the view touches, each once, the middle first.
    const auto tiles = MapProjection::visibleTiles({0, 0}, 2, QSizeF(512, 512), 2);
    EXPECT_EQ(tiles.size(), 4);  // a 512 view centred on a tile corner: 2 by 2, not the ones its edges touch
    EXPECT_EQ(MapProjection::visibleTiles({0, 0}, 1, QSizeF(2000, 300), 1).size(), 4);  // wrapped, not repeated
    EXPECT_EQ(MapProjection::tileZoomFor(10.49), 10);
    EXPECT_EQ(MapProjection::tileZoomFor(25), MapProjection::kMaxZoom);
}

TEST(TheTileServer, fillsItsTemplateAndComesFromTheUserDefaults) {
    QTemporaryDir dir;
    UserDefaults defaults(dir.filePath("defaults.ini"));
    const TileServer road = TileServer::road(defaults);
    EXPECT_EQ(road.urlFor({3, 4, 5}).toString(), "https://tile.openstreetmap.org/3/4/5.png");
    EXPECT_FALSE(road.attribution.isEmpty());
    EXPECT_TRUE(TileServer::imagery(defaults).isEmpty());
    defaults.setValue(TileServer::imageryTemplateKey(), "http://127.0.0.1:9/%1/{y}/{x}/{z}");
    EXPECT_EQ(TileServer::imagery(defaults).urlFor({1, 2, 3}).toString(), "http://127.0.0.1:9/%251/3/2/1");
    defaults.setValue(TileServer::roadTemplateKey(), "");
    EXPECT_TRUE(TileServer::road(defaults).isEmpty()) << "an empty template switches the road tiles off";
}

TEST(TheOfflineGeocoder, findsPlacesByNameBiggestFirst) {
    const ReverseGeocoder geocoder(
        {{"Paris", QString::fromUtf8("Île-de-France"), "France", 48.85, 2.35, 2000000},
         {"Paris", "Texas", "United States", 33.66, -95.56, 25000},
         {"Cormeilles-en-Parisis", "IDF", "France", 48.97, 2.2, 22000},
         {QString::fromUtf8("São Paulo"), QString::fromUtf8("São Paulo"), "Brazil", -23.5, -46.6, 10000000},
         {"Parisot", "Occitanie", "France", 44.26, 1.86, 500}});
    struct Case {
        QString query;
        QStringList lines;  // FormattedAddressLines of each result, joined
    };
    const Case cases[] = {
        {"Paris",
         {QString::fromUtf8("Paris, Île-de-France, France"), "Paris, Texas, United States",
          "Parisot, Occitanie, France", "Cormeilles-en-Parisis, IDF, France"}},
        {"paris, tex", {"Paris, Texas, United States"}},
        {"PARIS, united", {"Paris, Texas, United States"}},
        {"sao paulo", {QString::fromUtf8("São Paulo, Brazil")}},
        {"  ", {}},
        {"Atlantis", {}},
    };
    for (const Case& c : cases) {
        QStringList got;
        int calls = 0;
        geocoder.geocodeAddressString(c.query, [&](const QList<Placemark>& marks, const QString& error) {
            ++calls;
            EXPECT_TRUE(error.isEmpty());
            for (const Placemark& mark : marks) {
                got.append(mark.addressDictionary.value("FormattedAddressLines").toStringList().join(", "));
                EXPECT_TRUE(mark.thoroughfare.isEmpty() && mark.subThoroughfare.isEmpty());
                EXPECT_EQ(mark.locality, mark.name);
            }
        });
        EXPECT_EQ(calls, 1);
        EXPECT_EQ(got, c.lines) << c.query.toStdString();
    }
}
