#include "Helper/ExifWriter.h"

#include "Helper/Exiv2Runtime.h"
#include "Helper/Logging.h"
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
    const Exiv2::ExifKey exifKey(key.toStdString());
    const auto found = data.findKey(exifKey);
    if (found != data.end()) {
        data.erase(found);
        qCInfo(lcHelper).noquote() << QStringLiteral("deleted key = %1 \n").arg(key);
    }
    return data;
}

Exiv2::IptcData ExifWriter::deleteKeysValuesFromIptcData(Exiv2::IptcData data, const QString& key) const {
    const Exiv2::IptcKey iptcKey(key.toStdString());
    auto found = data.findKey(iptcKey);
    if (found != data.end()) data.erase(found);
    // Keywords are stored one per dataset, so removing the field means removing all of them.
    if (key == QLatin1String("Iptc.Application2.Keywords")) {
        for (found = data.findKey(iptcKey); found != data.end(); found = data.findKey(iptcKey)) data.erase(found);
    }
    return data;
}

Exiv2::XmpData ExifWriter::deleteKeysValuesFromXmpData(Exiv2::XmpData data, const QString& key) const {
    const Exiv2::XmpKey xmpKey(key.toStdString());
    const auto found = data.findKey(xmpKey);
    if (found != data.end()) data.erase(found);
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
