#include "controls/ImageLibrary.h"

#include <QFile>
#include <QHash>
#include <QPainter>
#include <QSvgRenderer>

#include <memory>

// The artwork is compiled into this static library; its registration must be referenced to be linked.
static void ensureArtworkRegistered() {
    static const bool registered = [] {
        Q_INIT_RESOURCE(controls);
        return true;
    }();
    (void)registered;
}

namespace {

QString baseName(QString name) {
    for (const char* suffix : {".png", ".svg"}) {
        if (name.endsWith(QLatin1String(suffix), Qt::CaseInsensitive)) name.chop(4);
    }
    return name;
}

// Renderers, and the names that have none, are kept once looked up: buttons redraw their slices on every
// hover change.
QSvgRenderer* renderer(const QString& name) {
    static QHash<QString, std::shared_ptr<QSvgRenderer>> cache;
    if (name.isEmpty()) return nullptr;
    const QString key = baseName(name);
    auto it = cache.find(key);
    if (it == cache.end()) {
        const QString path = ImageLibrary::resourcePath(name);
        auto loaded = path.isEmpty() ? nullptr : std::make_shared<QSvgRenderer>(path);
        if (loaded && !loaded->isValid()) loaded.reset();
        it = cache.insert(key, loaded);
    }
    return it->get();
}

}  // namespace

QString ImageLibrary::resourcePath(const QString& name) {
    if (name.isEmpty()) return {};
    ensureArtworkRegistered();
    const QString path = QStringLiteral(":/images/%1.svg").arg(baseName(name));
    return QFile::exists(path) ? path : QString();
}

QSizeF ImageLibrary::naturalSize(const QString& name) {
    QSvgRenderer* r = renderer(name);
    return r ? r->viewBoxF().size() : QSizeF();
}

void ImageLibrary::draw(QPainter& painter, const QString& name, const QRectF& target, qreal opacity) {
    QSvgRenderer* r = renderer(name);
    if (!r || target.isEmpty()) return;
    painter.save();
    painter.setOpacity(painter.opacity() * opacity);
    r->render(&painter, target);
    painter.restore();
}
