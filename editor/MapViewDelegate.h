#pragma once

#include <QString>

// Hears the location picker. Both messages are optional: the defaults do nothing.
class MapViewDelegate {
  public:
    virtual ~MapViewDelegate() = default;
    // The pin was placed, dragged or chosen here; signed decimal degrees (south and west negative). Pins
    // carry no title, so title is null.
    virtual void changeLocationToTitle(const QString& title, double latitude, double longitude) {
        (void)title, (void)latitude, (void)longitude;
    }
    // The user removed the pin.
    virtual void removeLocationCoordinates() {}
};
