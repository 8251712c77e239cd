// Reading a photo into a new record, through the reader the application installs.
#include "model/MetaDataObject.h"

#include "model/MetadataReading.h"

MetaDataObject MetaDataObject::initWithFile(const QString& path) {
    MetaDataObject record;
    if (const MetadataReading* reader = MetadataReading::required()) reader->readMetadata(path, record);
    return record;
}
