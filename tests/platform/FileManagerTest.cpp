#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/file.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <csignal>
#include <cstring>
#include <functional>

#include "platform/FileManager.h"
#include "tests/common/TestSupport.h"

using platform::FileManager;

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Bytes of a seeded sequence that never repeats at a period dividing a buffer or a page, so that a copy read from the
// wrong place differs.
QByteArray photoBytes(qsizetype size) {
    QByteArray bytes(size, Qt::Uninitialized);
    quint32 state = 2463534242u;
    for (char& byte : bytes) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        byte = char(state >> 24);
    }
    return bytes;
}

// Equal bytes, or where they first differ: the arrays are megabytes long.
testing::AssertionResult sameBytes(const QByteArray& actual, const QByteArray& expected) {
    if (actual == expected) return testing::AssertionSuccess();
    qsizetype at = 0;
    while (at < actual.size() && at < expected.size() && actual[at] == expected[at]) ++at;
    return testing::AssertionFailure() << actual.size() << " bytes where " << expected.size()
                                       << " were expected, the first difference at offset " << at;
}

// A replacement as the writer makes one: a new file that takes the earlier one's place once it is complete.
bool replaceWith(FileManager& files, const QString& target, QByteArrayView bytes, QString* error,
                 platform::FileRest rest = {}) {
    return files.writeFile(target, bytes, {0644, {}, FileManager::WriteMode::Replace}, error, rest);
}

}  // namespace

// Things at a path that are not files: reading or copying them must say what they are, never block.
struct SpecialFileCase {
    const char* name;
    const char* kind;  // as the message names it
};

void PrintTo(const SpecialFileCase& c, std::ostream* os) {
    *os << c.name;
}

class ASpecialFile : public ::testing::TestWithParam<SpecialFileCase> {
  protected:
    // The path of such a thing, made in dir; "" when this system cannot make one.
    QString make(const QTemporaryDir& dir) const {
        const QString path = dir.filePath("photo.jpg");
        const std::string name = GetParam().name;
        if (name == "pipe") return testsupport::makeNamedPipe(path) ? path : QString();
        if (name == "device") return QFile::link("/dev/zero", path) ? path : QString();
        if (name == "folder") return QDir().mkdir(path) ? path : QString();
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray encoded = QFile::encodeName(path);
        if (fd < 0 || encoded.size() >= qsizetype(sizeof address.sun_path)) return QString();
        std::memcpy(address.sun_path, encoded.constData(), size_t(encoded.size()));
        const bool bound = ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
        ::close(fd);
        return bound ? path : QString();
    }
};

TEST_P(ASpecialFile, isRefusedByReadAndCopyWithoutBlocking) {
    QTemporaryDir dir;
    const QString path = make(dir);
    if (path.isEmpty()) GTEST_SKIP() << "cannot make a " << GetParam().name << " here";
    FileManager& files = FileManager::defaultManager();
    EXPECT_FALSE(files.isRegularFile(path));
    std::optional<QByteArray> bytes = QByteArray("unset");
    QString readError;
    bool copied = true;
    QString copyError;
    EXPECT_TRUE(testsupport::finishesWithoutBlockingOnPipes(
        [&] {
            bytes = files.readFile(path, &readError);
            copied = files.copyItem(path, dir.filePath("copy.jpg"), &copyError);
        },
        {path}));
    EXPECT_FALSE(bytes);
    EXPECT_FALSE(copied);
    const QString kind = QString::fromUtf8(GetParam().kind);
    EXPECT_TRUE(readError.contains(kind)) << readError.toStdString();
    EXPECT_TRUE(copyError.contains(kind)) << copyError.toStdString();
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("copy.jpg")));
}

