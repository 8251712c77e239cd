#pragma once

#include <QString>
#include <QVariant>

// How the reader turns one datum's value v (from FLTImageMetadata) and its value text t into a field's
// text, in the read forms of the key table. Pure functions, so every rule is tested without a file.
class ExifReadConversion {
  public:
    // The value's printed form, trimmed of white space and newlines at both ends.
    static QString valueText(const QVariant& value);

    // Applied only to rational values: "1/4" -> "0.250000"; "0/5" -> "0.000000"; "AC/DC", "-1/3" stay.
    static QString exifFractionRule(const QString& text);
    // The IPTC form: the first piece must read above 0 and every character be a digit or "/".
    static QString iptcFractionRule(const QString& text);

    static QString textOrFirst(const QVariant& value, const QString& text);
    static QString firstOrValue(const QVariant& value);
    static QString exifCoordinate(const QVariant& value);
    static QString xmpCoordinate(const QString& text);
    // The comment conversion for a value Exiv2 does not hand over as a comment: a list gives its last
    // element, and a leading charset="..." marker is removed.
    static QString commentFromValue(const QVariant& value, const QString& text);
};
