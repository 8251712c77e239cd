#include "controls/VLTitlebarContainer.h"

#include <QMouseEvent>

VLTitlebarContainer::VLTitlebarContainer(QWidget* parent) : QWidget(parent) {}

void VLTitlebarContainer::setFillingView(QWidget* view) {
    m_fillingView = view;
    if (view) view->setGeometry(rect());
}

void VLTitlebarContainer::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (m_fillingView) m_fillingView->setGeometry(rect());
}

void VLTitlebarContainer::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
}
