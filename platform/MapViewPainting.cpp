#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

#include "platform/MapProjection.h"
#include "platform/MapView.h"

namespace platform {
namespace {

const QColor kOcean(170, 211, 223);
const QColor kPinRed(214, 48, 39);
constexpr int kMaxCityLabels = 60;
constexpr double kBaseZoom = 3;  // the offline image is the world at 2048 pixels

// Degrees between graticule lines, so that lines stand at least this far apart.
double graticuleStep(double pixelsPerDegree) {
    // Up to a half world: a small map of the whole world would otherwise crowd its labels into one another.
    static const double steps[] = {0.01, 0.02, 0.05, 0.1, 0.25, 0.5, 1, 2, 5, 10, 15, 30, 45, 90, 180};
    for (double step : steps) {
        if (step * pixelsPerDegree >= 110) return step;
    }
    return 180;
}

QString degreeText(double value, char positive, char negative) {
    const double magnitude = std::fabs(value);
    const int decimals =
        magnitude == std::floor(magnitude) ? 0 : (magnitude * 10 == std::floor(magnitude * 10) ? 1 : 2);
    QString text = QString::number(magnitude, 'f', decimals) + QChar(0x00B0);
    if (value > 0) text += QLatin1Char(positive);
    if (value < 0) text += QLatin1Char(negative);
    return text;
}

// Cities smaller than this are not named at a zoom level.
double minimumPopulation(double zoom) {
    return 6e6 / std::pow(2.6, std::max(0.0, zoom - 2));
}

void drawHaloText(QPainter& painter, const QPointF& at, const QString& text, const QColor& ink, const QColor& halo) {
    QPainterPath path;
    path.addText(at, painter.font(), text);
    painter.setPen(QPen(halo, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    painter.drawPath(path);
}

}  // namespace

double MapView::worldLeft() const {
    const double world = MapProjection::worldSize(m_view.zoom);
    const double left = width() / 2.0 - MapProjection::project(m_view.center, m_view.zoom).x();
    return left - std::ceil(left / world) * world;  // at or left of the view's left edge
}

void MapView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.fillRect(rect(), kOcean);
    paintBase(painter);
    m_allTilesDrawn = paintTiles(painter);
    if (!m_allTilesDrawn) paintGraticule(painter);
    const bool namesOnTiles = m_mapType == MapType::Standard && m_allTilesDrawn;
    if (m_mapType != MapType::Satellite && !namesOnTiles) paintCities(painter);
    paintPins(painter);
    paintControls(painter);
}

void MapView::paintBase(QPainter& painter) const {
    if (!m_base) return;
    const QImage& image = m_mapType == MapType::Standard ? m_base->road : m_base->satellite;
    if (image.isNull()) return;
    const double world = MapProjection::worldSize(m_view.zoom);
    const double top = height() / 2.0 - MapProjection::project(m_view.center, m_view.zoom).y();
    const double perSourcePixel = world / image.width();
    // Only the part of each copy of the world that is on screen is scaled.
    for (double left = worldLeft(); left < width(); left += world) {
        const QRectF copy(left, top, world, world);
        const QRectF shown = copy.intersected(QRectF(rect()));
        if (shown.isEmpty()) continue;
        const QRectF source((shown.x() - left) / perSourcePixel, (shown.y() - top) / perSourcePixel,
                            shown.width() / perSourcePixel, shown.height() / perSourcePixel);
        painter.drawImage(shown, image, source);
    }
}

bool MapView::paintTiles(QPainter& painter) {
    const TileServer server = tileServerForCurrentType();
    if (server.isEmpty()) return false;
    const int tileZoom = MapProjection::tileZoomFor(m_view.zoom, server.maxZoom);
    const double scale = std::exp2(m_view.zoom - tileZoom);
    const double tileSize = MapProjection::kTileSize * scale;
    const QPointF middle = MapProjection::project(m_view.center, tileZoom) * scale;
    const QPointF origin = QPointF(width() / 2.0, height() / 2.0) - middle;
    const int count = 1 << tileZoom;
    const int x0 = static_cast<int>(std::floor(-origin.x() / tileSize));
    const int x1 = static_cast<int>(std::ceil((width() - origin.x()) / tileSize)) - 1;
    const int y0 = std::max(0, static_cast<int>(std::floor(-origin.y() / tileSize)));
    const int y1 = std::min(count - 1, static_cast<int>(std::ceil((height() - origin.y()) / tileSize)) - 1);
    // While the map flies to a new place the tiles of the levels it passes are not worth fetching.
    const bool fetch = !isAnimating();
    bool all = true;
    bool any = false;
    QList<TileKey> wanted;
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            const TileKey key{tileZoom, ((x % count) + count) % count, y};
            const QRectF target(origin.x() + x * tileSize, origin.y() + y * tileSize, tileSize, tileSize);
            const QImage* image = fetch ? m_tiles->tile(server, key) : m_tiles->cachedTile(server, key);
            wanted.append(key);
            if (image) {
                painter.drawImage(target.adjusted(0, 0, 0.5, 0.5), *image);
                any = true;
                continue;
            }
            all = false;
            // A coarser tile already at hand stands in until this one arrives.
            for (int up = 1; up <= 3 && key.z - up >= 0; ++up) {
                const TileKey parent{key.z - up, key.x >> up, key.y >> up};
                const QImage* coarse = m_tiles->cachedTile(server, parent);
                if (!coarse) continue;
                const double part = double(MapProjection::kTileSize) / (1 << up);
                const QRectF source((key.x - (parent.x << up)) * part, (key.y - (parent.y << up)) * part, part, part);
                painter.drawImage(target.adjusted(0, 0, 0.5, 0.5), *coarse, source);
                break;
            }
        }
    }
    if (fetch) m_tiles->keepOnly(server, wanted);
    if (any) paintAttribution(painter, server.attribution);
    return all;
}

