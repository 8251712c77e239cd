#pragma once

#include <QString>

#include "model/MetaDataObject.h"

// The GPS position of a preset as its map shows it and as the map's pin writes it back. The record keeps
// unsigned degrees with the sign in the references; the map works with signed degrees.
class PresetMapPosition {
  public:
    struct Coordinate {
        double latitude = 0;
        double longitude = 0;
    };

    // Where the map opens: (0, 0), which shows no pin, when either value is empty.
    static Coordinate coordinateOf(const MetaDataObject& record);

    // A pin placed at a signed position: the record takes unsigned degrees ("%.8f") and "N"/"S", "E"/"W".
    static void changeLocation(MetaDataObject& record, double latitude, double longitude);
    // The pin removed: the four values become empty.
    static void removeLocation(MetaDataObject& record);
};
