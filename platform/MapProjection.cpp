#include "platform/MapProjection.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace platform {
namespace {

constexpr double kPi = std::numbers::pi;

double mercatorY(double latitude) {
    const double lat = std::clamp(latitude, -MapProjection::kMaxLatitude, MapProjection::kMaxLatitude) * kPi / 180;
    return 0.5 - std::log(std::tan(kPi / 4 + lat / 2)) / (2 * kPi);  // 0 at the top, 1 at the bottom
}

double latitudeOf(double y) {
    return std::atan(std::sinh(kPi * (1 - 2 * y))) * 180 / kPi;
}

}  // namespace

double MapProjection::worldSize(double zoom) {
    return kTileSize * std::exp2(zoom);
}

QPointF MapProjection::project(const GeoCoordinate& coordinate, double zoom) {
    const double size = worldSize(zoom);
    return {(coordinate.longitude + 180) / 360 * size, mercatorY(coordinate.latitude) * size};
}

GeoCoordinate MapProjection::unproject(const QPointF& worldPoint, double zoom) {
    const double size = worldSize(zoom);
    double longitude = std::fmod(worldPoint.x() / size * 360, 360);
    if (longitude < 0) longitude += 360;
    const double y = std::clamp(worldPoint.y() / size, 0.0, 1.0);
    return {latitudeOf(y), longitude - 180};
}

double MapProjection::minimumZoom(const QSizeF& viewSize) {
    return std::log2(std::max(viewSize.height(), 1.0) / kTileSize);
}

double MapProjection::clampZoom(double zoom, const QSizeF& viewSize) {
    return std::clamp(zoom, minimumZoom(viewSize), double(kMaxZoom));
}

double MapProjection::zoomToFit(const CoordinateSpan& span, const GeoCoordinate& center, const QSizeF& viewSize) {
    // Fractions of the world's width and height the span covers; a span of the whole world or more
    // covers it all.
    const double xFraction = std::clamp(span.longitudeDelta / 360, 1e-9, 1.0);
    double yFraction = 1;
    if (span.latitudeDelta < 180) {
        const double top = mercatorY(center.latitude + span.latitudeDelta / 2);
        const double bottom = mercatorY(center.latitude - span.latitudeDelta / 2);
        yFraction = std::clamp(bottom - top, 1e-9, 1.0);
    }
    const double zoomX = std::log2(std::max(viewSize.width(), 1.0) / (kTileSize * xFraction));
    const double zoomY = std::log2(std::max(viewSize.height(), 1.0) / (kTileSize * yFraction));
    return clampZoom(std::min(zoomX, zoomY), viewSize);
}

GeoCoordinate MapProjection::constrainCenter(const GeoCoordinate& center, double zoom, const QSizeF& viewSize) {
    const double size = worldSize(zoom);
    QPointF point = project(center, zoom);
    const double half = viewSize.height() / 2;
    point.setY(size <= viewSize.height() ? size / 2 : std::clamp(point.y(), half, size - half));
    GeoCoordinate constrained = unproject(point, zoom);
    constrained.longitude = center.longitude;
    return constrained;
}

CoordinateRegion MapProjection::visibleRegion(const GeoCoordinate& center, double zoom, const QSizeF& viewSize) {
    const QPointF middle = project(center, zoom);
    const double size = worldSize(zoom);
    const double top = std::max(middle.y() - viewSize.height() / 2, 0.0);
    const double bottom = std::min(middle.y() + viewSize.height() / 2, size);
    CoordinateRegion region;
    region.center = center;
    region.span.latitudeDelta = latitudeOf(top / size) - latitudeOf(bottom / size);
    region.span.longitudeDelta = std::min(360.0, viewSize.width() / size * 360);
    return region;
}

int MapProjection::tileZoomFor(double zoom, int maxZoom) {
    // Rounded: a tile is drawn at most about 1.4 times larger or smaller than it was made.
    return std::clamp(static_cast<int>(std::lround(zoom)), 0, maxZoom);
}

QList<TileKey> MapProjection::visibleTiles(const GeoCoordinate& center, double zoom, const QSizeF& viewSize,
                                           int tileZoom) {
    const double scale = std::exp2(zoom - tileZoom);
    const QPointF middle = project(center, tileZoom);
    const double halfW = viewSize.width() / 2 / scale;
    const double halfH = viewSize.height() / 2 / scale;
    const int count = 1 << tileZoom;
    const int x0 = static_cast<int>(std::floor((middle.x() - halfW) / kTileSize));
    // A tile that only touches the view's far edge shows nothing of itself.
    const int x1 = static_cast<int>(std::ceil((middle.x() + halfW) / kTileSize)) - 1;
    const int y0 = std::max(0, static_cast<int>(std::floor((middle.y() - halfH) / kTileSize)));
    const int y1 = std::min(count - 1, static_cast<int>(std::ceil((middle.y() + halfH) / kTileSize)) - 1);
    struct Candidate {
        TileKey key;
        double distance;
    };
    QList<Candidate> candidates;
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            const TileKey key{tileZoom, ((x % count) + count) % count, y};
            const bool seen =
                std::any_of(candidates.begin(), candidates.end(), [&key](const Candidate& c) { return c.key == key; });
            if (seen) continue;
            const double dx = (x + 0.5) * kTileSize - middle.x();
            const double dy = (y + 0.5) * kTileSize - middle.y();
            candidates.append({key, dx * dx + dy * dy});
        }
    }
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const Candidate& a, const Candidate& b) { return a.distance < b.distance; });
    QList<TileKey> tiles;
    for (const Candidate& c : candidates) tiles.append(c.key);
    return tiles;
}

}  // namespace platform
