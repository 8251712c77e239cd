// The small conversions and checks the reader and the writer are built from.
#include "Helper/ExifWriter.h"

#include "Helper/FLTImageMetadata.h"
#include "model/Utils.h"
#include "platform/FileManager.h"
#include "platform/Log.h"
#include "platform/Numbers.h"
#include "platform/WallClock.h"

#include <exiv2/exiv2.hpp>

#include <QDateTime>

#include <cmath>
#include <cstdint>
#include <limits>
#include <numeric>

namespace {

// The element's number: a list of rationals holds doubles, a list of undefined bytes holds texts.
double elementNumber(const QVariant& element) {
    if (element.typeId() == QMetaType::QString) return platform::doubleValue(element.toString());
    return element.toDouble();
}

bool isList(const QVariant& value) {
    return value.typeId() == QMetaType::QVariantList;
}

bool fitsInt32(std::int64_t value) {
    return value >= std::numeric_limits<std::int32_t>::min() && value <= std::numeric_limits<std::int32_t>::max();
}

std::optional<QDateTime> wallClockDate(const QString& text) {
    if (text.isEmpty()) return std::nullopt;
    const platform::DateFormat& format = platform::DateFormat::forThread(Utils::exifDateFormat());
    const std::optional<platform::WallTime> time = format.parse(text);
    if (!time) return std::nullopt;
    const platform::DateParts parts = platform::GregorianCalendar::split(*time);
    // The reading is the photo's local wall clock, so the file shows the same hour in a file manager.
    return QDateTime(QDate(parts.year, parts.month, parts.day), QTime(parts.hour, parts.minute, parts.second));
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

double ExifWriter::getDegreesStringToDecimal(const QString& text) const {
    const qsizetype degreeMark = text.indexOf(QChar(0x00B0));
    if (degreeMark < 0) return 0;
    const qsizetype minuteMark = text.indexOf(QLatin1Char('\''), degreeMark + 1);
    if (minuteMark < 0) return 0;
    const qsizetype secondMark = text.indexOf(QLatin1Char('"'), minuteMark + 1);
    if (secondMark < 0) return 0;

    const double degrees = platform::doubleValue(text.left(degreeMark));
    const double minutes = platform::doubleValue(text.mid(degreeMark + 1, minuteMark - degreeMark - 1));
    const double seconds = platform::doubleValue(text.mid(minuteMark + 1, secondMark - minuteMark - 1));
    QString direction = text.mid(secondMark + 1);
    const qsizetype nextQuote = direction.indexOf(QLatin1Char('"'));
    if (nextQuote >= 0) direction.truncate(nextQuote);
    direction = direction.toUpper();

    const double decimal = degrees + minutes / 60.0 + seconds / 3600.0;
    if (direction == QLatin1String("W") || direction == QLatin1String("S")) return -decimal;
    return decimal;
}

bool ExifWriter::isPrismKeyExist(Exiv2::XmpData data, const FLTImageMetadata& /*converter*/,
                                 const QString& key) const {
    const std::string wanted = key.toStdString();
    for (const Exiv2::Xmpdatum& datum : data) {
        if (datum.key() == wanted) return true;
    }
    return false;
}

std::optional<QString> ExifWriter::floatToFraction(float value) const {
    if (!std::isfinite(value)) return std::nullopt;
    const QString text = platform::formatFixed(double(value));
    const bool negative = text.startsWith(QLatin1Char('-'));
    const qsizetype point = text.indexOf(QLatin1Char('.'));
    const QString wholeText = text.mid(negative ? 1 : 0, point - (negative ? 1 : 0));
    QString fractionText = point >= 0 ? text.mid(point + 1) : QString();

    bool wholeOk = false;
    const std::int64_t whole = wholeText.toLongLong(&wholeOk);
    if (!wholeOk) return std::nullopt;
    // Precision gives way before range does: drop fraction digits until numerator and denominator fit.
    for (;;) {
        std::int64_t denominator = 1;
        for (qsizetype i = 0; i < fractionText.size(); ++i) denominator *= 10;
        std::int64_t numerator = fractionText.isEmpty() ? 0 : fractionText.toLongLong();
        const std::int64_t divisor = std::gcd(numerator, denominator);
        numerator /= divisor;
        denominator /= divisor;
        const std::int64_t total = whole * denominator + numerator;
        if (fitsInt32(total) && fitsInt32(denominator)) {
            return QStringLiteral("%1/%2").arg(negative && total != 0 ? -total : total).arg(denominator);
        }
        if (fractionText.isEmpty()) return std::nullopt;
        fractionText.chop(1);
    }
}

bool ExifWriter::checkForReadOnlyFilePath(const QString& path) const {
    return !platform::FileManager::defaultManager().isWritable(path);
}

bool ExifWriter::checkForReadOnlyParentFolderPath(const QString& folderPath) const {
    return !platform::FileManager::defaultManager().isWritable(folderPath);
}

bool ExifWriter::checkForLockedFile(const QString& path) const {
    const bool locked = platform::FileManager::defaultManager().isLocked(path);
    if (locked) platform::log(QStringLiteral("File is locked"));
    return locked;
}

void ExifWriter::upadteDateTimeOffileInSystem(const QString& path, const MetaDataObject& /*metadata*/,
                                              const QString& /*creationDate*/, const QString& modifyDate) const {
    if (const std::optional<QDateTime> modified = wallClockDate(modifyDate)) {
        platform::FileManager::defaultManager().setModificationDate(path, *modified);
    }
}
