#pragma once

#include <QColor>
#include <QHash>
#include <QImage>
#include <QList>
#include <QStringList>
#include <QTcpServer>

namespace testsupport {

// A web-map tile server on 127.0.0.1 for map tests: answers "GET /z/x/y.png" with a drawn 256-pixel tile
// (its own colour, a frame and the tile's name), or with what a test scripted for that path, and records
// every request.
class LoopbackTileServer : public QObject {
    Q_OBJECT
  public:
    explicit LoopbackTileServer(QColor land = QColor(236, 232, 220), QObject* parent = nullptr);

    quint16 port() const { return m_server.serverPort(); }
    QString urlTemplate() const;
    // A template whose port nobody listens on: every request is refused.
    static QString unreachableTemplate();

    // A whole raw answer (status line, headers, body) for one path, sent as it stands: a hostile server's
    // answer may announce more than it sends and keep the connection open.
    void script(const QString& path, const QByteArray& rawAnswer) { m_scripted.insert(path, rawAnswer); }
    // An answer of status 200 carrying the given image as PNG.
    static QByteArray pngAnswer(const QImage& image);

    QStringList requestedPaths;
    QList<QByteArray> userAgents;

  private:
    void answer(class QTcpSocket* socket);
    QImage tile(const QString& path) const;

    QTcpServer m_server;
    QColor m_land;
    QHash<class QTcpSocket*, QByteArray> m_pending;
    QHash<QString, QByteArray> m_scripted;
};

}  // namespace testsupport
