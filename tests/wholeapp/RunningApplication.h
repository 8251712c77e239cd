#pragma once

#include "tests/app/online/LoopbackServer.h"
#include "tests/common/LoopbackTileServer.h"
#include "tests/common/ScriptedPlatform.h"

#include <QString>

#include <memory>

class AppDelegate;
class ExifEditorView;
class MainWindowController;

namespace wholeapp {

// The application as main starts it, inside the test program: the same delegate, online services and
// editing screen. The user's folders lie in a temporary home, every server the application may call is a
// loopback one (the maker's services, the map's road tiles; no imagery server), the desktop only records
// what it is asked to open, and the waits the screens offer are made to pass at the next turn of the event
// loop. Ending the run is recorded instead of leaving the test program.
class RunningApplication {
  public:
    RunningApplication();
    ~RunningApplication();

    // The temporary home of this test program (set up once per process, before the first launch).
    static QString home();

    // Starts the application; firstLaunch: as on a machine that never ran it (the quick tour shows).
    void launch(bool firstLaunch);
    AppDelegate& delegate() const { return *m_delegate; }
    MainWindowController& mainWindow() const;
    // The editing screen once it is mounted in the main window.
    ExifEditorView& editor() const;
    int terminations() const { return m_terminations; }

    testsupport::LoopbackTileServer tiles;
    LoopbackServer services;
    testsupport::ScriptedWorkspace desktop;

  private:
    void shortenTheScreensWaits();

    std::unique_ptr<AppDelegate> m_delegate;
    int m_terminations = 0;
};

}  // namespace wholeapp
