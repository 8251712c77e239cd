#include "editor/GpsFields.h"

#include <cmath>

#include "platform/Numbers.h"

namespace {

const QString kLeaveBlank = QStringLiteral("Leave Blank");

}  // namespace

platform::GeoCoordinate GpsFields::positionOf(const MetaDataObject& record) {
    if (record.GPS_Lattitude.isEmpty() || record.GPS_Longitude.isEmpty()) return {};
    double latitude = platform::doubleValue(record.GPS_Lattitude);
    double longitude = platform::doubleValue(record.GPS_Longitude);
    if (record.GPS_LattitudeRef == QLatin1String("S")) latitude = -latitude;
    if (record.GPS_LongitudeRef == QLatin1String("W")) longitude = -longitude;
    return {latitude, longitude};
}

GpsFields::Shown GpsFields::changeLocation(EditSession& session, double latitude, double longitude) {
    const bool south = latitude < 0;
    const bool west = longitude < 0;
    Shown shown;
    shown.latitudeRef = south ? QStringLiteral("South") : QStringLiteral("North");
    shown.longitudeRef = west ? QStringLiteral("West") : QStringLiteral("East");
    shown.latitude = platform::formatFixed(std::fabs(latitude), 8);
    shown.longitude = platform::formatFixed(std::fabs(longitude), 8);
    session.editMapFields({{&MetaDataObject::GPS_Lattitude, shown.latitude},
                           {&MetaDataObject::GPS_Longitude, shown.longitude},
                           {&MetaDataObject::GPS_LattitudeRef, south ? QStringLiteral("S") : QStringLiteral("N")},
                           {&MetaDataObject::GPS_LongitudeRef, west ? QStringLiteral("W") : QStringLiteral("E")}});
    return shown;
}

GpsFields::Shown GpsFields::removeLocation(EditSession& session) {
    session.editMapFields({{&MetaDataObject::GPS_Lattitude, QStringLiteral("")},
                           {&MetaDataObject::GPS_Longitude, QStringLiteral("")},
                           {&MetaDataObject::GPS_LattitudeRef, QStringLiteral("")},
                           {&MetaDataObject::GPS_LongitudeRef, QStringLiteral("")}});
    return {QString(""), kLeaveBlank, QString(""), kLeaveBlank};
}
