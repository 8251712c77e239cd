#pragma once

#include "controls/ClickCounter.h"

#include <QWidget>

class MouseDownViewDelegate;

// A view that hands its mouse events to a delegate (a single press as mouse-down, a press of a series as
// a double click) and swallows key presses. Nothing is passed on to the views behind it.
class MouseDownView : public QWidget {
    Q_OBJECT
  public:
    explicit MouseDownView(QWidget* parent = nullptr);

    // Not owned; the owner clears it before it goes away.
    MouseDownViewDelegate* delegate() const { return m_delegate; }
    void setDelegate(MouseDownViewDelegate* delegate) { m_delegate = delegate; }

    enum class PressMessage { None, MouseDown, DoubleClicked };
    static PressMessage messageForClickCount(int clickCount);

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void press(QMouseEvent* event, bool toolkitDoubleClick);

    MouseDownViewDelegate* m_delegate = nullptr;
    ClickCounter m_clicks;
};
