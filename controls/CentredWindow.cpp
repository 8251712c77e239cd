#include "controls/CentredWindow.h"

#include <QWidget>

namespace CentredWindow {

QPoint topLeftOver(const QRect& owner, const QSize& size) {
    return owner.topLeft() + QPoint((owner.width() - size.width()) / 2, (owner.height() - size.height()) / 2);
}

void centreOver(QWidget* child, const QWidget* owner) {
    if (!child || !owner) return;
    child->move(topLeftOver(owner->window()->frameGeometry(), child->size()));
}

}  // namespace CentredWindow
