#include "intake/PhotoImportTask.h"
#include "intake/PhotoIntake.h"
#include "platform/Dispatch.h"
#include "tests/common/TestSupport.h"
#include "tests/intake/IntakeFixtures.h"

#include <QDir>
#include <QSemaphore>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace intakefixtures;

namespace {

PhotoFile fakePhoto(const QString& path, const QString& name) {
    PhotoFile photo;
    photo.filePath = path;
    photo.fileURL = path;
    photo.originalFileName = name;
    return photo;
}

QStringList pathsOf(const QList<PhotoFile>& photos) {
    QStringList paths;
    for (const PhotoFile& photo : photos) paths.append(photo.filePath);
    return paths;
}

class AnIntake : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        PhotoImportTask::Settings settings;
        settings.makePhoto = [this](const QString& path, const QString& name) {
            if (gate) gate->acquire();
            return fakePhoto(path, name);
        };
        settings.walk.cachesFolder = dir.path() + "/caches";
        intake.setSettings(settings);
        PhotoIntake::Hooks hooks;
        hooks.showLoading = [this](bool show, const QString& text) {
            events.append(QString("loading %1 %2").arg(show).arg(text));
        };
        hooks.showStopButton = [this] { events.append("stop button"); };
        hooks.isMetadataParamChanged = [this](bool changed) { events.append(QString("changed %1").arg(changed)); };
        hooks.showAlertWithTag = [this](EditorAlertTag tag) { events.append(QString("alert %1").arg(tag)); };
        hooks.disableRemoveButton = [this] { events.append("remove off"); };
        hooks.processAfterAllPhotosAdded = [this] { events.append("refresh"); };
        intake.setHooks(hooks);
    }

    void add(const QStringList& paths) {
        ASSERT_TRUE(intake.addPhotosFromPathUrls(paths, false));
        // The hand-back runs on this thread, so only the start's events are in the list yet.
        events.clear();
        intake.waitForImport();
    }

    QTemporaryDir dir;
    QList<PhotoFile> batch;
    QSet<QString> dictFileAdded;
    PhotoIntake intake{batch, dictFileAdded};
    QStringList events;
    QSemaphore* gate = nullptr;
};

}  // namespace

TEST_F(AnIntake, appendsTheNewPhotosInOrderOnTheMainThreadAndRefreshes) {
    writeFile(dir.path() + "/p/1.jpg");
    writeFile(dir.path() + "/p/2.jpg");
    add({dir.path() + "/p"});
    EXPECT_EQ(pathsOf(batch), (QStringList{dir.path() + "/p/1.jpg", dir.path() + "/p/2.jpg"}));
    EXPECT_EQ(dictFileAdded, (QSet<QString>{dir.path() + "/p/1.jpg", dir.path() + "/p/2.jpg"}));
    EXPECT_EQ(events, (QStringList{"refresh"}));
    EXPECT_EQ(intake.counters().totalPhotoToAdd, 2);
}

TEST_F(AnIntake, countsDuplicatesAcrossTwoAdds) {
    writeFile(dir.path() + "/p/1.jpg");
    writeFile(dir.path() + "/p/2.jpg");
    add({dir.path() + "/p"});
    writeFile(dir.path() + "/p/3.jpg");
    add({dir.path() + "/p"});
    EXPECT_EQ(batch.size(), 3);
    EXPECT_EQ(batch.last().filePath, dir.path() + "/p/3.jpg");
    EXPECT_EQ(intake.counters().alreadyExistsPhotosCount, 2);
    EXPECT_EQ(events, (QStringList{"loading 0 Please Wait...", "alert 109", "refresh"}));
    add({dir.path() + "/p/1.jpg"});
    EXPECT_EQ(events, (QStringList{"loading 0 Please Wait...", "remove off", "alert 109"}));
}

TEST_F(AnIntake, withNothingAddedToAnEmptyBatchSaysSoWithoutRefreshing) {
    add({dir.path() + "/nothing-here"});
    EXPECT_EQ(events, (QStringList{"changed 0", "loading 0 Please Wait...", "remove off", "alert 108"}));
    EXPECT_TRUE(batch.isEmpty());
}

TEST_F(AnIntake, neverBlocksTheMainThreadWhilePhotosAreRead) {
    writeFile(dir.path() + "/p/1.jpg");
    QSemaphore semaphore;
    gate = &semaphore;
    events.clear();
    ASSERT_TRUE(intake.addPhotosFromPathUrls({dir.path() + "/p"}, false));
    // The photo cannot be made before the gate opens, yet the call has returned.
    EXPECT_TRUE(intake.isImporting());
    EXPECT_EQ(events, (QStringList{"stop button", QString("loading 1 ") + PhotoIntake::loadingText()}));
    EXPECT_FALSE(intake.addPhotosFromPathUrls({dir.path() + "/p"}, false));
    EXPECT_TRUE(batch.isEmpty());
    semaphore.release();
    intake.waitForImport();
    EXPECT_FALSE(intake.isImporting());
    EXPECT_EQ(batch.size(), 1);
}

