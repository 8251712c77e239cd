// What crosses to the metadata workers must come back as it went: a write that lost a change flag would
// leave an emptied field in every copy.
#include <gtest/gtest.h>

#include "RecordTesting.h"
#include "model/RecordTransfer.h"

using recordtesting::expectSameArchivedValues;
using recordtesting::filledRecord;

TEST(ARecordInTransfer, keepsItsValuesNullTextsAndChangeFlags) {
    MetaDataObject record = filledRecord("sent");
    record.Artist = QString();       // null stays null
    record.Copyright = "";           // and "" stays ""
    record.isupdated_Artist = true;  // an emptied field the writer must erase
    record.isupdated_GPS_Lattitude = true;
    record.editingOption = ModifyEditedClearOthers;
    record.clearXMP = true;
    const std::optional<MetaDataObject> back = RecordTransfer::recordFrom(RecordTransfer::record(record));
    ASSERT_TRUE(back);
    expectSameArchivedValues(record, *back);
    for (const MetadataKeyRow& row : MetadataKeyTable::rows())
        EXPECT_EQ((*back).*row.updated, record.*row.updated) << row.name;
    EXPECT_FALSE(RecordTransfer::recordFrom(QJsonObject{{"$class", "Other"}}));
}

TEST(AReadAnswer, setsOnlyTheFieldsThatHoldAValue) {
    MetaDataObject read;
    read.Cam_Make = "Canon";
    read.IPTC_City = "Tōkyō";
    const QJsonObject fields = RecordTransfer::fields(read);
    EXPECT_EQ(fields.size(), 2);
    MetaDataObject record;
    record.Artist = QString();
    RecordTransfer::applyFields(fields, record);
    EXPECT_EQ(record.Cam_Make, "Canon");
    EXPECT_EQ(record.IPTC_City, "Tōkyō");
    EXPECT_EQ(record.Artist, "");
    EXPECT_FALSE(record.Artist.isNull());
}

TEST(APhotoInTransfer, keepsEveryMemberTheWriterOrTheRunReads) {
    PhotoFile photo;
    photo.filePath = "/photos/a b/%1.jpg";
    photo.fileName = "%1.jpg";
    photo.fileExtension = "jpg";
    photo.fileURL = photo.filePath;
    photo.fileContainerFolderName = "a b";
    photo.originalFileName = "IMG_1.JPG";
    photo.processedPath = "/out/%1.jpg";
    photo.processMsg = "Processed Successfully";
    photo.processStatus = StatusLocationNotFoundForRenaming;
    photo.isSelected = photo.isIphotosNode = true;
    photo.width = 4000;
    photo.height = 3000;
    photo.fileSizeInBytes = 3.5e6;
    photo.fileModificationDate = QDateTime::fromMSecsSinceEpoch(1700000000123, Qt::UTC);
    photo.metadataObjectOriginal = filledRecord("original");
    photo.metadataObject = filledRecord("edited");
    const PhotoFile back = RecordTransfer::photoFrom(RecordTransfer::photo(photo));
    for (QString PhotoFile::*text : {&PhotoFile::filePath, &PhotoFile::fileName, &PhotoFile::fileExtension,
                                     &PhotoFile::fileURL, &PhotoFile::fileContainerFolderName,
                                     &PhotoFile::originalFileName, &PhotoFile::processedPath, &PhotoFile::processMsg})
        EXPECT_EQ(back.*text, photo.*text);
    EXPECT_EQ(back.processStatus, photo.processStatus);
    EXPECT_TRUE(back.isSelected && back.isIphotosNode);
    EXPECT_EQ(back.width, 4000);
    EXPECT_EQ(back.height, 3000);
    EXPECT_EQ(back.fileSizeInBytes, 3.5e6);
    EXPECT_EQ(back.fileModificationDate, photo.fileModificationDate);
    // The original's texts go along for the date rules; the run's records stand in for the edited record.
    ASSERT_TRUE(back.metadataObjectOriginal);
    for (const MetadataKeyRow& row : MetadataKeyTable::rows())
        EXPECT_EQ((*back.metadataObjectOriginal).*row.field, (*photo.metadataObjectOriginal).*row.field) << row.name;
    EXPECT_FALSE(back.metadataObject);
    photo.metadataObjectOriginal.reset();
    EXPECT_FALSE(RecordTransfer::photoFrom(RecordTransfer::photo(photo)).metadataObjectOriginal);
}
