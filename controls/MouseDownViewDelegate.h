#pragma once

class QEvent;
class QMouseEvent;
class QWheelEvent;
class MouseDownView;

// What a MouseDownView hands on. Every message is optional: a delegate overrides only what it wants.
class MouseDownViewDelegate {
  public:
    virtual ~MouseDownViewDelegate() = default;
    virtual void mouseDown(QMouseEvent* event, MouseDownView* view) { (void)event, (void)view; }
    virtual void mouseDoubleClicked(QMouseEvent* event, MouseDownView* view) { (void)event, (void)view; }
    virtual void mouseDragged(QMouseEvent* event, MouseDownView* view) { (void)event, (void)view; }
    virtual void mouseUp(QMouseEvent* event, MouseDownView* view) { (void)event, (void)view; }
    virtual void mouseExited(QEvent* event, MouseDownView* view) { (void)event, (void)view; }
    virtual void scrollWheel(QWheelEvent* event, MouseDownView* view) { (void)event, (void)view; }
    virtual void rightMouseDown(QMouseEvent* event) { (void)event; }
};
