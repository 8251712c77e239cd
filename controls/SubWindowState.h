#pragma once

// Whether a sheet, panel or child window is open over the main window. Every such window sets it while it
// is shown; alerts of the editing screen, the feedback menu item and the highlighted buttons read it. The
// application delegate owns the instance of a run; until it installs its own, shared() is a process-wide one.
class SubWindowState {
  public:
    bool isSubWindowOpened() const { return m_opened; }
    void setIsSubWindowOpened(bool opened) { m_opened = opened; }

    // The instance installed by the application, else the process default. Main thread only.
    static SubWindowState& shared();
    // The owner installs its instance (nullptr goes back to the default); it must outlive every reader.
    static void install(SubWindowState* state);

  private:
    bool m_opened = false;
};
