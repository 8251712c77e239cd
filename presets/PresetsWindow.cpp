#include "presets/PresetsWindow.h"

#include <QCloseEvent>
#include <QVBoxLayout>

#include "controls/CentredWindow.h"
#include "controls/SubWindowState.h"
#include "controls/VisualEffectBacking.h"
#include "controls/WindowCloseButton.h"
#include "presets/PresetView.h"

PresetsWindow::PresetsWindow(PresetStore& presets, SubWindowState& subWindow, QWidget* parent)
    : QWidget(parent, Qt::Window), m_subWindow(subWindow), m_view(new PresetView(presets, subWindow, this)) {
    setObjectName(QStringLiteral("winPresets"));
    setWindowTitle(QStringLiteral("Presets"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    // The editor lies on the window's dark backing, square like the window.
    VisualEffectBacking::Look backing;
    backing.fill = QColor(38, 38, 38);
    backing.cornerRadius = 0;
    VisualEffectBacking::addVisualEffectView(this, m_view, backing);
    // Level with the list's title, in the room the title leaves it.
    m_close = new WindowCloseButton(this);
    m_close->move(8, 10);
    m_close->raise();
    resize(920, 640);
}

PresetsWindow::~PresetsWindow() {
    // The editor's popups are windows of this window; they must go while it is still whole.
    delete m_view;
}

void PresetsWindow::showCenteredOver(QWidget* owner) {
    QWidget* ownerWindow = owner ? owner->window() : nullptr;
    if (ownerWindow && parentWidget() != ownerWindow) setParent(ownerWindow, Qt::Window);
    CentredWindow::centreOver(this, ownerWindow);
    m_subWindow.setIsSubWindowOpened(true);
    show();
    raise();
    activateWindow();
    m_view->initSetup();
}

void PresetsWindow::closeEvent(QCloseEvent* event) {
    m_view->windowWillClose();
    emit windowWillClose();
    QWidget::closeEvent(event);
}
