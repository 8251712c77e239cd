#pragma once

#include <QString>
#include <QStringList>

namespace platform {

// The user's trash folders: the XDG trash of the home volume ($XDG_DATA_HOME/Trash) and, on every mounted
// volume, ".Trash/<uid>" and ".Trash-<uid>".
class Trash {
  public:
    static QStringList trashFolders();
    // Whether path lies inside one of the trash folders (the folders themselves included).
    static bool contains(const QString& path);
};

}  // namespace platform
