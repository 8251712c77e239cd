#pragma once

#include <QString>

class QNetworkReply;

namespace platform {

// What one answer of a server may cost: its size and the time from the request to its end. A server that
// sends without end, or one byte every few seconds, would otherwise hold memory or a request for as long
// as it likes. Past either bound the request is aborted and marked, so its owner can tell it from one it
// cancelled itself.
struct ReplyLimits {
    qint64 maxBytes = 0;  // 0: no bound
    int totalMs = 0;      // 0: no bound

    // Watches the reply from now on; call it right after the request was made. For answers read whole at
    // their end: the bytes waiting in the reply are taken as all the bytes received.
    void watch(QNetworkReply* reply) const;
    // Why the reply was cut short, or "" when it was not.
    static QString exceeded(const QNetworkReply* reply);
};

}  // namespace platform
