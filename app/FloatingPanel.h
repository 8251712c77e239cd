#pragma once

#include <QColor>
#include <QWidget>

class IMGButton;
class MouseDownView;

// A window of the shell that floats over the main window it belongs to: a rounded dark panel of a fixed
// size, a strip along its top that drags it, and a round close button in that strip.
class FloatingPanel : public QWidget {
    Q_OBJECT
  public:
    FloatingPanel(QWidget* mainWindow, const QSize& size, int stripHeight, int cornerRadius, const QColor& colour);

    MouseDownView* dragStrip() const { return m_dragStrip; }
    IMGButton* closeButton() const { return m_close; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    MouseDownView* m_dragStrip = nullptr;
    IMGButton* m_close = nullptr;
    int m_cornerRadius;
    QColor m_colour;
    bool m_shaped;  // opaque and cut to its rounded shape, where the display blends no see-through pixels
};
