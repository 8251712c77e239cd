#include "editor/MapWindow.h"

#include <QCloseEvent>
#include <QVBoxLayout>

#include "controls/CentredWindow.h"
#include "controls/WindowCloseButton.h"
#include "editor/MapViewForExtension.h"

MapWindow::MapWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), m_picker(new MapViewForExtension(this)), m_close(new WindowCloseButton(this)) {
    setWindowTitle(QStringLiteral("Location"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_picker);
    m_picker->setLeadingControl(m_close);
    resize(820, 560);
}

void MapWindow::showCenteredOver(QWidget* owner) {
    QWidget* ownerWindow = owner ? owner->window() : nullptr;
    if (ownerWindow && parentWidget() != ownerWindow) setParent(ownerWindow, Qt::Window);
    CentredWindow::centreOver(this, ownerWindow);
    show();
    raise();
    activateWindow();
}

void MapWindow::closeEvent(QCloseEvent* event) {
    emit windowWillClose();
    QWidget::closeEvent(event);
}
