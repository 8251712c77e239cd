#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <functional>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

namespace platform {

// One named place of the offline gazetteer.
struct GeoPlace {
    QString name;
    QString state;
    QString country;
    double latitude = 0;
    double longitude = 0;
    qint64 population = 0;
};

// A place as the geocoder describes it. A city gazetteer knows no streets: thoroughfare and
// subThoroughfare stay empty; the city is the locality. The address dictionary carries
// "FormattedAddressLines" (the city, its state when that differs, the country) and the keys of
// ReverseGeocoder::addressDictionary.
struct Placemark {
    double latitude = 0;
    double longitude = 0;
    QString name;
    QString thoroughfare;
    QString subThoroughfare;
    QString locality;
    QString subAdministrativeArea;
    QString administrativeArea;
    QString country;
    QVariantMap addressDictionary;
};

// Answers a position with the address of the nearest known place. The answer handler runs exactly once per
// request: with an address dictionary (keys "Name", "City", "State", "Country"), with no address when no
// place lies within reach, or with an error text.
class ReverseGeocoding {
  public:
    using Completion = std::function<void(const std::optional<QVariantMap>& address, const QString& error)>;
    virtual ~ReverseGeocoding() = default;
    virtual void reverseGeocodeLocation(double latitude, double longitude, Completion completion) = 0;
};

// Works offline from the cities the system's geonames data knows. The index is built once; each look-up
// only visits the grid cells around the position.
class ReverseGeocoder : public ReverseGeocoding {
  public:
    // Places farther than this are not "here": a photo in mid-ocean has no place name.
    static constexpr double kDefaultReachKm = 100.0;

    explicit ReverseGeocoder(std::vector<GeoPlace> places, double reachKm = kDefaultReachKm);
    // The gazetteer shipped with the system, loaded on first use from any thread.
    static ReverseGeocoder& shared();

    void reverseGeocodeLocation(double latitude, double longitude, Completion completion) override;
    std::optional<GeoPlace> nearestPlace(double latitude, double longitude) const;
    static QVariantMap addressDictionary(const GeoPlace& place);
    std::size_t placeCount() const { return m_places.size(); }
    const std::vector<GeoPlace>& places() const { return m_places; }

    // Forward search: the places whose name, or a word of it, starts with the text before the first comma,
    // ignoring case and accents; further parts after commas must start the state's or the country's name.
    // Exact names come first, then names that start with the text, then the rest; bigger places first
    // within each. At most kMaxSearchResults; an empty text finds nothing.
    static constexpr int kMaxSearchResults = 10;
    using SearchCompletion = std::function<void(const QList<Placemark>& placemarks, const QString& error)>;
    void geocodeAddressString(const QString& text, SearchCompletion completion) const;
    QList<Placemark> searchPlaces(const QString& text) const;
    // The placemark of the place nearest a position, as reverseGeocodeLocation finds it.
    using PlacemarkCompletion = std::function<void(const QList<Placemark>& placemarks, const QString& error)>;
    void reverseGeocodePlacemarks(double latitude, double longitude, PlacemarkCompletion completion) const;
    static Placemark placemark(const GeoPlace& place);

  private:
    static long long cellKey(int latCell, int lonCell);
    static std::vector<GeoPlace> loadSystemPlaces();

    std::vector<GeoPlace> m_places;
    // Place names folded for search (lower case, no accents), index for index with m_places.
    std::vector<QString> m_foldedNames;
    std::unordered_map<long long, std::vector<std::size_t>> m_grid;
    double m_reachKm;
};

}  // namespace platform
