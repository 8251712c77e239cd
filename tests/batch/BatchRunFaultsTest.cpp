// Stop, low space and changed photos with several writers at once, and the results going back onto a batch
// that changed while the run went on.
#include "batch/BatchTexts.h"
#include "tests/batch/BatchRunFixtures.h"
#include "tests/common/TestSupport.h"

#include <QFileInfo>
#include <QThread>

#include <unistd.h>

using namespace batchfixtures;

namespace {

// The summary's words must say what the counters say.
void expectTextsAgree(const BatchRunner& runner) {
    const BatchRunState& state = runner.state();
    const qint64 answered = state.counterProcessedSuccessfully + state.counterProcessedWithError;
    EXPECT_EQ(answered + state.counterSkipped, state.runCount);
    EXPECT_EQ(runner.summaryTitle(), state.counterSkipped > 0 ? "Batch Process Stopped" : "Batch Process Finished");
    EXPECT_EQ(BatchTexts::batchLine(state.runCount, state.counterProcessedSuccessfully).text,
              "Batch Count: " + QString::number(state.runCount) +
                  "  |  Photos Processed: " + QString::number(state.counterProcessedSuccessfully));
}

TEST_F(ABatchRun, stoppedBeforeAnyAnswerCountsEveryUnansweredPhotoAsSkipped) {
    addPhotos(5);
    auto runner = makeRunner(1);
    QSignalSpy ended(runner.get(), &BatchRunner::runEnded);
    ASSERT_TRUE(runner->start(request));
    runner->stop();
    ASSERT_TRUE(ended.wait(20000));
    const BatchRunState& state = runner->state();
    // Stop may come before the first photo or just after it started; either way it is the only one written.
    EXPECT_LE(state.photosStartedAtStop, 1);
    EXPECT_EQ(state.counterProcessedSuccessfully, state.photosStartedAtStop);
    EXPECT_EQ(state.counterSkipped, 5 - state.photosStartedAtStop);
    EXPECT_EQ(runner->summaryTitle(), "Batch Process Stopped");
    expectTextsAgree(*runner);
}

TEST_F(ABatchRun, stoppedWithEveryWriterBusyFinishesOnlyThePhotosStartedBeforeStop) {
    addPhotos(50);
    for (int i = 3; i <= 50; ++i) writer.held.insert(QStringLiteral("P%1.JPG").arg(i));
    auto runner = makeRunner(0);  // one writer per core
    QSignalSpy ended(runner.get(), &BatchRunner::runEnded);
    QObject::connect(runner.get(), &BatchRunner::photoHandled, runner.get(), [&](const BatchPhotoResult& result) {
        if (result.index != 1) return;
        runner->stop();
        writer.release();
    });
    ASSERT_TRUE(runner->start(request));
    ASSERT_TRUE(ended.wait(20000));
    const BatchRunState& state = runner->state();
    ASSERT_GE(state.photosStartedAtStop, 2);
    EXPECT_LE(state.photosStartedAtStop, 2 + QThread::idealThreadCount());
    // Exactly the photos started before Stop were written, and all of them were counted.
    EXPECT_EQ(writer.started.size(), state.photosStartedAtStop);
    EXPECT_EQ(state.counterProcessedSuccessfully, state.photosStartedAtStop);
    EXPECT_EQ(state.counterSkipped, 50 - state.photosStartedAtStop);
    EXPECT_EQ(runner->summaryTitle(), "Batch Process Stopped");
    expectTextsAgree(*runner);
}

// A volume that loses a photo's bytes each time one is written, and says how low it went.
class ShrinkingVolume : public platform::FileManager {
  public:
    ShrinkingVolume(qint64 free, qint64 photoBytes) : m_free(free), m_photoBytes(photoBytes) {}
    std::optional<qint64> freeSpace(const QString&) const override {
        std::lock_guard lock(m_mutex);
        ++m_measured;
        m_changed.notify_all();
        return m_free;
    }
    void photoWritten() {
        std::lock_guard lock(m_mutex);
        m_free -= m_photoBytes;
        m_lowest = std::min(m_lowest, m_free);
    }
    // Holds a writer until the volume was measured for the next photo, so that photos overlap as they do
    // when every writer is busy, or until the run starts nothing more (wake()).
    void waitForMeasurement(int count) {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [&] { return m_measured >= count || m_woken; });
    }
    void wake() {
        std::lock_guard lock(m_mutex);
        m_woken = true;
        m_changed.notify_all();
    }
    qint64 lowest() const {
        std::lock_guard lock(m_mutex);
        return m_lowest;
    }

