// Image geometry, image properties and thumbnails.
#include "model/Utils.h"

#include "model/ExifInfo.h"
#include "model/Logging.h"
#include "model/MetadataReading.h"
#include "platform/ImageSource.h"
#include "platform/Numbers.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

#include <cstdio>

namespace {

QSize pixelSize(QSizeF size) {
    return QSize(qMax(1, qRound(size.width())), qMax(1, qRound(size.height())));
}

bool quarterTurn(int orientation) {
    return orientation >= 5 && orientation <= 8;
}

// Formats Qt decodes by their extension; anything else (raw camera files) is shown through its embedded
// preview first, because a TIFF-based raw file would otherwise decode as its tiny first-page thumbnail.
bool decodedByExtension(const QString& path) {
    const QByteArray suffix = QFileInfo(path).suffix().toLower().toLatin1();
    return !suffix.isEmpty() && QImageReader::supportedImageFormats().contains(suffix);
}

QImage embeddedPreview(const QString& path, const QSize& maxSize, int orientation) {
    const MetadataReading* reader = MetadataReading::required();
    if (!reader) return {};
    const QByteArray preview = reader->embeddedPreview(path, maxSize);
    if (preview.isEmpty()) return {};
    // Previews carry no orientation of their own: the raw file's applies to them.
    const QSize stored = quarterTurn(orientation) ? maxSize.transposed() : maxSize;
    return platform::ImageSource::oriented(platform::ImageSource::thumbnailFromData(preview, stored), orientation);
}

// The platform's thumbnail service: a reduced-scale decode, or the embedded preview of a raw file.
QImage serviceThumbnail(const QString& path, const QSize& maxSize, int orientation) {
    if (path.isEmpty()) return {};
    const bool viaDecoder = decodedByExtension(path);
    if (viaDecoder) {
        const QImage image = platform::ImageSource::thumbnail(path, maxSize);
        if (!image.isNull()) return image;
    }
    const QImage preview = embeddedPreview(path, maxSize, orientation);
    if (!preview.isNull() || viaDecoder) return preview;
    return platform::ImageSource::thumbnail(path, maxSize);
}

QImage atSize(const QImage& image, const QSize& size) {
    if (image.size() == size) return image;
    return image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// The upright size from an already read properties record; the property read opens the whole file, so the
// thumbnail operations read it once and pass it on.
QSizeF uprightSize(const Utils& utils, const QString& path, const ExifInfo& info) {
    const QStringList parts = info.imageSize.split(QStringLiteral(" x "));
    const double width = platform::doubleValue(parts.value(0));
    const double height = platform::doubleValue(parts.value(1));
    QSizeF size(width, height);
    if (const std::optional<QSizeF> vector = utils.vectorImageSize(path)) {
        if (vector->width() > 0) size.setWidth(vector->width());
        if (vector->height() > 0) size.setHeight(vector->height());
    }
    // A quarter-turned picture swaps the sizes its properties give; vector sizes play no part then.
    if (quarterTurn(info.orientation)) return QSizeF(height, width);
    return size;
}

// The picture of the file. upright: its upright size, when the caller has already worked it out.
QImage imageFromFile(const Utils& utils, const QString& path, const ExifInfo& info, std::optional<QSizeF> upright,
                     float minWidth, float minHeight) {
    // A picture that is turned or mirrored, or whose orientation is not recorded, is tried whole first.
    if (info.orientation != 1 && !path.isEmpty()) {
        const QSizeF wanted =
            utils.aspectFitSizeWithMaxSize(upright ? *upright : uprightSize(utils, path, info), minWidth);
        const QImage thumbnail = serviceThumbnail(path, pixelSize(wanted), info.orientation);
        if (!thumbnail.isNull()) return atSize(thumbnail, pixelSize(wanted));
        const QImage whole = platform::ImageSource::image(path);
        if (!whole.isNull()) {
            if (float(whole.width()) != minWidth) return utils.scaleImage(whole, QSizeF(minWidth, minHeight));
            return whole;
        }
    }
    if (!platform::ImageSource::header(path)) {
        std::fputs("Image source is NULL.", stderr);
        return {};
    }
    const QImage whole = platform::ImageSource::image(path);
    if (whole.isNull()) std::fputs("Image not created from image source.", stderr);
    return whole;
}

}  // namespace

QSizeF Utils::aspectFitSizeWithMaxSize(QSizeF size, double scaledWidth) const {
    const float width = float(size.width());
    const float factor = float(scaledWidth) / width;
    const float fittedWidth = width * factor;
    const float fittedHeight = factor * float(size.height());
    return QSizeF(fittedWidth, fittedHeight);
}

QImage Utils::getThumbnailImageAtFilePath(const QString& path, QSizeF size) const {
    if (path.isEmpty())
        return addBackgroundToImage(getImageFromFile(path, float(size.width()), float(size.height())), Qt::white);
    const ExifInfo info = ExifInfo::initWithFile(path);
    const QSizeF upright = uprightSize(*this, path, info);
    if (upright.width() == 0 || upright.height() == 0) return platform::ImageSource::fileIcon(pixelSize(size));
    QSizeF boxed = upright;
    if (!(size.width() > upright.width() && size.height() > upright.height())) {
        boxed = aspectFitSizeWithMaxSize(upright, size.width());
    }
    const QSizeF fitted = aspectFitSizeWithMaxSize(boxed, boxed.width());
    const QImage thumbnail = serviceThumbnail(path, pixelSize(fitted), info.orientation);
    if (!thumbnail.isNull()) return addBackgroundToImage(atSize(thumbnail, pixelSize(fitted)), Qt::white);
    const QImage image = imageFromFile(*this, path, info, upright, float(fitted.width()), float(fitted.height()));
    return addBackgroundToImage(image, Qt::white);
}

QImage Utils::getImageFromFile(const QString& path, float minWidth, float minHeight) const {
    return imageFromFile(*this, path, ExifInfo::initWithFile(path), std::nullopt, minWidth, minHeight);
}

QImage Utils::scaleImage(const QImage& image, QSizeF newSize) const {
    if (image.isNull()) return image;
    return image.scaled(pixelSize(newSize), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QImage Utils::addBackgroundToImage(const QImage& image, const QColor& color) const {
    if (image.isNull()) return image;
    QImage result(image.size(), QImage::Format_ARGB32_Premultiplied);
    result.fill(color);
    QPainter painter(&result);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.drawImage(QPoint(0, 0), image);
    return result;
}

std::optional<QVariantMap> Utils::exifForFile(const QString& path) const {
    if (const MetadataReading* reader = MetadataReading::required()) return reader->imageProperties(path);
    const std::optional<platform::ImageHeader> header = platform::ImageSource::header(path);
    if (!header) return std::nullopt;
    QVariantMap properties;
    properties.insert(QStringLiteral("PixelWidth"), header->pixelSize.width());
    properties.insert(QStringLiteral("PixelHeight"), header->pixelSize.height());
    if (header->orientation != 0) {
        properties.insert(QStringLiteral("Orientation"), header->orientation);
        properties.insert(QStringLiteral("{TIFF}"), QVariantMap{{QStringLiteral("Orientation"), header->orientation}});
    }
    return properties;
}

std::optional<QSizeF> Utils::vectorImageSize(const QString& path) const {
    const QString extension = QFileInfo(path).suffix();
    std::optional<QSizeF> size;
    if (extension == QLatin1String("eps") || extension == QLatin1String("EPS")) {
        size = platform::ImageSource::epsSize(path);
    } else if (extension == QLatin1String("pict") || extension == QLatin1String("PICT") ||
               extension == QLatin1String("pct") || extension == QLatin1String("PCT")) {
        size = platform::ImageSource::pictSize(path);
    } else {
        return std::nullopt;
    }
    const QSizeF reported = size.value_or(QSizeF(0, 0));
    qCDebug(lcModel).noquote() << QStringLiteral("epsDict = %1 x %2").arg(reported.width()).arg(reported.height());
    return reported;
}

QSizeF Utils::getImageOriginalSizeAtFilePathUrl(const QString& path) const {
    return uprightSize(*this, path, ExifInfo::initWithFile(path));
}
