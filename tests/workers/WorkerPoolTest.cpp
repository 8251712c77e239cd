// A worker that crashes, hangs or loses its application costs one photo at most, and never the application.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>

#include "Helper/MetadataWorkerPool.h"
#include "Helper/WorkerProtocol.h"
#include "batch/BatchRunner.h"
#include "batch/ExifPhotoWriter.h"
#include "intake/PhotoImportTask.h"
#include "model/RecordTransfer.h"
#include "platform/FileManager.h"
#include "tests/Helper/HelperFixtures.h"
#include "tests/common/TestSupport.h"
#include "tests/workers/ParallelCheck.h"

#include <thread>

#include <fcntl.h>

#include <poll.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/stat.h>
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

MetaDataObject artistEdit(const QString& artist = QStringLiteral("Pool Test")) {
    MetaDataObject settings;
    settings.Artist = artist;
    settings.isupdated_Artist = true;
    return settings;
}

struct Fault {
    const char* name;  // the photo's name, which tells the fault worker what to do
    friend void PrintTo(const Fault& row, std::ostream* os) { *os << row.name; }
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

// One worker writes photos in turn. It keeps a run's records from the write that brought them, yet every copy
// carries its own run's records (or its own), whatever the worker wrote before; the records travel only to a worker
// that does not hold them. A worker lost while idle, one that ended before it read its request and the end of the
// thread that first needed a worker cost their photo nothing, not even one of the deliveries its request gets; a
// worker that crashed costs only its photo.
struct Write {
    const char* photo;
    int run;             // 0 or 1, or -1 for records of its own
    bool bringsRecords;  // the request carries the records (the fault worker marks it beside the photo)
    enum Way { Plain, OnAThreadThatEnds, AfterIdleWorkersKilled, OnTheSameWorker } way = Plain;
};

struct WriteSequence {
    const char* name;
    std::vector<Write> writes;
    friend void PrintTo(const WriteSequence& row, std::ostream* os) { *os << row.name; }
};

class OneWorker : public FaultyWorkers, public ::testing::WithParamInterface<WriteSequence> {};

TEST_P(OneWorker, givesEveryCopyItsOwnRecordsAndLosesOnlyACrashedPhoto) {
    MetadataWorkerPool::Settings settings = faultySettings();
    settings.workers = 1;
    const MetadataWorkerPool pool(settings);
    const WriteRecords runs[] = {WriteRecords(artistEdit("First"), artistEdit("First")),
                                 WriteRecords(artistEdit("Second"), artistEdit("Second"))};
    for (const Write& step : GetParam().writes) {
        SCOPED_TRACE(step.photo);
        if (step.way == Write::AfterIdleWorkersKilled) {
            ASSERT_EQ(parallelcheck::killWorkers(LUMARIND_FAULT_WORKER), 1);
        }
        const QList<pid_t> before = parallelcheck::workerProcesses(LUMARIND_FAULT_WORKER);
        const PhotoFile source = photoAt(photo(step.photo));
        const QString copy = dir.filePath("out/") + step.photo;
        ExifWriteResult result;
        const auto write = [&] {
            result = step.run < 0 ? pool.writeProcessedCopy(source, artistEdit(), copy, artistEdit(), false)
                                  : pool.writeProcessedCopy(source, runs[step.run], copy, false);
        };
        if (step.way == Write::OnAThreadThatEnds)
            std::thread(write).join();
        else
            write();
        EXPECT_EQ(QFileInfo::exists(source.filePath + ".brought"), step.bringsRecords)
            << "whether the records travelled with the request";
        if (QString(step.photo).contains("abort")) {
            EXPECT_EQ(result.errorMsg, MetadataWorkerPool::workerStoppedMessage());
            continue;
        }
        EXPECT_EQ(result.errorFlag, 0) << result.errorMsg.toStdString();
        EXPECT_EQ(helperfixtures::exiftoolValue(copy, "Artist"),
                  step.run < 0 ? "Pool Test" : runs[step.run].settings().Artist);
        if (step.way == Write::OnTheSameWorker) {
            EXPECT_EQ(parallelcheck::workerProcesses(LUMARIND_FAULT_WORKER), before);
        }
    }
}

using W = Write;
INSTANTIATE_TEST_SUITE_P(
    Sequences, OneWorker,
    ::testing::Values(
        WriteSequence{"startedByAThreadThatEnded",
                      {{"first.jpg", -1, true, W::OnAThreadThatEnds}, {"second.jpg", -1, true, W::OnTheSameWorker}}},
        WriteSequence{
            "killedWhileIdle",
            {{"first.jpg", -1, true, W::OnAThreadThatEnds}, {"second.jpg", -1, true, W::AfterIdleWorkersKilled}}},
        // The two workers after the dead one end unread: had the dead one been lent, it would have taken the first of
        // the three deliveries and the photo would fail.
        WriteSequence{"killedWhileIdleBeforeTwoThatEndUnread",
                      {{"first.jpg", -1, true, W::OnAThreadThatEnds},
                       {"exit-unread-twice.jpg", -1, true, W::AfterIdleWorkersKilled}}},
        WriteSequence{"endedBeforeReading",
                      {{"first.jpg", -1, true, W::OnAThreadThatEnds}, {"exit-unread-once.jpg", -1, true}}},
        WriteSequence{"oneRun", {{"a.jpg", 0, true}, {"b.jpg", 0, false}, {"c.jpg", 0, false}}},
        WriteSequence{"runsTakingTurns", {{"a.jpg", 0, true}, {"b.jpg", 1, true}, {"c.jpg", 0, true}}},
        WriteSequence{"workerReplacedMidRun", {{"a.jpg", 0, true}, {"abort-here.jpg", 0, false}, {"c.jpg", 0, true}}}),
    testsupport::rowName);

// A photo being added whose read a worker does not survive joins only with the record a second worker read.
struct ReadFault {
    const char* name;
    const char* photo;
    bool joins;
    friend void PrintTo(const ReadFault& row, std::ostream* os) { *os << row.name; }
};

class APhotoWhoseReadFails : public FaultyWorkers, public ::testing::WithParamInterface<ReadFault> {};

TEST_P(APhotoWhoseReadFails, joinsOnlyWithTheRecordASecondWorkerRead) {
    const QStringList paths{photo("sound.jpg"), photo(GetParam().photo)};
    const MetadataWorkerPool pool(faultySettings());
    const MetadataReading* shared = MetadataReading::shared();
    MetadataReading::install(&pool);
    PhotoImportTask::Settings settings;
    settings.walk.cachesFolder = dir.filePath("c");
    const PhotoImportResult added = PhotoImportTask::run(paths, "ALL", {}, settings);
    MetadataReading::install(shared);

    EXPECT_EQ(added.addedPaths, GetParam().joins ? paths : paths.mid(0, 1));
    EXPECT_EQ(added.pathsInBatch, QSet<QString>(added.addedPaths.begin(), added.addedPaths.end()));
    for (const PhotoFile& joined : added.photos) EXPECT_EQ(joined.metadataObjectOriginal->Cam_Make, "Test");
    EXPECT_EQ(added.counters.totalPhotoToAdd, added.photos.size());
    EXPECT_EQ(added.counters.failedReadCount, GetParam().joins ? 0 : 1);
    EXPECT_EQ(added.counters.damagedFileCount, added.counters.failedReadCount);
    EXPECT_EQ(added.counters.isPhotoFormatNotSupported, !GetParam().joins);
}

INSTANTIATE_TEST_SUITE_P(Faults, APhotoWhoseReadFails,
                         ::testing::Values(ReadFault{"crashesOnce", "abort-once.jpg", true},
                                           ReadFault{"crashesEveryTime", "abort-here.jpg", false},
                                           ReadFault{"hangsEveryTime", "hang-here.jpg", false}),
                         testsupport::rowName);

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

// Without its worker program nothing can be read: a photo being added joins unread, since the photo is not to blame,
// and every write is refused with the reason.
TEST_F(FaultyWorkers, withoutTheirProgramLetPhotosJoinUnreadAndRefuseEveryWrite) {
    MetadataWorkerPool::Settings settings = faultySettings();
    settings.program = dir.filePath("no-such-worker");
    const MetadataWorkerPool pool(settings);
    const QStringList paths{photo("a.jpg"), photo("b.jpg")};
    const MetadataReading* shared = MetadataReading::shared();
    MetadataReading::install(&pool);
    PhotoImportTask::Settings intake;
    intake.walk.cachesFolder = dir.filePath("c");
    const PhotoImportResult added = PhotoImportTask::run(paths, "ALL", {}, intake);
    MetadataReading::install(shared);

    EXPECT_EQ(added.addedPaths, paths);
    for (const PhotoFile& joined : added.photos) EXPECT_EQ(joined.metadataObjectOriginal->Cam_Make, QString());
    EXPECT_EQ(added.counters.failedReadCount, 0);
    const ExifWriteResult result =
        pool.writeProcessedCopy(photoAt(paths.first()), artistEdit(), dir.filePath("out/a.jpg"), artistEdit(), false);
    EXPECT_EQ(result.errorFlag, ExifWriteFailed);
    EXPECT_EQ(result.errorMsg, MetadataWorkerPool::workerMissingMessage());
    EXPECT_EQ(pool.startedWorkers(), 0);
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

// A worker writes a photo with the records its request names and with no others: those the request brings, or
// those an earlier write brought. A run's records it does not hold are refused, never taken from another run.
struct NamedRecords {
    const char* name;
    int held;            // the run whose records an earlier write brought, -1 for none
    int named;           // the run the write names
    bool brings;         // the write brings that run's records along
    const char* artist;  // in the copy; nullptr: the write is refused
    friend void PrintTo(const NamedRecords& row, std::ostream* os) { *os << row.name; }
};

class AWorkerOnItsOwn : public FaultyWorkers, public ::testing::WithParamInterface<NamedRecords> {};

TEST_P(AWorkerOnItsOwn, writesWithTheRecordsTheRequestNamesOnly) {
    const NamedRecords& row = GetParam();
    const WriteRecords runs[] = {WriteRecords(artistEdit("First"), artistEdit("First")),
                                 WriteRecords(artistEdit("Second"), artistEdit("Second"))};
    int channel = -1;
    const pid_t pid = startWorker(&channel);
    ASSERT_GT(pid, 0);
    const auto write = [&](const QString& name, int run, bool brings) {
        WorkerMessage message =
            WorkerProtocol::writeRequest(photoAt(photo(name)), runs[run], dir.filePath("out/" + name), false);
        if (brings) WorkerProtocol::addRecords(message, runs[run]);
        EXPECT_TRUE(WorkerChannel(channel).send(message));
        // Past its receipt and the files it announces, to its answer.
        while (WorkerChannel(channel).receive(message, std::chrono::steady_clock::now() + std::chrono::seconds(10)) ==
                   WorkerChannel::Received::Message &&
               (WorkerProtocol::isReceivedEvent(message) || WorkerProtocol::createdPath(message))) {
        }
        return WorkerProtocol::takeWriteAnswer(message);
    };
    if (row.held >= 0) {
        EXPECT_EQ(write("earlier.jpg", row.held, true).errorFlag, 0);
    }
    const ExifWriteResult result = write("photo.jpg", row.named, row.brings);
    ::close(channel);
    if (!endsWithin(pid, 10000)) ::kill(pid, SIGKILL);

    const QString copy = dir.filePath("out/photo.jpg");
    if (row.artist) {
        EXPECT_EQ(result.errorFlag, 0) << result.errorMsg.toStdString();
        EXPECT_EQ(helperfixtures::exiftoolValue(copy, "Artist"), QString::fromUtf8(row.artist));
    } else {
        EXPECT_EQ(result.errorFlag, ExifWriteFailed);
        EXPECT_FALSE(QFileInfo::exists(copy))
            << "a copy by the artist " << helperfixtures::exiftoolValue(copy, "Artist").toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, AWorkerOnItsOwn,
                         ::testing::Values(NamedRecords{"bringsThem", -1, 0, true, "First"},
                                           NamedRecords{"namesTheOnesItHolds", 0, 0, false, "First"},
                                           NamedRecords{"bringsAnotherRunsOnes", 0, 1, true, "Second"},
                                           NamedRecords{"namesAnotherRunsOnes", 0, 1, false, nullptr}),
                         testsupport::rowName);

// A worker takes the umask it started with for every copy: the user's private umask keeps each copy private.
TEST_F(FaultyWorkers, giveCopiesOnlyTheAccessTheUmaskAllows) {
    const QString source = photo("a.jpg");
    ASSERT_EQ(::chmod(QFile::encodeName(source).constData(), 0644), 0);
    const mode_t before = ::umask(077);
    const MetadataWorkerPool pool(faultySettings());
    const QString copies[] = {dir.filePath("out/first.jpg"), dir.filePath("out/second.jpg")};
    for (const QString& copy : copies)
        pool.writeProcessedCopy(photoAt(source), artistEdit(), copy, artistEdit(), false);
    ::umask(before);
    for (const QString& copy : copies) {
        struct stat written {};
        ASSERT_EQ(::stat(QFile::encodeName(copy).constData(), &written), 0) << copy.toStdString();
        EXPECT_EQ(written.st_mode & 07777, 0600u) << std::oct << (written.st_mode & 07777);
    }
}

// Where a pausing fault worker waits: it connects and says it is there, and goes on when the test hangs up.
struct WorkerGate {
    explicit WorkerGate(const QString& photo) { server.listen(photo + ".gate"); }
    bool awaitWorker() {
        worker = server.waitForNewConnection(20000) ? server.nextPendingConnection() : nullptr;
        return worker && worker->waitForReadyRead(20000);
    }
    void release() { delete std::exchange(worker, nullptr); }
    QLocalServer server;
    QLocalSocket* worker = nullptr;
};

// A write that a neighbour meets while its worker waits at a step: the pending file swapped for a link to a file
// outside the folder, the photo rewritten in place before the rest of it is copied, another write to the folder.
// The photo fails with the reason or is written whole; the outside file and a pending file whose process lives stay
// as they were; nothing partial or hidden remains.
enum class Neighbour { SwapsThePendingFile, RewritesThePhoto, WritesBeside };

struct MeetingCase {
    const char* name;
    const char* photo;  // which tells the fault worker where to wait and how to write
    Neighbour neighbour;
    QString error;  // empty when the copy is written
    friend void PrintTo(const MeetingCase& row, std::ostream* os) { *os << row.name; }
};

class AWriteMetMidway : public FaultyWorkers, public ::testing::WithParamInterface<MeetingCase> {};

TEST_P(AWriteMetMidway, failsWithTheReasonOrWritesAWholeCopy) {
    const MeetingCase& row = GetParam();
    const QString source = photo(row.photo);
    // A rewrite within the clock tick of the photo's making still shows in its modification date.
    QFile dated(source);
    ASSERT_TRUE(dated.open(QIODevice::ReadWrite) &&
                dated.setFileTime(QDateTime(QDate(2001, 1, 1), QTime(0, 0)), QFileDevice::FileModificationTime));
    const QString out = dir.filePath("out");
    const QString outside = photo("outside.jpg");
    const QByteArray outsideHash = testsupport::fileHash(outside);
    const QString outsideDate = QFileInfo(outside).lastModified().toString(Qt::ISODateWithMs);
    MetadataWorkerPool::Settings settings = faultySettings();
    settings.timeLimit = std::chrono::seconds(30);
    const MetadataWorkerPool pool(settings);
    WorkerGate gate(source);
    ExifWriteResult result;
    std::thread writer([&] {
        result = pool.writeProcessedCopy(photoAt(source), artistEdit(), out + "/copy.jpg", artistEdit(), false);
    });
    const bool arrived = gate.awaitWorker();
    const QDir::Filters every = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
    const QStringList pending = QDir(out).entryList(every);
    if (arrived && row.neighbour == Neighbour::SwapsThePendingFile && pending.size() == 1) {
        EXPECT_TRUE(QFile::remove(out + '/' + pending[0]));
        EXPECT_TRUE(QFile::link(outside, out + '/' + pending[0]));
    } else if (arrived && row.neighbour == Neighbour::RewritesThePhoto) {
        // In place and at the same size: the bytes after the head change under the copy.
        QFile file(source);
        EXPECT_TRUE(file.open(QIODevice::ReadWrite));
        file.seek(file.size() - 100);
        file.write(QByteArray(50, 'n'));
    } else if (arrived && row.neighbour == Neighbour::WritesBeside) {
        const ExifWriteResult beside = pool.writeProcessedCopy(photoAt(photo("beside.jpg")), artistEdit(),
                                                               out + "/beside.jpg", artistEdit(), false);
        EXPECT_EQ(beside.errorFlag, 0) << beside.errorMsg.toStdString();
        EXPECT_EQ(QDir(out).entryList(every), QStringList(pending) << "beside.jpg");
    }
    gate.release();
    writer.join();

    ASSERT_TRUE(arrived) << "the worker never reached its gate";
    EXPECT_EQ(testsupport::fileHash(outside), outsideHash);
    EXPECT_EQ(QFileInfo(outside).lastModified().toString(Qt::ISODateWithMs), outsideDate);
    if (row.error.isEmpty()) {
        EXPECT_EQ(result.errorFlag, 0) << result.errorMsg.toStdString();
        EXPECT_EQ(QDir(out).entryList(every), QStringList({"beside.jpg", "copy.jpg"}));
        EXPECT_EQ(helperfixtures::exiftoolValue(out + "/copy.jpg", "Artist"), QStringLiteral("Pool Test"));
        return;
    }
    EXPECT_EQ(result.errorFlag, ExifWriteFailed);
    EXPECT_EQ(result.errorMsg, row.error);
    EXPECT_FALSE(result.processedPath.has_value());
    EXPECT_EQ(QDir(out).entryList(every), QStringList());
}

INSTANTIATE_TEST_SUITE_P(
    Neighbours, AWriteMetMidway,
    ::testing::Values(MeetingCase{"pendingFileSwappedForALink", "pause-undated-by-name.jpg",
                                  Neighbour::SwapsThePendingFile, platform::FileManager::copyReplacedMessage()},
                      MeetingCase{"photoRewrittenBeforeItsRest", "pause-created.jpg", Neighbour::RewritesThePhoto,
                                  platform::FileManager::sourceChangedMessage()},
                      MeetingCase{"anotherWriteToTheFolder", "pause-created-by-name.jpg", Neighbour::WritesBeside,
                                  QString()}),
    testsupport::rowName);

// A worker on a socket of ours with no pool to clean up after it: it ends once its application is gone, idle or
// busy; killed midway it leaves nothing under the copy's name, neither an empty file nor a whole copy without its
// dates, and nothing at all where a copy has no name until it is whole; a pending file it leaves goes with the next
// write to its folder; and it never guesses records: a write naming records it was never sent is refused and leaves
// nothing.
TEST_F(FaultyWorkers, onTheirOwnEndWithTheirApplicationAndLeaveNoCopy) {
    enum Request { Read, WriteWithRecords, WriteWithoutRecords };
    const struct {
        const char* name;
        const char* photo;  // which tells the fault worker what to do
        Request request;
        bool answers;
        bool endsByItself;
    } rows[] = {{"idle", "a.jpg", Read, true, false},
                {"busy", "hang-here.jpg", Read, false, false},
                {"killedMidway", "abort-midway.jpg", WriteWithRecords, false, true},
                {"killedUndated", "abort-undated.jpg", WriteWithRecords, false, true},
                {"killedMidwayByName", "abort-midway-by-name.jpg", WriteWithRecords, false, true},
                {"killedUndatedByName", "abort-undated-by-name.jpg", WriteWithRecords, false, true},
                {"sentNoRecords", "a.jpg", WriteWithoutRecords, true, false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const QString out = dir.filePath(row.name);
        ASSERT_TRUE(QDir().mkpath(out));
        const QString copy = out + '/' + row.photo;
        int channel = -1;
        const pid_t pid = startWorker(&channel);
        ASSERT_GT(pid, 0);
        WorkerMessage request;
        request.json = QJsonObject{{"request", "read"}, {"path", "/nowhere/" + QLatin1String(row.photo)}};
        if (row.request != Read) {
            const WriteRecords records(artistEdit(), artistEdit());
            request = WorkerProtocol::writeRequest(photoAt(photo(row.photo)), records, copy, false);
            if (row.request == WriteWithRecords) WorkerProtocol::addRecords(request, records);
        }
        ASSERT_TRUE(WorkerChannel(channel).send(request));
        WorkerMessage answer;
        while (row.answers) {
            ASSERT_EQ(
                WorkerChannel(channel).receive(answer, std::chrono::steady_clock::now() + std::chrono::seconds(10)),
                WorkerChannel::Received::Message);
            if (!WorkerProtocol::isReceivedEvent(answer)) break;
        }
        const bool endedByItself = row.endsByItself && endsWithin(pid, 10000);
        ::close(channel);
        const bool ended = endedByItself || (!row.endsByItself && endsWithin(pid, 10000));
        if (!ended) ::kill(pid, SIGKILL);
        ASSERT_TRUE(ended);
        if (row.request == WriteWithoutRecords) {
            EXPECT_EQ(WorkerProtocol::takeWriteAnswer(answer).errorFlag, ExifWriteFailed);
        }
        const QDir::Filters every = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
        if (!QString(row.photo).contains("by-name")) {
            EXPECT_EQ(QDir(out).entryList(every), QStringList());
            continue;
        }
        const QStringList left = QDir(out).entryList(every);
        ASSERT_EQ(left.size(), 1) << left.join(", ").toStdString();
        EXPECT_TRUE(left[0].startsWith(".lumarind-" + QString::number(pid) + '-')) << left[0].toStdString();
        const MetadataWorkerPool pool(faultySettings());
        const ExifWriteResult next =
            pool.writeProcessedCopy(photoAt(photo("next.jpg")), artistEdit(), out + "/next.jpg", artistEdit(), false);
        EXPECT_EQ(next.errorFlag, 0) << next.errorMsg.toStdString();
        EXPECT_EQ(QDir(out).entryList(every), QStringList({"next.jpg"}));
    }
}

// The application killed outright, with its worker idle, busy or stopped: a shell stands in for it and holds
// the application's end of the socket.
struct Death {
    const char* name;
    const char* photo;
    bool stopped;
    friend void PrintTo(const Death& row, std::ostream* os) { *os << row.name; }
};

class AWorkerWhoseApplicationWasKilled : public ::testing::TestWithParam<Death> {};

TEST_P(AWorkerWhoseApplicationWasKilled, endsWithIt) {
    int ends[2];
    int output[2];
    ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends), 0);
    ASSERT_EQ(::pipe2(output, O_CLOEXEC), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, ends[1], 3);
    posix_spawn_file_actions_adddup2(&actions, ends[0], 4);
    posix_spawn_file_actions_adddup2(&actions, output[1], 1);
    char shell[] = "/bin/sh", option[] = "-c", program[] = LUMARIND_FAULT_WORKER;
    char script[] = "\"$0\" <&3 >&3 3<&- 4<&- & echo $!; exec >&-; wait";
    char* argv[] = {shell, option, script, program, nullptr};
    pid_t standIn = -1;
    ASSERT_EQ(::posix_spawn(&standIn, shell, &actions, nullptr, argv, environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    ::close(ends[1]);
    ::close(output[1]);
    char line[32] = {};
    const pid_t worker = ::read(output[0], line, sizeof line - 1) > 0 ? std::atoi(line) : -1;
    ::close(output[0]);
    // A request acknowledged: the worker is past its start, and on "hang-here" busy for ever.
    WorkerMessage message;
    message.json = QJsonObject{{"request", "read"}, {"path", GetParam().photo}};
    const bool talked =
        worker > 0 && WorkerChannel(ends[0]).send(message) &&
        WorkerChannel(ends[0]).receive(message, std::chrono::steady_clock::now() + std::chrono::seconds(10)) ==
            WorkerChannel::Received::Message;
    ::close(ends[0]);
    if (GetParam().stopped) ::kill(worker, SIGSTOP);
    ::kill(standIn, SIGKILL);
    ::waitpid(standIn, nullptr, 0);
    EXPECT_TRUE(talked);
    EXPECT_TRUE(worker > 0 && endsWithin(worker, 10000));
    if (worker > 0) ::kill(worker, SIGKILL);
}

INSTANTIATE_TEST_SUITE_P(States, AWorkerWhoseApplicationWasKilled,
                         ::testing::Values(Death{"idle", "/nowhere/a.jpg", false},
                                           Death{"busy", "/nowhere/hang-here.jpg", false},
                                           Death{"stopped", "/nowhere/a.jpg", true}),
                         testsupport::rowName);

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
