#pragma once

#include <QWidget>

// The window class of the feedback sheet: borderless and see-through, so the form draws its own rounded
// panel, without the window system's shadow, and always able to take the keyboard.
class CustomWindowNag : public QWidget {
    Q_OBJECT
  public:
    explicit CustomWindowNag(QWidget* parent = nullptr);
};
