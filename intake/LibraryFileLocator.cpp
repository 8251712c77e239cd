#include "intake/LibraryFileLocator.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString matchInFolder(const QString& folder, const QString& name) {
    const QString exact = LibraryFileLocator::join(folder, name);
    if (QFileInfo::exists(exact)) return exact;
    const QStringList entries =
        QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0) return LibraryFileLocator::join(folder, entry);
    }
    return QString();
}

}  // namespace

QString LibraryFileLocator::join(const QString& folder, const QString& name) {
    if (folder.isEmpty()) return name;
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

QString LibraryFileLocator::locate(const QString& root, const QString& relativePath) {
    QString path = root;
    for (const QString& component : relativePath.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        path = matchInFolder(path, component);
        if (path.isEmpty()) return QString();
    }
    return path;
}

QString LibraryFileLocator::locateOrExact(const QString& root, const QString& relativePath) {
    const QString found = locate(root, relativePath);
    return found.isEmpty() ? join(root, relativePath) : found;
}
