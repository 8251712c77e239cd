#pragma once

#include "intake/ThumbnailCache.h"

#include <QImage>
#include <QList>
#include <QObject>
#include <QSizeF>
#include <QString>
#include <QThreadPool>
#include <QTimer>

#include <functional>

// Loads the thumbnails of the photo rows the screen shows: once scrolling has been still for a moment,
// off the main thread, once per path while the cache holds it. Lives on the main thread; results come back
// there as signals.
class ThumbnailLoader : public QObject {
    Q_OBJECT
  public:
    using ThumbnailMaker = std::function<QImage(const QString& path, const QSizeF& size)>;

    struct Row {
        int row = 0;
        QString filePath;
    };
    struct Cached {
        int row = 0;
        QString filePath;
        QImage image;
    };

    static constexpr int kSettleDelayMs = 200;
    static QSizeF thumbnailSize() { return QSizeF(96, 70); }

    explicit ThumbnailLoader(ThumbnailCache& cache, QObject* parent = nullptr);
    ~ThumbnailLoader() override;

    // null: the shared thumbnail maker of the model (Utils).
    void setThumbnailMaker(ThumbnailMaker maker) { m_maker = std::move(maker); }
    void setSettleDelay(int milliseconds) { m_settle.setInterval(milliseconds); }

    // tableviewPhotosBoundDidChange: every call restarts the wait; loadRequested follows once it ends.
    void tableviewPhotosBoundDidChange();
    bool isLoadScheduled() const { return m_settle.isActive(); }

    // loadTableViewThumbnailImages for the rows in view: cached rows are answered at once; the others are
    // loaded on the loading threads and answered by thumbnailReady or thumbnailFailed.
    QList<Cached> loadTableViewThumbnailImages(const QList<Row>& visibleRows);

    // Blocks until every load started so far has finished and been answered (for tests and shutdown).
    void waitForLoads();

  signals:
    void loadRequested();
    void thumbnailReady(int row, const QString& filePath, const QImage& image);
    // No thumbnail could be made (the file is gone or unreadable); nothing was cached, so it is tried again.
    void thumbnailFailed(int row, const QString& filePath);

  private:
    void performImageOperation(const Row& row);
    void deliver(const Row& row, const QImage& image);

    ThumbnailCache& m_cache;
    ThumbnailMaker m_maker;
    QTimer m_settle;
    QThreadPool m_pool;
};
