#pragma once

#include "app/DelayedCall.h"

#include <QObject>

class MainWindowApplication;
class QWidget;

// The first half of quitting: the close confirmation when edits would be lost, the rate prompt, then the
// main window hidden for the promotion panel or closed. The application delegate does the rest.
class MainWindowCloseFlow : public QObject {
    Q_OBJECT
  public:
    // window: the main window, over which the questions are asked and which the flow hides or closes.
    MainWindowCloseFlow(MainWindowApplication& app, QWidget* window, DelayedCall schedule, QObject* parent = nullptr);

    void btnCloseWindowTapped();
    void closeWindowActionShowRate(bool showRate);
    void showAlertForRateApp();
    // Set once the flow closes the window itself; any other close request runs the flow first.
    bool isCloseApproved() const { return m_closeApproved; }

  private:
    void continueClosing();
    void closeMainWindow();

    MainWindowApplication& m_app;
    QWidget* m_window;
    DelayedCall m_schedule;
    bool m_closeApproved = false;
};
