#include "editor/GpsFields.h"

#include <cmath>

#include "platform/Numbers.h"

namespace {

const QString kLeaveBlank = QStringLiteral("Leave Blank");

void recordEdit(EditSession& session) {
    session.copyToPendingEdits({&MetaDataObject::GPS_Lattitude, &MetaDataObject::GPS_Longitude,
                                &MetaDataObject::GPS_LattitudeRef, &MetaDataObject::GPS_LongitudeRef});
}

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
    MetaDataObject& record = session.metaDataObject();
    Shown shown;
    const bool south = latitude < 0;
    const bool west = longitude < 0;
    shown.latitudeRef = south ? QStringLiteral("South") : QStringLiteral("North");
    record.GPS_LattitudeRef = south ? QStringLiteral("S") : QStringLiteral("N");
    shown.longitudeRef = west ? QStringLiteral("West") : QStringLiteral("East");
    record.GPS_LongitudeRef = west ? QStringLiteral("W") : QStringLiteral("E");
    shown.latitude = platform::formatFixed(std::fabs(latitude), 8);
    shown.longitude = platform::formatFixed(std::fabs(longitude), 8);
    record.GPS_Lattitude = shown.latitude;
    record.GPS_Longitude = shown.longitude;
    recordEdit(session);
    return shown;
}

bool GpsFields::isMapField(QString MetaDataObject::*field) {
    return field == &MetaDataObject::GPS_Lattitude || field == &MetaDataObject::GPS_Longitude ||
           field == &MetaDataObject::GPS_LattitudeRef || field == &MetaDataObject::GPS_LongitudeRef;
}

GpsFields::Shown GpsFields::removeLocation(EditSession& session) {
    MetaDataObject& record = session.metaDataObject();
    record.GPS_Lattitude = QStringLiteral("");
    record.GPS_Longitude = QStringLiteral("");
    record.GPS_LattitudeRef = QStringLiteral("");
    record.GPS_LongitudeRef = QStringLiteral("");
    recordEdit(session);
    return {QString(""), kLeaveBlank, QString(""), kLeaveBlank};
}
