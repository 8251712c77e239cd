#pragma once

#include "app/online/FeedbackMessage.h"
#include "app/online/ServiceHosts.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QObject>

class QNetworkAccessManager;
class QNetworkReply;

// One feedback as the form hands it over. The attachments and the machine's facts are read later, off the
// main thread, because a log of many days can be large.
struct FeedbackSubmission {
    FeedbackDocument document;  // the form's values; attachments and machine facts are filled in when sent
    QString logPath;            // "" when the log is not to be sent
    QString usageReportPath;    // "" when the usage report is not to be sent
    QDate today;
    QDateTime now;
    int fileNumber = 0;  // 0 to 999, tells apart feedbacks sent within one minute
};

// Sends one feedback to the maker's service. Success is an HTTP 2xx answer that is not a SOAP Fault; it
// posts "notificationSubmitFeedback". Any other end is only logged.
class FeedbackUploader : public QObject {
    Q_OBJECT
  public:
    explicit FeedbackUploader(const ServiceHosts& hosts, int timeoutMs = 60000, QObject* parent = nullptr);

    void send(const FeedbackSubmission& submission);

    // The submission with its log excerpt, usage report and machine facts read in; runs on any thread.
    static FeedbackDocument completedDocument(const FeedbackSubmission& submission);
    // Whether an answer body is a SOAP Fault (1.1 or 1.2).
    static bool isSoapFault(const QByteArray& body);

  signals:
    void finished(bool success);

  private:
    void post(const QByteArray& body);
    void answered(QNetworkReply* reply);

    ServiceHosts m_hosts;
    int m_timeoutMs;
    QNetworkAccessManager* m_network;
};
