#include "Helper/WriteValueForms.h"

#include "platform/Numbers.h"

#include <QRegularExpression>

#include <cmath>
#include <cstdint>
#include <limits>
#include <numeric>

namespace {

constexpr std::int64_t kInt32Max = std::numeric_limits<std::int32_t>::max();

// The leading decimal number of a text, or nothing when it does not start with one.
std::optional<double> leadingNumber(const QString& text) {
    static thread_local const QRegularExpression number(QStringLiteral("^\\s*[+-]?(\\d+\\.?\\d*|\\.\\d+)"));
    if (!number.match(text).hasMatch()) return std::nullopt;
    const double value = platform::doubleValue(text);
    if (!std::isfinite(value)) return std::nullopt;
    return value;
}

std::optional<QString> typedFraction(const QRegularExpressionMatch& match) {
    bool numeratorOk = false;
    bool denominatorOk = false;
    std::int64_t numerator = match.captured(1).toLongLong(&numeratorOk);
    std::int64_t denominator = match.captured(2).toLongLong(&denominatorOk);
    if (!numeratorOk || !denominatorOk || denominator == 0) return std::nullopt;
    const std::int64_t divisor = std::gcd(numerator, denominator);
    numerator /= divisor;
    denominator /= divisor;
    if (numerator > kInt32Max || denominator > kInt32Max) return std::nullopt;
    return QStringLiteral("%1/%2").arg(numerator).arg(denominator);
}

// Six decimals, as "%f" shows the number, reduced; precision gives way before the 32-bit range does.
// Read in double precision, so 123.4 stays 617/5 instead of picking up a float's 123.400002.
std::optional<QString> decimalFraction(double number) {
    for (std::int64_t denominator = 1000000; denominator >= 1; denominator /= 10) {
        const double scaled = std::round(number * double(denominator));
        if (scaled > double(kInt32Max) * double(denominator)) return std::nullopt;
        std::int64_t numerator = std::llround(scaled);
        const std::int64_t divisor = std::gcd(numerator, denominator);
        if (numerator / divisor <= kInt32Max) {
            return QStringLiteral("%1/%2").arg(numerator / divisor).arg(denominator / divisor);
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<QString> WriteValueForms::fractionText(const QString& value) {
    static thread_local const QRegularExpression fraction(QStringLiteral("^\\s*(\\d+)\\s*/\\s*(\\d+)\\s*$"));
    const QRegularExpressionMatch match = fraction.match(value);
    if (match.hasMatch()) return typedFraction(match);
    const double number = platform::doubleValue(value);
    // An unsigned rational cannot hold a negative number; Exiv2 would wrap it to a huge one.
    if (!std::isfinite(number) || number < 0) return std::nullopt;
    return decimalFraction(number);
}

std::optional<double> WriteValueForms::fractionNumber(const QString& value) {
    static thread_local const QRegularExpression fraction(QStringLiteral("^\\s*(\\d+)\\s*/\\s*(\\d+)\\s*$"));
    const QRegularExpressionMatch match = fraction.match(value);
    const double number =
        match.hasMatch() ? match.captured(1).toDouble() / match.captured(2).toDouble() : platform::doubleValue(value);
    if (!std::isfinite(number) || number < 0) return std::nullopt;
    return number;
}

bool WriteValueForms::sameToSixDecimals(double first, double second) {
    return platform::formatFixed(first) == platform::formatFixed(second);
}

std::optional<QString> WriteValueForms::coordinateText(const QString& value, double limitDegrees) {
    const std::optional<double> number = leadingNumber(value);
    if (!number) return std::nullopt;
    const double magnitude = std::fabs(*number);
    if (magnitude > limitDegrees) return std::nullopt;
    // Counting in ten-thousandths of a second first means rounding can never produce 60 seconds or minutes.
    constexpr std::int64_t perSecond = 10000;
    constexpr std::int64_t perMinute = 60 * perSecond;
    constexpr std::int64_t perDegree = 60 * perMinute;
    const std::int64_t total = std::llround(magnitude * double(perDegree));
    const std::int64_t degrees = total / perDegree;
    const std::int64_t minutes = (total % perDegree) / perMinute;
    const std::int64_t seconds = total % perMinute;
    return QStringLiteral("%1/1 %2/1 %3/%4").arg(degrees).arg(minutes).arg(seconds).arg(perSecond);
}

std::optional<QString> WriteValueForms::altitudeText(const QString& value) {
    const std::optional<double> number = leadingNumber(value);
    if (!number) return std::nullopt;
    constexpr std::int64_t perMetre = 1000;
    const double scaled = std::fabs(*number) * double(perMetre);
    if (scaled > double(kInt32Max)) return std::nullopt;
    std::int64_t numerator = std::llround(scaled);
    std::int64_t denominator = perMetre;
    const std::int64_t divisor = std::gcd(numerator, denominator);
    numerator /= divisor;
    denominator /= divisor;
    return QStringLiteral("%1/%2").arg(numerator).arg(denominator);
}

QString WriteValueForms::xmpCoordinateText(const QString& value, bool negativeReference) {
    if (negativeReference && !value.startsWith(QLatin1Char('-'))) return QLatin1Char('-') + value;
    return value;
}

QStringList WriteValueForms::keywordItems(const QString& value) {
    QStringList items;
    for (const QString& piece : value.split(QLatin1Char(','))) {
        const QString keyword = piece.trimmed();
        if (!keyword.isEmpty() && !items.contains(keyword)) items.append(keyword);
    }
    return items;
}

QString WriteValueForms::iptcDateText(const QString& value) {
    static thread_local const QRegularExpression exifForm(QStringLiteral("^(\\d{4}):(\\d{2}):(\\d{2})(?:\\s.*)?$"));
    static thread_local const QRegularExpression compactForm(QStringLiteral("^(\\d{4})(\\d{2})(\\d{2})(?:\\s.*)?$"));
    for (const QRegularExpression* form : {&exifForm, &compactForm}) {
        const QRegularExpressionMatch match = form->match(value);
        if (match.hasMatch()) {
            return QStringLiteral("%1-%2-%3").arg(match.captured(1), match.captured(2), match.captured(3));
        }
    }
    return value;
}

QString WriteValueForms::xmpDateText(const QString& value) {
    static thread_local const QRegularExpression exifForm(
        QStringLiteral("^(\\d{4}):(\\d{2}):(\\d{2}) (\\d{2}:\\d{2}:\\d{2})$"));
    const QRegularExpressionMatch match = exifForm.match(value);
    if (!match.hasMatch()) return value;
    return QStringLiteral("%1-%2-%3T%4")
        .arg(match.captured(1), match.captured(2), match.captured(3), match.captured(4));
}

QString WriteValueForms::userCommentText(const QString& value) {
    // Always marked, so a comment that itself starts with "charset=" is never taken for a marker.
    return (isAscii(value) ? QStringLiteral("charset=Ascii ") : QStringLiteral("charset=Unicode ")) + value;
}

bool WriteValueForms::isAscii(const QString& value) {
    for (const QChar c : value) {
        if (c.unicode() > 0x7F) return false;
    }
    return true;
}
