// Libraries as they arrive from elsewhere: copied in the middle of a write, with pipes where files should
// be, or crafted to keep a query running. Each is read without a hang, yields what it truly holds, and is
// left exactly as it was with nothing left in the caches.
#include "intake/DBOperations.h"
#include "intake/PhotoIntakeWalk.h"
#include "intake/PropertyListReader.h"
#include "tests/common/TestSupport.h"
#include "tests/intake/IntakeFixtures.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sqlite3.h>

using namespace intakefixtures;

namespace {

const char* const kAssetTables =
    "CREATE TABLE ZASSET (Z_PK INTEGER PRIMARY KEY, ZUUID VARCHAR, ZDIRECTORY VARCHAR, ZFILENAME VARCHAR, "
    "ZKIND INTEGER, ZTRASHEDSTATE INTEGER);"
    "INSERT INTO ZASSET VALUES (1, 'U1', 'A', 'U1.jpeg', 0, 0);"
    "INSERT INTO ZASSET VALUES (2, 'U2', 'B', 'U2.jpeg', 0, 0);";
const char* const kAttributesTable =
    "CREATE TABLE ZADDITIONALASSETATTRIBUTES (Z_PK INTEGER PRIMARY KEY, ZASSET INTEGER, ZORIGINALFILENAME VARCHAR, "
    "ZORIGINALFILESIZE INTEGER);";

QString databasePath(const QString& package) {
    return package + "/database/Photos.sqlite";
}

void writePhotos(const QString& package) {
    writeFile(package + "/originals/A/U1.jpeg");
    writeFile(package + "/originals/B/U2.jpeg");
}

// Two committed photos; the library's application had begun taking both out when it was copied.
void midTransaction(const QString& package) {
    writePhotos(package);
    Database db(databasePath(package), false);
    db.exec(kAssetTables);
    db.exec(kAttributesTable);
    db.exec("CREATE TABLE filler (bytes BLOB);");
    // A small page cache spills the uncommitted change into the database file itself.
    db.exec(
        "PRAGMA cache_size = 10; BEGIN; DELETE FROM ZASSET;"
        "INSERT INTO filler SELECT randomblob(4000) FROM (WITH RECURSIVE r(n) AS (SELECT 1 UNION ALL "
        "SELECT n + 1 FROM r WHERE n < 300) SELECT n FROM r);");
    db.place();
}

void databaseIsAPipe(const QString& package) {
    writePhotos(package);
    QDir().mkpath(package + "/database");
    ASSERT_TRUE(testsupport::makeNamedPipe(databasePath(package)));
}

// The rows of photo 2 are only in the log, and the log is a pipe: photo 1 is what can be read.
void logIsAPipe(const QString& package) {
    writePhotos(package);
    Database db(databasePath(package), true);
    db.exec(kAssetTables);
    db.exec(kAttributesTable);
    db.exec(
        "DELETE FROM ZASSET WHERE Z_PK = 2; PRAGMA wal_checkpoint(TRUNCATE);"
        "INSERT INTO ZASSET VALUES (2, 'U2', 'B', 'U2.jpeg', 0, 0);");
    db.place();
    ASSERT_TRUE(QFile::remove(databasePath(package) + "-wal"));
    ASSERT_TRUE(testsupport::makeNamedPipe(databasePath(package) + "-wal"));
}

// Joining every photo to a view that recurses for ever keeps the query busy without a single row.
void endlessView(const QString& package) {
    writePhotos(package);
    Database db(databasePath(package), false);
    db.exec(kAssetTables);
    db.exec(
        "CREATE VIEW ZADDITIONALASSETATTRIBUTES AS WITH RECURSIVE r(n) AS (SELECT 1 UNION ALL SELECT n + 1 "
        "FROM r) SELECT n AS Z_PK, n AS ZASSET, 'x' AS ZORIGINALFILENAME, n AS ZORIGINALFILESIZE FROM r "
        "WHERE n < 0;");
    db.place();
}

enum class Ending { None, Stop, SlowClock };

struct FaultCase {
    const char* name;
    void (*make)(const QString& package);
    Ending ending;
    int photos;  // -1: the database cannot be read at all
};

void PrintTo(const FaultCase& c, std::ostream* os) {
    *os << c.name;
}

class ADamagedLibrary : public ::testing::TestWithParam<FaultCase> {};

TEST_P(ADamagedLibrary, yieldsWhatItHoldsWithoutAHangAndIsLeftAsItWas) {
    QTemporaryDir home;
    const QString package = home.path() + "/Photos Library.photoslibrary";
    GetParam().make(package);
    const auto before = snapshot(package);

    std::atomic<bool> stop{false};
    int looks = 0;
    const auto start = LibraryReading::Clock::now();
    LibraryReading reading{.cachesFolder = home.path() + "/caches", .stop = &stop, .now = {}};
    // Stop pressed, or a minute gone, a few looks into the query: no real time passes in either.
    reading.now = [&] {
        ++looks;
        if (GetParam().ending == Ending::Stop && looks > 3) stop.store(true);
        const int seconds = GetParam().ending == Ending::SlowClock ? 20 * looks : 0;
        return start + std::chrono::seconds(seconds);
    };

    std::optional<QList<PhotoLibraryImageRecord>> records;
    const QStringList pipes{databasePath(package), databasePath(package) + "-wal"};
    EXPECT_TRUE(testsupport::finishesWithoutBlockingOnPipes(
        [&] { records = DBOperations::getPhotoslibraryPath(package, reading); }, pipes));
    if (GetParam().photos < 0) {
        EXPECT_FALSE(records);
    } else {
        ASSERT_TRUE(records);
        EXPECT_EQ(records->size(), GetParam().photos);
    }
    EXPECT_EQ(snapshot(package), before);
    EXPECT_EQ(entriesBelow(home.path() + "/caches"), QStringList());
}

INSTANTIATE_TEST_SUITE_P(Faults, ADamagedLibrary,
                         ::testing::Values(FaultCase{"copiedMidTransaction", midTransaction, Ending::None, 2},
                                           FaultCase{"databaseIsAPipe", databaseIsAPipe, Ending::None, -1},
                                           FaultCase{"logIsAPipe", logIsAPipe, Ending::None, 1},
                                           FaultCase{"endlessQueryStopped", endlessView, Ending::Stop, 0},
                                           FaultCase{"endlessQueryTimedOut", endlessView, Ending::SlowClock, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

// The library's own program in the middle of a write holds the database; no real time passes while we wait.
TEST(ALockedLibrary, isWaitedForAndOtherwiseRefusedWithItsReason) {
    const struct {
        const char* name;
        int letGoAtLook;  // the look at which the other program ends its write; 0: it never does
    } rows[] = {{"letGoWhileWaiting", 3}, {"heldPastTheWait", 0}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        QTemporaryDir home;
        const QString package = home.path() + "/Aperture Library.aplibrary";
        const QStringList expected = makeApertureLibrary(package, "ApertureData.xml", package);
        const auto before = snapshot(package);
        sqlite3* other = nullptr;
        ASSERT_EQ(sqlite3_open(QFile::encodeName(package + "/Database/apdb/Library.apdb").constData(), &other),
                  SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
        int looks = 0;
        const auto start = LibraryReading::Clock::now();
        PhotoIntakeWalk::Settings settings{.cachesFolder = home.path() + "/caches"};
        settings.libraryReading.now = [&] { return start + std::chrono::seconds(looks); };
        settings.libraryReading.pause = [&](std::chrono::milliseconds) {
            if (++looks == row.letGoAtLook) sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
        };
        PhotoIntakeWalk walk({}, settings);
        const QStringList added = walk.photosUrlsToBeAddedFromUrls({package}, "ALL");
        sqlite3_close(other);

        const bool locked = row.letGoAtLook == 0;
        EXPECT_EQ(added, locked ? QStringList() : expected);
        EXPECT_EQ(walk.counters().lockedLibraryCount, locked ? 1 : 0);
        EXPECT_EQ(walk.counters().damagedFileCount, locked ? 1 : 0);
        EXPECT_EQ(walk.counters().isPhotoFormatNotSupported, locked);  // the refused-files alert
        EXPECT_LE(looks, 6);
        EXPECT_EQ(snapshot(package), before);
    }
}

TEST(AnAlbumList, stopsBeingParsedWhenStopIsPressed) {
    QByteArray xml = "<plist version=\"1.0\"><dict><key>Master Image List</key><dict>";
    for (int i = 0; i < 1000; ++i)
        xml += "<key>" + QByteArray::number(i) + "</key><dict><key>ImagePath</key><string>/p</string></dict>";
    xml += "</dict></dict></plist>";
    std::atomic<bool> stop{false};
    QString error;
    EXPECT_TRUE(PropertyListReader::readData(xml, &error, &stop).isValid()) << error.toStdString();
    stop.store(true);
    EXPECT_FALSE(PropertyListReader::readData(xml, &error, &stop).isValid());
    EXPECT_EQ(error, "the import was stopped");
}

}  // namespace
