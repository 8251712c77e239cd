#include "platform/StandardPaths.h"

#include <QDir>
#include <QStandardPaths>

#include <pwd.h>
#include <unistd.h>

namespace platform {
namespace {

QString ensured(const QString& folder) {
    QDir().mkpath(folder);
    return folder;
}

QString homeOr(QStandardPaths::StandardLocation location, const QString& fallback) {
    const QString path = QStandardPaths::writableLocation(location);
    return path.isEmpty() ? QDir::homePath() + fallback : path;
}

}  // namespace

QString StandardPaths::homeFolder() {
    return QDir::homePath();
}

QString StandardPaths::picturesFolder() {
    return homeOr(QStandardPaths::PicturesLocation, "/Pictures");
}

QString StandardPaths::documentsFolder() {
    return homeOr(QStandardPaths::DocumentsLocation, "/Documents");
}

QString StandardPaths::cachesFolder() {
    return ensured(QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + "/Lumarind");
}

QString StandardPaths::logsFolder() {
    // The XDG state folder is where logs belong; Qt 6.4 has no name for it yet.
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty()) state = QDir::homePath() + "/.local/state";
    return ensured(state + "/Lumarind");
}

QString StandardPaths::userName() {
    if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_name)
        return QString::fromLocal8Bit(entry->pw_name);
    return qEnvironmentVariable("USER");
}

QString StandardPaths::defaultOutputFolder() {
    return picturesFolder() + "/Lumarind";
}

}  // namespace platform
