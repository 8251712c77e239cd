#include "controls/NumberEntryScan.h"

#include <limits>

namespace NumberEntryScan {

namespace {

struct Cursor {
    const QString& text;
    qsizetype pos = 0;
    bool atEnd() const { return pos >= text.size(); }
    QChar peek() const { return atEnd() ? QChar() : text.at(pos); }
    void skipSpace() {
        while (!atEnd() && peek().isSpace()) ++pos;
    }
    bool sign(bool* negative) {
        if (peek() == QLatin1Char('+') || peek() == QLatin1Char('-')) {
            *negative = peek() == QLatin1Char('-');
            ++pos;
            return true;
        }
        return false;
    }
    QString digits() {
        const qsizetype start = pos;
        while (!atEnd() && peek() >= QLatin1Char('0') && peek() <= QLatin1Char('9')) ++pos;
        return text.mid(start, pos - start);
    }
};

// The digits' value with its sign when it fits 32 bits; never converts an out-of-range value.
bool toInt32(const QString& digits, bool negative, int* value) {
    long long v = 0;
    const long long limit =
        negative ? -static_cast<long long>(std::numeric_limits<int>::min()) : std::numeric_limits<int>::max();
    for (QChar c : digits) {
        v = v * 10 + (c.unicode() - '0');
        if (v > limit) return false;
    }
    *value = static_cast<int>(negative ? -v : v);
    return true;
}

}  // namespace

Integer scanInteger(const QString& text) {
    Integer result;
    Cursor c{text};
    c.skipSpace();
    bool negative = false;
    result.hasSign = c.sign(&negative);
    result.digits = c.digits();
    c.skipSpace();
    result.matched = !result.digits.isEmpty() && c.atEnd();
    if (result.matched) result.inInt32 = toInt32(result.digits, negative, &result.value);
    return result;
}

Decimal scanDecimal(const QString& text) {
    Decimal result;
    Cursor c{text};
    c.skipSpace();
    bool negative = false;
    c.sign(&negative);
    const QString whole = c.digits();
    QString fraction;
    if (c.peek() == QLatin1Char('.')) {
        ++c.pos;
        fraction = c.digits();
    }
    c.skipSpace();
    result.matched = (!whole.isEmpty() || !fraction.isEmpty()) && c.atEnd();
    if (result.matched) {
        result.integerPartInInt32 = whole.isEmpty() || toInt32(whole, negative, &result.integerPart);
    }
    return result;
}

}  // namespace NumberEntryScan
