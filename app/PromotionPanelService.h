#pragma once

class QObject;

// The panel shown at quit instead of terminating at once. When it closes it posts
// AppNotifications::windowWillClose() with windowSubscription() as object; the delegate then terminates.
class PromotionPanelService {
  public:
    virtual ~PromotionPanelService() = default;
    // Fills the panel and makes it the key window; the application keeps running with the main window hidden.
    virtual void showPromotionPanel() = 0;
    virtual QObject* windowSubscription() const = 0;
    // The panel's box for not showing it again is ticked.
    virtual bool isDontShowChecked() const = 0;
};
