#include "ScriptedReachability.h"
#include "app/AppNotifications.h"

#include "app/online/Reachability.h"
#include "platform/NotificationCenter.h"

#include <QObject>

#include <gtest/gtest.h>

using namespace platform;

namespace {

struct StatusRow {
    const char* name;
    quint32 flags;
    NetworkFlags::NetworkStatus status;
};

void PrintTo(const StatusRow& row, std::ostream* os) {
    *os << row.name;
}

class NetworkStatusForFlags : public testing::TestWithParam<StatusRow> {};

TEST_P(NetworkStatusForFlags, followsTheReachabilityRule) {
    EXPECT_EQ(Reachability::networkStatusForFlags(GetParam().flags), GetParam().status);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, NetworkStatusForFlags,
    testing::Values(StatusRow{"nothing", 0, NetworkFlags::NotReachable},
                    StatusRow{"directWithoutReachable", IsDirect | IsLocalAddress | TransientConnection,
                              NetworkFlags::NotReachable},
                    StatusRow{"reachableDirect", Reachable | IsDirect, NetworkFlags::ReachableDirectly},
                    StatusRow{"directWinsOverConnectionRequired", Reachable | IsDirect | ConnectionRequired,
                              NetworkFlags::ReachableDirectly},
                    StatusRow{"reachableAlone", Reachable, NetworkFlags::Reachable},
                    StatusRow{"connectionRequired", Reachable | ConnectionRequired, NetworkFlags::NotReachable},
                    StatusRow{"requiredButOnTraffic", Reachable | ConnectionRequired | ConnectionOnTraffic,
                              NetworkFlags::Reachable},
                    StatusRow{"requiredOnDemand", Reachable | ConnectionRequired | ConnectionOnDemand,
                              NetworkFlags::Reachable},
                    StatusRow{"onDemandNeedsIntervention",
                              Reachable | ConnectionRequired | ConnectionOnDemand | InterventionRequired,
                              NetworkFlags::NotReachable},
                    StatusRow{"interventionWithoutRequired", Reachable | InterventionRequired | ConnectionOnTraffic,
                              NetworkFlags::Reachable},
                    StatusRow{"transientReachable", Reachable | TransientConnection, NetworkFlags::Reachable}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AReachabilityLogLine, givesEveryFlagItsLetterInOrder) {
    EXPECT_EQ(Reachability::flagsDescription(0), "Reachability Flag Status: -- ------ networkStatusForFlags");
    EXPECT_EQ(Reachability::flagsDescription(0xFFFFFFFF), "Reachability Flag Status: WR tcCiDl networkStatusForFlags");
    EXPECT_EQ(Reachability::flagsDescription(Reachable | ConnectionOnDemand),
              "Reachability Flag Status: -R ----D- networkStatusForFlags");
}

TEST(AReachability, setsTheNetworkFlagsAndAnnouncesChanges) {
    ScriptedReachability network;
    auto reachability = Reachability::reachabilityForInternetConnection();
    ASSERT_TRUE(reachability);
    EXPECT_EQ(network.targets.front(), QHostAddress(QHostAddress::AnyIPv4));
    EXPECT_FALSE(reachability->localWiFiRef());
    ASSERT_TRUE(reachability->startNotifier());

    // status, available, through the data provider, through Wi-Fi, connection required
    struct Row {
        std::optional<quint32> flags;
        NetworkFlags::NetworkStatus status;
        bool available, dataProvider, wifi, required;
    };
    const Row rows[] = {
        {Reachable, NetworkFlags::Reachable, true, false, true, false},
        {Reachable | IsDirect, NetworkFlags::ReachableDirectly, true, true, false, false},
        {Reachable | ConnectionRequired, NetworkFlags::NotReachable, false, false, false, true},
        {std::nullopt, NetworkFlags::NotReachable, false, false, false, false},  // unreadable flags
    };
    QObject observer;
    int announced = 0;
    NotificationCenter::defaultCenter().addObserver(&observer, AppNotifications::reachabilityChanged(),
                                                    [&](const Notification& note) {
                                                        EXPECT_EQ(note.object, reachability.get());
                                                        ++announced;
                                                    });
    for (const Row& row : rows) {
        network.change(row.flags);
        NetworkFlags app;
        app.isInternetAvailableUsingWiFi = app.isInternetAvailableUsingDataProvider = true;
        Reachability::updateInterfaceWithReachability(*reachability, app);
        EXPECT_EQ(app.networkStatus, row.status);
        EXPECT_EQ(app.isInternetAvailable, row.available);
        EXPECT_EQ(app.isInternetAvailableUsingDataProvider, row.dataProvider);
        EXPECT_EQ(app.isInternetAvailableUsingWiFi, row.wifi);
        EXPECT_EQ(app.connectionRequired, row.required);
    }
    EXPECT_EQ(announced, 4);
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
