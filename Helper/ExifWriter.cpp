#include "Helper/ExifWriter.h"

#include "Helper/Exiv2Runtime.h"
#include "Helper/Logging.h"
#include "Helper/MetadataKeyRemoval.h"
#include "model/StringCategories.h"

#include <exiv2/exiv2.hpp>

ExifWriter::ExifWriter() {
    Exiv2Runtime::initialize();
}

ExifWriter& ExifWriter::sharedInstance() {
    // A function-local static is made exactly once even when several threads ask at the same time.
    static ExifWriter instance;
    return instance;
}

Exiv2::ExifData ExifWriter::deleteKeysValuesFromExifData(Exiv2::ExifData data, const QString& key) const {
    if (MetadataKeyRemoval::removeFirst(data, key)) qCDebug(lcHelper).noquote() << "deleted key = " + key;
    return data;
}

Exiv2::IptcData ExifWriter::deleteKeysValuesFromIptcData(Exiv2::IptcData data, const QString& key) const {
    // Keywords are stored one per dataset, so removing the field means removing all of them.
    if (key == QLatin1String("Iptc.Application2.Keywords")) {
        MetadataKeyRemoval::removeAll(data, key);
    } else {
        MetadataKeyRemoval::removeFirst(data, key);
    }
    return data;
}

Exiv2::XmpData ExifWriter::deleteKeysValuesFromXmpData(Exiv2::XmpData data, const QString& key) const {
    MetadataKeyRemoval::removeFirst(data, key);
    return data;
}

bool ExifWriter::isStringContainsNumericValuesOnly(const std::optional<QString>& text) const {
    if (!text) return false;
    QString rest = StringCategories::stringByTrimmingLeadingAndTrailingWhitespaceAndNewlineCharacters(*text);
    rest.remove(QLatin1Char('/'));
    for (const QChar c : rest) {
        if (!c.isDigit()) return false;
    }
    return true;
}
