#include "intake/BatchRemoval.h"
#include "intake/ThumbnailCache.h"
#include "intake/ThumbnailLoader.h"

#include <QCoreApplication>
#include <QThreadPool>

#include <gtest/gtest.h>

namespace {

QImage imageOf(int width) {
    QImage image(width, 1, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

}  // namespace

TEST(AThumbnailCache, dropsTheLeastRecentlyUsedWhenFull) {
    ThumbnailCache cache(2);
    cache.insert("a", imageOf(1));
    cache.insert("b", imageOf(2));
    ASSERT_TRUE(cache.value("a"));  // a is now the most recent
    cache.insert("c", imageOf(3));
    EXPECT_TRUE(cache.contains("a"));
    EXPECT_FALSE(cache.contains("b"));
    EXPECT_TRUE(cache.contains("c"));
    EXPECT_EQ(cache.size(), 2);
}

TEST(AThumbnailCache, replacesTheImageOfAPath) {
    ThumbnailCache cache(2);
    cache.insert("a", imageOf(1));
    cache.insert("a", imageOf(5));
    EXPECT_EQ(cache.size(), 1);
    EXPECT_EQ(cache.value("a")->width(), 5);
}

TEST(AThumbnailCache, staysBoundedUnderConcurrentUse) {
    ThumbnailCache cache(100);
    QThreadPool pool;
    pool.setMaxThreadCount(8);
    for (int t = 0; t < 8; ++t) {
        pool.start([&cache, t] {
            for (int i = 0; i < 2000; ++i) {
                const QString path = QString("%1/%2").arg(t).arg(i);
                cache.insert(path, imageOf(1));
                cache.value(QString("%1/%2").arg(t).arg(i / 2));
            }
        });
    }
    pool.waitForDone();
    EXPECT_EQ(cache.size(), 100);
}

TEST(AThumbnailLoader, answersCachedRowsAtOnceAndLoadsTheOthersOffTheMainThread) {
    ThumbnailCache cache;
    cache.insert("/cached.jpg", imageOf(3));
    ThumbnailLoader loader(cache);
    std::atomic<int> made{0};
    loader.setThumbnailMaker([&made](const QString& path, const QSizeF& size) {
        ++made;
        EXPECT_EQ(size, QSizeF(96, 70));
        return path == "/gone.jpg" ? QImage() : imageOf(7);
    });
    QList<int> ready;
    QList<int> failed;
    QObject::connect(&loader, &ThumbnailLoader::thumbnailReady,
                     [&](int row, const QString&, const QImage&) { ready.append(row); });
    QObject::connect(&loader, &ThumbnailLoader::thumbnailFailed, [&](int row, const QString&) { failed.append(row); });

    const auto cached = loader.loadTableViewThumbnailImages({{0, "/cached.jpg"}, {1, "/new.jpg"}, {2, "/gone.jpg"}});
    ASSERT_EQ(cached.size(), 1);
    EXPECT_EQ(cached.at(0).row, 0);
    loader.waitForLoads();
    EXPECT_EQ(made.load(), 2);
    EXPECT_EQ(ready, QList<int>{1});
    EXPECT_EQ(failed, QList<int>{2});
    EXPECT_TRUE(cache.contains("/new.jpg"));
    EXPECT_FALSE(cache.contains("/gone.jpg"));  // tried again next time
}

TEST(AThumbnailLoader, startsOnePassOnlyAfterScrollingSettles) {
    ThumbnailCache cache;
    ThumbnailLoader loader(cache);
    int passes = 0;
    QObject::connect(&loader, &ThumbnailLoader::loadRequested, [&passes] { ++passes; });
    loader.tableviewPhotosBoundDidChange();
    loader.tableviewPhotosBoundDidChange();
    EXPECT_TRUE(loader.isLoadScheduled());
    EXPECT_EQ(passes, 0);
    loader.setSettleDelay(0);
    loader.tableviewPhotosBoundDidChange();
    for (int i = 0; i < 100 && passes == 0; ++i) QCoreApplication::processEvents();
    EXPECT_EQ(passes, 1);
    EXPECT_FALSE(loader.isLoadScheduled());
}

TEST(ABatchRemoval, takesTheTickedPhotosAndTheirPathsOut) {
    QList<PhotoFile> batch;
    QSet<QString> added;
    for (const char* path : {"/a.jpg", "/b.jpg", "/c.jpg", "/d.jpg"}) {
        PhotoFile photo;
        photo.filePath = path;
        photo.isSelected = QString(path) == "/b.jpg" || QString(path) == "/d.jpg";
        batch.append(photo);
        added.insert(path);
    }
    EXPECT_EQ(BatchRemoval::removeSelectedPhotos(batch, added), 2);
    ASSERT_EQ(batch.size(), 2);
    EXPECT_EQ(batch.at(0).filePath, "/a.jpg");
    EXPECT_EQ(batch.at(1).filePath, "/c.jpg");
    EXPECT_EQ(added, (QSet<QString>{"/a.jpg", "/c.jpg"}));
    EXPECT_TRUE(BatchRemoval::checkAllPhotosDeletedFromArray(batch));
    for (PhotoFile& photo : batch) photo.isSelected = true;
    BatchRemoval::removeSelectedPhotos(batch, added);
    EXPECT_FALSE(BatchRemoval::checkAllPhotosDeletedFromArray(batch));
    EXPECT_TRUE(added.isEmpty());
    EXPECT_EQ(BatchRemoval::noPhotoToRemoveTitle(), "NO PHOTO TO REMOVE");
}
