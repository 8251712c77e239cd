#pragma once

#include "controls/OneShotTimer.h"

// A delayed call that fires only when the test says so.
class ManualTimer : public OneShotTimer {
  public:
    void start(int milliseconds, std::function<void()> callback) override {
        lastInterval = milliseconds;
        pending = std::move(callback);
        ++starts;
    }
    void stop() override { pending = nullptr; }
    bool isActive() const override { return static_cast<bool>(pending); }
    void fire() {
        auto callback = std::move(pending);
        pending = nullptr;
        if (callback) callback();
    }

    int lastInterval = -1;
    int starts = 0;
    std::function<void()> pending;
};
