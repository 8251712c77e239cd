#pragma once

class AppDelegate;

// Keeps the application delegate's network flags current (its `network` member), from launch to the end of
// the run, on the main thread.
class ReachabilityService {
  public:
    virtual ~ReachabilityService() = default;
    // Starts watching the network and sets the flags at once, so they are valid before the support-phone
    // download starts.
    virtual void registerReachability(AppDelegate& delegate) = 0;
};
