#pragma once

#include <functional>

class QObject;

namespace platform {

// Turns the signals that ask a process to end (SIGTERM, SIGINT, SIGHUP) into a call on the main thread, so
// the application ends through its normal path and keeps what it must keep. The call is dropped when
// receiver is gone. Install once, from the main thread, with an event loop to follow.
class QuitSignals {
  public:
    static bool install(QObject* receiver, std::function<void(int signal)> handler);
};

}  // namespace platform
