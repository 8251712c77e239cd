#pragma once

#include <QPushButton>

// A push button that shows the pointing-hand cursor.
class CustomButton : public QPushButton {
    Q_OBJECT
  public:
    explicit CustomButton(QWidget* parent = nullptr);
};
