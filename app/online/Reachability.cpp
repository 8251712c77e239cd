#include "app/online/Reachability.h"

#include "app/AppNotifications.h"
#include "app/online/Logging.h"
#include "platform/NotificationCenter.h"

using namespace platform;

namespace {

// The flags in the order of the diagnostic line, each with its letter.
struct FlagLetter {
    quint32 flag;
    char letter;
};
constexpr FlagLetter kLetters[] = {
    {IsDirect, 'W'},           {Reachable, 'R'},           {TransientConnection, 't'},
    {ConnectionRequired, 'c'}, {ConnectionOnTraffic, 'C'}, {InterventionRequired, 'i'},
    {ConnectionOnDemand, 'D'}, {IsLocalAddress, 'l'},
};

}  // namespace

Reachability::Reachability(std::unique_ptr<NetworkReachability> reachabilityRef)
    : m_reachabilityRef(std::move(reachabilityRef)) {}

std::unique_ptr<Reachability> Reachability::reachabilityWithAddress(const QHostAddress& address) {
    auto ref = NetworkReachability::create(address);
    if (!ref) return nullptr;
    return std::unique_ptr<Reachability>(new Reachability(std::move(ref)));
}

std::unique_ptr<Reachability> Reachability::reachabilityForInternetConnection() {
    return reachabilityWithAddress(QHostAddress(QHostAddress::AnyIPv4));
}

bool Reachability::startNotifier() {
    return m_reachabilityRef->scheduleWithMainRunLoop(
        [this] { NotificationCenter::defaultCenter().post(AppNotifications::reachabilityChanged(), this); });
}

Reachability::NetworkStatus Reachability::currentReachabilityStatus() const {
    const auto flags = m_reachabilityRef->flags();
    return flags ? networkStatusForFlags(*flags) : NetworkFlags::NotReachable;
}

bool Reachability::connectionRequired() const {
    const auto flags = m_reachabilityRef->flags();
    return flags && (*flags & ConnectionRequired);
}

QString Reachability::flagsDescription(quint32 flags) {
    QString letters;
    for (int i = 0; i < int(std::size(kLetters)); ++i) {
        if (i == 2) letters += QLatin1Char(' ');
        letters += (flags & kLetters[i].flag) ? QLatin1Char(kLetters[i].letter) : QLatin1Char('-');
    }
    return QStringLiteral("Reachability Flag Status: ") + letters + QStringLiteral(" networkStatusForFlags");
}

Reachability::NetworkStatus Reachability::networkStatusForFlags(quint32 flags) {
    qCInfo(lcOnline).noquote() << flagsDescription(flags);
    if (!(flags & Reachable)) return NetworkFlags::NotReachable;
    if (flags & IsDirect) return NetworkFlags::ReachableDirectly;
    const bool onTrafficOrDemand = flags & (ConnectionOnTraffic | ConnectionOnDemand);
    if (!onTrafficOrDemand || (flags & InterventionRequired))
        return (flags & ConnectionRequired) ? NetworkFlags::NotReachable : NetworkFlags::Reachable;
    return NetworkFlags::Reachable;
}

void Reachability::updateInterfaceWithReachability(const Reachability& reachability, NetworkFlags& flags) {
    flags.networkStatus = reachability.currentReachabilityStatus();
    flags.isInternetAvailable = flags.networkStatus != NetworkFlags::NotReachable;
    flags.isInternetAvailableUsingDataProvider = flags.networkStatus == NetworkFlags::ReachableDirectly;
    flags.connectionRequired = reachability.connectionRequired();
    flags.isInternetAvailableUsingWiFi = flags.networkStatus == NetworkFlags::Reachable;
    qCInfo(lcOnline).noquote() << "Internet Available : " + QString(flags.isInternetAvailable ? "YES" : "NO");
}
