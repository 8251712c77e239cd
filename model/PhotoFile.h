#pragma once

#include <QDateTime>
#include <QImage>
#include <QString>
#include <QVariantMap>

#include <optional>

#include "model/MetaDataObject.h"
#include "model/ResultCodes.h"
#include "model/SharedRecord.h"

// One photo of the batch: its path and names, its pixel size as displayed, its tick, the metadata read when
// it was added (with an untouched copy) and the outcome of the last batch run. Also the bare warning entry of
// a run's results (made with the default constructor: no names, no size, no records).
class PhotoFile {
  public:
    PhotoFile() = default;
    // Reads the image properties and the metadata of the file at path; never fails on a bad file (it then
    // has a size of 0 by 0 and records without values).
    static PhotoFile initWithFileUrl(const QString& path, const QString& displayName, bool isIphoto);
    // The same for a photo that is to join the batch: nothing when the metadata reader failed on the file
    // itself (see MetadataReading::readPhoto), so that no photo joins with a record that was never read.
    static std::optional<PhotoFile> initWithReadableFile(const QString& path, const QString& displayName,
                                                         bool isIphoto);

    bool isIphotosNode = false;
    bool isSelected = false;
    int processStatus = StatusNone;  // a PhotoProcessStatus
    QString filePath;
    QString fileContainerFolderName;
    QString fileExtension;  // case kept, without the dot
    QString fileName;
    QString fileURL;  // the path text again
    QImage thumbnailImg;
    double height = 0;
    double width = 0;
    // What the file was when the photo was added: a batch run writes no photo whose file has changed since.
    double fileSizeInBytes = 0;
    QDateTime fileModificationDate;  // UTC; invalid for an item not made from a file
    QString processMsg;
    SharedRecord<MetaDataObject> metadataObject;
    QString processedPath;
    QString originalFileName;
    // The record as read, never changed afterwards: the date pass and the renamer take the photo's own
    // dates from it.
    SharedRecord<MetaDataObject> metadataObjectOriginal;

  private:
    static PhotoFile make(const QString& path, const QString& displayName, bool isIphoto, bool* readerFailed);
    void takeDisplayedSize(const std::optional<QVariantMap>& exifDict);
};
