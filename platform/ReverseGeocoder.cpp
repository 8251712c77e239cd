#include "platform/ReverseGeocoder.h"

// GLib names a struct member "signals", which Qt defines as a keyword.
#pragma push_macro("signals")
#undef signals
#include <geonames/geonames.h>
#pragma pop_macro("signals")

#include <algorithm>
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

// Lower case without accents, so "sao paulo" finds "São Paulo".
QString foldForSearch(const QString& text) {
    const QString decomposed = text.normalized(QString::NormalizationForm_D);
    QString folded;
    folded.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        if (c.category() != QChar::Mark_NonSpacing) folded.append(c.toCaseFolded());
    }
    return folded.simplified();
}

// 0 the whole name, 1 the name's start, 2 the start of a later word of it; -1 no match.
int matchRank(const QString& foldedName, const QString& query) {
    if (foldedName == query) return 0;
    if (foldedName.startsWith(query)) return 1;
    for (qsizetype i = 1; i < foldedName.size(); ++i) {
        const QChar before = foldedName.at(i - 1);
        if (!before.isLetterOrNumber() && QStringView(foldedName).mid(i).startsWith(query)) return 2;
    }
    return -1;
}

}  // namespace

ReverseGeocoder::ReverseGeocoder(std::vector<GeoPlace> places, double reachKm)
    : m_places(std::move(places)), m_reachKm(reachKm) {
    m_foldedNames.reserve(m_places.size());
    for (std::size_t i = 0; i < m_places.size(); ++i) {
        m_grid[cellKey(cellOf(m_places[i].latitude), cellOf(m_places[i].longitude))].push_back(i);
        m_foldedNames.push_back(foldForSearch(m_places[i].name));
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
                          geonames_city_get_longitude(city), geonames_city_get_population(city)});
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

Placemark ReverseGeocoder::placemark(const GeoPlace& place) {
    Placemark mark;
    mark.latitude = place.latitude;
    mark.longitude = place.longitude;
    mark.name = place.name;
    mark.locality = place.name;
    mark.administrativeArea = place.state;
    mark.country = place.country;
    QStringList lines{place.name};
    if (!place.state.isEmpty() && place.state != place.name) lines.append(place.state);
    if (!place.country.isEmpty()) lines.append(place.country);
    mark.addressDictionary = addressDictionary(place);
    mark.addressDictionary.insert(QStringLiteral("FormattedAddressLines"), lines);
    return mark;
}

QList<Placemark> ReverseGeocoder::searchPlaces(const QString& text) const {
    const QStringList parts = text.split(QLatin1Char(','));
    const QString query = foldForSearch(parts.value(0));
    if (query.isEmpty()) return {};
    QStringList qualifiers;
    for (qsizetype i = 1; i < parts.size(); ++i) {
        const QString folded = foldForSearch(parts.at(i));
        if (!folded.isEmpty()) qualifiers.append(folded);
    }
    struct Hit {
        int rank;
        std::size_t index;
    };
    std::vector<Hit> hits;
    for (std::size_t i = 0; i < m_places.size(); ++i) {
        const int rank = matchRank(m_foldedNames[i], query);
        if (rank < 0) continue;
        const GeoPlace& place = m_places[i];
        const bool qualified = std::all_of(qualifiers.begin(), qualifiers.end(), [&place](const QString& q) {
            return foldForSearch(place.state).startsWith(q) || foldForSearch(place.country).startsWith(q);
        });
        if (qualified) hits.push_back({rank, i});
    }
    std::stable_sort(hits.begin(), hits.end(), [this](const Hit& a, const Hit& b) {
        if (a.rank != b.rank) return a.rank < b.rank;
        return m_places[a.index].population > m_places[b.index].population;
    });
    QList<Placemark> found;
    for (std::size_t i = 0; i < hits.size() && found.size() < kMaxSearchResults; ++i)
        found.append(placemark(m_places[hits[i].index]));
    return found;
}

void ReverseGeocoder::geocodeAddressString(const QString& text, SearchCompletion completion) const {
    if (!completion) return;
    completion(searchPlaces(text), QString());
}

void ReverseGeocoder::reverseGeocodePlacemarks(double latitude, double longitude,
                                               PlacemarkCompletion completion) const {
    if (!completion) return;
    const auto place = nearestPlace(latitude, longitude);
    if (!place) {
        completion({}, QStringLiteral("No known place lies within reach of this position."));
        return;
    }
    completion({placemark(*place)}, QString());
}

}  // namespace platform
