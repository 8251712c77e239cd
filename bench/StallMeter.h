#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <algorithm>

// The gap between two ticks of a repeating main-thread timer: how long the window would have frozen.
class StallMeter {
  public:
    StallMeter() {
        m_tick.setInterval(2);
        QObject::connect(&m_tick, &QTimer::timeout, [this] { m_longest = std::max(m_longest, m_since.restart()); });
    }
    void start() {
        m_longest = 0;
        m_since.start();
        m_tick.start();
    }
    qint64 stop() {
        m_tick.stop();
        return std::max(m_longest, m_since.elapsed());
    }

  private:
    QTimer m_tick;
    QElapsedTimer m_since;
    qint64 m_longest = 0;
};
