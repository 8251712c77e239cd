#pragma once

#include <QString>

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

// How the library readers work for one add operation: where private copies of databases go, what ends a
// long read early (the Stop button, or a query that runs too long, as a crafted database can make one run
// for ever), and how long a database that another program keeps locked is waited for.
struct LibraryReading {
    using Clock = std::chrono::steady_clock;

    QString cachesFolder = {};                // "" for the application's caches folder
    const std::atomic<bool>* stop = nullptr;  // isPHOTOS_PROCESSING_STOPPED
    std::chrono::milliseconds queryTimeLimit = std::chrono::seconds(60);
    std::function<Clock::time_point()> now = {};  // the steady clock when empty
    std::chrono::milliseconds lockWaitLimit = std::chrono::seconds(5);
    std::function<void(std::chrono::milliseconds)> pause = {};  // between looks at a lock; a real sleep when empty
    // Told the database's path when it stayed locked past the limit, so that the user can be told.
    std::function<void(const QString& database)> libraryLocked = {};

    bool stopRequested() const { return stop && stop->load(std::memory_order_relaxed); }
    Clock::time_point currentTime() const { return now ? now() : Clock::now(); }
    void wait(std::chrono::milliseconds time) const {
        if (pause) {
            pause(time);
        } else {
            std::this_thread::sleep_for(time);
        }
    }
};
