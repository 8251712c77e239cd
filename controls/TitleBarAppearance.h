#pragma once

#include "controls/TitleTextShadow.h"

#include <QColor>
#include <QFont>
#include <QPainterPath>
#include <QRectF>

#include <functional>
#include <optional>

class QPainter;

// How the default title bar is painted. An invalid colour or an absent font or shadow means the look's
// default; the inactive fields serve whenever the window does not draw as main.
struct TitleBarAppearance {
    using DrawingBlock =
        std::function<void(QPainter& painter, bool drawsAsMain, const QRectF& bounds, const QPainterPath& clip)>;

    std::optional<QFont> titleFont;
    QColor titleBarStartColor, titleBarEndColor, baselineSeparatorColor, titleTextColor;
    std::optional<TitleTextShadow> titleTextShadow;
    QColor inactiveTitleBarStartColor, inactiveTitleBarEndColor, inactiveBaselineSeparatorColor, inactiveTitleTextColor;
    std::optional<TitleTextShadow> inactiveTitleTextShadow;
    // When set, it paints the bar's background instead of the gradient, separator and noise.
    DrawingBlock titleBarDrawingBlock;
};
