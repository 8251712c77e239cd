// A worker that crashes, hangs or loses its application costs one photo at most, and never the application.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include "Helper/MetadataWorkerPool.h"
#include "batch/BatchRunner.h"
#include "batch/ExifPhotoWriter.h"
#include "model/RecordTransfer.h"
#include "tests/Helper/HelperFixtures.h"

#include <poll.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

MetadataWorkerPool::Settings faultySettings() {
    MetadataWorkerPool::Settings settings;
    settings.program = QStringLiteral(LUMARIND_FAULT_WORKER);
    settings.workers = 2;
    settings.timeLimit = std::chrono::milliseconds(400);
    return settings;
}

PhotoFile photoAt(const QString& path) {
    PhotoFile photo = PhotoFile::initWithFileUrl(path, QFileInfo(path).fileName(), false);
    photo.isSelected = true;
    return photo;
}

MetaDataObject artistEdit() {
    MetaDataObject settings;
    settings.Artist = QStringLiteral("Pool Test");
    settings.isupdated_Artist = true;
    return settings;
}

struct Fault {
    const char* name;  // the photo's name, which tells the fault worker what to do
};

class AWorkerThatFails : public ::testing::TestWithParam<Fault> {
  protected:
    void SetUp() override {
        helperfixtures::installReader();
        QDir().mkpath(dir.filePath("in"));
        QDir().mkpath(dir.filePath("out"));
    }
    // A small JPEG with a camera's EXIF block, which the writer needs.
    QString photo(const QString& name) {
        const QString path = helperfixtures::makeJpeg(dir.filePath("in"), name, QSize(120, 80));
        EXPECT_TRUE(helperfixtures::exiftoolWrite(path, {"-Make=Test", "-Model=Camera"}));
        return path;
    }
    QTemporaryDir dir;
};

TEST_P(AWorkerThatFails, costsOnlyThatPhoto) {
    const QString faultName = QString::fromLatin1(GetParam().name) + ".jpg";
    const QStringList paths{photo("before.jpg"), photo(faultName), photo("after.jpg")};
    const MetadataWorkerPool pool(faultySettings());
    BatchRunner::Services services;
    services.writer = ExifPhotoWriter::make(pool);
    BatchRunner runner(services);
    std::vector<BatchPhotoResult> results;
    QObject::connect(&runner, &BatchRunner::photoHandled, [&](const BatchPhotoResult& r) { results.push_back(r); });
    QSignalSpy ended(&runner, &BatchRunner::runEnded);
    BatchRunRequest request;
    for (const QString& path : paths) request.runList.push_back(photoAt(path));
    request.settings = request.changedFields = artistEdit();
    request.renaming.outputFolderPathName = request.selectedOutputFolder = dir.filePath("out");
    ASSERT_TRUE(runner.start(std::move(request)));
    ASSERT_TRUE(ended.wait(30000));

    ASSERT_EQ(results.size(), 3u);
    EXPECT_EQ(results[0].errorFlag, 0);
    EXPECT_EQ(results[1].errorFlag, 2);
    EXPECT_EQ(results[1].errorMsg, MetadataWorkerPool::workerStoppedMessage());
    EXPECT_TRUE(results[1].processedPath.isEmpty());
    EXPECT_EQ(results[2].errorFlag, 0) << results[2].errorMsg.toStdString();
    // Nothing half-written is left where the failed copy would have gone.
    EXPECT_EQ(QDir(dir.filePath("out")).entryList(QDir::Files | QDir::Hidden),
              (QStringList{"after.jpg", "before.jpg"}));
    EXPECT_EQ(helperfixtures::exiftoolValue(dir.filePath("out/after.jpg"), "Artist"), "Pool Test");
}

INSTANTIATE_TEST_SUITE_P(Faults, AWorkerThatFails,
                         ::testing::Values(Fault{"abort-here"}, Fault{"abort-midway"}, Fault{"hang-here"}),
                         [](const ::testing::TestParamInfo<Fault>& info) {
                             return QString::fromLatin1(info.param.name).remove('-').toStdString();
                         });

