#include "editor/DesktopActions.h"

#include "editor/Logging.h"
#include "platform/Workspace.h"

#include <QPointer>
#include <QWidget>

platform::Alert DesktopActions::cannotActAlert(Action action, const QString& path) {
    platform::Alert alert;
    alert.buttons = {QStringLiteral("OK")};
    const QString quoted = QStringLiteral("\"") + path + QStringLiteral("\"");
    switch (action) {
        case ShowInFileManager:
            alert.messageText = QStringLiteral("No file manager could show the photo.");
            alert.informativeText = QStringLiteral("This desktop has no file manager that answers for ") + quoted +
                                    QStringLiteral(". Install one, or open the photo's folder yourself.");
            break;
        case OpenInImageViewer:
            alert.messageText = QStringLiteral("No image viewer could open the photo.");
            alert.informativeText = QStringLiteral("This desktop has no application set to open ") + quoted +
                                    QStringLiteral(". Install an image viewer, or choose one for this kind of file.");
            break;
        case OpenFolder:
            alert.messageText = QStringLiteral("No file manager could open the folder.");
            alert.informativeText = QStringLiteral("This desktop has no application set to open ") + quoted +
                                    QStringLiteral(". Install a file manager, or open the folder yourself.");
            break;
    }
    return alert;
}

void DesktopActions::perform(Action action, const QString& path, platform::Workspace& workspace, QWidget* parent) {
    QPointer<QWidget> owner(parent);
    auto answered = [action, path, owner](bool acted) {
        if (acted) return;
        qCInfo(lcEditor).noquote() << QStringLiteral("the desktop could not act on ") + path;
        platform::AlertPresenter::shared().beginSheet(cannotActAlert(action, path), owner.data(), nullptr);
    };
    if (action == ShowInFileManager)
        workspace.revealInFileManager({path}, answered);
    else
        workspace.openFile(path, answered);
}
