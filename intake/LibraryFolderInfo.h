#pragma once

#include <QString>

// A folder (event or project) of an iPhoto or Aperture library, stored under the folder's uuid.
struct LibraryFolderInfo {
    QString EventName;
    int VersionCount = 0;
};
