// A worker that crashes, hangs or loses its application costs one photo at most, and never the application.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include "Helper/MetadataWorkerPool.h"
#include "Helper/WorkerProtocol.h"
#include "batch/BatchRunner.h"
#include "batch/ExifPhotoWriter.h"
#include "model/RecordTransfer.h"
#include "tests/Helper/HelperFixtures.h"
#include "tests/workers/ParallelCheck.h"

#include <thread>

#include <fcntl.h>

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

class FaultyWorkers : public ::testing::Test {
  protected:
    void SetUp() override {
        helperfixtures::installReader();
        QDir().mkpath(dir.filePath("in"));
        QDir().mkpath(dir.filePath("out"));
    }
    // A small JPEG with a camera's EXIF block, which the writer needs.
    QString photo(const QString& name) {
        const QString path = helperfixtures::makeJpeg(dir.filePath("in"), name, QSize(120, 80));
        EXPECT_TRUE(
            helperfixtures::exiftoolWrite(path, {"-Make=Test", "-Model=Camera", "-ModifyDate=2019:07:31 08:30:00"}));
        return path;
    }
    QTemporaryDir dir;
};

class AWorkerThatFails : public FaultyWorkers, public ::testing::WithParamInterface<Fault> {};

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
                         ::testing::Values(Fault{"abort-here"}, Fault{"abort-midway"}, Fault{"abort-undated"},
                                           Fault{"hang-here"}),
                         [](const ::testing::TestParamInfo<Fault>& info) {
                             return QString::fromLatin1(info.param.name).remove('-').toStdString();
                         });

// A worker that dies while idle, or before it has read its request, is no fault of the photo it was meant
// for: that photo goes to a fresh worker and is written.
struct Loss {
    const char* name;
    const char* photo;
    bool killIdleWorkersFirst;
};

class AWorkerLostBeforeItsPhoto : public FaultyWorkers, public ::testing::WithParamInterface<Loss> {};

TEST_P(AWorkerLostBeforeItsPhoto, costsThatPhotoNothing) {
    MetadataWorkerPool::Settings settings = faultySettings();
    settings.workers = 1;
    const MetadataWorkerPool pool(settings);
    ASSERT_EQ(pool.writeProcessedCopy(photoAt(photo("first.jpg")), artistEdit(), dir.filePath("out/first.jpg"),
                                      artistEdit(), false)
                  .errorFlag,
              0);
    if (GetParam().killIdleWorkersFirst) {
        ASSERT_EQ(parallelcheck::killWorkers(LUMARIND_FAULT_WORKER), 1);
    }
    const QString copy = dir.filePath("out/") + GetParam().photo;
    const ExifWriteResult result =
        pool.writeProcessedCopy(photoAt(photo(GetParam().photo)), artistEdit(), copy, artistEdit(), false);
    EXPECT_EQ(result.errorFlag, 0) << result.errorMsg.toStdString();
    EXPECT_EQ(helperfixtures::exiftoolValue(copy, "Artist"), "Pool Test");
}

INSTANTIATE_TEST_SUITE_P(Losses, AWorkerLostBeforeItsPhoto,
                         ::testing::Values(Loss{"killedWhileIdle", "second.jpg", true},
                                           Loss{"endedBeforeReading", "exit-unread-once.jpg", false}),
                         [](const ::testing::TestParamInfo<Loss>& info) { return std::string(info.param.name); });

TEST_F(FaultyWorkers, surviveTheEndOfTheThreadThatFirstNeededThem) {
    MetadataWorkerPool::Settings settings = faultySettings();
    settings.workers = 1;
    const MetadataWorkerPool pool(settings);
    const QString sound = photo("sound.jpg");
    std::thread([&] {
        MetaDataObject record;
        pool.readMetadataAndProperties(sound, record);
    }).join();
    const QList<pid_t> before = parallelcheck::workerProcesses(LUMARIND_FAULT_WORKER);
    ASSERT_EQ(before.size(), 1);
    MetaDataObject record;
    EXPECT_TRUE(pool.readMetadataAndProperties(sound, record));
    EXPECT_EQ(parallelcheck::workerProcesses(LUMARIND_FAULT_WORKER), before);
}