  private:
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    mutable int m_measured = 0;
    bool m_woken = false;
    qint64 m_free;
    qint64 m_photoBytes;
    qint64 m_lowest = m_free;
};

TEST_F(ABatchRun, withSeveralWritersCountsPhotosInHandAgainstTheFreeSpace) {
    if (QThread::idealThreadCount() < 2) GTEST_SKIP() << "photos overlap only with two writers or more";
    constexpr qint64 kPhotoBytes = 10 << 20;
    QTemporaryDir in;
    for (int i = 1; i <= 10; ++i) {
        QFile file(in.filePath(QStringLiteral("P%1.JPG").arg(i)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.resize(kPhotoBytes));  // sparse: no real disk used
        request.runList.push_back(photoNamed(in.path(), QStringLiteral("P%1.JPG").arg(i)));
    }
    // Room above the floor for three and a half photos.
    const qint64 free = BatchRunner::kMinimumFreeSpace + 3 * kPhotoBytes + kPhotoBytes / 2;
    ShrinkingVolume volume(free, kPhotoBytes);
    QStringList written;
    std::mutex writtenMutex;
    BatchRunner::Services services;
    services.writer = [&](const PhotoFile& photo, const WriteRecords&, const QString& path, bool) {
        const int index = photo.fileName.mid(1).section(u'.', 0, 0).toInt();
        if (index < 10) volume.waitForMeasurement(index + 1);
        volume.photoWritten();
        std::lock_guard lock(writtenMutex);
        written.append(photo.fileName);
        return std::optional<PhotoWriteOutcome>(PhotoWriteOutcome{ExifWriteSucceeded, "", path});
    };
    services.files = &volume;
    services.geocoder = &places;
    services.bytesInHandLimit = qint64(1) << 40;
    BatchRunner runner(services);
    QSignalSpy ended(&runner, &BatchRunner::runEnded);
    QSignalSpy lowSpace(&runner, &BatchRunner::lowSpace);
    QObject::connect(&runner, &BatchRunner::lowSpace, &runner, [&volume] { volume.wake(); });
    ASSERT_TRUE(runner.start(request));
    ASSERT_TRUE(ended.wait(20000));
    EXPECT_EQ(lowSpace.count(), 1);
    // As in a one-by-one run, four photos find room above the floor and the fifth, finding none, is still
    // written as the photo in hand. A photo whose bytes have just landed may still count as in hand for a
    // moment, which can only end the run one photo sooner, never later.
    EXPECT_GE(written.size(), 4);
    EXPECT_LE(written.size(), 5);
    EXPECT_GE(volume.lowest(), free - 5 * kPhotoBytes);
    EXPECT_EQ(runner.state().counterSkipped, 10 - written.size());
    expectTextsAgree(runner);
}

enum class Change { None, Rewritten, Touched, ReplacedByPipe };

struct ChangeCase {
    const char* name;
    Change change;
};

void PrintTo(const ChangeCase& c, std::ostream* os) {
    *os << c.name;
}

class AChangedPhoto : public ABatchRun, public ::testing::WithParamInterface<ChangeCase> {};

TEST_P(AChangedPhoto, isNotWrittenFromWhatWasReadWhenItWasAdded) {
    QTemporaryDir in;
    const QString path = in.filePath("P1.JPG");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("the photo that was added");
    file.close();
    PhotoFile photo = photoNamed(in.path(), "P1.JPG");
    photo.fileSizeInBytes = static_cast<double>(QFileInfo(path).size());
    photo.fileModificationDate = platform::FileManager::defaultManager().status(path)->modified;
    switch (GetParam().change) {
        case Change::None:
            break;
        case Change::Rewritten:
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write("another photo, of another size");
            file.close();
            break;
        case Change::Touched:
            ASSERT_TRUE(file.open(QIODevice::ReadWrite));
            file.setFileTime(photo.fileModificationDate.addSecs(60), QFileDevice::FileModificationTime);
            file.close();
            break;
        case Change::ReplacedByPipe:
            ASSERT_TRUE(QFile::remove(path));
            ASSERT_TRUE(testsupport::makeNamedPipe(path));
            break;
    }
    request.runList = {photo};
    auto runner = makeRunner(2);
    QSignalSpy ended(runner.get(), &BatchRunner::runEnded);
    ASSERT_TRUE(runner->start(request));
    const bool endedByItself = ended.wait(20000);
    EXPECT_TRUE(endedByItself) << "the run hung on the photo";
    if (!endedByItself) {
        testsupport::finishesWithoutBlockingOnPipes([&] { runner.reset(); }, {path});
        return;
    }
    const bool changed = GetParam().change != Change::None;
    EXPECT_EQ(writer.started.size(), changed ? 0 : 1);
    ASSERT_EQ(runner->state().arrProcessedWithError.size(), changed ? 1u : 0u);
    if (changed) {
        EXPECT_EQ(runner->state().arrProcessedWithError[0].processStatus, ExifWriteFailed);
        EXPECT_EQ(runner->state().arrProcessedWithError[0].processMsg, BatchRunner::changedSinceAddedMessage());
    }
}

INSTANTIATE_TEST_SUITE_P(Changes, AChangedPhoto,
                         ::testing::Values(ChangeCase{"unchanged", Change::None},
                                           ChangeCase{"rewritten", Change::Rewritten},
                                           ChangeCase{"touched", Change::Touched},
                                           ChangeCase{"replacedByAPipe", Change::ReplacedByPipe}),
                         [](const auto& info) { return std::string(info.param.name); });

enum class Destination { ChosenFolder, BesideTheSources, Restore };

struct FolderCase {
    const char* name;
    Destination destination;
    bool everyFolderUnwritable;  // else only the folder of the third photo, "card"
    const char* refusedFolder;   // the folder the run is refused for, in the test's folder ("": itself); null: it runs
};

void PrintTo(const FolderCase& c, std::ostream* os) {
    *os << c.name;
}

class AReadOnlyFolder : public ABatchRun, public ::testing::WithParamInterface<FolderCase> {};

// A read-only volume also reports no free room at all: where no photo can be written the user must hear that
// the folder takes no file, once, and not that space ran short or, photo by photo, that access was denied. Where
// some can, they are written, and the others fail at the writer.
TEST_P(AReadOnlyFolder, endsTheRunBeforeAnyPhotoOnlyWhenNoPhotoCanBeWritten) {
    const FolderCase& c = GetParam();
    const QString card = out.filePath("card");
    addPhotos(2, out.path());
    request.runList.push_back(photoNamed(card, "P3.JPG"));
    files.readOnly = {card};
    if (c.everyFolderUnwritable) files.readOnly.insert(out.path());
    switch (c.destination) {
        case Destination::ChosenFolder:
            request.renaming.outputFolderPathName = request.selectedOutputFolder = card;
            break;
        case Destination::BesideTheSources:
            QDir().mkpath(card);
            request.renaming.sourceFolderSelected = 1;
            break;
        case Destination::Restore:
            // The folder of the third photo's copy was removed since the last run.
            files.readOnly.remove(card);
            request.restore = true;
            for (PhotoFile& photo : request.runList) photo.processedPath = photo.filePath;
            break;
    }
    auto runner = makeRunner(2);
    QSignalSpy ended(runner.get(), &BatchRunner::runEnded);
    QSignalSpy lowSpace(runner.get(), &BatchRunner::lowSpace);
    runToEnd(*runner, ended);
    EXPECT_EQ(lowSpace.count(), 0);
    if (c.refusedFolder) {
        const QString refused = *c.refusedFolder ? out.filePath(c.refusedFolder) : out.path();
        EXPECT_EQ(runner->state().unwritableFolder, refused);
        EXPECT_EQ(writer.started, QStringList());
        EXPECT_EQ(runner->state().counterSkipped, 3);
        EXPECT_TRUE(runner->state().arrProcessedWithError.empty());
        return;
    }
    EXPECT_EQ(runner->state().unwritableFolder, "");
    QStringList started = writer.started;
    started.sort();
    EXPECT_EQ(started, QStringList({"P1.JPG", "P2.JPG", "P3.JPG"})) << "the third photo's folder answers at the writer";
    EXPECT_EQ(runner->state().counterSkipped, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Destinations, AReadOnlyFolder,
    ::testing::Values(FolderCase{"chosenFolder", Destination::ChosenFolder, false, "card"},
                      FolderCase{"besideTheSourcesOneReadOnly", Destination::BesideTheSources, false, nullptr},
                      FolderCase{"besideTheSourcesAllReadOnly", Destination::BesideTheSources, true, ""},
                      FolderCase{"restoreWithOneFolderGone", Destination::Restore, false, nullptr},
                      FolderCase{"restoreWithEveryFolderUnwritable", Destination::Restore, true, ""}),
    [](const auto& info) { return std::string(info.param.name); });

// A folder that may be written but not searched passes a test of writing alone, yet takes no new file. Only an
// unprivileged user meets its permissions.
TEST_F(ABatchRun, refusesAChosenFolderThatCannotBeSearched) {
    if (::geteuid() == 0) {
        const testsupport::UnprivilegedRun child =
            testsupport::runTestAsUnprivilegedUser("ABatchRun.refusesAChosenFolderThatCannotBeSearched");
        if (!child.available) GTEST_SKIP() << "cannot run as an unprivileged user here: " << child.output.toStdString();
        EXPECT_TRUE(child.passed) << child.output.toStdString();
        return;
    }
    const QString folder = out.filePath("drop");
    ASSERT_TRUE(QDir().mkpath(folder));
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    request.renaming.outputFolderPathName = request.selectedOutputFolder = folder;
    addPhotos(1, out.path());
    auto runner = makeRunner(1);
    QSignalSpy ended(runner.get(), &BatchRunner::runEnded);
    runToEnd(*runner, ended);
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(runner->state().unwritableFolder, folder);
    EXPECT_EQ(writer.started, QStringList());
}

TEST_F(ABatchRun, putsItsResultsOnTheBatchItemsThatAreStillThere) {
    addPhotos(3);
    writer.flags = {{"P3.JPG", ExifWriteAccessDenied}};
    writer.messages = {{"P3.JPG", "message"}};
    QList<PhotoFile> batch(request.runList.begin(), request.runList.end());
    batch[1].processedPath = "/an/older/copy.JPG";
    auto runner = makeRunner(2);
    QSignalSpy ended(runner.get(), &BatchRunner::runEnded);
    ASSERT_TRUE(runner->start(request));
    // While the run goes on, the user removes the second photo and adds another at the front.
    batch.removeAt(1);
    batch.prepend(photoNamed("/elsewhere", "NEW.JPG"));
    ASSERT_TRUE(ended.wait(20000));

    runner->applyResultsTo(batch);

    ASSERT_EQ(batch.size(), 3);
    EXPECT_EQ(batch[0].processStatus, StatusNone);
    EXPECT_TRUE(batch[0].processedPath.isEmpty());
    EXPECT_EQ(batch[1].fileName, "P1.JPG");
    EXPECT_EQ(batch[1].processStatus, ExifWriteSucceeded);
    EXPECT_EQ(batch[1].processedPath, out.filePath("P1.JPG"));
    EXPECT_EQ(batch[2].fileName, "P3.JPG");
    EXPECT_EQ(batch[2].processStatus, ExifWriteAccessDenied);
    EXPECT_EQ(batch[2].processMsg, "message");
}

}  // namespace
