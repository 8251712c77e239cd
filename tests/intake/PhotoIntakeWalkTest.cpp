#include "intake/IntakeHandBackPlan.h"
#include "intake/PhotoIntakeWalk.h"
#include "tests/common/TestSupport.h"
#include "tests/intake/IntakeFixtures.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace intakefixtures;

namespace {

// Refuses the folders named "locked", as the disk does to a user without the right to read them.
class LockingLister : public FolderLister {
  public:
    bool list(const QString& folder, QList<FolderEntry>* entries, QString* error) const override {
        if (folder.endsWith("/locked")) {
            *error = "Permission denied";
            return false;
        }
        return FolderLister::list(folder, entries, error);
    }
};

// root/ holds photos at several depths, hidden entries, a library package, links that loop or dangle,
// a pipe named like a photo, an unreadable folder and files of refused types.
void makeTree(const QString& root) {
    for (const char* name : {"a.jpg", "b.JPG", "notes.txt", ".hidden.jpg", ".hiddendir/c.jpg", "sub/d.png",
                             "sub/deeper/e.tif", "Lib.photoslibrary/originals/A/x.jpg", "locked/f.jpg", "mixed/a.EPS",
                             "mixed/b.pct", "mixed/c.PPM", "mixed/d.ptif", "mixed/e.Eps"}) {
        writeFile(root + "/" + name);
    }
    QFile::link(root + "/sub", root + "/sub/loop");  // a folder holding a link to itself
    QFile::link(root + "/nowhere.jpg", root + "/sub/broken.jpg");
    ASSERT_EQ(mkfifo(QFile::encodeName(root + "/sub/pipe.jpg").constData(), 0600), 0);
    QDir().mkpath(root + "/empty");
}

struct WalkCase {
    const char* name;
    QStringList urls;           // relative to the tree; "" is the tree itself
    QStringList alreadyAdded;   // relative paths in the batch before the add
    QStringList expectedAdded;  // relative
    int damaged;
    int alreadyExists;
    int alertTag;    // 0: no alert
    bool refreshes;  // processAfterAllPhotosAdded runs
};

void PrintTo(const WalkCase& c, std::ostream* os) {
    *os << c.name;
}

class AFolderWalk : public ::testing::TestWithParam<WalkCase> {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        root = dir.path() + "/tree";
        makeTree(root);
    }
    QString abs(const QString& relative) const { return relative.isEmpty() ? root : root + "/" + relative; }

    QTemporaryDir dir;
    QString root;
    LockingLister lister;
};

}  // namespace

TEST_P(AFolderWalk, addsCountsAndChoosesItsAlert) {
    const WalkCase& c = GetParam();
    QSet<QString> added;
    for (const QString& path : c.alreadyAdded) added.insert(abs(path));
    QStringList urls;
    for (const QString& url : c.urls) urls.append(abs(url));
    QStringList expected;
    for (const QString& path : c.expectedAdded) expected.append(abs(path));

    PhotoIntakeWalk walk(added, {.lister = &lister, .cachesFolder = dir.path() + "/c"});
    EXPECT_EQ(walk.photosUrlsToBeAddedFromUrls(urls, "ALL"), expected);
    const IntakeCounters& counters = walk.counters();
    EXPECT_EQ(counters.totalPhotoToAdd, expected.size());
    EXPECT_EQ(counters.damagedFileCount, c.damaged);
    EXPECT_EQ(counters.alreadyExistsPhotosCount, c.alreadyExists);
    EXPECT_EQ(counters.isPhotosAlreadyAdded, c.alreadyExists > 0);
    EXPECT_EQ(counters.isPhotoFormatNotSupported, c.damaged > c.alreadyExists);
    EXPECT_TRUE(counters.isPHOTOS_PROCESSING_IN_PROGRESS);

    const IntakeHandBackPlan plan =
        IntakeHandBackPlan::choose(counters, c.alreadyAdded.isEmpty() && expected.isEmpty());
    EXPECT_EQ(plan.alert ? int(*plan.alert) : 0, c.alertTag);
    EXPECT_EQ(plan.runAfterChangeSetup, c.refreshes);
    EXPECT_EQ(plan.disableRemoveButton, !c.refreshes);
}

static const QStringList kTreePhotos{"a.jpg", "b.JPG", "mixed/d.ptif", "sub/d.png", "sub/deeper/e.tif"};