INSTANTIATE_TEST_SUITE_P(Kinds, ASpecialFile,
                         ::testing::Values(SpecialFileCase{"pipe", "a named pipe"},
                                           SpecialFileCase{"device", "a device"}, SpecialFileCase{"socket", "a socket"},
                                           SpecialFileCase{"folder", "a folder"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TheFileManager, copiesEveryByteToANewFile) {
    QTemporaryDir dir;
    const QByteArray bytes = photoBytes(3 * 1024 * 1024 + 17);
    writeFile(dir.filePath("a.jpg"), bytes);
    FileManager& files = FileManager::defaultManager();
    QString error;
    ASSERT_TRUE(files.copyItem(dir.filePath("a.jpg"), dir.filePath("b.jpg"), &error)) << error.toStdString();
    EXPECT_TRUE(sameBytes(readFile(dir.filePath("b.jpg")), bytes));
}

// A copy of bytes in memory and the rest of an open file: the kernel copies the rest within one file system, a
// buffer across two or where the rest starts at another place within a page than in the copy.
TEST(TheFileManager, copiesTheRestOfAFileWithEveryByteOrNothing) {
    const struct {
        const char* name;
        const char* sourceFolder;  // "": the copies' own file system
        int headLength;
        int restOffset;
    } rows[] = {{"elsewhereInAPage", "", 8, 1000},
                {"atTheSamePlaceInAPage", "", 4096 + 8, 8192 + 8},
                {"fromAnotherFileSystem", "/dev/shm", 8, 1000}};
    const QByteArray photo = photoBytes(3 * 1024 * 1024 + 17);
    FileManager& files = FileManager::defaultManager();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        QTemporaryDir dir;
        const QString folder = *row.sourceFolder ? QString::fromUtf8(row.sourceFolder) : QDir::tempPath();
        if (!QFileInfo(folder).isDir()) continue;  // no /dev/shm here
        QTemporaryDir sources(folder + "/lumarind-XXXXXX");
        writeFile(sources.filePath("photo.jpg"), photo);
        const std::optional<platform::ReadableFile> open = files.openForReading(sources.filePath("photo.jpg"));
        ASSERT_TRUE(open);
        const QByteArray head(row.headLength, 'h');
        QString error;
        const auto write = [&](const char* name, FileManager::WriteMode mode) {
            const platform::FileRest rest{&*open, row.restOffset};
            if (mode == FileManager::WriteMode::Replace)
                return replaceWith(files, dir.filePath(name), head, &error, rest);
            return files.writeFile(dir.filePath(name), head, {}, &error, rest);
        };
        writeFile(dir.filePath("old.jpg"), "earlier output");
        ASSERT_TRUE(write("new.jpg", FileManager::WriteMode::CreateNew)) << error.toStdString();
        ASSERT_TRUE(write("old.jpg", FileManager::WriteMode::Replace)) << error.toStdString();
        EXPECT_TRUE(sameBytes(readFile(dir.filePath("new.jpg")), head + photo.mid(row.restOffset)));
        EXPECT_TRUE(sameBytes(readFile(dir.filePath("old.jpg")), head + photo.mid(row.restOffset)));

        // A file that shrank after it was opened gives no copy and replaces nothing.
        ASSERT_TRUE(QFile::resize(sources.filePath("photo.jpg"), row.restOffset + 1000));
        EXPECT_FALSE(write("short.jpg", FileManager::WriteMode::CreateNew));
        EXPECT_TRUE(error.contains("ended early")) << error.toStdString();
        EXPECT_FALSE(write("old.jpg", FileManager::WriteMode::Replace));
        EXPECT_TRUE(sameBytes(readFile(dir.filePath("old.jpg")), head + photo.mid(row.restOffset)));
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"new.jpg", "old.jpg"}));
    }
}

TEST(TheFileManager, neverCopiesOverAnExistingFile) {
    QTemporaryDir dir;
    writeFile(dir.filePath("a.jpg"), "new");
    writeFile(dir.filePath("b.jpg"), "someone else's");
    QString error;
    EXPECT_FALSE(FileManager::defaultManager().copyItem(dir.filePath("a.jpg"), dir.filePath("b.jpg"), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(readFile(dir.filePath("b.jpg")), "someone else's");
}

TEST(TheFileManager, leavesNothingBehindWhenACopyFails) {
    QTemporaryDir dir;
    QString error;
    FileManager& files = FileManager::defaultManager();
    EXPECT_FALSE(files.copyItem(dir.filePath("missing.jpg"), dir.filePath("out.jpg"), &error));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("out.jpg")));
    // A folder is not a photo to copy.
    EXPECT_FALSE(files.copyItem(dir.path(), dir.filePath("out.jpg"), &error));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("out.jpg")));
    // A full disk: /dev/full accepts the open and refuses every write.
    if (QFileInfo::exists("/dev/full")) {
        writeFile(dir.filePath("a.jpg"), QByteArray(4096, 'x'));
        EXPECT_FALSE(files.copyItem(dir.filePath("a.jpg"), "/dev/full", &error));
    }
}

