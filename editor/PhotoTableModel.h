#pragma once

#include "model/PhotoFile.h"

#include <QAbstractTableModel>
#include <QImage>
#include <QList>
#include <QSet>

class ThumbnailCache;

// The photo list over the batch itself: one row per photo, one column, nothing held per row. Thumbnails are
// read from the shared cache by path when a row is painted, so a thumbnail can only ever show on the row of
// its own photo, and memory follows what is on screen, not the size of the batch.
class PhotoTableModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum Role {
        FilePathRole = Qt::UserRole + 1,  // QString
        SelectedRole,                     // bool: the photo's tick
        ThumbnailRole,                    // QImage, null while none is cached
        ThumbnailFailedRole,              // bool: the last load found no picture
    };

    PhotoTableModel(const QList<PhotoFile>& batch, ThumbnailCache& cache, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // The batch changed length or order: every row is read again.
    void reload();
    // One row's tick or thumbnail changed.
    void rowChanged(int row);

    // A thumbnail arrived for path: the row repaints only when it still shows that photo.
    bool thumbnailArrived(int row, const QString& path);
    void thumbnailFailed(int row, const QString& path);
    // A new load of path starts: until it answers, the row shows the placeholder again.
    void thumbnailRequested(const QString& path) { m_failed.remove(path); }

    const PhotoFile* photoAt(int row) const;

  private:
    bool rowShows(int row, const QString& path) const;

    const QList<PhotoFile>& m_batch;
    ThumbnailCache& m_cache;
    int m_rows = 0;
    QSet<QString> m_failed;
};
