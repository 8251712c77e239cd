#pragma once

#include <QObject>

#include <functional>

namespace platform::dispatch {

// Runs work on the shared pool of background threads.
void background(std::function<void()> work);

// Runs work on the main thread as soon as its event loop gets to it; dropped when receiver is destroyed
// first, so a late answer never reaches a screen that is gone. Callable from any thread.
void onMain(QObject* receiver, std::function<void()> work);

// Runs work after milliseconds on the thread of receiver; dropped when receiver is destroyed first.
void after(int milliseconds, QObject* receiver, std::function<void()> work);

bool isMainThread();

}  // namespace platform::dispatch
