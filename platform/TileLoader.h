#pragma once

#include <QCache>
#include <QHash>
#include <QImage>
#include <QNetworkAccessManager>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QThreadPool>

#include <functional>

#include "platform/TileServer.h"

class QNetworkReply;

namespace platform {

// Fetches map tiles for the views that draw them. Each tile is asked for once: images are kept in memory,
// answers on disk (HTTP caching through QNetworkDiskCache), and a request runs only while some view still
// needs its tile. A server that cannot be reached is left alone for a while instead of being asked for
// every tile again; a tile the server refuses is not asked for again soon.
//
// A server is not trusted with the memory or the time of the window: a tile is taken only when its answer
// is small, comes within a time limit, from the server's own host, and its image is no larger than the
// tile size; the image's size is read from its header and the tile decoded on a worker thread.
class TileLoader : public QObject {
    Q_OBJECT
  public:
    // cacheFolder: where answers are kept on disk; empty gives the application's cache folder.
    explicit TileLoader(const QString& cacheFolder = QString(), QObject* parent = nullptr);
    ~TileLoader() override;

    // The tile's image when it is at hand; otherwise a request is started unless one runs or the tile or
    // its server recently failed, and tileReady() follows when it arrives.
    const QImage* tile(const TileServer& server, const TileKey& key);
    // The tile's image when it is at hand, without asking for it.
    const QImage* cachedTile(const TileServer& server, const TileKey& key) const;
    // Ends the requests for tiles that are no longer wanted (the view moved on).
    void keepOnly(const TileServer& server, const QList<TileKey>& wanted);
    bool isServerUnreachable(const TileServer& server) const;

    static QByteArray userAgent();
    // Milliseconds of a monotonic clock; tests move it instead of waiting.
    void setClock(std::function<qint64()> clock) { m_clock = std::move(clock); }

    int requestsStarted() const { return m_requestsStarted; }
    // Requests still downloading or being decoded.
    int requestsRunning() const { return static_cast<int>(m_running.size() + m_decoding.size()); }

  signals:
    void tileReady();
    // A server could not be reached; the map keeps showing its offline base.
    void serverUnreachable(const QString& urlTemplate);

  private:
    static QString keyText(const TileServer& server, const TileKey& key);
    void start(const TileServer& server, const TileKey& key, const QString& id);
    void finished(QNetworkReply* reply, const QString& urlTemplate, const QString& id);
    void decode(const QByteArray& bytes, const QUrl& url, const QString& urlTemplate, const QString& id);
    void refuse(const QUrl& url, const QString& id, const QString& reason);

    QNetworkAccessManager m_network;
    QCache<QString, QImage> m_images;
    QHash<QString, QPointer<QNetworkReply>> m_running;
    QSet<QString> m_decoding;
    QHash<QString, qint64> m_tileFailedAt;
    QHash<QString, qint64> m_serverFailedAt;
    std::function<qint64()> m_clock;
    int m_requestsStarted = 0;
    // Last member: destroyed first, it waits for the decodes still running.
    QThreadPool m_decodePool;
};

}  // namespace platform
