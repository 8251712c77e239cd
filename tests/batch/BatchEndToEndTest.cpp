#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include "batch/BatchRunner.h"
#include "batch/ExifPhotoWriter.h"
#include "tests/Helper/HelperFixtures.h"
#include "tests/common/EditRecords.h"
#include "tests/common/TestSupport.h"

namespace {

// Real camera files, copied so the run can go beside them too.
const char* const kCameraFiles[] = {"Canon EOS 7D.jpg", "Nikon D5000.jpg", "Apple iPhone 4.jpg",
                                    "Olympus PEN E-P3.jpg"};

class ABatchOverCameraFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        if (testsupport::corpusDir().isEmpty()) GTEST_SKIP() << "the sample photo folder is absent";
        LUMARIND_REQUIRE_EXIFTOOL();
        helperfixtures::installReader();
        QDir().mkpath(sources.filePath("in"));
        for (const char* name : kCameraFiles) {
            const QString copy = sources.filePath(QStringLiteral("in/") + name);
            ASSERT_TRUE(QFile::copy(QDir(testsupport::corpusDir()).filePath(name), copy));
            PhotoFile photo = PhotoFile::initWithFileUrl(copy, name, false);
            photo.isSelected = true;
            photos.push_back(photo);
            hashes.push_back(testsupport::fileHash(copy));
        }
    }

    BatchRunRequest request(const MetaDataObject& settings, bool restore = false) {
        BatchRunRequest r;
        r.runList = photos;
        r.settings = settings;
        r.changedFields = settings;
        r.renaming.outputFolderPathName = out.path();
        r.selectedOutputFolder = out.path();
        r.restore = restore;
        return r;
    }

    // Runs to the end and applies the results to the photos, as the editing screen does.
    void run(BatchRunner& runner, BatchRunRequest r) {
        QSignalSpy ended(&runner, &BatchRunner::runEnded);
        ASSERT_TRUE(runner.start(std::move(r)));
        ASSERT_TRUE(ended.wait(120000));
        QList<PhotoFile> batch(photos.begin(), photos.end());
        runner.applyResultsTo(batch);
        photos.assign(batch.begin(), batch.end());
    }

    BatchRunner::Services services(int parallel = 0) {
        BatchRunner::Services s;
        s.writer = ExifPhotoWriter::make();
        s.parallelWrites = parallel;
        return s;
    }

    QTemporaryDir sources;
    QTemporaryDir out;
    std::vector<PhotoFile> photos;
    std::vector<QByteArray> hashes;
};

TEST_F(ABatchOverCameraFiles, writesTheSettingsIntoEveryCopyAndLeavesTheSourcesAlone) {
    BatchRunner runner(services());
    run(runner, request(editrecords::typicalEdit()));
    EXPECT_EQ(runner.state().counterProcessedSuccessfully, static_cast<qint64>(std::size(kCameraFiles)));
    for (std::size_t i = 0; i < photos.size(); ++i) {
        const QString copy = photos[i].processedPath;
        ASSERT_EQ(copy, out.filePath(photos[i].fileName));
        EXPECT_EQ(helperfixtures::exiftoolValue(copy, "Artist"), "Lumarind Test");
        EXPECT_EQ(helperfixtures::exiftoolValue(copy, "Copyright"), "(c) Lumarind Test");
        EXPECT_NEAR(helperfixtures::exiftoolValue(copy, "GPSLatitude").toDouble(), 48.85837, 1e-5);
        EXPECT_NEAR(helperfixtures::exiftoolValue(copy, "GPSLongitude").toDouble(), 2.294481, 1e-5);
        const QDateTime before = QDateTime::fromString(
            helperfixtures::exiftoolValue(photos[i].filePath, "DateTimeOriginal"), "yyyy:MM:dd HH:mm:ss");
        const QDateTime after =
            QDateTime::fromString(helperfixtures::exiftoolValue(copy, "DateTimeOriginal"), "yyyy:MM:dd HH:mm:ss");
        EXPECT_EQ(before.secsTo(after), 3600) << photos[i].fileName.toStdString();
        EXPECT_EQ(testsupport::fileHash(photos[i].filePath), hashes[i]);
    }
}

TEST_F(ABatchOverCameraFiles, erasesAFieldTheUserEmptied) {
    ASSERT_TRUE(helperfixtures::exiftoolWrite(photos[0].filePath, {"-Artist=Someone"}));
    // Changed on disk, so added again.
    photos[0] = PhotoFile::initWithFileUrl(photos[0].filePath, photos[0].fileName, false);
    MetaDataObject settings = editrecords::typicalEdit();
    settings.Artist.clear();
    settings.isupdated_Artist = true;
    BatchRunRequest r = request(settings);
    r.runList = {photos[0]};
    BatchRunner runner(services());
    run(runner, std::move(r));
    ASSERT_EQ(runner.state().counterProcessedSuccessfully, 1);
    EXPECT_EQ(helperfixtures::exiftoolValue(photos[0].processedPath, "Artist"), "");
    EXPECT_EQ(helperfixtures::exiftoolValue(photos[0].processedPath, "Copyright"), "(c) Lumarind Test");
}

TEST_F(ABatchOverCameraFiles, restoresTheOriginalValuesOverTheEarlierCopies) {
    BatchRunner runner(services());
    run(runner, request(editrecords::typicalEdit()));
    // Restoring writes, photo by photo, the values the photo held before editing.
    for (std::size_t i = 0; i < photos.size(); ++i) {
        BatchRunRequest r = request(*photos[i].metadataObjectOriginal, true);
        r.runList = {photos[i]};
        run(runner, std::move(r));
        ASSERT_EQ(runner.state().counterProcessedSuccessfully, 1) << photos[i].fileName.toStdString();
        const QString copy = photos[i].processedPath;
        for (const char* tag : {"Artist", "Copyright", "DateTimeOriginal", "GPSLatitude", "Make", "Model"}) {
            EXPECT_EQ(helperfixtures::exiftoolValue(copy, tag), helperfixtures::exiftoolValue(photos[i].filePath, tag))
                << photos[i].fileName.toStdString() << " " << tag;
        }
    }
    EXPECT_EQ(QDir(out.path()).entryList(QDir::Files).size(), static_cast<int>(photos.size()));
}

TEST_F(ABatchOverCameraFiles, stopsMidRunAndWritesNothingAfterThePhotoInHand) {
    BatchRunner::Services s = services(1);
    BatchRunner* runnerPointer = nullptr;
    const PhotoWriter write = s.writer;
    s.writer = [&](const PhotoFile& photo, const WriteRecords& records, const QString& path, bool restore) {
        runnerPointer->stop();  // pressed while the first photo is being written
        return write(photo, records, path, restore);
    };
    BatchRunner runner(s);
    runnerPointer = &runner;
    run(runner, request(editrecords::typicalEdit()));
    EXPECT_EQ(runner.state().counterProcessedSuccessfully, 1);
    EXPECT_EQ(runner.state().counterSkipped, static_cast<qint64>(std::size(kCameraFiles)) - 1);
    EXPECT_EQ(runner.summaryTitle(), "Batch Process Stopped");
    EXPECT_EQ(QDir(out.path()).entryList(QDir::Files).size(), 1);
}

}  // namespace
