#pragma once

#include <QPushButton>

// A push button that shows the pointing-hand cursor; the twin of CustomButton for the screens that name it.
class HandCursorButton : public QPushButton {
    Q_OBJECT
  public:
    explicit HandCursorButton(QWidget* parent = nullptr);
};
