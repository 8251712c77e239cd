#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>
#include <QVariantMap>

#include <optional>

// The image facts the display needs (pixel size, orientation, resolution and the common camera values),
// keyed as MetadataReading describes, from Exiv2 with Qt's decoders filling in what Exiv2 cannot tell.
class ExifImageProperties {
public:
    static std::optional<QVariantMap> propertiesForFile(const QString& path);
    // The encoded bytes of the smallest embedded preview that covers atLeast, else the largest; empty when
    // the file has none or cannot be opened.
    static QByteArray embeddedPreview(const QString& path, const QSize& atLeast);
};