// A file-size limit makes every write past it fail, as a full disk does.
class UnderAFileSizeLimit : public ::testing::Test {
  protected:
    void SetUp() override {
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limited = m_old;
        limited.rlim_cur = 1000;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    void TearDown() override {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

TEST_F(UnderAFileSizeLimit, aWriteThatDoesNotFitLeavesNothingAndSaysWhy) {
    QTemporaryDir dir;
    QString error;
    FileManager& files = FileManager::defaultManager();
    const QByteArray bytes(4096, 'x');
    EXPECT_FALSE(files.writeFile(dir.filePath("new.jpg"), bytes, {}, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("new.jpg")));
    writeFile(dir.filePath("old.jpg"), "earlier output");
    EXPECT_FALSE(replaceWith(files, dir.filePath("old.jpg"), bytes, &error));
    EXPECT_EQ(readFile(dir.filePath("old.jpg")), "earlier output");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"old.jpg"}));
    writeFile(dir.filePath("big.jpg"), QByteArray(900, 'y'));
    EXPECT_FALSE(files.copyItem(dir.filePath("old.jpg"), dir.filePath("big.jpg"), &error));
}

TEST(TheFileManager, writesNewFilesAndReplacesWholeFiles) {
    QTemporaryDir dir;
    FileManager& files = FileManager::defaultManager();
    FileManager::NewFile privateFile;
    privateFile.permissions = 0600;
    ASSERT_TRUE(files.writeFile(dir.filePath("a.jpg"), "first", privateFile));
    EXPECT_EQ(QFileInfo(dir.filePath("a.jpg")).permissions() & (QFile::ReadGroup | QFile::ReadOther), 0);
    EXPECT_FALSE(files.writeFile(dir.filePath("a.jpg"), "again", privateFile));
    ASSERT_TRUE(replaceWith(files, dir.filePath("a.jpg"), "second", nullptr));
    EXPECT_EQ(readFile(dir.filePath("a.jpg")), "second");
    EXPECT_EQ(files.readFile(dir.filePath("a.jpg")), QByteArray("second"));
    EXPECT_FALSE(files.readFile(dir.filePath("none.jpg")).has_value());
    EXPECT_FALSE(files.readFile(dir.path()).has_value());
}

// A copy's write met by a neighbour at one of its steps, on both roads a copy takes: without a name until it is
// whole, and under a pending name (file systems that cannot hold a file without one). Whatever the neighbour does,
// nothing outside the folder is touched, the copy is whole or absent, and a failed write leaves every name of the
// folder, hidden ones included, as it was.
enum class Meddle {
    None,
    NameTaken,
    DanglingLinkAtTheName,
    PendingSwappedForALink,
    PendingSwappedAtItsNaming,
    SourceRewritten,
    FolderMoved
};

struct MeddleCase {
    const char* name;
    bool byName;
    FileManager::WriteMode mode;
    Meddle meddle;
    QString error;  // empty when the copy is written
    friend void PrintTo(const MeddleCase& row, std::ostream* os) { *os << row.name; }
};

// The real disk with a neighbour who acts once the copy's file exists and once it holds every byte.
class MeddledFiles : public FileManager {
  public:
    bool byName = false;
    std::function<void(const QString& pending)> whenCreated;
    std::function<void(const QString& pending)> whenWritten;
    std::function<void(const QString& pending)> whenNaming;

  protected:
    bool writesUnnamedFiles() const override { return !byName; }
    void didReach(WriteStep step, const QString& pending) override {
        if (step == WriteStep::Created && whenCreated) whenCreated(pending);
        if (step == WriteStep::Written && whenWritten) whenWritten(pending);
        if (step == WriteStep::Naming && whenNaming) whenNaming(pending);
    }
};

