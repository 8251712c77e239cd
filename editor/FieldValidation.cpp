#include "editor/FieldValidation.h"

#include <QLocale>

#include <cmath>

namespace FieldValidation {

QString numericOnlyMessage() {
    return QStringLiteral("* Value can be only numeric type.");
}

QString greaterThanMessage(int maximum) {
    return QStringLiteral("* Value cannot be greater than %1").arg(maximum);
}

bool isValidDecimalText(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin).isDigit()) ++begin;
    while (end > begin && text.at(end - 1).isDigit()) --end;
    const QStringView rest = QStringView(text).mid(begin, end - begin);
    return rest.isEmpty() || rest == u"." || rest == u",";
}

bool isValidCoordinateText(const QString& text) {
    if (text.isEmpty() || isValidDecimalText(text)) return true;
    bool ok = false;
    QLocale().toDouble(text.trimmed(), &ok);
    if (!ok) text.trimmed().toDouble(&ok);
    return ok;
}

namespace {

// The field's value as the number formatter reads it: the leading number of the text, 0 for none.
double leadingNumber(const QString& text) {
    bool ok = false;
    const double whole = text.trimmed().toDouble(&ok);
    if (ok) return whole;
    qsizetype end = 0;
    const QString t = text.trimmed();
    if (end < t.size() && (t.at(end) == u'-' || t.at(end) == u'+')) ++end;
    while (end < t.size() && (t.at(end).isDigit() || t.at(end) == u'.')) ++end;
    return t.left(end).toDouble(&ok);
}

}  // namespace

bool isValidIntegerText(const QString& text) {
    const double rounded = std::ceil(static_cast<float>(leadingNumber(text)));
    return rounded >= 0 && rounded <= kIntegerMaximum;
}

Verdict isValidText(const QString& text, FormFieldTraits::Check check) {
    switch (check) {
        case FormFieldTraits::Check::None:
            return {};
        case FormFieldTraits::Check::Integer: {
            const bool valid = isValidIntegerText(text);
            return {valid, valid ? numericOnlyMessage() : greaterThanMessage(kIntegerMaximum)};
        }
        case FormFieldTraits::Check::Coordinate:
            return {isValidCoordinateText(text), {}};
        case FormFieldTraits::Check::Decimal:
            return {isValidDecimalText(text), {}};
        case FormFieldTraits::Check::Latitude:
            return isValidDegreesText(text, kLatitudeMaximum);
        case FormFieldTraits::Check::Longitude:
            return isValidDegreesText(text, kLongitudeMaximum);
    }
    return {};
}

Verdict isValidDegreesText(const QString& text, int maximum) {
    if (text.isEmpty()) return {true, numericOnlyMessage()};
    // The writer reads the comma as a decimal point, and only ASCII digits.
    bool number = false;
    const double degrees = isValidDecimalText(text) ? QString(text).replace(u',', u'.').toDouble(&number) : 0.0;
    if (!number) return {false, numericOnlyMessage()};
    if (degrees > maximum) return {false, greaterThanMessage(maximum)};
    return {true, numericOnlyMessage()};
}

QString cutToLimit(const QString& text, int limit) {
    return text.size() > limit ? text.left(limit) : text;
}

std::optional<QString> acceptedTextViewChange(int currentLength, int replacedLength, const QString& replacement,
                                              int limit) {
    const qsizetype resulting = currentLength - replacedLength + replacement.size();
    if (resulting <= limit || resulting < currentLength) return replacement;
    const qsizetype room = limit - (currentLength - replacedLength);
    if (room <= 0) return std::nullopt;
    return replacement.left(room);
}

}  // namespace FieldValidation
