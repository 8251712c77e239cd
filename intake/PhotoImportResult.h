#pragma once

#include "intake/IntakeCounters.h"
#include "model/PhotoFile.h"

#include <QList>
#include <QStringList>

// What the import thread hands to the main thread: the new photos in order and the operation's counters.
struct PhotoImportResult {
    QList<PhotoFile> photos;
    QStringList addedPaths;
    IntakeCounters counters;
};
