#include "tests/batch/BatchRunFixtures.h"

#include <QFileInfo>

using namespace batchfixtures;

namespace {

TEST_F(ABatchRun, writesEveryPhotoWithProgressInOrder) {
    addPhotos(3);
    auto runner = makeRunner(4);
    QSignalSpy ended(runner.get(), &BatchRunner::runEnded);
    QSignalSpy progress(runner.get(), &BatchRunner::progressChanged);
    QSignalSpy handled(runner.get(), &BatchRunner::photoHandled);
    runToEnd(*runner, ended);
    ASSERT_EQ(progress.count(), 3);
    EXPECT_EQ(progress[0][0].toInt(), 33);
    EXPECT_EQ(progress[1][0].toInt(), 66);
    EXPECT_EQ(progress[2][0].toInt(), 100);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(handled[i][0].value<BatchPhotoResult>().index, i);
    EXPECT_EQ(runner->state().counterSkipped, 0);
    EXPECT_EQ(runner->state().counterProcessedSuccessfully, 3);
    EXPECT_EQ(runner->summaryTitle(), "Batch Process Finished");
    EXPECT_EQ(runner->errorsSummaryText(), "Error Found(0) Warning Found(0)");
    EXPECT_FALSE(runner->isProcessing());
}

// The name taken by a file or by a link that leads nowhere.
TEST_F(ABatchRun, givesCollisionSuffixesInBatchOrderWhileWritingSideBySide) {
    for (const char* folder : {"/a", "/b", "/c", "/d", "/e"}) request.runList.push_back(photoNamed(folder, "X.JPG"));
    for (const char* folder : {"/a", "/b"}) request.runList.push_back(photoNamed(folder, "L.JPG"));
    QFile existing(out.filePath("X.JPG"));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();
    ASSERT_TRUE(QFile::link(out.filePath("nowhere.jpg"), out.filePath("L.JPG")));
    auto runner = makeRunner(4);
    QSignalSpy ended(runner.get(), &BatchRunner::runEnded);
    QSignalSpy handled(runner.get(), &BatchRunner::photoHandled);
    runToEnd(*runner, ended);
    ASSERT_EQ(handled.count(), 7);
    QStringList paths;
    for (int i = 0; i < 7; ++i) paths << handled[i][0].value<BatchPhotoResult>().processedPath;
    QStringList expected;
    for (const char* name : {"X (1)", "X (2)", "X (3)", "X (4)", "X (5)", "L (1)", "L (2)"})
        expected << out.filePath(QLatin1String(name) + ".JPG");
    EXPECT_EQ(paths, expected);
}

TEST_F(ABatchRun, stopsAfterThePhotoInHand) {
    addPhotos(5);
    writer.holdBack = "P2.JPG";
    auto runner = makeRunner(1);
    QSignalSpy ended(runner.get(), &BatchRunner::runEnded);
    ASSERT_TRUE(runner->start(request));
    writer.waitUntilStarted("P2.JPG");
    runner->stop();
    writer.release();
    ASSERT_TRUE(ended.wait(20000));
    EXPECT_EQ(writer.started, QStringList({"P1.JPG", "P2.JPG"}));
    EXPECT_EQ(runner->state().counterProcessedSuccessfully, 2);
    EXPECT_EQ(runner->state().counterSkipped, 3);
    EXPECT_EQ(runner->summaryTitle(), "Batch Process Stopped");
}

TEST_F(ABatchRun, endsWhenSpaceRunsShortButWritesThePhotoInHand) {
    addPhotos(3);
    files.space = BatchRunner::kMinimumFreeSpace - 1;  // 105,906,175 bytes
    auto runner = makeRunner(1);
    QSignalSpy ended(runner.get(), &BatchRunner::runEnded);
    QSignalSpy lowSpace(runner.get(), &BatchRunner::lowSpace);
    runToEnd(*runner, ended);
    EXPECT_EQ(lowSpace.count(), 1);
    EXPECT_EQ(writer.started, QStringList({"P1.JPG"}));
    EXPECT_EQ(runner->state().counterProcessedSuccessfully, 1);
    EXPECT_EQ(runner->state().counterSkipped, 2);
    EXPECT_TRUE(runner->state().isEnoughSpaceWarning);
}

TEST_F(ABatchRun, goesOnWithExactlyTheMinimumFreeSpace) {
    addPhotos(3);
    files.space = BatchRunner::kMinimumFreeSpace;  // 105,906,176 bytes
    auto runner = makeRunner(2);
    QSignalSpy ended(runner.get(), &BatchRunner::runEnded);
    QSignalSpy lowSpace(runner.get(), &BatchRunner::lowSpace);
    runToEnd(*runner, ended);
    EXPECT_EQ(lowSpace.count(), 0);
    EXPECT_EQ(runner->state().counterProcessedSuccessfully, 3);
}

TEST_F(ABatchRun, countsWrittenPhotosAsProcessedAndGivesAPhotoNotWrittenOnlyItsError) {
    addPhotos(4);
    // No photo has a date to name it by: each is given a renaming warning before it is written.
    request.renaming.renamingOptionIndex = OutputRenamingOptions::NewFileName;
    request.renaming.addEXIFDateTimeCheck = 1;
    writer.flags = {{"P2.JPG", ExifWriteRawCameraKept}, {"P3.JPG", ExifWriteAccessDenied}};
    writer.silentFor = "P4.JPG";
    auto runner = makeRunner(3);
    QSignalSpy ended(runner.get(), &BatchRunner::runEnded);
    runToEnd(*runner, ended);
    const BatchRunState& state = runner->state();
    EXPECT_EQ(state.counterProcessedSuccessfully, 2);
    EXPECT_EQ(state.counterProcessedWithError, 2);
    QStringList errors, warnings;
    for (const PhotoFile& p : state.arrProcessedWithError)
        errors << p.fileName + ":" + QString::number(p.processStatus);
    for (const PhotoFile& p : state.arrProcessedWithWarning)
        warnings << QFileInfo(p.filePath).fileName() + ":" + QString::number(p.processStatus);
    EXPECT_EQ(errors, QStringList({"P3.JPG:8", "P4.JPG:2"}));
    EXPECT_EQ(warnings, QStringList({"P1.JPG:10", "P2.JPG:10", "P2.JPG:7"}));
    EXPECT_EQ(runner->summaryTitle(), "Batch Process Finished");
    EXPECT_EQ(runner->errorsSummaryText(), QStringLiteral("Errors Found(2) Warnings Found(3)"));
}

TEST_F(ABatchRun, restoresOnlyPhotosWithACopyFromTheLastRunUnderItsOwnName) {
    addPhotos(2);
    request.runList[0].processedPath = out.filePath("2023trip_P1Lyon.JPG");
    request.runList[1].processedPath.clear();
    request.restore = true;
    // The names of the last run stay: a place or date the restored values lack is nothing to warn about.
    request.renaming.renamingOptionIndex = OutputRenamingOptions::NewFileName;
    request.renaming.addEXIFLocationCheck = 1;
    request.renaming.addEXIFDateTimeCheck = 1;
    QStringList targets;
    BatchRunner::Services services;
    services.writer = [&](const PhotoFile& photo, const WriteRecords&, const QString& path, bool) {
        targets << path;
        return std::optional<PhotoWriteOutcome>(PhotoWriteOutcome{ExifWriteSucceeded, {}, photo.processedPath});
    };
    services.files = &files;
    services.geocoder = &places;
    BatchRunner runner(services);
    QSignalSpy ended(&runner, &BatchRunner::runEnded);
    runToEnd(runner, ended);
    EXPECT_EQ(targets, QStringList({out.filePath("2023trip_P1Lyon.JPG")}));
    ASSERT_EQ(runner.state().arrProcessedWithError.size(), 1u);
    EXPECT_EQ(runner.state().arrProcessedWithError[0].fileName, "P2.JPG");
    EXPECT_FALSE(runner.state().arrProcessedWithError[0].processMsg.isEmpty());
    EXPECT_TRUE(runner.state().arrProcessedWithWarning.empty());
}

TEST_F(ABatchRun, neverHandsAStaleProcessedPathToANormalWrite) {
    addPhotos(1);
    request.runList[0].processedPath = "/somewhere/old/P1.JPG";
    PhotoFile seen;
    BatchRunner::Services services;
    services.writer = [&](const PhotoFile& photo, const WriteRecords&, const QString&, bool) {
        seen = photo;
        return std::optional<PhotoWriteOutcome>(PhotoWriteOutcome{});
    };
    services.files = &files;
    services.geocoder = &places;
    BatchRunner runner(services);
    QSignalSpy ended(&runner, &BatchRunner::runEnded);
    ASSERT_TRUE(runner.start(request));
    ASSERT_TRUE(ended.wait(20000));
    EXPECT_TRUE(seen.processedPath.isEmpty());
}

TEST_F(ABatchRun, holdsNoMoreLargePhotosAtOnceThanMemoryAllows) {
    QTemporaryDir in;
    for (int i = 1; i <= 4; ++i) {
        QFile file(in.filePath(QStringLiteral("P%1.JPG").arg(i)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(600, 'x'));
        request.runList.push_back(photoNamed(in.path(), QStringLiteral("P%1.JPG").arg(i)));
    }
    std::atomic<int> inHand{0};
    std::atomic<int> mostInHand{0};
    BatchRunner::Services services;
    services.writer = [&](const PhotoFile&, const WriteRecords&, const QString&, bool) {
        mostInHand = std::max(mostInHand.load(), ++inHand);
        std::this_thread::yield();
        --inHand;
        return std::optional<PhotoWriteOutcome>(PhotoWriteOutcome{});
    };
    services.files = &files;
    services.geocoder = &places;
    services.parallelWrites = 4;
    services.bytesInHandLimit = 1000;  // room for one 600-byte photo at a time
    BatchRunner runner(services);
    QSignalSpy ended(&runner, &BatchRunner::runEnded);
    ASSERT_TRUE(runner.start(request));
    ASSERT_TRUE(ended.wait(20000));
    EXPECT_EQ(mostInHand.load(), 1);
    EXPECT_EQ(runner.state().counterProcessedSuccessfully, 4);
}

TEST_F(ABatchRun, refusesAnEmptyRunList) {
    auto runner = makeRunner(1);
    EXPECT_FALSE(runner->start(request));
    EXPECT_FALSE(runner->isRunning());
}

}  // namespace
