#include "intake/ThumbnailCache.h"

#include <QMutexLocker>

#include <algorithm>

ThumbnailCache::ThumbnailCache(int capacity) : m_capacity(std::max(1, capacity)) {}

std::optional<QImage> ThumbnailCache::value(const QString& path) {
    QMutexLocker lock(&m_mutex);
    const auto found = m_index.constFind(path);
    if (found == m_index.constEnd()) return std::nullopt;
    m_recent.splice(m_recent.begin(), m_recent, found.value());
    return m_recent.front().second;
}

bool ThumbnailCache::contains(const QString& path) const {
    QMutexLocker lock(&m_mutex);
    return m_index.contains(path);
}

void ThumbnailCache::insert(const QString& path, const QImage& image) {
    QMutexLocker lock(&m_mutex);
    const auto found = m_index.constFind(path);
    if (found != m_index.constEnd()) {
        found.value()->second = image;
        m_recent.splice(m_recent.begin(), m_recent, found.value());
        return;
    }
    m_recent.emplace_front(path, image);
    m_index.insert(path, m_recent.begin());
    if (m_recent.size() > static_cast<size_t>(m_capacity)) {
        m_index.remove(m_recent.back().first);
        m_recent.pop_back();
    }
}

qsizetype ThumbnailCache::size() const {
    QMutexLocker lock(&m_mutex);
    return m_index.size();
}
