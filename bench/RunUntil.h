#pragma once

#include <QElapsedTimer>
#include <QEventLoop>
#include <QObject>
#include <QTimer>

#include <functional>
#include <limits>

// Runs the main thread's event loop until done() holds, looking every 5 ms, or until limitMs have passed;
// whether done() holds at the end.
inline bool runUntil(const std::function<bool()>& done, qint64 limitMs = std::numeric_limits<qint64>::max()) {
    QElapsedTimer clock;
    clock.start();
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (done() || clock.elapsed() > limitMs) loop.quit();
    });
    poll.start(5);
    loop.exec();
    return done();
}
