#pragma once

#include <QString>

#include <atomic>
#include <chrono>
#include <functional>

// How the library readers work for one add operation: where private copies of databases go, and what ends
// a long read early (the Stop button, or a query that runs too long, as a crafted database can make one run
// for ever).
struct LibraryReading {
    using Clock = std::chrono::steady_clock;

    QString cachesFolder;                     // "" for the application's caches folder
    const std::atomic<bool>* stop = nullptr;  // isPHOTOS_PROCESSING_STOPPED
    std::chrono::milliseconds queryTimeLimit = std::chrono::seconds(60);
    std::function<Clock::time_point()> now;  // the steady clock when empty

    bool stopRequested() const { return stop && stop->load(std::memory_order_relaxed); }
    Clock::time_point currentTime() const { return now ? now() : Clock::now(); }
};