void MapView::paintGraticule(QPainter& painter) const {
    const double world = MapProjection::worldSize(m_view.zoom);
    const double step = graticuleStep(world / 360);
    const bool dark = m_mapType != MapType::Standard;
    const QColor line = dark ? QColor(255, 255, 255, 70) : QColor(60, 90, 120, 60);
    const QColor ink = dark ? QColor(255, 255, 255, 200) : QColor(50, 70, 90, 220);
    QFont font = painter.font();
    font.setPointSizeF(7.5);
    painter.setFont(font);
    const GeoCoordinate topLeft = coordinateForPoint({0, 0});
    const GeoCoordinate bottomRight = coordinateForPoint(QPointF(width(), height()));
    // Meridians: walk the visible width in steps, labelled along the bottom edge (the top often holds
    // the owner's controls).
    const double westmost = std::floor((m_view.center.longitude - width() / 2.0 / (world / 360)) / step) * step;
    for (double lon = westmost; lon <= westmost + width() / (world / 360) + step; lon += step) {
        const double x = width() / 2.0 + (lon - m_view.center.longitude) * world / 360;
        if (x < 0 || x > width()) continue;
        painter.setPen(QPen(line, 1));
        painter.drawLine(QPointF(x, 0), QPointF(x, height()));
        painter.setPen(ink);
        painter.drawText(QPointF(x + 3, height() - 4), degreeText(std::remainder(lon, 360), 'E', 'W'));
    }
    // Parallels, labelled along the left edge.
    const double southmost = std::floor(bottomRight.latitude / step) * step;
    for (double lat = southmost; lat <= topLeft.latitude + step; lat += step) {
        if (std::fabs(lat) > MapProjection::kMaxLatitude) continue;
        const double y = pointForCoordinate({lat, m_view.center.longitude}).y();
        if (y < 0 || y > height()) continue;
        painter.setPen(QPen(line, 1));
        painter.drawLine(QPointF(0, y), QPointF(width(), y));
        painter.setPen(ink);
        painter.drawText(QPointF(3, y - 3), degreeText(lat, 'N', 'S'));
    }
}

