#pragma once

#include "app/NetworkFlags.h"
#include "platform/NetworkReachability.h"

#include <QHostAddress>
#include <QObject>

#include <memory>

// Watches one address (the any-address: the network in general) and announces every change with
// "kNetworkReachabilityChangedNotification", this object being the notification's object.
class Reachability : public QObject {
    Q_OBJECT
  public:
    using NetworkStatus = NetworkFlags::NetworkStatus;

    // Nothing when the address cannot be watched.
    static std::unique_ptr<Reachability> reachabilityWithAddress(const QHostAddress& address);
    static std::unique_ptr<Reachability> reachabilityForInternetConnection();

    // False when watching could not start; the flags then stay as they were read last.
    bool startNotifier();
    NetworkStatus currentReachabilityStatus() const;
    bool connectionRequired() const;

    // The status a set of reachability flags means; logs the flags as letters.
    static NetworkStatus networkStatusForFlags(quint32 flags);
    // The diagnostic line of a set of flags, e.g. "Reachability Flag Status: -R ------ networkStatusForFlags".
    static QString flagsDescription(quint32 flags);

    bool localWiFiRef() const { return m_localWiFiRef; }

    // Sets the application's network flags from the reachability as it reads now, and logs
    // "Internet Available : YES" or "NO".
    static void updateInterfaceWithReachability(const Reachability& reachability, NetworkFlags& flags);

  private:
    explicit Reachability(std::unique_ptr<platform::NetworkReachability> reachabilityRef);

    std::unique_ptr<platform::NetworkReachability> m_reachabilityRef;
    bool m_localWiFiRef = false;
};
