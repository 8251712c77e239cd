#include "controls/OnlyIntegerValueFormatter.h"

#include "controls/NumberEntryScan.h"

OnlyIntegerValueFormatter::OnlyIntegerValueFormatter(ZeroRule zeroRule, QObject* parent)
    : QValidator(parent), m_zeroRule(zeroRule) {}

bool OnlyIntegerValueFormatter::isPartialStringValid(const QString& text) const {
    return isPartialStringValid(text, m_maxLength, m_maxValue, m_zeroRule);
}

bool OnlyIntegerValueFormatter::isPartialStringValid(const QString& text, int maxLength, int maxValue,
                                                     ZeroRule zeroRule) {
    if (text.isEmpty()) return true;
    const NumberEntryScan::Integer scan = NumberEntryScan::scanInteger(text);
    // A number outside 32 bits is refused rather than converted.
    if (!scan.matched || !scan.inInt32) return false;
    if (text.size() > maxLength) return false;
    if (scan.value > maxValue) return false;
    if (scan.digits.size() > 1 && scan.digits.startsWith(QLatin1Char('0'))) return false;
    if (scan.value == 0) return zeroRule == ZeroRule::AcceptLoneZero && !scan.hasSign;
    return true;
}

QValidator::State OnlyIntegerValueFormatter::validate(QString& input, int&) const {
    return isPartialStringValid(input) ? Acceptable : Invalid;
}
