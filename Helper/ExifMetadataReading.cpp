#include "Helper/ExifMetadataReading.h"

#include "Helper/ExifImageProperties.h"
#include "Helper/ExifWriter.h"

void ExifMetadataReading::install() {
    // The shared writer sets Exiv2 up as it is made.
    ExifWriter::sharedInstance();
    static const ExifMetadataReading reader;
    MetadataReading::install(&reader);
}

MetaDataObject& ExifMetadataReading::readMetadata(const QString& path, MetaDataObject& record) const {
    return ExifWriter::sharedInstance().readMetaFromPath(path, record);
}

std::optional<QVariantMap> ExifMetadataReading::imageProperties(const QString& path) const {
    return ExifImageProperties::propertiesForFile(path);
}

std::optional<QVariantMap> ExifMetadataReading::readMetadataAndProperties(const QString& path,
                                                                          MetaDataObject& record) const {
    return ExifWriter::sharedInstance().readMetaAndPropertiesFromPath(path, record);
}

QByteArray ExifMetadataReading::embeddedPreview(const QString& path, const QSize& atLeast) const {
    return ExifImageProperties::embeddedPreview(path, atLeast);
}
