#include "controls/TitleFitting.h"

#include <QFontMetricsF>
#include <QStringList>

namespace TitleFitting {

QString twoLineTitle(const QString& title, const QString& separator) {
    if (separator.isEmpty()) return title;
    const QStringList parts = title.split(separator);
    const int n = static_cast<int>(parts.size());
    if (n == 1) return title;
    if (n == 2) return parts[0] + QLatin1Char('\n') + parts[1];
    return parts.mid(0, n / 2).join(separator) + QLatin1Char('\n') + parts.mid(n / 2).join(separator);
}

QRectF textArea(const QRectF& bounds, int left, int right, int top, int bottom) {
    return bounds.adjusted(left, top, -right, -bottom);
}

QFont searchFont(qreal pointSize) {
    QFont font(QStringLiteral("Lucida Grande"));
    font.setPointSizeF(pointSize);
    return font;
}

Layout fit(const QString& text, const QRectF& area, bool makeBoldFont, const Measure& measure,
           const QFont& systemFont) {
    Layout layout;
    int overflowSize = 0;
    QSizeF overflowMeasure;
    for (int size = 5; size <= 50; ++size) {
        const QSizeF s = measure(text, searchFont(size));
        if (s.width() > area.width() || s.height() > area.height()) {
            overflowSize = size;
            overflowMeasure = s;
            break;
        }
    }
    if (overflowSize == 0) return layout;

    layout.hasAttributes = true;
    layout.font = systemFont;
    layout.font.setBold(false);
    layout.font.setPointSizeF(overflowSize == 5 ? 4 : overflowSize - 1);
    if (makeBoldFont && overflowMeasure.width() > 200 && overflowMeasure.width() < 245) {
        layout.font = searchFont(20);
        layout.font.setBold(true);
    }
    layout.measured = measure(text, layout.font);
    layout.textRect = area.translated(0, (area.height() - layout.measured.height()) / 2);
    return layout;
}

bool prefersTwoLines(const QSizeF& oneLine, const QSizeF& twoLines) {
    return twoLines.width() * twoLines.height() > oneLine.width() * oneLine.height();
}

QSizeF measureWithFontMetrics(const QString& text, const QFont& font) {
    return QFontMetricsF(font).size(0, text);
}

}  // namespace TitleFitting
