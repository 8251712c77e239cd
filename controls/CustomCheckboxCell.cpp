#include "controls/CustomCheckboxCell.h"

#include "controls/ImageLibrary.h"

#include <QPainter>

CustomCheckboxCell::CustomCheckboxCell(QWidget* parent) : QCheckBox(parent) {}

QString CustomCheckboxCell::imageNameFor(Qt::CheckState state) {
    return state == Qt::Unchecked ? QStringLiteral("unchecked_sq_icon_flip") : QStringLiteral("checked_sq_icon_flip");
}

QRectF CustomCheckboxCell::imageRect() {
    return QRectF(2, 0, 15, 15);
}

QSize CustomCheckboxCell::sizeHint() const {
    return QSize(19, 15);
}

void CustomCheckboxCell::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    ImageLibrary::draw(painter, imageNameFor(checkState()), imageRect());
}

bool CustomCheckboxCell::hitButton(const QPoint& pos) const {
    return rect().contains(pos);
}
