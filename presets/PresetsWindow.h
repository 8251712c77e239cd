#pragma once

#include <QWidget>

class PresetStore;
class PresetView;
class SubWindowState;
class WindowCloseButton;

// The presets window: the preset editor in a window of its own over the editing screen, with a close button
// of its own above the preset list (a desktop may give it no title bar) and closed by Escape too. It sets the
// editor up each time it opens, and closing it keeps the edits of the selected preset.
class PresetsWindow : public QWidget {
    Q_OBJECT
  public:
    PresetsWindow(PresetStore& presets, SubWindowState& subWindow, QWidget* parent = nullptr);
    ~PresetsWindow() override;

    PresetView* presetView() const { return m_view; }
    WindowCloseButton* btnClose() const { return m_close; }
    // Shows it as a child window of owner's window, centred over it, and sets the editor up.
    void showCenteredOver(QWidget* owner);

  signals:
    // After the editor has kept its edits; the editing screen takes itself back.
    void windowWillClose();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    SubWindowState& m_subWindow;
    PresetView* m_view;
    WindowCloseButton* m_close = nullptr;
};
