#pragma once

class QWidget;

// The feedback form, shown as a sheet over the main window.
class FeedbackService {
  public:
    virtual ~FeedbackService() = default;
    virtual void showFeedBackWindow(QWidget* mainWindow) = 0;
};
