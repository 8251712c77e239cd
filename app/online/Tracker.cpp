#include "app/online/Tracker.h"

#include "app/online/Logging.h"
#include "app/online/SystemInfo.h"
#include "platform/UserDefaults.h"

#include <QJsonDocument>

Tracker::Tracker(const QString& app, const ServiceHosts& hosts)
    : m_baseTrackURL(hosts.trackingBase()),
      m_macSerialNumber(SystemInfo::getSerialNumber()),
      m_frmApp(app),
      m_appStoreTrackURL(hosts.installTrackingUrl()) {
    if (m_macSerialNumber.isEmpty()) m_macSerialNumber = QStringLiteral("DUMMYSERIAL");
}

QString Tracker::getURLForTATTracking() const {
    return m_baseTrackURL + QStringLiteral("/CrossTracking");
}

QByteArray Tracker::getJSONFromDict(const QJsonObject& dict) {
    return QJsonDocument(dict).toJson(QJsonDocument::Compact);
}

void Tracker::openURLAsync(const QString& url, const QByteArray& json) {
    qCDebug(lcOnline).noquote() << "tracking record kept on this machine for " + url + ": " + QString::fromUtf8(json);
}

QByteArray Tracker::fireInstallHitForTrackSource(int source) {
    qCInfo(lcOnline).noquote() << "fireInstallHitForTrackSource";
    const QJsonObject hit{
        {QStringLiteral("pid"), QString::number(source)},
        {QStringLiteral("bins"), QStringLiteral("1")},
        {QStringLiteral("mac"), m_macSerialNumber},
    };
    const QByteArray body = getJSONFromDict(hit);
    openURLAsync(m_appStoreTrackURL, body);
    return body;
}

std::unique_ptr<Tracker> Tracker::registerForTracking(platform::UserDefaults& defaults, const ServiceHosts& hosts) {
    if (defaults.contains(QString::fromLatin1(kTrackedKey))) return nullptr;
    auto tracker = std::make_unique<Tracker>(QStringLiteral("qzv"), hosts);
    tracker->fireInstallHitForTrackSource(24);
    defaults.setValue(QString::fromLatin1(kTrackedKey), QStringLiteral("TRACKING CALLED"));
    return tracker;
}
