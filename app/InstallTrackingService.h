#pragma once

class AppDelegate;

// Registers the first launch on this user account with the maker, once.
class InstallTrackingService {
  public:
    virtual ~InstallTrackingService() = default;
    virtual void registerForTracking(AppDelegate& delegate) = 0;
};
