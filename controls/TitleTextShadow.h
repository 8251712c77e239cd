#pragma once

#include <QColor>
#include <QPointF>

// The shadow under the default title bar's title; y grows downwards, so a positive offset falls below.
struct TitleTextShadow {
    QPointF offset;
    qreal blurRadius = 0;
    QColor color;
};
