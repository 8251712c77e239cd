#pragma once

#include <QHostAddress>
#include <QList>
#include <QObject>

#include <functional>
#include <memory>
#include <optional>

namespace platform {

// Reachability flags of a network target, with the values the desktop's reachability services publish, so
// that stored diagnostics and the status rule read the same everywhere.
enum ReachabilityFlag : quint32 {
    TransientConnection = 0x1,
    Reachable = 0x2,
    ConnectionRequired = 0x4,
    ConnectionOnTraffic = 0x8,
    InterventionRequired = 0x10,
    ConnectionOnDemand = 0x20,
    IsLocalAddress = 0x10000,
    IsDirect = 0x20000,
};

// What the machine knows about its network at one moment: how far the system's network service says it can
// reach (when it has one), and the addresses of the interfaces that are up.
struct NetworkSnapshot {
    enum class Service { Unknown, Disconnected, Local, Site, Online };
    struct Address {
        QHostAddress address;
        int prefixLength = -1;
    };
    Service service = Service::Unknown;
    QList<Address> addresses;  // up, running, not loopback

    // The interfaces of this machine now; service stays Unknown.
    static NetworkSnapshot ofInterfaces();
};

// The flags of target under snapshot. The any-address stands for "the network in general": what the system
// service says, or, when it cannot tell, whether any interface holds a routable address. A concrete target
// is also reachable directly when it lies on an attached subnet, and local when it is one of ours.
quint32 reachabilityFlags(const QHostAddress& target, const NetworkSnapshot& snapshot);

// Watches whether one address can be reached and calls back on the main thread when its flags change.
class NetworkReachability : public QObject {
    Q_OBJECT
  public:
    using Factory = std::function<std::unique_ptr<NetworkReachability>(const QHostAddress&)>;

    // Nothing when the target cannot be watched.
    static std::unique_ptr<NetworkReachability> create(const QHostAddress& target);
    // Tests replace what create() makes; an empty factory goes back to the system's.
    static void install(Factory factory);

    // Nothing when the flags cannot be read now.
    virtual std::optional<quint32> flags() const = 0;
    // Starts watching; onChange runs on the main thread after each change. False when watching cannot start.
    virtual bool scheduleWithMainRunLoop(std::function<void()> onChange) = 0;
};

}  // namespace platform
