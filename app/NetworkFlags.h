#pragma once

#include <atomic>

// What the application knows about the network, kept current by the reachability service.
struct NetworkFlags {
    enum NetworkStatus { NotReachable = 0, Reachable = 1, ReachableDirectly = 2 };

    NetworkStatus networkStatus = NotReachable;
    // Read by background downloads while the main thread writes it.
    std::atomic<bool> isInternetAvailable{false};
    bool isInternetAvailableUsingDataProvider = false;
    bool isInternetAvailableUsingWiFi = false;
    bool connectionRequired = false;
};