QString modifiedAt(const QString& path) {
    return QFileInfo(path).lastModified().toUTC().toString(Qt::ISODateWithMs);
}

QStringList everyName(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

// Whether an open file description other than ours holds the file locked, as its writer holds a pending file.
bool isHeld(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    const bool held = fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    if (fd >= 0) ::close(fd);
    return held;
}

class ACopyMetByANeighbour : public ::testing::TestWithParam<MeddleCase> {};

TEST_P(ACopyMetByANeighbour, isWholeOrAbsentAndTouchesNothingOutsideItsFolder) {
    const MeddleCase& row = GetParam();
    QTemporaryDir dir;
    const QString out = dir.filePath("out");
    const QString moved = dir.filePath("moved");
    const QString outside = dir.filePath("outside.jpg");
    const QString target = out + "/copy.jpg";
    ASSERT_TRUE(QDir().mkpath(out));
    writeFile(outside, "not the user's copy");
    QByteArray photo(64 * 1024, '\0');
    for (int i = 0; i < photo.size(); ++i) photo[i] = static_cast<char>(i * 7 + i / 251);
    writeFile(dir.filePath("photo.jpg"), photo);
    // A rewrite within the clock tick of the file's making still shows in its modification date.
    QFile dated(dir.filePath("photo.jpg"));
    ASSERT_TRUE(dated.open(QIODevice::ReadWrite) &&
                dated.setFileTime(QDateTime(QDate(2001, 1, 1), QTime(0, 0)), QFileDevice::FileModificationTime));
    const bool replace = row.mode == FileManager::WriteMode::Replace;
    if (replace || row.meddle == Meddle::NameTaken) writeFile(target, "earlier output");
    if (row.meddle == Meddle::DanglingLinkAtTheName) {
        ASSERT_TRUE(QFile::link(dir.filePath("none.jpg"), target));
    }
    const QStringList before = everyName(out);
    const QByteArray outsideBefore = readFile(outside);
    const QString outsideDate = modifiedAt(outside);

    MeddledFiles files;
    files.byName = row.byName;
    files.whenCreated = [&](const QString& pending) {
        if (!pending.isEmpty()) {
            EXPECT_TRUE(isHeld(pending)) << "the writer does not hold its pending file";
        }
        // Rewritten in place, at the same size, while the copy is still to take the rest from it.
        if (row.meddle != Meddle::SourceRewritten) return;
        QFile source(dir.filePath("photo.jpg"));
        ASSERT_TRUE(source.open(QIODevice::ReadWrite));
        source.seek(40000);
        source.write(QByteArray(100, 'n'));
    };
    const auto swapForALink = [&](const QString& pending) {
        ASSERT_FALSE(pending.isEmpty());
        ASSERT_TRUE(QFile::remove(pending));
        ASSERT_TRUE(QFile::link(outside, pending));
    };
    files.whenNaming = [&](const QString& pending) {
        if (row.meddle == Meddle::PendingSwappedAtItsNaming) swapForALink(pending);
    };
    files.whenWritten = [&](const QString& pending) {
        if (row.meddle == Meddle::PendingSwappedForALink) swapForALink(pending);
        if (row.meddle == Meddle::FolderMoved) {
            ASSERT_TRUE(QDir().rename(out, moved));
        }
    };
    const std::optional<platform::ReadableFile> open = files.openForReading(dir.filePath("photo.jpg"));
    ASSERT_TRUE(open);
    FileManager::NewFile file;
    file.permissions = 0640;
    file.modified = QDateTime(QDate(2009, 9, 9), QTime(9, 9, 9));
    file.mode = row.mode;
    QString error;
    const bool written = files.writeFile(target, "head", file, &error, {&*open, 1000});

    EXPECT_EQ(readFile(outside), outsideBefore);
    EXPECT_EQ(modifiedAt(outside), outsideDate);
    if (row.error.isEmpty()) {
        ASSERT_TRUE(written) << error.toStdString();
        EXPECT_EQ(everyName(out), QStringList({"copy.jpg"}));
        EXPECT_EQ(readFile(target), "head" + photo.mid(1000));
        EXPECT_EQ(modifiedAt(target), file.modified.toUTC().toString(Qt::ISODateWithMs));
        struct stat info {};
        ASSERT_EQ(::stat(QFile::encodeName(target).constData(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, 0640u) << std::oct << (info.st_mode & 07777);
        return;
    }
    EXPECT_FALSE(written);
    EXPECT_EQ(error, row.error);
    const QString folder = row.meddle == Meddle::FolderMoved ? moved : out;
    EXPECT_EQ(everyName(folder), before);
    if (replace || row.meddle == Meddle::NameTaken) {
        EXPECT_EQ(readFile(folder + "/copy.jpg"), QByteArray("earlier output"));
    }
}

using M = Meddle;
constexpr auto kNew = FileManager::WriteMode::CreateNew;
constexpr auto kReplace = FileManager::WriteMode::Replace;
const QString kTaken = "Could not give the copy its name: File exists";
const QString kReplaced = FileManager::copyReplacedMessage();
const QString kChanged = FileManager::sourceChangedMessage();
const QString kMoved = FileManager::folderMovedMessage();

INSTANTIATE_TEST_SUITE_P(
    Neighbours, ACopyMetByANeighbour,
    ::testing::Values(MeddleCase{"newWithoutAName", false, kNew, M::None, {}},
                      MeddleCase{"newUnderAPendingName", true, kNew, M::None, {}},
                      MeddleCase{"replacementWithoutAName", false, kReplace, M::None, {}},
                      MeddleCase{"replacementUnderAPendingName", true, kReplace, M::None, {}},
                      MeddleCase{"nameTakenWithoutAName", false, kNew, M::NameTaken, kTaken},
                      MeddleCase{"nameTakenUnderAPendingName", true, kNew, M::NameTaken, kTaken},
                      MeddleCase{"danglingLinkWithoutAName", false, kNew, M::DanglingLinkAtTheName, kTaken},
                      MeddleCase{"danglingLinkUnderAPendingName", true, kNew, M::DanglingLinkAtTheName, kTaken},
                      MeddleCase{"pendingSwappedForALink", true, kNew, M::PendingSwappedForALink, kReplaced},
                      MeddleCase{"pendingSwappedBeforeReplacing", true, kReplace, M::PendingSwappedForALink, kReplaced},
                      MeddleCase{"pendingSwappedAtItsNaming", true, kNew, M::PendingSwappedAtItsNaming, kReplaced},
                      MeddleCase{"sourceRewrittenWithoutAName", false, kNew, M::SourceRewritten, kChanged},
                      MeddleCase{"sourceRewrittenUnderAPendingName", true, kNew, M::SourceRewritten, kChanged},
                      MeddleCase{"folderMovedWithoutAName", false, kNew, M::FolderMoved, kMoved},
                      MeddleCase{"folderMovedUnderAPendingName", true, kNew, M::FolderMoved, kMoved},
                      MeddleCase{"folderMovedBeforeReplacing", true, kReplace, M::FolderMoved, kMoved}),
    testsupport::rowName);

// A pending file found by the next write to its folder. It goes when the process its name names is gone, as far as
// this machine can tell, and no writer holds it: a process that this machine cannot see (on another machine sharing
// the folder, or in another process-number space) still holds its file, and a file of another boot counts as left
// behind only when it has not changed since before this boot began.
struct LeftoverCase {
    const char* name;
    enum Owner { ThisProcess, ThisNumberStartedLater, NoProcess, AnotherBoot } owner;
    bool olderThanThisBoot;
    bool held;
    bool removed;
    friend void PrintTo(const LeftoverCase& row, std::ostream* os) { *os << row.name; }
};

class ALeftPendingFile : public ::testing::TestWithParam<LeftoverCase> {
  protected:
    // "pid-start-boot" of this process, as its own pending names carry it.
    static QList<QByteArray> thisOwner() {
        QTemporaryDir dir;
        MeddledFiles files;
        files.byName = true;
        QString pending;
        files.whenCreated = [&pending](const QString& path) { pending = QFileInfo(path).fileName(); };
        EXPECT_TRUE(files.writeFile(dir.filePath("copy.jpg"), "copy", {}));
        return QFile::encodeName(pending).split('-').mid(1, 3);
    }
};

TEST_P(ALeftPendingFile, goesWithTheNextWriteToItsFolderOnlyWhenNobodyHoldsIt) {
    const LeftoverCase& row = GetParam();
    QList<QByteArray> owner = thisOwner();
    ASSERT_EQ(owner.size(), 3);
    const QByteArray noProcess = "4194304";  // above the largest process number Linux gives
    if (row.owner == LeftoverCase::ThisNumberStartedLater) owner[1] = QByteArray::number(owner[1].toLongLong() + 1);
    if (row.owner == LeftoverCase::NoProcess || row.owner == LeftoverCase::AnotherBoot) owner[0] = noProcess;
    if (row.owner == LeftoverCase::AnotherBoot) owner[2][0] = owner[2][0] == '0' ? '1' : '0';
    const QString name = QFile::decodeName(".lumarind-" + owner.join('-') + "-1x2y.part");
    QTemporaryDir dir;
    QFile left(dir.filePath(name));
    ASSERT_TRUE(left.open(QIODevice::ReadWrite));
    left.write("part of a copy");
    if (row.olderThanThisBoot) {
        ASSERT_TRUE(left.setFileTime(QDateTime(QDate(2001, 1, 1), QTime(0, 0)), QFileDevice::FileModificationTime));
    }
    if (row.held) {
        ASSERT_EQ(::flock(left.handle(), LOCK_EX | LOCK_NB), 0);
    }

    QString error;
    ASSERT_TRUE(FileManager::defaultManager().writeFile(dir.filePath("copy.jpg"), "copy", {}, &error))
        << error.toStdString();

    EXPECT_EQ(everyName(dir.path()), row.removed ? QStringList({"copy.jpg"}) : QStringList({name, "copy.jpg"}));
}

using L = LeftoverCase;
INSTANTIATE_TEST_SUITE_P(
    Owners, ALeftPendingFile,
    ::testing::Values(LeftoverCase{"ofThisLiveProcess", L::ThisProcess, false, false, false},
                      LeftoverCase{"ofAnEarlierProcessOfTheSameNumber", L::ThisNumberStartedLater, false, false, true},
                      LeftoverCase{"ofAGoneProcess", L::NoProcess, false, false, true},
                      LeftoverCase{"heldThoughItsProcessSeemsGone", L::NoProcess, false, true, false},
                      LeftoverCase{"ofAnotherBootStillWritten", L::AnotherBoot, false, false, false},
                      LeftoverCase{"ofAnEarlierBoot", L::AnotherBoot, true, false, true},
                      LeftoverCase{"ofAnEarlierBootButHeld", L::AnotherBoot, true, true, false}),
    testsupport::rowName);

TEST(TheFileManager, answersAccessQuestions) {
    QTemporaryDir dir;
    writeFile(dir.filePath("a.jpg"), "x");
    FileManager& files = FileManager::defaultManager();
    EXPECT_TRUE(files.fileExists(dir.filePath("a.jpg")));
    EXPECT_FALSE(files.fileExists(dir.filePath("none.jpg")));
    EXPECT_FALSE(files.fileExists(""));
    EXPECT_TRUE(files.isReadable(dir.filePath("a.jpg")));
    EXPECT_FALSE(files.isWritable(dir.filePath("none.jpg")));
    EXPECT_FALSE(files.isLocked(dir.filePath("a.jpg")));
    EXPECT_FALSE(files.isLocked(dir.filePath("none.jpg")));
    EXPECT_TRUE(files.removeItem(dir.filePath("a.jpg")));
    EXPECT_FALSE(files.fileExists(dir.filePath("a.jpg")));
}

TEST(TheFileManager, measuresFreeSpaceOfTheNearestExistingFolder) {
    QTemporaryDir dir;
    const auto space = FileManager::defaultManager().freeSpace(dir.filePath("not/yet/made/out.jpg"));
    ASSERT_TRUE(space.has_value());
    EXPECT_GT(*space, 0);
    EXPECT_EQ(*space / (1 << 20), *FileManager::defaultManager().freeSpace(dir.path()) / (1 << 20));
}
