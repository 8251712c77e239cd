#include "LoopbackServer.h"

#include <QTcpSocket>
#include <QTimer>

namespace {

// The request once its headers and the body they announce have arrived.
bool parse(const QByteArray& data, LoopbackServer::Request* request) {
    const qsizetype end = data.indexOf("\r\n\r\n");
    if (end < 0) return false;
    const QList<QByteArray> lines = data.left(end).split('\n');
    const QList<QByteArray> start = lines.first().trimmed().split(' ');
    request->method = start.value(0);
    request->path = start.value(1);
    request->headers.clear();
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const qsizetype colon = lines.at(i).indexOf(':');
        if (colon > 0)
            request->headers.insert(lines.at(i).left(colon).trimmed().toLower(), lines.at(i).mid(colon + 1).trimmed());
    }
    const qsizetype length = request->headers.value("content-length", "0").toLongLong();
    if (data.size() - end - 4 < length) return false;
    request->body = data.mid(end + 4, length);
    return true;
}

QByteArray reason(int status) {
    switch (status) {
        case 200:
            return "OK";
        case 302:
            return "Found";
        case 307:
            return "Temporary Redirect";
        case 404:
            return "Not Found";
        case 500:
            return "Internal Server Error";
        default:
            return "Status";
    }
}

}  // namespace

LoopbackServer::LoopbackServer() {
    m_server.listen(QHostAddress::LocalHost);
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = m_server.nextPendingConnection()) {
            ++connections;
            serve(socket);
        }
    });
}

QUrl LoopbackServer::url() const {
    return QUrl(QStringLiteral("http://127.0.0.1:") + QString::number(m_server.serverPort()));
}

void LoopbackServer::serve(QTcpSocket* socket) {
    auto* buffer = new QByteArray;
    connect(socket, &QTcpSocket::disconnected, socket, [socket, buffer] {
        delete buffer;
        socket->deleteLater();
    });
    connect(socket, &QTcpSocket::readyRead, this, [this, socket, buffer] {
        buffer->append(socket->readAll());
        Request request;
        if (!parse(*buffer, &request)) return;
        buffer->clear();
        requests.append(request);
        Response response;
        if (!m_responses.empty()) {
            response = m_responses.front();
            m_responses.pop_front();
        }
        if (!response.raw.isEmpty()) {
            socket->write(response.raw);
            if (response.dripMs > 0) {
                auto* drip = new QTimer(socket);
                connect(drip, &QTimer::timeout, socket, [socket] { socket->write("x"); });
                drip->start(response.dripMs);
            }
            emit requestReceived();
            return;
        }
        const QByteArray location =
            response.location.isEmpty() ? QByteArray() : "Location: " + response.location + "\r\n";
        socket->write("HTTP/1.1 " + QByteArray::number(response.status) + ' ' + reason(response.status) +
                      "\r\nContent-Type: text/xml; charset=utf-8\r\n" + location + "Content-Length: " +
                      QByteArray::number(response.body.size()) + "\r\nConnection: close\r\n\r\n" + response.body);
        socket->disconnectFromHost();
        emit requestReceived();
    });
}
