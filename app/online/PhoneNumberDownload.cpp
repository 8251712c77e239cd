#include "app/online/PhoneNumberDownload.h"

#include "app/online/Logging.h"
#include "app/online/PhoneNumberIni.h"
#include "platform/ReplyLimits.h"
#include "platform/UserDefaults.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QStringDecoder>
#include <QTimer>

namespace {

constexpr int kAttempts = 5;

// A body counts only when it came with a success status and is valid UTF-8: an error page or a garbled
// file must not become the support number.
std::optional<QString> contentsOf(QNetworkReply* reply) {
    if (reply->error() != QNetworkReply::NoError) return std::nullopt;
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status < 200 || status > 299) return std::nullopt;
    QStringDecoder decoder(QStringDecoder::Utf8);
    QString text = decoder.decode(reply->readAll());
    if (decoder.hasError()) return std::nullopt;
    return text;
}

}  // namespace

PhoneNumberDownload::PhoneNumberDownload(const QUrl& iniUrl, platform::UserDefaults& defaults, Timing timing,
                                         QObject* parent)
    : QObject(parent),
      m_url(iniUrl),
      m_defaults(defaults),
      m_timing(std::move(timing)),
      m_network(new QNetworkAccessManager(this)),
      m_pause(new QTimer(this)) {
    // The maker's own host answers for the file; a redirect elsewhere would put a stranger's number in the
    // title bar.
    m_network->setRedirectPolicy(QNetworkRequest::SameOriginRedirectPolicy);
    m_pause->setSingleShot(true);
    connect(m_pause, &QTimer::timeout, this, [this] {
        if (m_attempt < kAttempts) {
            startAttempt();
        } else {
            qCInfo(lcOnline).noquote() << "No Contents Found After Retries";
            finish(QString(), false);
        }
    });
}

PhoneNumberDownload::PhoneNumberDownload(const QUrl& iniUrl, platform::UserDefaults& defaults, QObject* parent)
    : PhoneNumberDownload(iniUrl, defaults, Timing{}, parent) {}

PhoneNumberDownload::~PhoneNumberDownload() {
    cancel();
}

QString PhoneNumberDownload::getDefaultPhoneNumber(const platform::UserDefaults& defaults) {
    return defaults.string(QString::fromLatin1(kDefaultsKey));
}

void PhoneNumberDownload::updatePhoneNumbersFromWebINI(bool isInternetAvailable) {
    cancel();
    m_running = true;
    if (!isInternetAvailable) {
        // Announced from the event loop like a download's answer, so callers see one order of events; a
        // cancel or a new start before then drops it.
        QTimer::singleShot(0, this, [this, run = m_run] {
            if (run == m_run) finish(QString(), false);
        });
        return;
    }
    qCInfo(lcOnline).noquote() << "Firing (Encoded)URL Path " + m_url.toString(QUrl::FullyEncoded);
    m_attempt = 0;
    startAttempt();
}

void PhoneNumberDownload::cancel() {
    ++m_run;
    m_pause->stop();
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
        m_reply->deleteLater();
        m_reply = nullptr;
    }
    m_running = false;
}

bool PhoneNumberDownload::isWaitingToRetry() const {
    return m_pause->isActive();
}

void PhoneNumberDownload::startAttempt() {
    ++m_attempt;
    qCInfo(lcOnline).noquote() << "Attempt:" + QString::number(m_attempt);
    QNetworkRequest request(m_url);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    m_reply = m_network->get(request);
    // A server sending without end, or a byte every few seconds, must not hold the attempt or the memory.
    platform::ReplyLimits{kMaxFileBytes, m_timing.attemptTimeoutMs}.watch(m_reply);
    connect(m_reply, &QNetworkReply::finished, this, [this, reply = m_reply.data()] { attemptFinished(reply); });
}

void PhoneNumberDownload::attemptFinished(QNetworkReply* reply) {
    reply->deleteLater();
    m_reply = nullptr;
    if (const auto text = contentsOf(reply)) {
        finish(*text, true);
        return;
    }
    qCInfo(lcOnline).noquote() << "No Contents Found, Attempt:" + QString::number(m_attempt);
    const QString cutShort = platform::ReplyLimits::exceeded(reply);
    qCInfo(lcOnline).noquote() << (cutShort.isEmpty() ? reply->errorString() : cutShort);
    qCInfo(lcOnline).noquote() << "HTTP status " +
                                      reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toString();
    m_pause->start(m_timing.pausesMs.value(m_attempt - 1, 0));
}

void PhoneNumberDownload::finish(const QString& iniText, bool downloaded) {
    QString number;
    if (downloaded) {
        const IniSections file = PhoneNumberIni::parse(iniText);
        qCDebug(lcOnline) << "support phone file" << file;
        number = PhoneNumberIni::checkAndGetNewPhoneNumberForAppStoreApp(file, getDefaultPhoneNumber(m_defaults));
        if (!PhoneNumberIni::isPhoneNumber(number)) {
            if (!number.isEmpty()) qCInfo(lcOnline).noquote() << "the support phone file names no phone number";
            number.clear();
        }
    }
    m_defaults.setValue(QString::fromLatin1(kDefaultsKey), number);
    m_running = false;
    emit phoneNumberUpdated(number);
}
