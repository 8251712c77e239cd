#pragma once

#include <QFuture>
#include <QImage>
#include <QString>

#include <memory>
#include <vector>

namespace platform {

// The map that needs no network: the whole Earth from Debian's xplanet imagery (a public-domain 2048 by
// 1024 image in plate carrée), reprojected once to the web-map projection, in a satellite and a paler road
// look, and the gazetteer's cities for labels, biggest first.
class OfflineEarth {
  public:
    struct City {
        QString name;
        double latitude = 0;
        double longitude = 0;
        qint64 population = 0;
    };
    struct Base {
        QImage satellite;  // web-map projection, the whole world, square; null when the image is missing
        QImage road;
        std::vector<City> cities;  // by population, biggest first
    };

    static QString defaultImagePath() { return QStringLiteral("/usr/share/xplanet/images/earth.jpg"); }

    // Reads and converts the image on a background thread once per process; every map shares the result.
    static QFuture<std::shared_ptr<const Base>> shared();

    // The work itself, for any image path; a missing or unreadable image gives null images.
    static std::shared_ptr<const Base> load(const QString& imagePath, bool withCities);
    // Plate carrée (equirectangular) to web-map projection, side = the source's width.
    static QImage toMercator(const QImage& plateCarree);
    // The road look: water and land in flat map colours, relief kept faintly.
    static QImage roadLook(const QImage& satellite);
};

}  // namespace platform
