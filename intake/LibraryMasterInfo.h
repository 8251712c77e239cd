#pragma once

#include <QString>

// A master image of an iPhoto or Aperture library, stored under the master's uuid.
struct LibraryMasterInfo {
    QString OriginalPath;  // the masters folder joined with the master's relative image path
    int MasterCount = 0;   // versions of it kept by the last read
};
