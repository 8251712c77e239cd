#include "editor/AddPhotosOptions.h"

#include "editor/Logging.h"
#include "editor/PopupLists.h"
#include "intake/DataFiller.h"
#include "intake/PhotoAcceptance.h"
#include "platform/StandardPaths.h"
#include "platform/Trash.h"

#include <QFileInfo>

platform::OpenPanelOptions AddPhotosOptions::openPanelFor(int index, const QString& photosAppPath) {
    platform::OpenPanelOptions options;
    options.canCreateDirectories = true;
    options.allowsMultipleSelection = true;
    // Every image type the system knows, and the extra extensions as written.
    options.allowsImageFiles = true;
    options.allowedExtensions = PhotoAcceptance::ExtraImageExtensions();
    switch (index) {
        case PopupLists::AddFolder:
            options.canChooseFiles = false;
            options.canChooseDirectories = true;
            options.prompt = QStringLiteral("Add Folder");
            break;
        case PopupLists::AddPhotosLibrary:
            // A library is a package, that is a folder, which is chosen as a whole and not browsed into.
            options.canChooseFiles = false;
            options.canChooseDirectories = true;
            options.allowsImageFiles = false;
            options.allowedExtensions = {QStringLiteral("photoslibrary"), QStringLiteral("photolibrary")};
            options.directory = platform::StandardPaths::picturesFolder();
            options.prompt = QFileInfo::exists(photosAppPath) ? QStringLiteral("Add Photos Library")
                                                              : QStringLiteral("Add iPhoto Library");
            break;
        default:
            options.canChooseFiles = true;
            options.canChooseDirectories = false;
            options.prompt = QStringLiteral("Add Photos");
            break;
    }
    options.title = options.prompt;
    return options;
}

bool AddPhotosOptions::startsInTrash(const QStringList& paths) {
    return !paths.isEmpty() && platform::Trash::contains(paths.first());
}

platform::Alert AddPhotosOptions::trashRefusal() {
    platform::Alert alert;
    alert.messageText = QStringLiteral("Photos in the Trash cannot be added.");
    alert.informativeText = QStringLiteral("Restore them from the Trash first, then add them again.");
    alert.buttons = {QStringLiteral("OK")};
    return alert;
}

bool AddPhotosOptions::refuseTrash(const QStringList& paths, QWidget* parent) {
    if (!startsInTrash(paths)) return false;
    qCInfo(lcEditor).noquote() << QStringLiteral("refused a selection in the Trash: ") + paths.first();
    platform::AlertPresenter::shared().beginSheet(trashRefusal(), parent, nullptr);
    return true;
}

platform::Alert AddPhotosOptions::archivePathAlert() {
    platform::Alert alert;
    alert.messageText = DataFiller::archiveAlertMessage();
    alert.informativeText = DataFiller::archiveAlertInformativeText();
    alert.buttons = {DataFiller::archiveAlertButton()};
    return alert;
}

void AddPhotosOptions::showArchivePathAlert(QWidget* parent, std::function<void()> dismissed) {
    // Not one of the screen's numbered alerts: the loader is up while a library is read, and those wait.
    platform::AlertPresenter::shared().beginSheet(archivePathAlert(), parent,
                                                  [dismissed = std::move(dismissed)](const platform::AlertAnswer&) {
                                                      if (dismissed) dismissed();
                                                  });
}
