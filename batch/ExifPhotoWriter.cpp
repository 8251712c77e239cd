#include "batch/ExifPhotoWriter.h"

#include "Helper/ExifWriter.h"

PhotoWriter ExifPhotoWriter::make() {
    return [](const PhotoFile& photo, const MetaDataObject& settings, const QString& newPath,
              const MetaDataObject& changedFields, bool restore) -> std::optional<PhotoWriteOutcome> {
        const ExifWriteResult result =
            ExifWriter::sharedInstance().writeMetaDataToFilePath(photo, settings, newPath, changedFields, restore);
        return PhotoWriteOutcome{result.errorFlag, result.errorMsg, result.processedPath.value_or(QString())};
    };
}
