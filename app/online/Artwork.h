#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>

// The online screens' pictures, drawn from the application's artwork at the screen's pixel density.
class Artwork {
  public:
    // Makes every picture reachable by its resource path (":/images/<name>.svg"), as style sheets name them.
    static void ensureRegistered();
    // An empty pixmap for a missing name.
    static QPixmap pixmap(const QString& name, const QSize& size, qreal devicePixelRatio);
};
