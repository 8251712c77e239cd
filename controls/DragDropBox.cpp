#include "controls/DragDropBox.h"

#include "controls/DropDecision.h"
#include "controls/Logging.h"
#include "platform/NotificationCenter.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMessageBox>
#include <QMimeData>

const char* const DragDropBox::kNotificationName = "FileDragDropNotification";

DragDropBox::DragDropBox(QWidget* parent) : QFrame(parent) {
    setFrameShape(QFrame::StyledPanel);
    m_alert = [this](const QString& title, const QString& text) { QMessageBox::warning(this, title, text); };
}

void DragDropBox::registerForDraggedTypes() {
    setAcceptDrops(true);
}

void DragDropBox::unregisterDraggedTypes() {
    setAcceptDrops(false);
}

void DragDropBox::setAlertPresenter(AlertPresenter presenter) {
    if (presenter) m_alert = std::move(presenter);
}

void DragDropBox::dragEnterEvent(QDragEnterEvent* event) {
    // Only drags of file names whose source lets them be copied come in.
    if (DropDecision::carriesFileNames(event->mimeData()) && (event->possibleActions() & Qt::CopyAction)) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
        return;
    }
    event->ignore();
}

void DragDropBox::dragLeaveEvent(QDragLeaveEvent* event) {
    unsetCursor();
    QFrame::dragLeaveEvent(event);
}

void DragDropBox::dropEvent(QDropEvent* event) {
    if (performDragOperation(event->mimeData())) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}

bool DragDropBox::performDragOperation(const QMimeData* data) {
    const DropDecision decision = DropDecision::decide(data);
    switch (decision.action) {
        case DropDecision::Action::ShowPasteError:
            m_alert(QStringLiteral("Paste Error"), QStringLiteral("Sorry, but the past operation failed"));
            return false;
        case DropDecision::Action::RefuseSilently:
            return false;
        case DropDecision::Action::PostPaths:
            break;
    }
    qCDebug(lcControls).noquote() << QStringLiteral("drag drop path = %1").arg(decision.paths.value(0));
    platform::NotificationCenter::defaultCenter().post(QString::fromLatin1(kNotificationName), nullptr,
                                                       {{QStringLiteral("paths"), decision.paths}});
    unsetCursor();
    update();
    return true;
}
