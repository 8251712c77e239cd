#include "batch/ExifPhotoWriter.h"

#include "Helper/MetadataWorkerPool.h"

PhotoWriter ExifPhotoWriter::make() {
    MetadataWorkerPool& pool = MetadataWorkerPool::shared();
    return [&pool](const PhotoFile& photo, const MetaDataObject& settings, const QString& newPath,
                   const MetaDataObject& changedFields, bool restore) -> std::optional<PhotoWriteOutcome> {
        const ExifWriteResult result = pool.writeProcessedCopy(photo, settings, newPath, changedFields, restore);
        return PhotoWriteOutcome{result.errorFlag, result.errorMsg, result.processedPath.value_or(QString())};
    };
}
