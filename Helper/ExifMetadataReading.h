#pragma once

#include "model/MetadataReading.h"

// The model's way into photo files straight through Exiv2, for a process with one thread: the metadata
// worker and the Helper tests. install() sets Exiv2 up and makes this the reader every
// MetaDataObject::initWithFile, PhotoFile and thumbnail uses. Everywhere else MetadataWorkerPool reads.
class ExifMetadataReading : public MetadataReading {
  public:
    static void install();

    MetaDataObject& readMetadata(const QString& path, MetaDataObject& record) const override;
    std::optional<QVariantMap> imageProperties(const QString& path) const override;
    std::optional<QVariantMap> readMetadataAndProperties(const QString& path, MetaDataObject& record) const override;
    QByteArray embeddedPreview(const QString& path, const QSize& atLeast) const override;
};
