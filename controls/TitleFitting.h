#pragma once

#include <QFont>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <functional>

// How an image button fits its title: the largest font that still fits the text area, on one line or
// broken once into two.
namespace TitleFitting {

// Measures text (which may hold a line feed) set in font.
using Measure = std::function<QSizeF(const QString& text, const QFont& font)>;

struct Layout {
    bool hasAttributes = false;  // false: nothing fitted up to 50 points; drawn plainly over the whole bounds
    QFont font;
    QSizeF measured;  // zero without attributes
    QRectF textRect;
};

// Splits at separator and breaks once: two parts around the line feed, else the first half of the parts
// (rounded down), a line feed, the rest.
QString twoLineTitle(const QString& title, const QString& separator);

// The text area of the bounds for the one-line (top, bottom) or two-line (topML, bottomML) layout.
QRectF textArea(const QRectF& bounds, int left, int right, int top, int bottom);

// The first size from 5 to 50 at which the text overflows the area ends the search; the font is then the
// system font one point smaller, or a bold 20-point face when makeBoldFont is set and the overflowing
// width lies strictly between 200 and 245. The text rectangle is the area moved down by half of the height
// it does not need.
Layout fit(const QString& text, const QRectF& area, bool makeBoldFont, const Measure& measure, const QFont& systemFont);

// The two-line layout wins only when it shows the title larger.
bool prefersTwoLines(const QSizeF& oneLine, const QSizeF& twoLines);

// Real measuring with the toolkit's font metrics.
QSizeF measureWithFontMetrics(const QString& text, const QFont& font);

// The face the search measures with.
QFont searchFont(qreal pointSize);

}  // namespace TitleFitting
