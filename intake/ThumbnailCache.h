#pragma once

#include <QHash>
#include <QImage>
#include <QMutex>
#include <QString>

#include <list>
#include <optional>
#include <utility>

// The photo table's thumbnails by photo path, shared by the main thread and the loading threads. It keeps
// the most recently used few thousand: a batch of 100000 photos must not hold 100000 images, and a row
// scrolled back into view simply loads again.
class ThumbnailCache {
  public:
    static constexpr int kDefaultCapacity = 3000;

    explicit ThumbnailCache(int capacity = kDefaultCapacity);

    // The image cached for the path (and it becomes the most recently used), or nothing.
    std::optional<QImage> value(const QString& path);
    bool contains(const QString& path) const;
    // Stores or replaces; the least recently used entry goes when the cache is full.
    void insert(const QString& path, const QImage& image);

    qsizetype size() const;

  private:
    using Entry = std::pair<QString, QImage>;

    const int m_capacity;
    mutable QMutex m_mutex;
    std::list<Entry> m_recent;  // most recently used first
    QHash<QString, std::list<Entry>::iterator> m_index;
};
