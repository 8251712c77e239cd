#include "platform/TileLoader.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFutureWatcher>
#include <QImageReader>
#include <QNetworkDiskCache>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QtConcurrent/QtConcurrentRun>

#include "platform/Log.h"
#include "platform/MapProjection.h"
#include "platform/ReplyLimits.h"
#include "platform/StandardPaths.h"

namespace platform {
namespace {

constexpr qint64 kServerRetryMs = 60 * 1000;
constexpr qint64 kTileRetryMs = 10 * 60 * 1000;
constexpr int kTransferTimeoutMs = 15 * 1000;
constexpr int kTotalTimeMs = 30 * 1000;
// A 256-pixel tile takes at most about 260 KB even as uncompressed 32-bit PNG; four times that leaves room
// for 16-bit colour and metadata.
constexpr qint64 kMaxTileBytes = 1024 * 1024;
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

// The tile's image, or a null image when it is not an image of at most the tile size. The size comes from
// the header first: a small file can describe an image of gigabytes.
QImage decodeTile(const QByteArray& bytes) {
    if (bytes.size() > kMaxTileBytes) return {};
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const auto fits = [](QSize size) {
        return size.isValid() && size.width() <= MapProjection::kTileSize && size.height() <= MapProjection::kTileSize;
    };
    if (!fits(reader.size())) return {};
    const QImage image = reader.read();
    if (image.isNull() || !fits(image.size())) return {};
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
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
    // A tile's decode is short; two threads keep a screenful coming without taking the shared pool.
    m_decodePool.setMaxThreadCount(2);
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
    if (m_running.contains(id) || m_decoding.contains(id) || isServerUnreachable(server)) return nullptr;
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
    // A redirect elsewhere would send the user's whereabouts, the tile's position, to a host nobody chose.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::SameOriginRedirectPolicy);
    request.setTransferTimeout(kTransferTimeoutMs);
    QNetworkReply* reply = m_network.get(request);
    ReplyLimits{kMaxTileBytes, kTotalTimeMs}.watch(reply);
    ++m_requestsStarted;
    m_running.insert(id, reply);
    const QString urlTemplate = server.urlTemplate;
    connect(reply, &QNetworkReply::finished, this,
            [this, reply, urlTemplate, id] { finished(reply, urlTemplate, id); });
}

void TileLoader::finished(QNetworkReply* reply, const QString& urlTemplate, const QString& id) {
    reply->deleteLater();
    if (m_running.value(id) == reply) m_running.remove(id);
    const QString cutShort = ReplyLimits::exceeded(reply);
    if (!cutShort.isEmpty()) {
        refuse(reply->url(), id, cutShort);
        return;
    }
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
    if (error != QNetworkReply::NoError) {
        refuse(reply->url(), id, reply->errorString());
        return;
    }
    decode(reply->readAll(), reply->url(), urlTemplate, id);
}

void TileLoader::decode(const QByteArray& bytes, const QUrl& url, const QString& urlTemplate, const QString& id) {
    m_decoding.insert(id);
    auto* watcher = new QFutureWatcher<QImage>(this);
    connect(watcher, &QFutureWatcher<QImage>::finished, this, [this, watcher, url, urlTemplate, id] {
        watcher->deleteLater();
        m_decoding.remove(id);
        QImage image = watcher->result();
        if (image.isNull()) {
            refuse(url, id, QStringLiteral("not an image of at most %1 pixels a side").arg(MapProjection::kTileSize));
            return;
        }
        m_serverFailedAt.remove(urlTemplate);
        m_images.insert(id, new QImage(std::move(image)));
        emit tileReady();
    });
    watcher->setFuture(QtConcurrent::run(&m_decodePool, decodeTile, bytes));
}

void TileLoader::refuse(const QUrl& url, const QString& id, const QString& reason) {
    qCDebug(lcPlatform).noquote() << "Map tile refused:" << url.toString() << reason;
    m_tileFailedAt.insert(id, m_clock());
    // A refused answer kept on disk would come back from there when the tile is asked for again.
    if (QAbstractNetworkCache* cache = m_network.cache()) cache->remove(url);
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
