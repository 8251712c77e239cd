#pragma once

#include <functional>

// A single pending delayed call. Starting again replaces what was pending. Controls that wait before they
// report take one of these, so the wait can be driven by hand where no real time should pass.
class OneShotTimer {
  public:
    virtual ~OneShotTimer() = default;
    virtual void start(int milliseconds, std::function<void()> callback) = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;
};
