#include "model/PhotoFile.h"

#include "model/MetadataReading.h"
#include "model/Utils.h"
#include "platform/FileManager.h"

#include <QFileInfo>

namespace {

// The extension as a path reads it: after the name's last dot, none for a name that only starts with one.
QString extensionOf(const QString& name) {
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot <= 0) return QString();
    return name.mid(dot + 1);
}

QString parentFolderName(const QString& path) {
    const QString parent = QFileInfo(path).path();
    if (parent == QLatin1String("/")) return parent;
    return QFileInfo(parent).fileName();
}

}  // namespace

PhotoFile PhotoFile::initWithFileUrl(const QString& path, const QString& displayName, bool isIphoto) {
    return make(path, displayName, isIphoto, nullptr);
}

std::optional<PhotoFile> PhotoFile::initWithReadableFile(const QString& path, const QString& displayName,
                                                         bool isIphoto) {
    bool readerFailed = false;
    PhotoFile photo = make(path, displayName, isIphoto, &readerFailed);
    if (readerFailed) return std::nullopt;
    return photo;
}

PhotoFile PhotoFile::make(const QString& path, const QString& displayName, bool isIphoto, bool* readerFailed) {
    PhotoFile photo;
    photo.filePath = path;
    photo.originalFileName = displayName;
    photo.fileName = QFileInfo(path).fileName();
    photo.fileExtension = extensionOf(photo.fileName);
    photo.fileURL = path;
    photo.fileContainerFolderName = parentFolderName(path);
    photo.isIphotosNode = isIphoto;
    // Taken before the read, so that a change during the read counts as a change too.
    if (const auto file = platform::FileManager::defaultManager().status(path)) {
        photo.fileSizeInBytes = static_cast<double>(file->size);
        photo.fileModificationDate = file->modified;
    }
    // Intake makes thousands of these, so the file is opened once for the metadata and the image properties.
    MetaDataObject read;
    std::optional<QVariantMap> properties;
    if (const MetadataReading* reader = MetadataReading::required()) {
        if (!readerFailed) {
            properties = reader->readMetadataAndProperties(path, read);
        } else if (reader->readPhoto(path, read, properties) == MetadataReading::ReadOutcome::ReaderFailed) {
            *readerFailed = true;
            return photo;
        }
    } else {
        properties = Utils::sharedUtils().exifForFile(path);
    }
    // The image properties only give the displayed size; they are not kept, to keep large batches small.
    photo.takeDisplayedSize(properties);
    // Both records start as the same values, so they share one object until the form changes one.
    photo.metadataObjectOriginal = MetaDataObject::initWithObject(read);
    photo.metadataObject = photo.metadataObjectOriginal;
    if (const std::optional<QSizeF> vector = Utils::sharedUtils().vectorImageSize(path)) {
        if (vector->width() > 0) photo.width = vector->width();
        if (vector->height() > 0) photo.height = vector->height();
    }
    return photo;
}

void PhotoFile::takeDisplayedSize(const std::optional<QVariantMap>& exifDict) {
    const QVariantMap properties = exifDict.value_or(QVariantMap());
    const int orientation = properties.value(QStringLiteral("Orientation")).toInt();
    const float pixelWidth = properties.value(QStringLiteral("PixelWidth")).toFloat();
    const float pixelHeight = properties.value(QStringLiteral("PixelHeight")).toFloat();
    const bool quarterTurn = orientation >= 5 && orientation <= 8;
    width = quarterTurn ? pixelHeight : pixelWidth;
    height = quarterTurn ? pixelWidth : pixelHeight;
}
