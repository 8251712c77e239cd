#include "presets/PresetMapPosition.h"

#include "platform/Numbers.h"

void PresetMapPosition::changeLocation(MetaDataObject& record, double latitude, double longitude) {
    record.GPS_LattitudeRef = latitude < 0 ? QStringLiteral("S") : QStringLiteral("N");
    record.GPS_LongitudeRef = longitude < 0 ? QStringLiteral("W") : QStringLiteral("E");
    record.GPS_Lattitude = platform::formatFixed(latitude < 0 ? -latitude : latitude, 8);
    record.GPS_Longitude = platform::formatFixed(longitude < 0 ? -longitude : longitude, 8);
}

void PresetMapPosition::removeLocation(MetaDataObject& record) {
    record.GPS_Lattitude = QStringLiteral("");
    record.GPS_Longitude = QStringLiteral("");
    record.GPS_LattitudeRef = QStringLiteral("");
    record.GPS_LongitudeRef = QStringLiteral("");
}
