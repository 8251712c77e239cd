#include "platform/ReplyLimits.h"

#include <QNetworkReply>
#include <QTimer>

namespace platform {
namespace {

constexpr const char* kExceededProperty = "lumarindLimitExceeded";

void cut(QNetworkReply* reply, const QString& reason) {
    if (reply->isFinished() || !reply->property(kExceededProperty).isNull()) return;
    reply->setProperty(kExceededProperty, reason);
    reply->abort();
}

}  // namespace

void ReplyLimits::watch(QNetworkReply* reply) const {
    if (maxBytes > 0) {
        const QString tooLarge = QStringLiteral("answer larger than ") + QString::number(maxBytes) + " bytes";
        // The announced length ends a request before its body arrives; the bytes that did arrive end one
        // that announced nothing or too little.
        QObject::connect(reply, &QNetworkReply::metaDataChanged, reply, [reply, tooLarge, limit = maxBytes] {
            const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
            if (length.isValid() && length.toLongLong() > limit) cut(reply, tooLarge);
        });
        QObject::connect(reply, &QIODevice::readyRead, reply, [reply, tooLarge, limit = maxBytes] {
            if (reply->bytesAvailable() > limit) cut(reply, tooLarge);
        });
    }
    if (totalMs > 0) {
        const QString tooSlow = QStringLiteral("no whole answer within ") + QString::number(totalMs) + " ms";
        QTimer::singleShot(totalMs, reply, [reply, tooSlow] { cut(reply, tooSlow); });
    }
}

QString ReplyLimits::exceeded(const QNetworkReply* reply) {
    return reply->property(kExceededProperty).toString();
}

}  // namespace platform
