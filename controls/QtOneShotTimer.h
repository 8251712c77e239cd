#pragma once

#include "controls/OneShotTimer.h"

#include <QTimer>

// The real-time delayed call, on the thread's event loop.
class QtOneShotTimer : public OneShotTimer {
  public:
    QtOneShotTimer();
    void start(int milliseconds, std::function<void()> callback) override;
    void stop() override;
    bool isActive() const override;

  private:
    QTimer m_timer;
    std::function<void()> m_callback;
};