TEST_F(AWorkerThatFails, onAReadGivesAPhotoWithoutMetadata) {
    const MetadataWorkerPool pool(faultySettings());
    const QString sound = photo("sound.jpg");
    ASSERT_TRUE(helperfixtures::exiftoolWrite(sound, {"-Artist=Someone"}));
    for (const char* name : {"abort-here.jpg", "hang-here.jpg"}) {
        MetaDataObject record;
        EXPECT_FALSE(pool.readMetadataAndProperties(photo(name), record)) << name;
        EXPECT_TRUE(RecordTransfer::fields(record).isEmpty()) << name;
        MetaDataObject next;
        EXPECT_TRUE(pool.readMetadataAndProperties(sound, next)) << "after " << name;
        EXPECT_EQ(next.Artist, "Someone");
    }
}

// Starts the fault worker on a socket of ours, as the pool does.
pid_t startWorker(int* ourEnd) {
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, ends[1], 0);
    posix_spawn_file_actions_adddup2(&actions, ends[1], 1);
    char program[] = LUMARIND_FAULT_WORKER;
    char* argv[] = {program, nullptr};
    pid_t pid = -1;
    if (::posix_spawn(&pid, program, &actions, nullptr, argv, environ) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    ::close(ends[1]);
    *ourEnd = ends[0];
    return pid;
}

// Whether the process ends within the time, waiting on its process descriptor instead of sleeping.
bool endsWithin(pid_t pid, int milliseconds) {
    const int handle = int(::syscall(SYS_pidfd_open, pid, 0));
    if (handle < 0) return false;
    pollfd waiting{handle, POLLIN, 0};
    const bool ended = ::poll(&waiting, 1, milliseconds) == 1;
    ::close(handle);
    if (ended) ::waitpid(pid, nullptr, 0);
    return ended;
}

TEST(AWorkerWhoseApplicationIsGone, exitsWhetherIdleOrBusy) {
    for (const bool busy : {false, true}) {
        int channel = -1;
        const pid_t pid = startWorker(&channel);
        ASSERT_GT(pid, 0);
        WorkerMessage request;
        request.json = QJsonObject{{"request", "read"}, {"path", busy ? "/nowhere/hang-here.jpg" : "/nowhere/a.jpg"}};
        ASSERT_TRUE(WorkerChannel(channel).send(request));
        if (!busy) {
            WorkerMessage answer;
            ASSERT_EQ(WorkerChannel(channel).receive(answer), WorkerChannel::Received::Message);
        }
        ::close(channel);
        const bool ended = endsWithin(pid, 10000);
        if (!ended) ::kill(pid, SIGKILL);
        EXPECT_TRUE(ended) << (busy ? "busy" : "idle");
    }
}

TEST(APhotoWithAnEmptyResolutionEntry, isAddedAndWrittenOrRefusedWithoutACrash) {
    helperfixtures::installReader();
    if (!helperfixtures::exiftoolAvailable()) GTEST_SKIP() << "exiftool is not installed";
    QTemporaryDir dir;
    const QString path = helperfixtures::makeJpegWithEmptyResolution(dir.path(), "damaged.jpg");
    ASSERT_FALSE(path.isEmpty());
    const PhotoFile photo = photoAt(path);
    EXPECT_EQ(photo.width, 64);
    EXPECT_EQ(photo.height, 48);
    const ExifWriteResult result = MetadataWorkerPool::shared().writeProcessedCopy(
        photo, artistEdit(), dir.filePath("copy.jpg"), artistEdit(), false);
    EXPECT_NE(result.errorMsg, MetadataWorkerPool::workerStoppedMessage());
    EXPECT_TRUE(result.errorFlag == 0 || result.errorFlag == 2) << result.errorFlag;
}

}  // namespace