TEST_F(AnIntake, keepsAPhotoRemovedWhileAnotherAddRanOutOfTheAddedPaths) {
    writeFile(dir.path() + "/p/1.jpg");
    writeFile(dir.path() + "/p/2.jpg");
    writeFile(dir.path() + "/q/3.jpg");
    add({dir.path() + "/p"});
    QSemaphore semaphore;
    gate = &semaphore;
    ASSERT_TRUE(intake.addPhotosFromPathUrls({dir.path() + "/q"}, false));
    // The walk started from 1 and 2; the list's own Remove takes 1 out before the add is handed back.
    batch.removeFirst();
    dictFileAdded.remove(dir.path() + "/p/1.jpg");
    semaphore.release();
    intake.waitForImport();
    EXPECT_EQ(pathsOf(batch), (QStringList{dir.path() + "/p/2.jpg", dir.path() + "/q/3.jpg"}));
    EXPECT_EQ(dictFileAdded, (QSet<QString>{dir.path() + "/p/2.jpg", dir.path() + "/q/3.jpg"}));
}

TEST_F(AnIntake, needsNoAnswerToTheArchivePathAlertOnceStopped) {
    PhotoIntake::Hooks hooks;
    bool asked = false;
    // A user who never answers: Stop (or the end of the application) must not wait for them.
    hooks.archivePathAlert = [&](std::function<void()>) { asked = platform::dispatch::isMainThread(); };
    intake.setHooks(hooks);
    QSignalSpy handedBack(&intake, &PhotoIntake::importHandedBack);
    ASSERT_TRUE(intake.addPhotosFromPathUrls({testsupport::makeLibraryWithoutArchivePath(dir.path())}, false));
    LUMARIND_WAIT_FOR(asked, 10000);
    EXPECT_TRUE(intake.isImporting());
    intake.stopImport();
    EXPECT_TRUE(handedBack.wait(10000));
}

TEST(AnImportTask, stoppedDuringALargeAddKeepsThePhotosMadeSoFar) {
    QTemporaryDir dir;
    for (int i = 0; i < 2000; ++i) writeFile(dir.path() + QString("/big/%1.jpg").arg(i, 4, 10, QChar('0')));
    writeFile(dir.path() + "/big/zz.txt");
    std::atomic<bool> stop{false};
    std::atomic<int> made{0};
    PhotoImportTask::Settings settings;
    settings.walk.stop = &stop;
    settings.threads = 1;
    settings.makePhoto = [&](const QString& path, const QString& name) {
        if (++made == 10) stop = true;  // the user presses Stop while the tenth photo is read
        return fakePhoto(path, name);
    };
    const PhotoImportResult result = PhotoImportTask::run({dir.path() + "/big"}, "ALL", {"/elsewhere/a.jpg"}, settings);
    EXPECT_EQ(made.load(), 10);
    EXPECT_EQ(result.photos.size(), 10);
    EXPECT_EQ(result.addedPaths, pathsOf(result.photos));
    // The walk had taken in the photos past the stop too; they are not the batch's.
    QSet<QString> inBatch(result.addedPaths.begin(), result.addedPaths.end());
    EXPECT_EQ(result.pathsInBatch, inBatch << "/elsewhere/a.jpg");
    EXPECT_EQ(result.counters.totalPhotoToAdd, 10);
    EXPECT_EQ(result.counters.damagedFileCount, 0);  // zz.txt lies past the stop
    EXPECT_FALSE(result.counters.isPHOTOS_PROCESSING_IN_PROGRESS);
    EXPECT_FALSE(result.counters.isMAX_PHOTOS_LIMIT_EXCEEDED);
}

TEST(AnImportTask, stoppedWhileSeveralThreadsReadKeepsAnUnbrokenPrefix) {
    QTemporaryDir dir;
    for (int i = 0; i < 500; ++i) writeFile(dir.path() + QString("/big/%1.jpg").arg(i, 4, 10, QChar('0')));
    std::atomic<bool> stop{false};
    std::atomic<int> made{0};
    PhotoImportTask::Settings settings;
    settings.walk.stop = &stop;
    settings.threads = 4;
    settings.makePhoto = [&](const QString& path, const QString& name) {
        if (++made == 50) stop = true;
        return fakePhoto(path, name);
    };
    const PhotoImportResult result = PhotoImportTask::run({dir.path() + "/big"}, "ALL", {}, settings);
    ASSERT_LT(result.photos.size(), 500);
    for (qsizetype i = 0; i < result.photos.size(); ++i) {
        EXPECT_EQ(result.photos.at(i).filePath, dir.path() + QString("/big/%1.jpg").arg(i, 4, 10, QChar('0')));
    }
    EXPECT_EQ(result.counters.totalPhotoToAdd, result.photos.size());
}

TEST(AnImportTask, readsRealCameraFilesWithoutFailing) {
    const QString corpus = testsupport::corpusDir();
    if (corpus.isEmpty()) GTEST_SKIP() << "sample camera files are absent";
    PhotoImportTask::Settings settings;
    const PhotoImportResult result = PhotoImportTask::run({corpus}, "ALL", {}, settings);
    ASSERT_FALSE(result.photos.isEmpty());
    EXPECT_EQ(result.addedPaths, pathsOf(result.photos));
    for (const PhotoFile& photo : result.photos) {
        EXPECT_TRUE(photo.metadataObject.has_value()) << photo.filePath.toStdString();
        if (photo.filePath.endsWith("Apple iPhone 4.jpg")) {
            EXPECT_GT(photo.width, 0);
        }
    }
    // MANIFEST.tsv at least is refused.
    EXPECT_GE(result.counters.damagedFileCount, 1);
}
