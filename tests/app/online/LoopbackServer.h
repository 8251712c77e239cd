#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QTcpServer>
#include <QUrl>

#include <deque>

// A small HTTP server on 127.0.0.1 for the online services' tests: it records every request and answers
// each with the next scripted response (200 with an empty body when none is left). A hostile server's
// answer may be scripted byte for byte.
class LoopbackServer : public QObject {
    Q_OBJECT
  public:
    struct Request {
        QByteArray method;
        QByteArray path;
        QMap<QByteArray, QByteArray> headers;  // names lower-cased
        QByteArray body;
    };
    struct Response {
        int status = 200;
        QByteArray body{};
        QByteArray location{};  // a Location header, for redirects
        // Instead of the answer above: these bytes as they stand, after which the connection stays open and,
        // when dripMs is not 0, gets one more byte every dripMs.
        QByteArray raw{};
        int dripMs = 0;
    };

    LoopbackServer();

    QUrl url() const;
    void script(const Response& response) { m_responses.push_back(response); }

    QList<Request> requests;
    int connections = 0;

  signals:
    void requestReceived();

  private:
    void serve(class QTcpSocket* socket);

    QTcpServer m_server;
    std::deque<Response> m_responses;
};
