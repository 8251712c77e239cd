#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QTcpServer>
#include <QUrl>

#include <deque>

// A small HTTP server on 127.0.0.1 for the online services' tests: it records every request and answers
// each with the next scripted response (200 with an empty body when none is left).
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
        QByteArray body;
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
