#include "platform/TileLoader.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QNetworkDiskCache>
#include <QNetworkReply>
#include <QNetworkRequest>

#include "platform/Log.h"
#include "platform/StandardPaths.h"

namespace platform {
namespace {

constexpr qint64 kServerRetryMs = 60 * 1000;
constexpr qint64 kTileRetryMs = 10 * 60 * 1000;
constexpr int kTransferTimeoutMs = 15 * 1000;
constexpr qint64 kDiskCacheBytes = 200 * 1024 * 1024;
// Decoded tiles held in memory, in tiles (256 KB each): a few screens' worth.
constexpr int kMemoryTiles = 512;

bool isConnectionFailure(QNetworkReply::NetworkError error) {
    switch (error) {
        case QNetworkReply::ConnectionRefusedError:
        case QNetworkReply::RemoteHostClosedError:
        case QNetworkReply::HostNotFoundError:
        case QNetworkReply::TimeoutError:
        case QNetworkReply::SslHandshakeFailedError:
        case QNetworkReply::TemporaryNetworkFailureError:
        case QNetworkReply::NetworkSessionFailedError:
        case QNetworkReply::UnknownNetworkError:
        case QNetworkReply::ProxyConnectionRefusedError:
        case QNetworkReply::ProxyNotFoundError:
        case QNetworkReply::ProxyTimeoutError:
            return true;
        default:
            return false;
    }
}

}  // namespace

TileLoader::TileLoader(const QString& cacheFolder, QObject* parent) : QObject(parent), m_images(kMemoryTiles) {
    auto* cache = new QNetworkDiskCache(this);
    const QString folder =
        cacheFolder.isEmpty() ? StandardPaths::cachesFolder() + QStringLiteral("/map-tiles") : cacheFolder;
    QDir().mkpath(folder);
    cache->setCacheDirectory(folder);
    cache->setMaximumCacheSize(kDiskCacheBytes);
    m_network.setCache(cache);
    auto timer = std::make_shared<QElapsedTimer>();
    timer->start();
    m_clock = [timer] { return timer->elapsed(); };
}

TileLoader::~TileLoader() {
    for (const auto& reply : std::as_const(m_running)) {
        if (reply && !reply->isFinished()) reply->abort();
    }
}

QByteArray TileLoader::userAgent() {
    // Tile servers ask every application to name itself; a browser's name or none gets blocked.
    QString version = QCoreApplication::applicationVersion();
    if (version.isEmpty()) version = QStringLiteral(LUMARIND_VERSION);
    return QStringLiteral("Lumarind/%1 (Linux; photo metadata editor)").arg(version).toUtf8();
}

QString TileLoader::keyText(const TileServer& server, const TileKey& key) {
    return server.urlTemplate + QLatin1Char('|') + QString::number(key.z) + QLatin1Char('/') + QString::number(key.x) +
           QLatin1Char('/') + QString::number(key.y);
}

bool TileLoader::isServerUnreachable(const TileServer& server) const {
    const auto failed = m_serverFailedAt.constFind(server.urlTemplate);
    return failed != m_serverFailedAt.constEnd() && m_clock() - failed.value() < kServerRetryMs;
}

const QImage* TileLoader::tile(const TileServer& server, const TileKey& key) {
    if (server.isEmpty() || key.z > server.maxZoom) return nullptr;
    const QString id = keyText(server, key);
    if (const QImage* image = m_images.object(id)) return image;
    if (m_running.contains(id) || isServerUnreachable(server)) return nullptr;
    const auto failed = m_tileFailedAt.constFind(id);
    if (failed != m_tileFailedAt.constEnd() && m_clock() - failed.value() < kTileRetryMs) return nullptr;
    start(server, key, id);
    return nullptr;
}

const QImage* TileLoader::cachedTile(const TileServer& server, const TileKey& key) const {
    if (server.isEmpty()) return nullptr;
    return m_images.object(keyText(server, key));
}

void TileLoader::start(const TileServer& server, const TileKey& key, const QString& id) {
    QNetworkRequest request(server.urlFor(key));
    request.setHeader(QNetworkRequest::UserAgentHeader, userAgent());
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::PreferCache);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setTransferTimeout(kTransferTimeoutMs);
    QNetworkReply* reply = m_network.get(request);
    ++m_requestsStarted;
    m_running.insert(id, reply);
    const QString urlTemplate = server.urlTemplate;
    connect(reply, &QNetworkReply::finished, this,
            [this, reply, urlTemplate, id] { finished(reply, urlTemplate, id); });
}

void TileLoader::finished(QNetworkReply* reply, const QString& urlTemplate, const QString& id) {
    reply->deleteLater();
    if (m_running.value(id) == reply) m_running.remove(id);
    const QNetworkReply::NetworkError error = reply->error();
    if (error == QNetworkReply::OperationCanceledError) return;
    if (isConnectionFailure(error)) {
        const bool first = !m_serverFailedAt.contains(urlTemplate) ||
                           m_clock() - m_serverFailedAt.value(urlTemplate) >= kServerRetryMs;
        m_serverFailedAt.insert(urlTemplate, m_clock());
        if (first) {
            qCInfo(lcPlatform).noquote() << "Map tiles unavailable, showing the offline map:" << reply->url().host()
                                         << reply->errorString();
            emit serverUnreachable(urlTemplate);
        }
        return;
    }
    QImage image;
    if (error == QNetworkReply::NoError) image.loadFromData(reply->readAll());
    if (image.isNull()) {
        qCDebug(lcPlatform).noquote() << "Map tile refused:" << reply->url().toString() << reply->errorString();
        m_tileFailedAt.insert(id, m_clock());
        return;
    }
    m_serverFailedAt.remove(urlTemplate);
    m_images.insert(id, new QImage(image.convertToFormat(QImage::Format_ARGB32_Premultiplied)));
    emit tileReady();
}

void TileLoader::keepOnly(const TileServer& server, const QList<TileKey>& wanted) {
    QSet<QString> keep;
    for (const TileKey& key : wanted) keep.insert(keyText(server, key));
    const auto running = m_running;
    for (auto it = running.begin(); it != running.end(); ++it) {
        if (keep.contains(it.key())) continue;
        m_running.remove(it.key());
        if (it.value() && !it.value()->isFinished()) it.value()->abort();
    }
}

}  // namespace platform
