#pragma once

#include <QMetaType>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

#include "model/MetaDataObject.h"
#include "model/OutputRenamingOptions.h"
#include "model/PhotoFile.h"
#include "model/WriteRecords.h"
#include "platform/FileManager.h"
#include "platform/ReverseGeocoder.h"

// The values a batch run is made of: what it is asked to do, the services it works through, and what it
// answers for each photo. They cross threads by value.

// What the writer answered for one photo.
struct PhotoWriteOutcome {
    int errorFlag = ExifWriteSucceeded;
    QString errorMsg;
    QString processedPath;  // where the copy now is; "" when none was written
};

// Writes one processed copy with the run's records, which are the same for every photo of the run. Takes values
// only; may run on several threads at once.
using PhotoWriter = std::function<std::optional<PhotoWriteOutcome>(const PhotoFile& photo, const WriteRecords& records,
                                                                   const QString& newPath, bool restore)>;

// Everything a run needs, fixed when it starts.
struct BatchRunRequest {
    std::vector<PhotoFile> runList;  // copies of the ticked photos, in batch order
    MetaDataObject settings;         // the form's record, or the record held before editing for a restore
    MetaDataObject changedFields;
    OutputRenamingOptions renaming;
    QString selectedOutputFolder;
    bool restore = false;
};

// One photo's outcome, handed to the main thread in run order.
struct BatchPhotoResult {
    int index = 0;  // in the run list
    int errorFlag = ExifWriteSucceeded;
    QString errorMsg;
    QString processedPath;
    std::vector<PhotoFile> warnings;  // renaming warnings raised for this photo
};

// How a run writes and where it looks; tests put doubles in.
struct BatchRunServices {
    PhotoWriter writer;
    platform::FileManager* files = &platform::FileManager::defaultManager();
    platform::ReverseGeocoding* geocoder = nullptr;
    int parallelWrites = 0;                       // 0: one per core
    qint64 bytesInHandLimit = qint64(256) << 20;  // photo bytes the writers may hold at once
    std::function<double()> now;                  // seconds; steady clock by default
};

Q_DECLARE_METATYPE(BatchPhotoResult)
