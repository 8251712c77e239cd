#pragma once

// What the add-photos window and the quick tour need of the main window they open over. The main window
// controller implements it.
class AddPhotosMainWindow {
  public:
    virtual ~AddPhotosMainWindow() = default;

    // Brings the main window to the front, focused.
    virtual void showWindow() = 0;
    virtual void hideWindow() = 0;
    // The title-bar buttons and the resizing, held while the add-photos window stands over the main window.
    virtual void enableWindowControls(bool enabled) = 0;
    // The close flow, with the rate prompt as the window's own close button asks it or without.
    virtual void closeWindowActionShowRate(bool showRate) = 0;
};