void MapView::paintCities(QPainter& painter) const {
    if (!m_base) return;
    const bool dark = m_mapType != MapType::Standard;
    const QColor ink = dark ? QColor(255, 255, 255) : QColor(40, 40, 40);
    const QColor halo = dark ? QColor(0, 0, 0, 160) : QColor(255, 255, 255, 220);
    QFont font = painter.font();
    font.setPointSizeF(8.5);
    painter.setFont(font);
    const QFontMetricsF metrics(font);
    const double floor = minimumPopulation(m_view.zoom);
    const QRectF view = QRectF(rect()).adjusted(-20, -20, 20, 20);
    QList<QRectF> taken;
    for (const OfflineEarth::City& city : m_base->cities) {
        if (city.population < floor || taken.size() >= kMaxCityLabels) break;
        const QPointF at = pointForCoordinate({city.latitude, city.longitude});
        if (!view.contains(at)) continue;
        const QRectF label(at.x() + 4, at.y() - metrics.ascent() / 2 - 1, metrics.horizontalAdvance(city.name) + 2,
                           metrics.height());
        const QRectF claim = label.united(QRectF(at.x() - 3, at.y() - 3, 6, 6)).adjusted(-3, -2, 3, 2);
        if (std::any_of(taken.begin(), taken.end(), [&claim](const QRectF& r) { return r.intersects(claim); }))
            continue;
        taken.append(claim);
        painter.setPen(QPen(halo, 1.5));
        painter.setBrush(ink);
        painter.drawEllipse(at, 2.5, 2.5);
        drawHaloText(painter, QPointF(label.x(), at.y() + metrics.ascent() / 2 - 1), city.name, ink, halo);
    }
}

void MapView::paintPins(QPainter& painter) const {
    for (int i = 0; i < m_annotations.size(); ++i) {
        const QRectF r = pinRect(i);
        const QPointF tip(r.center().x(), r.bottom());
        const double radius = r.width() / 2 - 1;
        const QPointF head(tip.x(), r.top() + radius + 1);
        // Shadow, then the pin: a round head tapering to the point that marks the place.
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0, 0, 0, 60));
        painter.drawEllipse(tip, 6, 2.5);
        QPainterPath pin;
        pin.moveTo(tip);
        pin.cubicTo(tip.x() - 2, tip.y() - 10, head.x() - radius, head.y() + radius * 0.7, head.x() - radius, head.y());
        pin.arcTo(QRectF(head.x() - radius, head.y() - radius, 2 * radius, 2 * radius), 180, -180);
        pin.cubicTo(head.x() + radius, head.y() + radius * 0.7, tip.x() + 2, tip.y() - 10, tip.x(), tip.y());
        painter.setPen(QPen(kPinRed.darker(140), 1));
        painter.setBrush(i == m_selected ? kPinRed.lighter(115) : kPinRed);
        painter.drawPath(pin);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::white);
        painter.drawEllipse(head, radius * 0.38, radius * 0.38);
    }
}

void MapView::paintControls(QPainter& painter) const {
    const QColor face(255, 255, 255, 230);
    const QColor edge(0, 0, 0, 70);
    const QColor ink(60, 60, 60);
    if (m_showsZoomControls) {
        for (const QRectF& r : {zoomInRect(), zoomOutRect()}) {
            painter.setPen(QPen(edge, 1));
            painter.setBrush(face);
            painter.drawRoundedRect(r, 4, 4);
            painter.setPen(QPen(ink, 2));
            painter.drawLine(QPointF(r.left() + 8, r.center().y()), QPointF(r.right() - 8, r.center().y()));
            if (r == zoomInRect())
                painter.drawLine(QPointF(r.center().x(), r.top() + 8), QPointF(r.center().x(), r.bottom() - 8));
        }
    }
    if (m_showsCompass) {
        // The map never turns, so north is always up. It stands above the zoom controls.
        const QPointF c(zoomInRect().center().x(), zoomInRect().top() - 22);
        painter.setPen(QPen(edge, 1));
        painter.setBrush(face);
        painter.drawEllipse(c, 14, 14);
        QPolygonF north({c + QPointF(0, -10), c + QPointF(4, 0), c + QPointF(-4, 0)});
        QPolygonF south({c + QPointF(0, 10), c + QPointF(4, 0), c + QPointF(-4, 0)});
        painter.setPen(Qt::NoPen);
        painter.setBrush(kPinRed);
        painter.drawPolygon(north);
        painter.setBrush(QColor(150, 150, 150));
        painter.drawPolygon(south);
    }
}

void MapView::paintAttribution(QPainter& painter, const QString& text) const {
    if (text.isEmpty()) return;
    QFont font = painter.font();
    font.setPointSizeF(7.5);
    painter.setFont(font);
    const QFontMetricsF metrics(font);
    const QRectF box(0, height() - metrics.height() - 2, metrics.horizontalAdvance(text) + 8, metrics.height() + 2);
    painter.fillRect(box, QColor(255, 255, 255, 190));
    painter.setPen(QColor(50, 50, 50));
    painter.drawText(box, Qt::AlignCenter, text);
}

}  // namespace platform
