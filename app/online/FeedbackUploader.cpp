#include "app/online/FeedbackUploader.h"

#include "app/AppNotifications.h"
#include "app/online/FeedbackAttachments.h"
#include "app/online/Logging.h"
#include "app/online/SystemInfo.h"
#include "platform/NotificationCenter.h"
#include "platform/ReplyLimits.h"

#include <QFile>
#include <QFutureWatcher>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QXmlStreamReader>
#include <QtConcurrent/QtConcurrentRun>

namespace {

// A service's answer is a short SOAP envelope.
constexpr qint64 kMaxAnswerBytes = 64 * 1024;

}  // namespace

FeedbackUploader::FeedbackUploader(const ServiceHosts& hosts, int timeoutMs, QObject* parent)
    : QObject(parent), m_hosts(hosts), m_timeoutMs(timeoutMs), m_network(new QNetworkAccessManager(this)) {
    // The request carries the user's address, text and log: it goes to the service and nowhere else, and an
    // answer sending it on is a failure, not a delivery.
    m_network->setRedirectPolicy(QNetworkRequest::ManualRedirectPolicy);
}

FeedbackDocument FeedbackUploader::completedDocument(const FeedbackSubmission& submission) {
    FeedbackDocument document = submission.document;
    if (!submission.logPath.isEmpty() && QFile::exists(submission.logPath))
        document.logsData = FeedbackAttachments::readLogsContent(submission.logPath, submission.today);
    if (!submission.usageReportPath.isEmpty()) {
        if (const auto report = FeedbackAttachments::readUsageReport(submission.usageReportPath))
            document.logsDataScan = *report;
    }
    document.osVersion = SystemInfo::osVersion();
    document.procName = SystemInfo::procName();
    document.ramInfo = SystemInfo::ramSystem();
    document.machineId = SystemInfo::getSerialNumber();
    return document;
}

void FeedbackUploader::send(const FeedbackSubmission& submission) {
    const QString serviceNamespace = m_hosts.feedbackNamespace;
    auto* watcher = new QFutureWatcher<QByteArray>(this);
    connect(watcher, &QFutureWatcher<QByteArray>::finished, this, [this, watcher] {
        watcher->deleteLater();
        post(watcher->result());
    });
    watcher->setFuture(QtConcurrent::run([submission, serviceNamespace] {
        const QString fileName =
            FeedbackMessage::fileName(submission.document.appName, submission.now, submission.fileNumber);
        return FeedbackMessage::prepareSoapMsg(completedDocument(submission), fileName, serviceNamespace);
    }));
}

void FeedbackUploader::post(const QByteArray& body) {
    QNetworkRequest request(m_hosts.feedbackEndpoint());
    request.setRawHeader("Content-Type", "text/xml; charset=utf-8");
    request.setRawHeader("SOAPAction", (m_hosts.feedbackNamespace + QStringLiteral("UploadFeedback")).toUtf8());
    request.setRawHeader("Content-Length", QByteArray::number(body.size()));
    request.setTransferTimeout(m_timeoutMs);
    QNetworkReply* reply = m_network->post(request, body);
    platform::ReplyLimits{kMaxAnswerBytes, 0}.watch(reply);
    connect(reply, &QNetworkReply::finished, this, [this, reply] { answered(reply); });
}

void FeedbackUploader::answered(QNetworkReply* reply) {
    reply->deleteLater();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const bool statusOk = status >= 200 && status <= 299;
    const QByteArray answer = reply->readAll();
    QString failure;
    const QVariant redirect = reply->attribute(QNetworkRequest::RedirectionTargetAttribute);
    const QString cutShort = platform::ReplyLimits::exceeded(reply);
    if (redirect.isValid()) {
        failure = "feedback upload not sent: the service redirects to " + redirect.toUrl().toString();
    } else if (!cutShort.isEmpty()) {
        failure = "feedback upload failed: " + cutShort;
    } else if (status == 0 || (statusOk && reply->error() != QNetworkReply::NoError)) {
        failure = "feedback upload failed: " + reply->errorString();
    } else if (!statusOk) {
        failure = "feedback upload refused with HTTP status " + QString::number(status);
    } else if (isSoapFault(answer)) {
        failure = "feedback upload answered with a SOAP Fault: " + QString::fromUtf8(answer);
    }
    if (!failure.isEmpty()) {
        qCInfo(lcOnline).noquote() << failure;
        emit finished(false);
        return;
    }
    qCInfo(lcOnline).noquote() << "feedback uploaded";
    platform::NotificationCenter::defaultCenter().post(AppNotifications::submitFeedback());
    emit finished(true);
}

bool FeedbackUploader::isSoapFault(const QByteArray& body) {
    QXmlStreamReader xml(body);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != u"Fault") continue;
        if (xml.namespaceUri() == u"http://schemas.xmlsoap.org/soap/envelope/" ||
            xml.namespaceUri() == u"http://www.w3.org/2003/05/soap-envelope")
            return true;
    }
    return false;
}
