#include "batch/ExifPhotoWriter.h"

#include "Helper/MetadataWorkerPool.h"

PhotoWriter ExifPhotoWriter::make() {
    return make(MetadataWorkerPool::shared());
}

PhotoWriter ExifPhotoWriter::make(const MetadataWorkerPool& pool) {
    return [&pool](const PhotoFile& photo, const WriteRecords& records, const QString& newPath,
                   bool restore) -> std::optional<PhotoWriteOutcome> {
        const ExifWriteResult result = pool.writeProcessedCopy(photo, records, newPath, restore);
        return PhotoWriteOutcome{result.errorFlag, result.errorMsg, result.processedPath.value_or(QString())};
    };
}
