#include "app/online/Reachability.h"
#include "platform/NotificationCenter.h"

#include <QObject>

#include <gtest/gtest.h>

using namespace platform;

namespace {

// The system's reachability, answered from the test: flags that may be unreadable, and a change that the
// test fires.
class ScriptedReachability : public NetworkReachability {
  public:
    explicit ScriptedReachability(std::optional<quint32>* flags) : m_flags(flags) {}
    std::optional<quint32> flags() const override { return *m_flags; }
    bool scheduleWithMainRunLoop(std::function<void()> onChange) override {
        s_onChange = std::move(onChange);
        return true;
    }
    static inline std::function<void()> s_onChange;

  private:
    std::optional<quint32>* m_flags;
};

struct StatusRow {
    const char* name;
    quint32 flags;
    NetworkStatus status;
};

class NetworkStatusForFlags : public testing::TestWithParam<StatusRow> {};

TEST_P(NetworkStatusForFlags, followsTheReachabilityRule) {
    EXPECT_EQ(Reachability::networkStatusForFlags(GetParam().flags), GetParam().status);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, NetworkStatusForFlags,
    testing::Values(StatusRow{"nothing", 0, NetworkStatus::NotReachable},
                    StatusRow{"directWithoutReachable", IsDirect | IsLocalAddress | TransientConnection,
                              NetworkStatus::NotReachable},
                    StatusRow{"reachableDirect", Reachable | IsDirect, NetworkStatus::ReachableDirectly},
                    StatusRow{"directWinsOverConnectionRequired", Reachable | IsDirect | ConnectionRequired,
                              NetworkStatus::ReachableDirectly},
                    StatusRow{"reachableAlone", Reachable, NetworkStatus::Reachable},
                    StatusRow{"connectionRequired", Reachable | ConnectionRequired, NetworkStatus::NotReachable},
                    StatusRow{"requiredButOnTraffic", Reachable | ConnectionRequired | ConnectionOnTraffic,
                              NetworkStatus::Reachable},
                    StatusRow{"requiredOnDemand", Reachable | ConnectionRequired | ConnectionOnDemand,
                              NetworkStatus::Reachable},
                    StatusRow{"onDemandNeedsIntervention",
                              Reachable | ConnectionRequired | ConnectionOnDemand | InterventionRequired,
                              NetworkStatus::NotReachable},
                    StatusRow{"interventionWithoutRequired", Reachable | InterventionRequired | ConnectionOnTraffic,
                              NetworkStatus::Reachable},
                    StatusRow{"transientReachable", Reachable | TransientConnection, NetworkStatus::Reachable}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AReachabilityLogLine, givesEveryFlagItsLetterInOrder) {
    EXPECT_EQ(Reachability::flagsDescription(0), "Reachability Flag Status: -- ------ networkStatusForFlags");
    EXPECT_EQ(Reachability::flagsDescription(0xFFFFFFFF), "Reachability Flag Status: WR tcCiDl networkStatusForFlags");
    EXPECT_EQ(Reachability::flagsDescription(Reachable | ConnectionOnDemand),
              "Reachability Flag Status: -R ----D- networkStatusForFlags");
}

TEST(AReachability, setsTheNetworkFlagsAndAnnouncesChanges) {
    std::optional<quint32> flags = Reachable;
    NetworkReachability::install([&flags](const QHostAddress& address) {
        EXPECT_EQ(address, QHostAddress(QHostAddress::AnyIPv4));
        return std::make_unique<ScriptedReachability>(&flags);
    });
    auto reachability = Reachability::reachabilityForInternetConnection();
    ASSERT_TRUE(reachability);
    EXPECT_FALSE(reachability->localWiFiRef());
    ASSERT_TRUE(reachability->startNotifier());

    struct Row {
        std::optional<quint32> flags;
        NetworkFlags expected;
    };
    const Row rows[] = {
        {Reachable, {NetworkStatus::Reachable, true, false, true, false}},
        {Reachable | IsDirect, {NetworkStatus::ReachableDirectly, true, true, false, false}},
        {Reachable | ConnectionRequired, {NetworkStatus::NotReachable, false, false, false, true}},
        {std::nullopt, {NetworkStatus::NotReachable, false, false, false, false}},  // unreadable flags
    };
    QObject observer;
    int announced = 0;
    NotificationCenter::defaultCenter().addObserver(&observer, Reachability::kChangedNotification,
                                                    [&](const Notification& note) {
                                                        EXPECT_EQ(note.object, reachability.get());
                                                        ++announced;
                                                    });
    for (const Row& row : rows) {
        flags = row.flags;
        ScriptedReachability::s_onChange();
        EXPECT_EQ(NetworkFlags::fromReachability(*reachability), row.expected);
    }
    EXPECT_EQ(announced, 4);
    NetworkReachability::install({});
}

TEST(TheSystemReachabilityFlags, comeFromTheServiceElseTheInterfaces) {
    using Service = NetworkSnapshot::Service;
    const NetworkSnapshot::Address lan{QHostAddress("192.168.1.20"), 24};
    const NetworkSnapshot::Address linkLocal{QHostAddress("fe80::1"), 64};
    const QHostAddress any(QHostAddress::AnyIPv4);
    struct Row {
        const char* name;
        QHostAddress target;
        NetworkSnapshot snapshot;
        quint32 flags;
    };
    const Row rows[] = {
        {"online", any, {Service::Online, {}}, Reachable},
        {"siteOnly", any, {Service::Site, {lan}}, Reachable | ConnectionRequired},
        {"disconnectedDespiteAddress", any, {Service::Disconnected, {lan}}, 0},
        {"localOnly", any, {Service::Local, {lan}}, 0},
        {"unknownWithRoutableAddress", any, {Service::Unknown, {lan}}, Reachable},
        {"unknownWithLinkLocalOnly", any, {Service::Unknown, {linkLocal}}, 0},
        {"unknownWithoutInterfaces", any, {Service::Unknown, {}}, 0},
        {"ownAddress",
         QHostAddress("192.168.1.20"),
         {Service::Disconnected, {lan}},
         Reachable | IsLocalAddress | IsDirect},
        {"neighbour", QHostAddress("192.168.1.7"), {Service::Online, {lan}}, Reachable | IsDirect},
        {"farAddress", QHostAddress("203.0.113.5"), {Service::Online, {lan}}, Reachable},
        {"loopback", QHostAddress::LocalHost, {Service::Disconnected, {}}, Reachable | IsLocalAddress | IsDirect},
    };
    for (const Row& row : rows) EXPECT_EQ(reachabilityFlags(row.target, row.snapshot), row.flags) << row.name;
}

}  // namespace
