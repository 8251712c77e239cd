#include "Helper/ExifMetadataReading.h"

#include "Helper/ExifImageProperties.h"
#include "Helper/ExifWriter.h"
#include "Helper/Exiv2Runtime.h"

void ExifMetadataReading::install() {
    Exiv2Runtime::initialize();
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

QByteArray ExifMetadataReading::embeddedPreview(const QString& path, const QSize& atLeast) const {
    return ExifImageProperties::embeddedPreview(path, atLeast);
}
