#include "controls/HandCusorButton.h"

HandCusorButton::HandCusorButton(QWidget* parent) : QPushButton(parent) {
    setCursor(Qt::PointingHandCursor);
}
