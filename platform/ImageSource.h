#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QSizeF>
#include <QString>

#include <optional>

namespace platform {

// What an image file's header says, read without decoding pixels.
struct ImageHeader {
    QSize pixelSize;      // as stored, before any orientation is applied
    int orientation = 0;  // EXIF code 2..8 when the file asks for a turn or mirror; 0 otherwise
};

// Pictures through Qt's image readers. Safe from any thread: every call has its own reader and returns
// QImage values.
class ImageSource {
  public:
    static std::optional<ImageHeader> header(const QString& path);

    // The upright picture fitted inside maxSize (aspect kept, never enlarged). Formats that can decode at a
    // reduced scale (JPEG) do so, so a thumbnail of a 50-megapixel photo never holds the full bitmap.
    // A null image when the file cannot be decoded.
    static QImage thumbnail(const QString& path, const QSize& maxSize);
    static QImage thumbnailFromData(const QByteArray& encoded, const QSize& maxSize);
    // The picture turned or mirrored as an EXIF orientation code (2..8) asks; other codes change nothing.
    static QImage oriented(const QImage& image, int orientation);
    // The whole upright picture.
    static QImage image(const QString& path);

    // Sizes in points of the vector formats Qt cannot draw, from their headers; nothing when unreadable.
    static std::optional<QSizeF> epsSize(const QString& path);   // %%BoundingBox, plain or DOS-binary EPS
    static std::optional<QSizeF> pictSize(const QString& path);  // picture frame, with or without the 512-byte header

    // A neutral page glyph standing in for a file that has no picture to show.
    static QImage fileIcon(const QSize& size);
};

}  // namespace platform
