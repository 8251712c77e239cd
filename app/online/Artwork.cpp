#include "app/online/Artwork.h"

#include "controls/ImageLibrary.h"

#include <QPainter>

// The pictures are compiled into this static library; the registration must be referenced to be linked.
static void registerOnlineArtwork() {
    Q_INIT_RESOURCE(online);
}

void Artwork::ensureRegistered() {
    static const bool registered = [] {
        registerOnlineArtwork();
        ImageLibrary::resourcePath(QStringLiteral("place_holder"));  // registers the controls' pictures
        return true;
    }();
    (void)registered;
}

QPixmap Artwork::pixmap(const QString& name, const QSize& size, qreal devicePixelRatio) {
    ensureRegistered();
    if (ImageLibrary::resourcePath(name).isEmpty()) return {};
    QPixmap pixmap(size * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    ImageLibrary::draw(painter, name, QRectF(QPointF(0, 0), QSizeF(size)));
    return pixmap;
}
