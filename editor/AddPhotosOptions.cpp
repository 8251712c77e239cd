#include "editor/AddPhotosOptions.h"

#include "editor/PopupLists.h"
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
