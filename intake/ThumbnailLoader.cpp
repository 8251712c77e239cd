#include "intake/ThumbnailLoader.h"

#include "model/Utils.h"

#include <QCoreApplication>
#include <QMetaObject>

ThumbnailLoader::ThumbnailLoader(ThumbnailCache& cache, QObject* parent) : QObject(parent), m_cache(cache) {
    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleDelayMs);
    connect(&m_settle, &QTimer::timeout, this, &ThumbnailLoader::loadRequested);
}

ThumbnailLoader::~ThumbnailLoader() {
    // Loads post their answers to this object; none may still run once it is gone.
    m_pool.waitForDone();
}

void ThumbnailLoader::tableviewPhotosBoundDidChange() {
    m_settle.start();
}

QList<ThumbnailLoader::Cached> ThumbnailLoader::loadTableViewThumbnailImages(const QList<Row>& visibleRows) {
    QList<Cached> cached;
    for (const Row& row : visibleRows) {
        if (const std::optional<QImage> image = m_cache.value(row.filePath)) {
            cached.append(Cached{row.row, row.filePath, *image});
            continue;
        }
        m_pool.start([this, row] { performImageOperation(row); });
    }
    return cached;
}

void ThumbnailLoader::performImageOperation(const Row& row) {
    QImage image;
    if (const std::optional<QImage> cached = m_cache.value(row.filePath)) {
        image = *cached;
    } else if (m_maker) {
        image = m_maker(row.filePath, thumbnailSize());
    } else {
        image = Utils::sharedUtils().getThumbnailImageAtFilePath(row.filePath, thumbnailSize());
    }
    QMetaObject::invokeMethod(
        this, [this, row, image] { deliver(row, image); }, Qt::QueuedConnection);
}

void ThumbnailLoader::deliver(const Row& row, const QImage& image) {
    if (image.isNull()) {
        emit thumbnailFailed(row.row, row.filePath);
        return;
    }
    m_cache.insert(row.filePath, image);
    emit thumbnailReady(row.row, row.filePath, image);
}

void ThumbnailLoader::waitForLoads() {
    m_pool.waitForDone();
    QCoreApplication::sendPostedEvents(this);
}
