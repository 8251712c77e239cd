#include "editor/ErrorSummaryModel.h"

#include <QSize>

ErrorSummaryModel::Row ErrorSummaryModel::rowFor(const PhotoFile& photo) {
    const QString error = QStringLiteral("errorFile.png");
    const QString warningImage = QStringLiteral("warningFile.png");
    switch (photo.processStatus) {
        case ExifWriteSourceMissing:
            return {error, QStringLiteral("This photo is not available at the Source location."), false, QString()};
        case ExifWriteRawCameraKept: {
            const QString text =
                QStringLiteral("Camera related info(Camera make, Camera model name) can't write for ") +
                photo.fileExtension.toUpper() + QStringLiteral(" image format");
            return {warningImage, text, true, text};
        }
        case StatusDateNotFoundForRenaming:
        case StatusLocationNotFoundForRenaming:
            return {warningImage, photo.processMsg, true, photo.processMsg};
        default:
            return {error, photo.processMsg, false, photo.processMsg};
    }
}

ErrorSummaryModel::ErrorSummaryModel(QObject* parent) : QAbstractListModel(parent) {}

void ErrorSummaryModel::setPhotos(std::vector<PhotoFile> photos) {
    beginResetModel();
    m_photos = std::move(photos);
    endResetModel();
}

int ErrorSummaryModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_photos.size());
}

QVariant ErrorSummaryModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const PhotoFile& photo = m_photos[static_cast<std::size_t>(index.row())];
    switch (role) {
        case Qt::DisplayRole:
        case Qt::ToolTipRole:
            return photo.filePath;
        case Qt::SizeHintRole:
            return QSize(0, kRowHeight);
        case MessageRole:
            return rowFor(photo).message;
        case ImageRole:
            return rowFor(photo).image;
        case WarningRole:
            return rowFor(photo).warning;
        case MessageToolTipRole:
            return rowFor(photo).messageToolTip;
        default:
            return {};
    }
}
