#include "editor/MapWindow.h"

#include <QCloseEvent>
#include <QVBoxLayout>

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
    if (ownerWindow) {
        const QRect frame = ownerWindow->geometry();
        move(frame.x() + (frame.width() - width()) / 2, frame.y() + (frame.height() - height()) / 2);
    }
    show();
    raise();
    activateWindow();
}

void MapWindow::closeEvent(QCloseEvent* event) {
    emit windowWillClose();
    QWidget::closeEvent(event);
}
