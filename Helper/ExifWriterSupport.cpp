// The small value conversions of the reader.
#include "Helper/ExifWriter.h"

#include "Helper/FLTImageMetadata.h"
#include "platform/Numbers.h"

#include <exiv2/exiv2.hpp>

#include <cmath>

namespace {

// The element's number: a list of rationals holds doubles, a list of undefined bytes holds texts.
double elementNumber(const QVariant& element) {
    if (element.typeId() == QMetaType::QString) return platform::doubleValue(element.toString());
    return element.toDouble();
}

bool isList(const QVariant& value) {
    return value.typeId() == QMetaType::QVariantList;
}

}  // namespace

QVariant ExifWriter::extractGPSDataStringFromString(const QVariant& value) const {
    if (!isList(value)) return value;
    const QVariantList parts = value.toList();
    if (parts.size() != 3) return platform::formatFixed(0.0);
    // Degrees and minutes keep their fractions: phones store decimal minutes, and cutting them would move
    // a position by up to two kilometres.
    const double degrees = elementNumber(parts[0]);
    const double minutes = elementNumber(parts[1]);
    const double seconds = elementNumber(parts[2]);
    const double decimal = degrees + minutes / 60.0 + seconds / 3600.0;
    if (!std::isfinite(decimal)) return QString();
    return platform::formatFixed(decimal);
}

QVariant ExifWriter::extractStringFromArrVal(const QVariant& value) const {
    if (!isList(value)) return value;
    const QVariantList elements = value.toList();
    if (elements.isEmpty()) return QString();
    const double first = elementNumber(elements.first());
    // A rational with a zero denominator has no number to show.
    if (!std::isfinite(first)) return QString();
    return platform::formatFixed(first);
}

bool ExifWriter::isPrismKeyExist(const Exiv2::XmpData& data, const FLTImageMetadata& /*converter*/,
                                 const QString& key) const {
    const std::string wanted = key.toStdString();
    for (const Exiv2::Xmpdatum& datum : data) {
        if (datum.key() == wanted) return true;
    }
    return false;
}
