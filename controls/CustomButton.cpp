#include "controls/CustomButton.h"

CustomButton::CustomButton(QWidget* parent) : QPushButton(parent) {
    setCursor(Qt::PointingHandCursor);
}
