#include "controls/QtOneShotTimer.h"

QtOneShotTimer::QtOneShotTimer() {
    m_timer.setSingleShot(true);
    QObject::connect(&m_timer, &QTimer::timeout, [this] {
        // Taken out first: the callback may start the timer again.
        auto callback = std::move(m_callback);
        m_callback = nullptr;
        if (callback) callback();
    });
}

void QtOneShotTimer::start(int milliseconds, std::function<void()> callback) {
    m_callback = std::move(callback);
    m_timer.start(milliseconds);
}

void QtOneShotTimer::stop() {
    m_timer.stop();
    m_callback = nullptr;
}

bool QtOneShotTimer::isActive() const {
    return m_timer.isActive();
}
