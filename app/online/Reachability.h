#pragma once

#include "platform/NetworkReachability.h"

#include <QHostAddress>
#include <QObject>

#include <memory>

// How far the network reaches: 0 not at all, 1 reachable, 2 reachable directly.
enum class NetworkStatus { NotReachable = 0, Reachable = 1, ReachableDirectly = 2 };

// Watches one address (the any-address: the network in general) and announces every change with
// "kNetworkReachabilityChangedNotification", this object being the notification's object.
class Reachability : public QObject {
    Q_OBJECT
  public:
    static constexpr const char* kChangedNotification = "kNetworkReachabilityChangedNotification";

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

  private:
    explicit Reachability(std::unique_ptr<platform::NetworkReachability> reachabilityRef);

    std::unique_ptr<platform::NetworkReachability> m_reachabilityRef;
    bool m_localWiFiRef = false;
};

// The network flags the application keeps, as one reading of a Reachability sets them.
struct NetworkFlags {
    NetworkStatus networkStatus = NetworkStatus::NotReachable;
    bool isInternetAvailable = false;
    bool isInternetAvailableUsingDataProvider = false;
    bool isInternetAvailableUsingWiFi = false;
    bool connectionRequired = false;

    // Reads the reachability and logs "Internet Available : YES" or "NO".
    static NetworkFlags fromReachability(const Reachability& reachability);

    bool operator==(const NetworkFlags&) const = default;
};
