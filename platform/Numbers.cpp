#include "platform/Numbers.h"

#include <QByteArray>

#include <charconv>
#include <climits>
#include <cmath>

namespace platform {
namespace {

// The leading number of a text: optional sign, digits, optional fraction and exponent.
QByteArray leadingNumber(const QString& text, bool allowFraction) {
    const QByteArray bytes = text.trimmed().toLatin1();
    qsizetype i = 0;
    if (i < bytes.size() && (bytes[i] == '+' || bytes[i] == '-')) ++i;
    const qsizetype digitsStart = i;
    while (i < bytes.size() && std::isdigit(static_cast<unsigned char>(bytes[i]))) ++i;
    bool anyDigit = i > digitsStart;
    if (allowFraction && i < bytes.size() && bytes[i] == '.') {
        qsizetype j = i + 1;
        while (j < bytes.size() && std::isdigit(static_cast<unsigned char>(bytes[j]))) ++j;
        if (j > i + 1 || anyDigit) {
            anyDigit = anyDigit || j > i + 1;
            i = j;
        }
    }
    if (!anyDigit) return {};
    if (allowFraction && i < bytes.size() && (bytes[i] == 'e' || bytes[i] == 'E')) {
        qsizetype j = i + 1;
        if (j < bytes.size() && (bytes[j] == '+' || bytes[j] == '-')) ++j;
        const qsizetype expStart = j;
        while (j < bytes.size() && std::isdigit(static_cast<unsigned char>(bytes[j]))) ++j;
        if (j > expStart) i = j;
    }
    QByteArray number = bytes.left(i);
    if (number.startsWith('+')) number.remove(0, 1);
    return number;
}

}  // namespace

long long longLongValue(const QString& text) {
    const QByteArray number = leadingNumber(text, false);
    if (number.isEmpty()) return 0;
    long long value = 0;
    const auto [end, error] = std::from_chars(number.constData(), number.constData() + number.size(), value);
    (void)end;
    if (error == std::errc::result_out_of_range) return number.startsWith('-') ? LLONG_MIN : LLONG_MAX;
    return error == std::errc() ? value : 0;
}

int intValue(const QString& text) {
    const long long value = longLongValue(text);
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

double doubleValue(const QString& text) {
    const QByteArray number = leadingNumber(text, true);
    if (number.isEmpty()) return 0.0;
    double value = 0.0;
    const auto [end, error] = std::from_chars(number.constData(), number.constData() + number.size(), value);
    (void)end;
    if (error == std::errc::result_out_of_range) {
        // Overflow goes to infinity, underflow to zero, as strtod does.
        const bool negative = number.startsWith('-');
        const bool tiny = number.contains("e-") || number.contains("E-");
        return tiny ? (negative ? -0.0 : 0.0) : (negative ? -HUGE_VAL : HUGE_VAL);
    }
    return error == std::errc() ? value : 0.0;
}

float floatValue(const QString& text) {
    return static_cast<float>(doubleValue(text));
}

bool boolValue(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) return false;
    const QChar first = trimmed.at(0).toUpper();
    if (first == u'Y' || first == u'T') return true;
    return intValue(trimmed) != 0;
}

QString formatFixed(double value, int decimals) {
    // QString::number always uses the C locale, unlike printf under a German LC_NUMERIC.
    if (std::isnan(value)) return QStringLiteral("nan");
    if (std::isinf(value)) return value < 0 ? QStringLiteral("-inf") : QStringLiteral("inf");
    return QString::number(value, 'f', decimals);
}

QString formatInt(long long value) {
    return QString::number(value);
}

}  // namespace platform
