#pragma once

class AppDelegate;

// Fetches the support phone number once per launch, away from the main thread.
class SupportPhoneService {
  public:
    virtual ~SupportPhoneService() = default;
    // Returns at once. The number found (or "") is stored under "phonenumber" and handed to
    // AppDelegate::updatePhoneInfoToLabels on the main thread.
    virtual void startUpdatePhoneNumbersFromWebINI(AppDelegate& delegate) = 0;
};
