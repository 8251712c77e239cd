#include "tests/common/LoopbackTileServer.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QTcpSocket>

namespace testsupport {

LoopbackTileServer::LoopbackTileServer(QColor land, QObject* parent) : QObject(parent), m_land(land) {
    m_server.listen(QHostAddress::LocalHost, 0);
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = m_server.nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { answer(socket); });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

QString LoopbackTileServer::urlTemplate() const {
    return QStringLiteral("http://127.0.0.1:") + QString::number(port()) + QStringLiteral("/{z}/{x}/{y}.png");
}

QString LoopbackTileServer::unreachableTemplate() {
    // A port that was just free: nothing listens there once the probe is closed.
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    return QStringLiteral("http://127.0.0.1:") + QString::number(port) + QStringLiteral("/{z}/{x}/{y}.png");
}

void LoopbackTileServer::answer(QTcpSocket* socket) {
    QByteArray& buffer = m_pending[socket];
    buffer += socket->readAll();
    // Keep-alive connections carry one request after another.
    for (qsizetype end = buffer.indexOf("\r\n\r\n"); end >= 0; end = buffer.indexOf("\r\n\r\n")) {
        const QByteArray head = buffer.left(end);
        buffer.remove(0, end + 4);
        const QList<QByteArray> lines = head.split('\n');
        const QList<QByteArray> request = lines.value(0).trimmed().split(' ');
        const QString path = QString::fromLatin1(request.value(1));
        requestedPaths.append(path);
        for (const QByteArray& line : lines) {
            if (line.toLower().startsWith("user-agent:")) userAgents.append(line.mid(11).trimmed());
        }
        const auto scripted = m_scripted.constFind(path);
        if (scripted != m_scripted.constEnd()) {
            socket->write(*scripted);
            continue;
        }
        socket->write(pngAnswer(tile(path)));
    }
}

QByteArray LoopbackTileServer::pngAnswer(const QImage& image) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    QByteArray response = "HTTP/1.1 200 OK\r\nContent-Type: image/png\r\nCache-Control: max-age=3600\r\n";
    return response + "Content-Length: " + QByteArray::number(png.size()) + "\r\n\r\n" + png;
}

QImage LoopbackTileServer::tile(const QString& path) const {
    QImage tile(256, 256, QImage::Format_RGB32);
    tile.fill(m_land);
    QPainter painter(&tile);
    painter.setPen(QPen(m_land.darker(130), 2));
    painter.drawRect(QRectF(1, 1, 254, 254));
    painter.setPen(QPen(QColor(250, 200, 90), 6));
    painter.drawLine(0, 180, 256, 90);  // a "road" across every tile
    painter.setPen(m_land.lightness() > 128 ? Qt::black : Qt::white);
    painter.drawText(QRectF(0, 0, 256, 256), Qt::AlignCenter, path);
    painter.end();
    return tile;
}

}  // namespace testsupport
