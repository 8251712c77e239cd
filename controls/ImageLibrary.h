#pragma once

#include <QRectF>
#include <QSizeF>
#include <QString>

class QPainter;

// The application's named artwork. Names are looked up at each use, as the screens give them: a trailing
// ".png" or ".svg" is ignored, so "place_holder.png" and "place_holder" are the same picture.
class ImageLibrary {
  public:
    // The picture's own size in points; empty for a missing name.
    static QSizeF naturalSize(const QString& name);
    // Draws the whole picture scaled into target; a missing name draws nothing.
    static void draw(QPainter& painter, const QString& name, const QRectF& target, qreal opacity = 1.0);
    // The resource path a name resolves to ("" for a missing name).
    static QString resourcePath(const QString& name);
};
