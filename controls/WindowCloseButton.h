#pragma once

#include <QAbstractButton>

// The close control of a window that a window manager may or may not decorate: the round red button of the
// application's own windows, placed by the window, and Escape when it reaches the window (a popup or a field
// that takes Escape for itself keeps it). Both close the window as its own close would.
class WindowCloseButton : public QAbstractButton {
    Q_OBJECT
  public:
    explicit WindowCloseButton(QWidget* parent);

    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};
