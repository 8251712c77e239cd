#include "controls/HandCursorButton.h"

HandCursorButton::HandCursorButton(QWidget* parent) : QPushButton(parent) {
    setCursor(Qt::PointingHandCursor);
}
