#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The texts the writer hands to Exiv2, made from the record's values. Pure functions: every form is tested
// without a file. "Nothing" means the value has no sound form and the file's value must stay as it was.
class WriteValueForms {
  public:
    // A rational from a typed value: "n/d" is that fraction, reduced; anything else is read as a decimal
    // number (its leading number, 0 when there is none) to six decimals and reduced: 2.8 gives 14/5, 0.008
    // gives 1/125. Negative, non-finite and out-of-range values give nothing.
    static std::optional<QString> fractionText(const QString& value);

    // The number a typed value stands for in the fraction form ("1/125" is 0.008); nothing for a negative,
    // non-finite or zero-denominator value.
    static std::optional<double> fractionNumber(const QString& value);
    // Whether two numbers show the same in the six decimals the reader gives them.
    static bool sameToSixDecimals(double first, double second);

    // GPS latitude or longitude as three rationals of the magnitude: "d/1 m/1 s/10000", seconds to a
    // ten-thousandth. Nothing when the text holds no number, or the magnitude is beyond limit degrees.
    static std::optional<QString> coordinateText(const QString& value, double limitDegrees);

    // GPS altitude as one unsigned rational of the magnitude, to the millimetre. Nothing when the text holds
    // no number or no 32-bit fraction holds it.
    static std::optional<QString> altitudeText(const QString& value);

    // The signed decimal text of the XMP GPS mirror: a "-" in front for the negative reference, unless the
    // value already carries one.
    static QString xmpCoordinateText(const QString& value, bool negativeReference);

    // One keyword per comma-separated item, trimmed, without empty items or exact repeats, in order.
    static QStringList keywordItems(const QString& value);

    // "yyyy:MM:dd" or "yyyyMMdd" (optionally followed by a time) as the "yyyy-MM-dd" an IPTC date holds;
    // other texts unchanged.
    static QString iptcDateText(const QString& value);

    // "yyyy:MM:dd HH:mm:ss" as the "yyyy-MM-ddTHH:mm:ss" XMP readers expect; other texts unchanged.
    static QString xmpDateText(const QString& value);

    // The user comment with its character-set marker, which Exiv2 reads to choose the stored encoding.
    static QString userCommentText(const QString& value);

    static bool isAscii(const QString& value);
};
