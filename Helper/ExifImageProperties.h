#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>
#include <QVariantMap>

#include <optional>

namespace Exiv2 {
class Image;
}

// The image facts the display needs (pixel size, orientation, resolution and the common camera values),
// keyed as MetadataReading describes, from Exiv2 with Qt's decoders filling in what Exiv2 cannot tell.
class ExifImageProperties {
  public:
    static std::optional<QVariantMap> propertiesForFile(const QString& path);
    // The same from the file already opened and parsed (nullptr when Exiv2 could not read it); Qt's decoders
    // read the file at path only for what Exiv2 does not know.
    static std::optional<QVariantMap> propertiesOf(const Exiv2::Image* image, const QString& path);
    // The encoded bytes of the smallest embedded preview that covers atLeast, else the largest; empty when
    // the file has none or cannot be opened.
    static QByteArray embeddedPreview(const QString& path, const QSize& atLeast);
};
