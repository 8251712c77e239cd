#pragma once

#include <QList>
#include <QPointF>
#include <QSizeF>

#include "platform/GeoCoordinate.h"

namespace platform {

// One web-map tile: zoom level and column and row of the 2^z by 2^z grid.
struct TileKey {
    int z = 0;
    int x = 0;
    int y = 0;
    bool operator==(const TileKey&) const = default;
};

// The spherical Mercator projection of web maps: at zoom z the world is a square of 256 * 2^z pixels,
// longitude -180 at the left edge, latitude +85.0511 at the top. Zoom may be fractional; tiles exist
// for whole zoom levels only.
class MapProjection {
  public:
    static constexpr int kTileSize = 256;
    static constexpr double kMaxLatitude = 85.0511287798066;
    static constexpr int kMaxZoom = 19;

    static double worldSize(double zoom);
    // World pixels at zoom; x grows eastwards from the antimeridian, y southwards from the top.
    static QPointF project(const GeoCoordinate& coordinate, double zoom);
    // Longitude wrapped into [-180, 180); latitude clamped to the projection's range.
    static GeoCoordinate unproject(const QPointF& worldPoint, double zoom);

    // The smallest zoom at which the world is as tall as the view: nothing beyond the poles shows.
    static double minimumZoom(const QSizeF& viewSize);
    static double clampZoom(double zoom, const QSizeF& viewSize);
    // The zoom at which the whole region fits the view.
    static double zoomToFit(const CoordinateSpan& span, const GeoCoordinate& center, const QSizeF& viewSize);
    // Keeps the view's top and bottom within the world (or centres the world when it is shorter).
    static GeoCoordinate constrainCenter(const GeoCoordinate& center, double zoom, const QSizeF& viewSize);
    // What a view of this size shows around center; the longitude span is at most 360.
    static CoordinateRegion visibleRegion(const GeoCoordinate& center, double zoom, const QSizeF& viewSize);

    // The tile level drawn for a zoom, and the tiles of that level the view needs (x wrapped into the grid,
    // each tile once, nearest the centre first).
    static int tileZoomFor(double zoom, int maxZoom = kMaxZoom);
    static QList<TileKey> visibleTiles(const GeoCoordinate& center, double zoom, const QSizeF& viewSize, int tileZoom);
};

}  // namespace platform
