#pragma once

#include <QString>

#include "editor/EditSession.h"
#include "platform/GeoCoordinate.h"

// The form's GPS position between its four fields and the map: latitude and longitude as unsigned decimal
// text, each with a reference that carries the hemisphere.
class GpsFields {
  public:
    // What the four fields show after the map reported.
    struct Shown {
        QString latitude;
        QString latitudeRef;  // the reference's label: "North", "South" or "Leave Blank"
        QString longitude;
        QString longitudeRef;  // "East", "West" or "Leave Blank"
    };

    // The record's position for the map: (0, 0), which shows no pin, when either coordinate is empty; a
    // text that is no number counts as 0. Only "S" and "W" turn the sign.
    static platform::GeoCoordinate positionOf(const MetaDataObject& record);
    // A position from the map becomes an edit of the four fields (eight decimals, references N/S, E/W).
    static Shown changeLocation(EditSession& session, double latitude, double longitude);
    // The pin was removed: the four fields are emptied, and that counts as an edit of them.
    static Shown removeLocation(EditSession& session);
};
