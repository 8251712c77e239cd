#pragma once

#include <QString>

// One row of an iPhoto or Aperture library's version table.
struct LibraryVersionRow {
    QString modelId;  // the integer column as decimal text; the key of the album list's "Master Image List"
    QString uuid;
    QString masterUuid;
    QString projectUuid;
    QString name;
    bool iPath = false;  // its image path fell back to the master's original
    bool tPath = false;  // its thumbnail path fell back to the master's original
};
