#pragma once

#include <QString>
#include <QUrl>

#include "platform/MapProjection.h"

namespace platform {

class UserDefaults;

// Where the map's raster tiles come from: a URL template with {z}, {x} and {y} (standard 256-pixel web-map
// tiles) and the credit line its terms ask for. An empty template means no server: the map then shows only
// its offline base.
struct TileServer {
    QString urlTemplate;
    QString attribution;
    int maxZoom = MapProjection::kMaxZoom;

    bool isEmpty() const { return urlTemplate.isEmpty(); }
    QUrl urlFor(const TileKey& key) const;
    bool operator==(const TileServer&) const = default;

    // The user-defaults keys that replace the built-in servers, and the built-in ones: road tiles from
    // OpenStreetMap; no imagery server unless the user names one (the offline Earth image serves).
    static QString roadTemplateKey() { return QStringLiteral("mapRoadTileURLTemplate"); }
    static QString roadAttributionKey() { return QStringLiteral("mapRoadTileAttribution"); }
    static QString imageryTemplateKey() { return QStringLiteral("mapImageryTileURLTemplate"); }
    static QString imageryAttributionKey() { return QStringLiteral("mapImageryTileAttribution"); }
    static TileServer road(const UserDefaults& defaults);
    static TileServer imagery(const UserDefaults& defaults);
};

}  // namespace platform
