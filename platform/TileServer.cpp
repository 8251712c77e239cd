#include "platform/TileServer.h"

#include "platform/UserDefaults.h"

namespace platform {
namespace {

TileServer fromDefaults(const UserDefaults& defaults, const QString& templateKey, const QString& attributionKey,
                        const QString& builtInTemplate, const QString& builtInAttribution) {
    if (!defaults.contains(templateKey)) return {builtInTemplate, builtInAttribution};
    return {defaults.string(templateKey), defaults.string(attributionKey)};
}

}  // namespace

QUrl TileServer::urlFor(const TileKey& key) const {
    // Replaced one placeholder at a time, never through a format string: the template is user text.
    QString url = urlTemplate;
    url.replace(QLatin1String("{z}"), QString::number(key.z));
    url.replace(QLatin1String("{x}"), QString::number(key.x));
    url.replace(QLatin1String("{y}"), QString::number(key.y));
    return QUrl(url);
}

TileServer TileServer::road(const UserDefaults& defaults) {
    return fromDefaults(defaults, roadTemplateKey(), roadAttributionKey(),
                        QStringLiteral("https://tile.openstreetmap.org/{z}/{x}/{y}.png"),
                        QStringLiteral("\u00a9 OpenStreetMap contributors"));
}

TileServer TileServer::imagery(const UserDefaults& defaults) {
    return fromDefaults(defaults, imageryTemplateKey(), imageryAttributionKey(), QString(), QString());
}

}  // namespace platform
