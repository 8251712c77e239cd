#include "platform/NetworkReachability.h"

#include "platform/Log.h"

#include <QCoreApplication>
#include <QNetworkInformation>
#include <QNetworkInterface>
#include <QTimer>

namespace platform {
namespace {

// Interface changes have no signal of their own; a look every few seconds is cheap and soon enough for a
// flag that only decides whether online work is tried.
constexpr int kInterfacePollMs = 3000;

NetworkSnapshot::Service serviceOf(QNetworkInformation::Reachability reachability) {
    switch (reachability) {
        case QNetworkInformation::Reachability::Disconnected:
            return NetworkSnapshot::Service::Disconnected;
        case QNetworkInformation::Reachability::Local:
            return NetworkSnapshot::Service::Local;
        case QNetworkInformation::Reachability::Site:
            return NetworkSnapshot::Service::Site;
        case QNetworkInformation::Reachability::Online:
            return NetworkSnapshot::Service::Online;
        case QNetworkInformation::Reachability::Unknown:
            break;
    }
    return NetworkSnapshot::Service::Unknown;
}

bool isRoutable(const QHostAddress& address) {
    return !address.isLoopback() && !address.isLinkLocal() && !address.isNull();
}

quint32 generalFlags(const NetworkSnapshot& snapshot) {
    using Service = NetworkSnapshot::Service;
    switch (snapshot.service) {
        case Service::Online:
            return Reachable;
        // Only neighbours answer: there is a way out, but not to the internet without more.
        case Service::Site:
            return Reachable | ConnectionRequired;
        case Service::Local:
        case Service::Disconnected:
            return 0;
        case Service::Unknown:
            break;
    }
    for (const auto& entry : snapshot.addresses)
        if (isRoutable(entry.address)) return Reachable;
    return 0;
}

// The system's view: the network service where the desktop offers one, the interfaces always.
class SystemNetworkReachability : public NetworkReachability {
  public:
    explicit SystemNetworkReachability(const QHostAddress& target) : m_target(target) {}

    std::optional<quint32> flags() const override { return reachabilityFlags(m_target, snapshot()); }

    bool scheduleWithMainRunLoop(std::function<void()> onChange) override {
        if (!QCoreApplication::instance()) return false;
        m_onChange = std::move(onChange);
        m_last = *flags();
        if (QNetworkInformation* info = networkInformation()) {
            connect(info, &QNetworkInformation::reachabilityChanged, this, [this] { check(); });
        }
        auto* timer = new QTimer(this);
        connect(timer, &QTimer::timeout, this, [this] { check(); });
        timer->start(kInterfacePollMs);
        return true;
    }

  private:
    static QNetworkInformation* networkInformation() {
        static const bool loaded = [] {
            const bool ok = QNetworkInformation::loadBackendByFeatures(QNetworkInformation::Feature::Reachability);
            qCInfo(lcPlatform).noquote() << (ok ? "network information service: " +
                                                      QNetworkInformation::instance()->backendName()
                                                : QStringLiteral("no network information service; watching "
                                                                 "the network interfaces"));
            return ok;
        }();
        return loaded ? QNetworkInformation::instance() : nullptr;
    }

    static NetworkSnapshot snapshot() {
        NetworkSnapshot snapshot = NetworkSnapshot::ofInterfaces();
        if (QNetworkInformation* info = networkInformation()) snapshot.service = serviceOf(info->reachability());
        return snapshot;
    }

    void check() {
        const quint32 now = *flags();
        if (now == m_last) return;
        m_last = now;
        if (m_onChange) m_onChange();
    }

    QHostAddress m_target;
    std::function<void()> m_onChange;
    quint32 m_last = 0;
};

NetworkReachability::Factory& installedFactory() {
    static NetworkReachability::Factory factory;
    return factory;
}

}  // namespace

NetworkSnapshot NetworkSnapshot::ofInterfaces() {
    NetworkSnapshot snapshot;
    for (const QNetworkInterface& interface : QNetworkInterface::allInterfaces()) {
        const auto flags = interface.flags();
        if (!flags.testFlag(QNetworkInterface::IsUp) || !flags.testFlag(QNetworkInterface::IsRunning) ||
            flags.testFlag(QNetworkInterface::IsLoopBack))
            continue;
        for (const QNetworkAddressEntry& entry : interface.addressEntries())
            snapshot.addresses.append({entry.ip(), entry.prefixLength()});
    }
    return snapshot;
}

quint32 reachabilityFlags(const QHostAddress& target, const NetworkSnapshot& snapshot) {
    const bool general = target.isNull() || target == QHostAddress(QHostAddress::AnyIPv4) ||
                         target == QHostAddress(QHostAddress::AnyIPv6) || target == QHostAddress(QHostAddress::Any);
    if (general) return generalFlags(snapshot);
    if (target.isLoopback()) return Reachable | IsLocalAddress | IsDirect;
    for (const auto& entry : snapshot.addresses) {
        if (entry.address.isEqual(target, QHostAddress::TolerantConversion))
            return Reachable | IsLocalAddress | IsDirect;
    }
    for (const auto& entry : snapshot.addresses) {
        if (entry.prefixLength >= 0 && target.isInSubnet(entry.address, entry.prefixLength))
            return Reachable | IsDirect;
    }
    return generalFlags(snapshot);
}

std::unique_ptr<NetworkReachability> NetworkReachability::create(const QHostAddress& target) {
    if (installedFactory()) return installedFactory()(target);
    return std::make_unique<SystemNetworkReachability>(target);
}

void NetworkReachability::install(Factory factory) {
    installedFactory() = std::move(factory);
}

}  // namespace platform
