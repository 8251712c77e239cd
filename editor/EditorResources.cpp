#include "editor/EditorResources.h"

#include "controls/ImageLibrary.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>

// Outside any namespace: the registration function Q_INIT_RESOURCE names is a global one.
static void registerEditorResources() {
    Q_INIT_RESOURCE(editor);
}

namespace EditorResources {

void ensureRegistered() {
    static const bool registered = [] {
        registerEditorResources();
        return true;
    }();
    (void)registered;
}

QIcon icon(const QString& name, QSize size) {
    ensureRegistered();
    QIcon icon;
    for (qreal ratio : {1.0, 2.0}) {
        QPixmap pixmap(size * ratio);
        pixmap.setDevicePixelRatio(ratio);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        ImageLibrary::draw(painter, name, QRectF(QPointF(0, 0), QSizeF(size)));
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace EditorResources
