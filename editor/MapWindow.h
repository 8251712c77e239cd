#pragma once

#include <QWidget>

class MapViewForExtension;

// The form's map window: the location picker in a window of its own, opened over the editing screen.
// Closing it with its close button is a way back to the editor, so it announces that it closes.
class MapWindow : public QWidget {
    Q_OBJECT
  public:
    explicit MapWindow(QWidget* parent = nullptr);

    MapViewForExtension* mapviewRef() const { return m_picker; }
    // Shows it as a child window of owner's window, centred over it, in front and focused.
    void showCenteredOver(QWidget* owner);

  signals:
    void windowWillClose();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    MapViewForExtension* m_picker;
};