INSTANTIATE_TEST_SUITE_P(
    Cases, AFolderWalk,
    ::testing::Values(
        // notes.txt, a.EPS, b.pct, c.PPM, e.Eps, broken.jpg (dangling) and pipe.jpg are refused.
        WalkCase{"wholeTree", {""}, {}, kTreePhotos, 7, 0, 108, true},
        WalkCase{"samePathTwice", {"a.jpg", "a.jpg"}, {}, {"a.jpg"}, 1, 1, 109, true},
        WalkCase{"secondAddOfTheTree", {""}, kTreePhotos, {}, 12, 5, 109, false},
        WalkCase{
            "oneDuplicateAmongNew", {"a.jpg", "sub"}, {"a.jpg"}, {"sub/d.png", "sub/deeper/e.tif"}, 3, 1, 109, true},
        WalkCase{"emptyFolder", {"empty"}, {}, {}, 0, 0, 110, false},
        WalkCase{"nothingAtAll", {}, {}, {}, 0, 0, 110, false},
        WalkCase{"onlyATextFile", {"notes.txt"}, {}, {}, 1, 0, 108, false},
        WalkCase{"pathThatDoesNotExist", {"gone.jpg"}, {}, {}, 1, 0, 108, false},
        WalkCase{"onlyPhotos", {"sub/deeper", "a.jpg"}, {}, {"sub/deeper/e.tif", "a.jpg"}, 0, 0, 0, true},
        WalkCase{"unreadableFolderItself", {"locked"}, {}, {}, 0, 0, 110, false},
        WalkCase{"packageDroppedByItselfWithoutDatabase", {"Lib.photoslibrary"}, {}, {}, 0, 0, 110, false},
        WalkCase{"linkedFolderGivenDirectly",
                 {"sub/loop"},
                 {},
                 {"sub/loop/d.png", "sub/loop/deeper/e.tif"},
                 2,
                 0,
                 108,
                 true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AFolderWalkOnDisk, skipsOnlyTheFolderItCannotRead) {
    if (geteuid() == 0) {
        const testsupport::UnprivilegedRun child =
            testsupport::runTestAsUnprivilegedUser("AFolderWalkOnDisk.skipsOnlyTheFolderItCannotRead");
        if (!child.available) GTEST_SKIP() << "cannot run as an unprivileged user: " << child.output.toStdString();
        EXPECT_TRUE(child.passed) << child.output.toStdString();
        return;
    }
    QTemporaryDir dir;
    writeFile(dir.path() + "/locked/f.jpg");
    writeFile(dir.path() + "/z.jpg");
    ASSERT_EQ(chmod(QFile::encodeName(dir.path() + "/locked").constData(), 0), 0);
    PhotoIntakeWalk walk({}, {});
    EXPECT_EQ(walk.photosUrlsToBeAddedFromUrls({dir.path()}, "ALL"), QStringList{dir.path() + "/z.jpg"});
    chmod(QFile::encodeName(dir.path() + "/locked").constData(), 0700);
}

TEST(AFolderWalkLimit, stopsAtTheLimitAndWalksNoFurtherUrl) {
    QTemporaryDir dir;
    for (int i = 0; i < 5; ++i) writeFile(dir.path() + QString("/many/%1.jpg").arg(i));
    writeFile(dir.path() + "/later.txt");
    PhotoIntakeWalk walk({}, {.limit = 3});
    const QStringList added =
        walk.photosUrlsToBeAddedFromUrls({dir.path() + "/many", dir.path() + "/later.txt"}, "ALL");
    EXPECT_EQ(added.size(), 3);
    EXPECT_TRUE(walk.counters().isMAX_PHOTOS_LIMIT_EXCEEDED);
    EXPECT_FALSE(walk.counters().isPHOTOS_PROCESSING_IN_PROGRESS);
    EXPECT_EQ(walk.counters().damagedFileCount, 0);  // later.txt was never looked at
    const IntakeHandBackPlan plan = IntakeHandBackPlan::choose(walk.counters(), false);
    EXPECT_EQ(plan.alert, AlertPhotosLimitExceeded);
    EXPECT_TRUE(plan.runAfterChangeSetup);
}

TEST(AFolderWalkLimit, letsExactlyTheLimitJoinWithoutRaisingIt) {
    QTemporaryDir dir;
    for (int i = 0; i < 3; ++i) writeFile(dir.path() + QString("/%1.jpg").arg(i));
    PhotoIntakeWalk walk({}, {.limit = 3});
    EXPECT_EQ(walk.photosUrlsToBeAddedFromUrls({dir.path()}, "ALL").size(), 3);
    EXPECT_FALSE(walk.counters().isMAX_PHOTOS_LIMIT_EXCEEDED);
}

TEST(AFolderWalkStop, beforeTheFirstPhotoEndsWithTheFlagsMetSoFar) {
    QTemporaryDir dir;
    writeFile(dir.path() + "/a.txt");
    writeFile(dir.path() + "/b.jpg");
    writeFile(dir.path() + "/c.jpg");
    std::atomic<bool> stop{true};
    PhotoIntakeWalk walk({}, {.stop = &stop});
    // Nothing of the folder is gathered; the two files named directly are still tested.
    EXPECT_TRUE(
        walk.photosUrlsToBeAddedFromUrls({dir.path(), dir.path() + "/a.txt", dir.path() + "/b.jpg"}, "ALL").isEmpty());
    EXPECT_EQ(walk.counters().damagedFileCount, 1);
    EXPECT_FALSE(walk.counters().isPHOTOS_PROCESSING_IN_PROGRESS);
    EXPECT_FALSE(walk.counters().isMAX_PHOTOS_LIMIT_EXCEEDED);
    EXPECT_EQ(*IntakeHandBackPlan::choose(walk.counters(), true).alert, AlertFilesCannotBeAdded);
}

namespace {

// Presses Stop when the walk reaches a given folder and counts the folders it is asked for afterwards.
class StoppingLister : public FolderLister {
  public:
    StoppingLister(std::atomic<bool>& stop, QString at) : m_stop(stop), m_at(std::move(at)) {}
    bool list(const QString& folder, QList<FolderEntry>* entries, QString* error) const override {
        if (m_stop) ++listedAfterStop;
        if (folder.endsWith(m_at)) m_stop = true;
        return FolderLister::list(folder, entries, error);
    }
    mutable int listedAfterStop = 0;

  private:
    std::atomic<bool>& m_stop;
    QString m_at;
};

}  // namespace

TEST(AFolderWalkStop, duringTheGatheringOfALargeTreeEndsItPromptly) {
    QTemporaryDir dir;
    for (int folder = 0; folder < 50; ++folder) {
        for (int file = 0; file < 20; ++file)
            writeFile(dir.path() + QString("/f%1/%2.jpg").arg(folder, 2, 10, QChar('0')).arg(file));
    }
    std::atomic<bool> stop{false};
    StoppingLister lister(stop, "/f03");
    PhotoIntakeWalk walk({}, {.stop = &stop, .lister = &lister});
    EXPECT_TRUE(walk.photosUrlsToBeAddedFromUrls({dir.path()}, "ALL").isEmpty());
    EXPECT_EQ(lister.listedAfterStop, 0);
    EXPECT_TRUE(walk.hasEnded());
}

TEST(APhotoNameThatIsNotText, isRefusedAsUnreadableWhetherDroppedOrFoundInAFolder) {
    QTemporaryDir dir;
    const QByteArray folder = QFile::encodeName(dir.path());
    const char* const names[] = {"/caf\xe9.jpg", "/notes\xe9.txt", "/ok.jpg"};
    // QTemporaryDir cannot remove names it cannot decode, so they go by their bytes.
    const auto removeNames = qScopeGuard([&] {
        for (const char* name : names) ::unlink((folder + name).constData());
    });
    for (const char* name : names) {
        const int fd = ::open((folder + name).constData(), O_WRONLY | O_CREAT, 0644);
        ASSERT_GE(fd, 0);
        ::close(fd);
    }
    PhotoIntakeWalk walked({}, {});
    EXPECT_EQ(walked.photosUrlsToBeAddedFromUrls({dir.path()}, "ALL"), QStringList{dir.path() + "/ok.jpg"});
    EXPECT_EQ(walked.counters().unreadableNameCount, 1);  // the text file is refused by its type, as any
    EXPECT_EQ(walked.counters().damagedFileCount, 2);
    EXPECT_TRUE(walked.counters().isPhotoFormatNotSupported);

    PhotoIntakeWalk dropped({}, {});
    dropped.photosUrlsToBeAddedFromUrls({QFile::decodeName(folder + "/caf\xe9.jpg")}, "ALL");
    EXPECT_EQ(dropped.counters().unreadableNameCount, 1);
    EXPECT_EQ(dropped.counters().damagedFileCount, 1);
}
