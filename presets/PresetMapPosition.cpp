#include "presets/PresetMapPosition.h"

#include "platform/Numbers.h"

PresetMapPosition::Coordinate PresetMapPosition::coordinateOf(const MetaDataObject& record) {
    if (record.GPS_Lattitude.isEmpty() || record.GPS_Longitude.isEmpty()) return {};
    Coordinate c{platform::doubleValue(record.GPS_Lattitude), platform::doubleValue(record.GPS_Longitude)};
    if (record.GPS_LattitudeRef == QStringLiteral("S")) c.latitude = -c.latitude;
    if (record.GPS_LongitudeRef == QStringLiteral("W")) c.longitude = -c.longitude;
    return c;
}

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
