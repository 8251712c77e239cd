#include "controls/OnlyDecimalNumberFormatter.h"

#include "controls/NumberEntryScan.h"

OnlyDecimalNumberFormatter::OnlyDecimalNumberFormatter(QObject* parent) : QValidator(parent) {}

bool OnlyDecimalNumberFormatter::isPartialStringValid(const QString& text) const {
    return isPartialStringValid(text, m_maxValue, m_minValue);
}

bool OnlyDecimalNumberFormatter::isPartialStringValid(const QString& text, int maxValue, int minValue) {
    if (text.isEmpty()) return true;
    const NumberEntryScan::Decimal scan = NumberEntryScan::scanDecimal(text);
    // An integer part outside 32 bits is refused rather than converted.
    if (!scan.matched || !scan.integerPartInInt32) return false;
    return scan.integerPart <= maxValue && scan.integerPart >= minValue;
}

QValidator::State OnlyDecimalNumberFormatter::validate(QString& input, int&) const {
    return isPartialStringValid(input) ? Acceptable : Invalid;
}
