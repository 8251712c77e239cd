#pragma once

#include <QString>
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

  private:
    static long long cellKey(int latCell, int lonCell);
    static std::vector<GeoPlace> loadSystemPlaces();

    std::vector<GeoPlace> m_places;
    std::unordered_map<long long, std::vector<std::size_t>> m_grid;
    double m_reachKm;
};

}  // namespace platform
