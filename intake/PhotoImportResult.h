#pragma once

#include "intake/IntakeCounters.h"
#include "model/PhotoFile.h"

#include <QList>
#include <QSet>
#include <QStringList>

// What the import thread hands to the main thread: the new photos in order and the operation's counters.
struct PhotoImportResult {
    QList<PhotoFile> photos;
    QStringList addedPaths;
    // The paths the batch holds once the photos joined: those it held when the import started, and
    // addedPaths. The walk builds this set anyway; handing it over spares the main thread hashing every
    // new path again.
    QSet<QString> pathsInBatch;
    IntakeCounters counters;
};
