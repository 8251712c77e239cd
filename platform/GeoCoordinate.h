#pragma once

namespace platform {

// A position in signed decimal degrees: south and west are negative.
struct GeoCoordinate {
    double latitude = 0;
    double longitude = 0;

    // Within ±90 degrees of latitude and ±180 of longitude (NaN is never valid).
    bool isValid() const { return latitude >= -90 && latitude <= 90 && longitude >= -180 && longitude <= 180; }
    bool operator==(const GeoCoordinate&) const = default;
};

// The extent of a map area in degrees.
struct CoordinateSpan {
    double latitudeDelta = 0;
    double longitudeDelta = 0;
    bool operator==(const CoordinateSpan&) const = default;
};

struct CoordinateRegion {
    GeoCoordinate center;
    CoordinateSpan span;
    bool operator==(const CoordinateRegion&) const = default;
};

}  // namespace platform
