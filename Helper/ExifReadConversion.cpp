#include "Helper/ExifReadConversion.h"

#include "Helper/ExifWriter.h"
#include "Helper/FLTImageMetadata.h"
#include "model/StringCategories.h"
#include "platform/Numbers.h"

#include <QStringList>

namespace {

bool hasAsciiLetter(const QString& text) {
    for (const QChar c : text) {
        if ((c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z')))
            return true;
    }
    return false;
}

bool isNumericOnly(const QString& text) {
    return ExifWriter::sharedInstance().isStringContainsNumericValuesOnly(text);
}

QString fixed(double value) {
    return platform::formatFixed(value);
}

bool isList(const QVariant& value) {
    return value.typeId() == QMetaType::QVariantList;
}

}  // namespace

QString ExifReadConversion::valueText(const QVariant& value) {
    return StringCategories::stringByTrimmingLeadingAndTrailingWhitespaceAndNewlineCharacters(
        FLTImageMetadata::describe(value));
}

QString ExifReadConversion::exifFractionRule(const QString& text) {
    if (!text.contains(QLatin1Char('/'))) return text;
    const QStringList pieces = text.split(QLatin1Char('/'));
    const float first = platform::floatValue(pieces[0]);
    const float second = platform::floatValue(pieces[1]);
    if (pieces.size() == 2 && first > 0 && second > 0 && !hasAsciiLetter(pieces[0])) return fixed(first / second);
    if (second > 0 && isNumericOnly(text)) return fixed(first);
    return text;
}

QString ExifReadConversion::iptcFractionRule(const QString& text) {
    if (!text.contains(QLatin1Char('/'))) return text;
    const QStringList pieces = text.split(QLatin1Char('/'));
    const float first = platform::floatValue(pieces[0]);
    if (!(first > 0) || !isNumericOnly(text)) return text;
    if (pieces.size() == 2) return fixed(first / platform::floatValue(pieces[1]));
    return fixed(first);
}

QString ExifReadConversion::textOrFirst(const QVariant& value, const QString& text) {
    if (isList(value)) return ExifWriter::sharedInstance().extractStringFromArrVal(value).toString();
    return text;
}

QString ExifReadConversion::firstOrValue(const QVariant& value) {
    if (isList(value)) return ExifWriter::sharedInstance().extractStringFromArrVal(value).toString();
    return FLTImageMetadata::describe(value);
}

QString ExifReadConversion::exifCoordinate(const QVariant& value) {
    if (isList(value)) return ExifWriter::sharedInstance().extractGPSDataStringFromString(value).toString();
    return firstOrValue(value);
}

QString ExifReadConversion::xmpCoordinate(const QString& text) {
    if (text.isEmpty() || !text.contains(QLatin1Char(','))) return text;
    QString numbers = text;
    bool negative = false;
    const QChar direction = text.back().toUpper();
    if (direction == QLatin1Char('N') || direction == QLatin1Char('S') || direction == QLatin1Char('E') ||
        direction == QLatin1Char('W')) {
        negative = direction == QLatin1Char('S') || direction == QLatin1Char('W');
        numbers.chop(1);
    }
    // Either degrees, minutes and seconds, or degrees and decimal minutes.
    const QStringList parts = numbers.split(QLatin1Char(','));
    if (parts.size() > 3) return fixed(0);
    const double degrees = platform::doubleValue(parts.value(0));
    const double minutes = platform::doubleValue(parts.value(1));
    const double seconds = platform::doubleValue(parts.value(2));
    const double decimal = degrees + minutes / 60.0 + seconds / 3600.0;
    return fixed(negative ? -decimal : decimal);
}

QString ExifReadConversion::commentFromValue(const QVariant& value, const QString& text) {
    QVariant held = text;
    if (isList(value)) {
        const QVariantList elements = value.toList();
        held = elements.isEmpty() ? QVariant() : elements.last();
    }
    QString comment = FLTImageMetadata::describe(held);
    const QString opening = QStringLiteral("charset=\"");
    const qsizetype start = comment.indexOf(opening);
    if (start >= 0) {
        const qsizetype closing = comment.indexOf(QStringLiteral("\" "), start + opening.size());
        if (closing >= 0) comment.remove(start, closing + 2 - start);
    }
    return comment;
}
