#include "platform/OfflineEarth.h"

#include <QMutex>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>

#include "platform/Log.h"
#include "platform/MapProjection.h"
#include "platform/ReverseGeocoder.h"

namespace platform {
namespace {

constexpr double kPi = std::numbers::pi;

// Blue Marble water is dark and blue; land is green, brown or white.
bool looksLikeWater(QRgb pixel) {
    const int r = qRed(pixel), g = qGreen(pixel), b = qBlue(pixel);
    return b > r + 8 && b >= g - 4 && r + g + b < 3 * 110;
}

}  // namespace

QImage OfflineEarth::toMercator(const QImage& plateCarree) {
    if (plateCarree.isNull()) return {};
    const QImage source = plateCarree.convertToFormat(QImage::Format_RGB32);
    const int side = source.width();
    QImage out(side, side, QImage::Format_RGB32);
    for (int y = 0; y < side; ++y) {
        // The latitude at the middle of this output row, then the source row holding it.
        const double mercator = kPi * (1 - 2 * (y + 0.5) / side);
        const double latitude = std::atan(std::sinh(mercator)) * 180 / kPi;
        const int row = std::clamp(static_cast<int>((90 - latitude) / 180 * source.height()), 0, source.height() - 1);
        std::copy_n(reinterpret_cast<const QRgb*>(source.constScanLine(row)), side,
                    reinterpret_cast<QRgb*>(out.scanLine(y)));
    }
    return out;
}

QImage OfflineEarth::roadLook(const QImage& satellite) {
    if (satellite.isNull()) return {};
    QImage out(satellite.size(), QImage::Format_RGB32);
    const QColor water(170, 211, 223);
    const QColor land(242, 239, 233);
    for (int y = 0; y < satellite.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(satellite.constScanLine(y));
        auto* target = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < satellite.width(); ++x) {
            const QRgb p = in[x];
            if (looksLikeWater(p)) {
                target[x] = water.rgb();
                continue;
            }
            // A trace of the land's own brightness keeps mountains, deserts and ice readable.
            const int grey = qGray(p);
            const auto shade = [grey](int base) { return std::clamp(base - 24 + grey / 8, 0, 255); };
            target[x] = qRgb(shade(land.red()), shade(land.green()), shade(land.blue()));
        }
    }
    return out;
}

std::shared_ptr<const OfflineEarth::Base> OfflineEarth::load(const QString& imagePath, bool withCities) {
    auto base = std::make_shared<Base>();
    const QImage plate(imagePath);
    if (plate.isNull()) {
        qCInfo(lcPlatform).noquote() << "Offline map image not found:" << imagePath;
    } else {
        base->satellite = toMercator(plate);
        base->road = roadLook(base->satellite);
    }
    if (withCities) {
        for (const GeoPlace& place : ReverseGeocoder::shared().places())
            base->cities.push_back({place.name, place.latitude, place.longitude, place.population});
        std::stable_sort(base->cities.begin(), base->cities.end(),
                         [](const City& a, const City& b) { return a.population > b.population; });
    }
    return base;
}

QFuture<std::shared_ptr<const OfflineEarth::Base>> OfflineEarth::shared() {
    static QMutex mutex;
    static std::optional<QFuture<std::shared_ptr<const Base>>> future;
    QMutexLocker lock(&mutex);
    if (!future) future = QtConcurrent::run([] { return load(defaultImagePath(), true); });
    return *future;
}

}  // namespace platform