TEST_F(FaultyWorkers, onAReadGiveAPhotoWithoutMetadata) {
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

// Killed midway with no application left to clean up after it, a worker leaves nothing under the copy's
// name: neither an empty file nor a whole copy without its dates.
class AWorkerLeftAlone : public FaultyWorkers, public ::testing::WithParamInterface<Fault> {};

TEST_P(AWorkerLeftAlone, leavesNoCopyUnderItsName) {
    const QString name = QString::fromLatin1(GetParam().name) + ".jpg";
    const QString copy = dir.filePath("out/") + name;
    int channel = -1;
    const pid_t pid = startWorker(&channel);
    ASSERT_GT(pid, 0);
    ASSERT_TRUE(WorkerChannel(channel).send(
        WorkerProtocol::writeRequest(photoAt(photo(name)), artistEdit(), copy, artistEdit(), false)));
    const bool ended = endsWithin(pid, 10000);
    ::close(channel);
    if (!ended) ::kill(pid, SIGKILL);
    ASSERT_TRUE(ended);
    EXPECT_FALSE(QFileInfo::exists(copy));
    EXPECT_EQ(QDir(dir.filePath("out")).entryList(QDir::Files), QStringList());
}

INSTANTIATE_TEST_SUITE_P(Faults, AWorkerLeftAlone, ::testing::Values(Fault{"abort-midway"}, Fault{"abort-undated"}),
                         [](const ::testing::TestParamInfo<Fault>& info) {
                             return QString::fromLatin1(info.param.name).remove('-').toStdString();
                         });

// The application killed outright: a shell stands in for it, holding the application's end of the socket.
enum class WorkerState { Idle, Busy, Stopped };

struct StandIn {
    pid_t shell = -1;
    pid_t worker = -1;
    // Whatever a failed test leaves alive goes with it.
    ~StandIn() {
        if (worker > 0) ::kill(worker, SIGKILL);
        if (shell > 0 && ::kill(shell, SIGKILL) == 0) ::waitpid(shell, nullptr, 0);
    }
};

void startThroughAStandIn(int applicationEnd, int workerEnd, StandIn& standIn) {
    int output[2];
    if (::pipe2(output, O_CLOEXEC) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, workerEnd, 3);
    posix_spawn_file_actions_adddup2(&actions, applicationEnd, 4);
    posix_spawn_file_actions_adddup2(&actions, output[1], 1);
    char shell[] = "/bin/sh";
    char option[] = "-c";
    char script[] = "\"$0\" <&3 >&3 3<&- 4<&- & echo $!; exec >&-; wait";
    char program[] = LUMARIND_FAULT_WORKER;
    char* argv[] = {shell, option, script, program, nullptr};
    if (::posix_spawn(&standIn.shell, shell, &actions, nullptr, argv, environ) != 0) standIn.shell = -1;
    posix_spawn_file_actions_destroy(&actions);
    ::close(output[1]);
    char line[32] = {};
    if (standIn.shell > 0 && ::read(output[0], line, sizeof line - 1) > 0) standIn.worker = std::atoi(line);
    ::close(output[0]);
}

std::string stateName(WorkerState state) {
    switch (state) {
        case WorkerState::Idle:
            return "idle";
        case WorkerState::Busy:
            return "busy";
        case WorkerState::Stopped:
            break;
    }
    return "stopped";
}

class AWorkerWhoseApplicationWasKilled : public ::testing::TestWithParam<WorkerState> {};

TEST_P(AWorkerWhoseApplicationWasKilled, endsWithIt) {
    int ends[2];
    ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends), 0);
    StandIn standIn;
    startThroughAStandIn(ends[0], ends[1], standIn);
    ::close(ends[1]);
    ASSERT_GT(standIn.worker, 0);
    // One request in, so that the worker is past its start; a busy one is left inside it.
    const bool busy = GetParam() == WorkerState::Busy;
    WorkerMessage request;
    request.json = QJsonObject{{"request", "read"}, {"path", busy ? "/nowhere/hang-here.jpg" : "/nowhere/a.jpg"}};
    ASSERT_TRUE(WorkerChannel(ends[0]).send(request));
    const auto patience = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    for (int message = 0; message < (busy ? 1 : 2); ++message) {
        WorkerMessage received;
        ASSERT_EQ(WorkerChannel(ends[0]).receive(received, patience), WorkerChannel::Received::Message);
    }
    ::close(ends[0]);
    if (GetParam() == WorkerState::Stopped) ::kill(standIn.worker, SIGSTOP);
    ::kill(standIn.shell, SIGKILL);
    ::waitpid(standIn.shell, nullptr, 0);
    standIn.shell = -1;
    EXPECT_TRUE(endsWithin(standIn.worker, 10000));
}

INSTANTIATE_TEST_SUITE_P(States, AWorkerWhoseApplicationWasKilled,
                         ::testing::Values(WorkerState::Idle, WorkerState::Busy, WorkerState::Stopped),
                         [](const ::testing::TestParamInfo<WorkerState>& info) { return stateName(info.param); });

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
