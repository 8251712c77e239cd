#include "controls/DisableSubviews.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QVariant>
#include <QWidget>

namespace DisableSubviews {

bool isControl(const QWidget* view) {
    if (!view) return false;
    return qobject_cast<const QAbstractButton*>(view) || qobject_cast<const QLineEdit*>(view) ||
           qobject_cast<const QComboBox*>(view) || qobject_cast<const QAbstractSpinBox*>(view) ||
           qobject_cast<const QAbstractSlider*>(view) || qobject_cast<const QLabel*>(view) ||
           qobject_cast<const QAbstractItemView*>(view) || view->property("lumarindControl").toBool();
}

void disableSubviews(QWidget* view, bool disable, const Filter& filter) {
    if (!view) return;
    for (QObject* child : view->children()) {
        auto* subview = qobject_cast<QWidget*>(child);
        if (!subview || subview->isWindow()) continue;
        disableSubviews(subview, disable, filter);
        if ((!filter || filter(subview)) && isControl(subview)) subview->setEnabled(!disable);
    }
}

}  // namespace DisableSubviews
