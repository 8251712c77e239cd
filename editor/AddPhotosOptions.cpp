#include "editor/AddPhotosOptions.h"

#include "editor/PopupLists.h"
#include "intake/PhotoAcceptance.h"
#include "platform/StandardPaths.h"
#include "platform/Trash.h"

#include <QFileInfo>
#include <QMimeDatabase>
#include <QSet>

const QStringList& AddPhotosOptions::imageExtensions() {
    static const QStringList extensions = [] {
        QStringList list;
        QSet<QString> seen;
        for (const QMimeType& type : QMimeDatabase().allMimeTypes()) {
            if (!type.name().startsWith(QLatin1String("image/"))) continue;
            for (const QString& suffix : type.suffixes()) {
                if (!seen.contains(suffix)) {
                    seen.insert(suffix);
                    list.append(suffix);
                }
            }
        }
        list.sort();
        for (const QString& extra : PhotoAcceptance::ExtraImageExtensions()) {
            if (!seen.contains(extra)) list.append(extra);
        }
        return list;
    }();
    return extensions;
}

platform::OpenPanelOptions AddPhotosOptions::openPanelFor(int index, const QString& photosAppPath) {
    platform::OpenPanelOptions options;
    options.canCreateDirectories = true;
    options.allowsMultipleSelection = true;
    options.allowedExtensions = imageExtensions();
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
