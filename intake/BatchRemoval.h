#pragma once

#include "model/PhotoFile.h"

#include <QList>
#include <QSet>
#include <QString>

// Taking ticked photos out of the batch, done on the main thread.
class BatchRemoval {
  public:
    // The message sheet of the Remove button when nothing is ticked.
    static QString noPhotoToRemoveTitle() { return QStringLiteral("No photo to remove").toUpper(); }
    static QString noPhotoToRemoveMessage() {
        return QStringLiteral("No photo selected! Please select a photo to remove!");
    }

    // The ticked photos leave the batch, in batch order, and their paths leave the added paths; the
    // number removed is returned. The screen replaces its pending edits when the batch is then empty.
    static int removeSelectedPhotos(QList<PhotoFile>& batch, QSet<QString>& dictFileAdded);

    // Whether the Presets and Next buttons are enabled: only while the batch holds a photo.
    static bool checkAllPhotosDeletedFromArray(const QList<PhotoFile>& batch) { return !batch.isEmpty(); }
};
