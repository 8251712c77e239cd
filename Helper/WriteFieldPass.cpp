#include "Helper/WriteFieldPass.h"

#include "Helper/ExifWriteResult.h"
#include "Helper/WriteRefusal.h"
#include "Helper/WriteSession.h"
#include "Helper/WriteValueForms.h"
#include "Helper/XmpTwins.h"
#include "model/MetaDataObject.h"
#include "model/MetadataKeyTable.h"
#include "model/PhotoFile.h"
#include "platform/Numbers.h"

#include <exiv2/exiv2.hpp>

#include <cmath>

namespace {

// The two GPS coordinates: which reference field turns the XMP mirror negative, the largest magnitude, and
// the name the user knows the field by.
struct CoordinateForm {
    const char* key;
    QString MetaDataObject::*reference;
    bool MetaDataObject::*referenceUpdated;
    const char* negativeReference;
    double limitDegrees;
    const char* name;
};

const CoordinateForm* coordinateForm(const QString& key) {
    static const CoordinateForm forms[] = {
        {"Exif.GPSInfo.GPSLatitude", &MetaDataObject::GPS_LattitudeRef, &MetaDataObject::isupdated_GPS_LattitudeRef,
         "S", 90.0, "latitude"},
        {"Exif.GPSInfo.GPSLongitude", &MetaDataObject::GPS_LongitudeRef, &MetaDataObject::isupdated_GPS_LongitudeRef,
         "W", 180.0, "longitude"},
    };
    for (const CoordinateForm& form : forms) {
        if (key == QLatin1String(form.key)) return &form;
    }
    return nullptr;
}

QString coordinateRefusal(const CoordinateForm& form, const QString& value) {
    return QStringLiteral("The GPS ") + QLatin1String(form.name) + QStringLiteral(" \"") + value +
           QStringLiteral("\" is not a number of degrees from 0 to ") + QString::number(form.limitDegrees) +
           QStringLiteral(", so the photo was not written.");
}

int rationalType(const QString& exifKey) {
    return Exiv2::ExifKey(exifKey.toStdString()).defaultTypeId();
}

// The form shows a file's rationals as six-decimal numbers. Written back unchanged they would lose their
// exact form (1/60 would become 16667/1000000), so a number the file already holds stays as it is.
bool fileHoldsNumber(const WriteSession& session, const QString& key, std::optional<double> typed) {
    const std::optional<double> held = session.exifNumber(key);
    return typed && held && WriteValueForms::sameToSixDecimals(*typed, *held);
}

}  // namespace

void WriteFieldPass::apply(WriteSession& session) {
    const MetaDataObject& settings = session.settings();
    for (const MetadataKeyRow& row : MetadataKeyTable::rows()) {
        if (row.write == MetadataWriteForm::None || !row.key) continue;
        const QString& value = settings.*row.field;
        if (!value.isEmpty()) {
            if (holdsAlready(session, row, value)) continue;
            writeRow(session, row, value);
        } else if (settings.*row.updated) {
            eraseRow(session, row);
        }
    }
}

bool WriteFieldPass::holdsAlready(const WriteSession& session, const MetadataKeyRow& row, const QString& value) {
    // The record shows a file's value as read (trimmed, decoded, numbers in a fixed form). Written back it
    // would differ from the file's own bytes, or add a copy the photo never had, though nobody changed it: a
    // restore must give the photo back as it was.
    const MetaDataObject& settings = session.settings();
    const auto& original = session.photo().metadataObjectOriginal;
    if (settings.*row.updated || !original || (*original).*row.field != value) return false;
    // The XMP copy of a coordinate carries its hemisphere in its sign, so a changed reference turns it.
    const CoordinateForm* form = coordinateForm(row.keyText());
    return !form || !(settings.*form->referenceUpdated);
}

void WriteFieldPass::writeRow(WriteSession& session, const MetadataKeyRow& row, const QString& value) {
    switch (row.write) {
        case MetadataWriteForm::Utf8:
            writeText(session, row, value);
            break;
        case MetadataWriteForm::Fraction:
            writeFraction(session, row, value);
            break;
        case MetadataWriteForm::Double:
            if (row.xmpMirrorKey) {
                writeCoordinate(session, row, value);
            } else {
                writeAltitude(session, row, value);
            }
            break;
        case MetadataWriteForm::None:
            break;
    }
}

void WriteFieldPass::writeText(WriteSession& session, const MetadataKeyRow& row, const QString& value) {
    const QString key = row.keyText();
    if (row.read == MetadataReadForm::KeywordList) {
        session.assignEach(key, WriteValueForms::keywordItems(value));
        followTwin(session, row);
        return;
    }
    if (row.rawFileGuard && session.isRawFile()) {
        // A raw converter identifies the camera by these; the file keeps its own value, byte for byte.
        if (session.exifText(key) != value) session.setResultFlag(ExifWriteRawCameraKept);
        return;
    }
    session.assign(key, value);
    followTwin(session, row);
}

void WriteFieldPass::followTwin(WriteSession& session, const MetadataKeyRow& row) {
    // The date pass settles the dates and their twins.
    if (!row.dateRule) XmpTwins::follow(session, row.keyText());
}

void WriteFieldPass::writeFraction(WriteSession& session, const MetadataKeyRow& row, const QString& value) {
    const QString key = row.keyText();
    if (fileHoldsNumber(session, key, WriteValueForms::fractionNumber(value))) return;
    if (const std::optional<QString> fraction = WriteValueForms::fractionText(value)) {
        session.assignAs(key, *fraction, rationalType(key));
    } else {
        session.reportNotWritten(key, value);
    }
}

void WriteFieldPass::writeCoordinate(WriteSession& session, const MetadataKeyRow& row, const QString& value) {
    const QString key = row.keyText();
    const CoordinateForm* form = coordinateForm(key);
    if (!form) return;
    const std::optional<QString> rationals = WriteValueForms::coordinateText(value, form->limitDegrees);
    // A copy without the position the user set would pass for a written one.
    if (!rationals) throw WriteRefusal(coordinateRefusal(*form, value));
    if (!fileHoldsNumber(session, key, std::fabs(platform::doubleValue(value)))) {
        session.assignAs(key, *rationals, rationalType(key));
    }
    const bool negative = (session.settings().*form->reference).toUpper() == QLatin1String(form->negativeReference);
    session.assignMirror(QString::fromLatin1(row.xmpMirrorKey), WriteValueForms::xmpCoordinateText(value, negative));
}

void WriteFieldPass::writeAltitude(WriteSession& session, const MetadataKeyRow& row, const QString& value) {
    const QString key = row.keyText();
    if (fileHoldsNumber(session, key, std::fabs(platform::doubleValue(value)))) return;
    if (const std::optional<QString> rational = WriteValueForms::altitudeText(value)) {
        session.assignAs(key, *rational, rationalType(key));
    } else {
        session.reportNotWritten(key, value);
    }
}

void WriteFieldPass::eraseRow(WriteSession& session, const MetadataKeyRow& row) {
    if (row.rawFileGuard && session.isRawFile()) {
        // Without them a raw converter cannot read the picture: kept, as a new value is.
        if (!session.exifText(row.keyText()).isEmpty()) session.setResultFlag(ExifWriteRawCameraKept);
        return;
    }
    session.erase(row.keyText());
    if (row.xmpMirrorKey) session.erase(QString::fromLatin1(row.xmpMirrorKey));
    if (!row.dateRule) XmpTwins::clear(session, row.keyText());
}
