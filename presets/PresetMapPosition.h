#pragma once

#include <QString>

#include "model/MetaDataObject.h"

// The GPS position of a preset as the map's pin writes it back (the map opens at GpsFields::positionOf).
// The record keeps unsigned degrees with the sign in the references; the map works with signed degrees. No
// change flag is set: a preset's values count where they are non-empty.
class PresetMapPosition {
  public:
    // A pin placed at a signed position: the record takes unsigned degrees ("%.8f") and "N"/"S", "E"/"W".
    static void changeLocation(MetaDataObject& record, double latitude, double longitude);
    // The pin removed: the four values become empty.
    static void removeLocation(MetaDataObject& record);
};
