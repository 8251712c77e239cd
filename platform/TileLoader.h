#pragma once

#include <QCache>
#include <QHash>
#include <QImage>
#include <QNetworkAccessManager>
#include <QObject>
#include <QPointer>
#include <QSet>

#include <functional>

#include "platform/TileServer.h"

class QNetworkReply;

namespace platform {

// Fetches map tiles for the views that draw them. Each tile is asked for once: images are kept in memory,
// answers on disk (HTTP caching through QNetworkDiskCache), and a request runs only while some view still
// needs its tile. A server that cannot be reached is left alone for a while instead of being asked for
// every tile again; a tile the server refuses is not asked for again soon.
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
    int requestsRunning() const { return static_cast<int>(m_running.size()); }

  signals:
    void tileReady();
    // A server could not be reached; the map keeps showing its offline base.
    void serverUnreachable(const QString& urlTemplate);

  private:
    static QString keyText(const TileServer& server, const TileKey& key);
    void start(const TileServer& server, const TileKey& key, const QString& id);
    void finished(QNetworkReply* reply, const QString& urlTemplate, const QString& id);

    QNetworkAccessManager m_network;
    QCache<QString, QImage> m_images;
    QHash<QString, QPointer<QNetworkReply>> m_running;
    QHash<QString, qint64> m_tileFailedAt;
    QHash<QString, qint64> m_serverFailedAt;
    std::function<qint64()> m_clock;
    int m_requestsStarted = 0;
};

}  // namespace platform
