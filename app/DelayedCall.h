#pragma once

#include <functional>

// Runs work after a delay, on the main thread. The shell's screens take one so tests can drive their
// waits by hand instead of letting real time pass.
using DelayedCall = std::function<void(int milliseconds, std::function<void()> work)>;
