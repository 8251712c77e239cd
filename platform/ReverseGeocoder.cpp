#include "platform/ReverseGeocoder.h"

// GLib names a struct member "signals", which Qt defines as a keyword.
#pragma push_macro("signals")
#undef signals
#include <geonames/geonames.h>
#pragma pop_macro("signals")

#include <cmath>

namespace platform {
namespace {

constexpr double kEarthRadiusKm = 6371.0;
constexpr double kCellDegrees = 1.0;
constexpr double kKmPerDegree = 111.32;

double distanceKm(double lat1, double lon1, double lat2, double lon2) {
    const double toRad = M_PI / 180.0;
    const double dLat = (lat2 - lat1) * toRad;
    const double dLon = (lon2 - lon1) * toRad;
    const double a = std::sin(dLat / 2) * std::sin(dLat / 2) +
                     std::cos(lat1 * toRad) * std::cos(lat2 * toRad) * std::sin(dLon / 2) * std::sin(dLon / 2);
    return 2 * kEarthRadiusKm * std::asin(std::min(1.0, std::sqrt(a)));
}

int cellOf(double degrees) {
    return static_cast<int>(std::floor(degrees / kCellDegrees));
}

// The gazetteer names French regions in English with a trailing "Region"; people know them without it.
QString stateName(const char* state, const char* countryCode) {
    QString name = QString::fromUtf8(state);
    if (qstrcmp(countryCode, "FR") == 0 && name.endsWith(QLatin1String(" Region"))) name.chop(7);
    return name;
}

}  // namespace

ReverseGeocoder::ReverseGeocoder(std::vector<GeoPlace> places, double reachKm)
    : m_places(std::move(places)), m_reachKm(reachKm) {
    for (std::size_t i = 0; i < m_places.size(); ++i) {
        m_grid[cellKey(cellOf(m_places[i].latitude), cellOf(m_places[i].longitude))].push_back(i);
    }
}

ReverseGeocoder& ReverseGeocoder::shared() {
    static ReverseGeocoder geocoder(loadSystemPlaces());
    return geocoder;
}

std::vector<GeoPlace> ReverseGeocoder::loadSystemPlaces() {
    std::vector<GeoPlace> places;
    const int count = geonames_get_n_cities();
    places.reserve(static_cast<std::size_t>(std::max(count, 0)));
    for (int i = 0; i < count; ++i) {
        GeonamesCity* city = geonames_get_city(i);
        if (!city) continue;
        places.push_back({QString::fromUtf8(geonames_city_get_name(city)),
                          stateName(geonames_city_get_state(city), geonames_city_get_country_code(city)),
                          QString::fromUtf8(geonames_city_get_country(city)), geonames_city_get_latitude(city),
                          geonames_city_get_longitude(city)});
        geonames_city_free(city);
    }
    return places;
}

long long ReverseGeocoder::cellKey(int latCell, int lonCell) {
    // Longitude wraps at the antimeridian.
    const int wrapped = ((lonCell % 360) + 360) % 360;
    return static_cast<long long>(latCell) * 1000 + wrapped;
}

std::optional<GeoPlace> ReverseGeocoder::nearestPlace(double latitude, double longitude) const {
    if (!std::isfinite(latitude) || !std::isfinite(longitude) || std::fabs(latitude) > 90 ||
        std::fabs(longitude) > 180) {
        return std::nullopt;
    }
    const int latReach = static_cast<int>(std::ceil(m_reachKm / (kKmPerDegree * kCellDegrees)));
    const double shrink = std::max(std::cos(std::min(std::fabs(latitude) + latReach, 89.0) * M_PI / 180.0), 0.01);
    const int lonReach = std::min(180, static_cast<int>(std::ceil(m_reachKm / (kKmPerDegree * shrink))));
    const int latCell = cellOf(latitude);
    const int lonCell = cellOf(longitude);
    const GeoPlace* best = nullptr;
    double bestDistance = m_reachKm;
    for (int dLat = -latReach; dLat <= latReach; ++dLat) {
        for (int dLon = -lonReach; dLon <= lonReach; ++dLon) {
            const auto cell = m_grid.find(cellKey(latCell + dLat, lonCell + dLon));
            if (cell == m_grid.end()) continue;
            for (const std::size_t index : cell->second) {
                const GeoPlace& place = m_places[index];
                const double d = distanceKm(latitude, longitude, place.latitude, place.longitude);
                if (d <= bestDistance) {
                    bestDistance = d;
                    best = &place;
                }
            }
        }
    }
    if (!best) return std::nullopt;
    return *best;
}

QVariantMap ReverseGeocoder::addressDictionary(const GeoPlace& place) {
    // A city gazetteer has no finer place than the city itself, so the place name is the city's.
    return {{"Name", place.name}, {"City", place.name}, {"State", place.state}, {"Country", place.country}};
}

void ReverseGeocoder::reverseGeocodeLocation(double latitude, double longitude, Completion completion) {
    if (!completion) return;
    const auto place = nearestPlace(latitude, longitude);
    completion(place ? std::optional<QVariantMap>(addressDictionary(*place)) : std::nullopt, QString());
}

}  // namespace platform
