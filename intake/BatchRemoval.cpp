#include "intake/BatchRemoval.h"

int BatchRemoval::removeSelectedPhotos(QList<PhotoFile>& batch, QSet<QString>& dictFileAdded) {
    const qsizetype before = batch.size();
    batch.removeIf([&dictFileAdded](const PhotoFile& photo) {
        if (!photo.isSelected) return false;
        dictFileAdded.remove(photo.filePath);
        return true;
    });
    return static_cast<int>(before - batch.size());
}
