#include "platform/Trash.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

#include <unistd.h>

namespace platform {
namespace {

QString homeTrash() {
    QString data = qEnvironmentVariable("XDG_DATA_HOME");
    if (data.isEmpty()) data = QDir::homePath() + QStringLiteral("/.local/share");
    return QDir::cleanPath(data + QStringLiteral("/Trash"));
}

bool isInside(const QString& path, const QString& folder) {
    return path == folder || path.startsWith(folder + QLatin1Char('/'));
}

}  // namespace

QStringList Trash::trashFolders() {
    QStringList folders{homeTrash()};
    const QString uid = QString::number(getuid());
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        const QString root = volume.rootPath() == QLatin1String("/") ? QString() : volume.rootPath();
        folders.append(root + QStringLiteral("/.Trash/") + uid);
        folders.append(root + QStringLiteral("/.Trash-") + uid);
    }
    folders.removeDuplicates();
    return folders;
}

bool Trash::contains(const QString& path) {
    if (path.isEmpty()) return false;
    const QString clean = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    // A link into the trash counts as well as the path as written.
    const QString canonical = QFileInfo(clean).canonicalFilePath();
    for (const QString& folder : trashFolders()) {
        if (isInside(clean, folder)) return true;
        if (!canonical.isEmpty() &&
            isInside(canonical,
                     QFileInfo(folder).canonicalFilePath().isEmpty() ? folder : QFileInfo(folder).canonicalFilePath()))
            return true;
    }
    return false;
}

}  // namespace platform
