#include "batch/ExifPhotoWriter.h"

#include "Helper/MetadataWorkerPool.h"

PhotoWriter ExifPhotoWriter::make() {
    return make(MetadataWorkerPool::shared());
}

PhotoWriter ExifPhotoWriter::make(const MetadataWorkerPool& pool) {
    return [&pool](const PhotoFile& photo, const MetaDataObject& settings, const QString& newPath,
                   const MetaDataObject& changedFields, bool restore) -> std::optional<PhotoWriteOutcome> {
        const ExifWriteResult result = pool.writeProcessedCopy(photo, settings, newPath, changedFields, restore);
        return PhotoWriteOutcome{result.errorFlag, result.errorMsg, result.processedPath.value_or(QString())};
    };
}
