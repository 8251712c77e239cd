#include "editor/PhotoTableModel.h"

#include "intake/ThumbnailCache.h"

PhotoTableModel::PhotoTableModel(const QList<PhotoFile>& batch, ThumbnailCache& cache, QObject* parent)
    : QAbstractTableModel(parent), m_batch(batch), m_cache(cache), m_rows(static_cast<int>(batch.size())) {}

int PhotoTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows;
}

int PhotoTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 1;
}

const PhotoFile* PhotoTableModel::photoAt(int row) const {
    // The row count is what the view was last told; the batch may have changed since, until reload().
    if (row < 0 || row >= m_rows || row >= m_batch.size()) return nullptr;
    return &m_batch.at(row);
}

QVariant PhotoTableModel::data(const QModelIndex& index, int role) const {
    const PhotoFile* photo = photoAt(index.row());
    if (!photo) return {};
    switch (role) {
        case Qt::DisplayRole:
        case Qt::ToolTipRole:
            return photo->originalFileName.isEmpty() ? photo->fileName : photo->originalFileName;
        case FilePathRole:
            return photo->filePath;
        case SelectedRole:
            return photo->isSelected;
        case ThumbnailRole:
            return m_cache.value(photo->filePath).value_or(QImage());
        case ThumbnailFailedRole:
            return m_failed.contains(photo->filePath);
        default:
            return {};
    }
}

void PhotoTableModel::reload() {
    beginResetModel();
    m_rows = static_cast<int>(m_batch.size());
    endResetModel();
}

void PhotoTableModel::rowChanged(int row) {
    if (row < 0 || row >= m_rows) return;
    const QModelIndex at = index(row, 0);
    emit dataChanged(at, at);
}

bool PhotoTableModel::rowShows(int row, const QString& path) const {
    const PhotoFile* photo = photoAt(row);
    return photo && photo->filePath == path;
}

bool PhotoTableModel::thumbnailArrived(int row, const QString& path) {
    m_failed.remove(path);
    if (!rowShows(row, path)) return false;
    rowChanged(row);
    return true;
}

void PhotoTableModel::thumbnailFailed(int row, const QString& path) {
    m_failed.insert(path);
    if (rowShows(row, path)) rowChanged(row);
}
