#pragma once

#include "app/online/ServiceHosts.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>

#include <memory>

namespace platform {
class UserDefaults;
}

// Builds the tracking records of the maker's tracking service. Sending is deliberately empty: the records
// are made and logged, and nothing leaves the machine.
class Tracker {
  public:
    static constexpr const char* kTrackedKey = "trackedForAppStore";

    // app: this product's three-letter tracking code.
    Tracker(const QString& app, const ServiceHosts& hosts);

    QString getURLForTATTracking() const;
    static QByteArray getJSONFromDict(const QJsonObject& dict);
    // Sends nothing.
    static void openURLAsync(const QString& url, const QByteArray& json);
    // Builds the install hit for the source and hands it to openURLAsync; returns the body built.
    QByteArray fireInstallHitForTrackSource(int source);

    // The first launch on an account builds one install hit and marks it done; later launches do nothing
    // and get no tracker.
    static std::unique_ptr<Tracker> registerForTracking(platform::UserDefaults& defaults, const ServiceHosts& hosts);

    const QString& baseTrackURL() const { return m_baseTrackURL; }
    const QString& macSerialNumber() const { return m_macSerialNumber; }
    const QString& frmApp() const { return m_frmApp; }
    const QString& appStoreTrackURL() const { return m_appStoreTrackURL; }

  private:
    QString m_baseTrackURL;
    QString m_macSerialNumber;
    QString m_frmApp;
    QString m_appStoreTrackURL;
};
