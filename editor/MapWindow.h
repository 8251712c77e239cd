#pragma once

#include <QWidget>

class MapViewForExtension;
class WindowCloseButton;

// The form's map window: the location picker in a window of its own, opened over the editing screen, with a
// close button of its own at the start of the picker's bar (a desktop may give it no title bar) and closed
// by Escape too. Closing it is a way back to the editor, so it announces that it closes.
class MapWindow : public QWidget {
    Q_OBJECT
  public:
    explicit MapWindow(QWidget* parent = nullptr);

    MapViewForExtension* mapviewRef() const { return m_picker; }
    WindowCloseButton* btnClose() const { return m_close; }
    // Shows it as a child window of owner's window, centred over it, in front and focused.
    void showCenteredOver(QWidget* owner);

  signals:
    void windowWillClose();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    MapViewForExtension* m_picker;
    WindowCloseButton* m_close;
};
