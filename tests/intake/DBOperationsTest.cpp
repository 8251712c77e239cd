#include "intake/DBOperations.h"
#include "intake/LibraryDatabase.h"
#include "intake/PhotoIntakeWalk.h"
#include "tests/intake/IntakeFixtures.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace intakefixtures;

namespace {

struct LibraryCase {
    const char* name;
    PhotosGeneration generation;
};

void PrintTo(const LibraryCase& c, std::ostream* os) {
    *os << c.name;
}

class APhotosLibrary : public ::testing::TestWithParam<LibraryCase> {
  protected:
    void SetUp() override {
        ASSERT_TRUE(home.isValid());
        package = home.path() + "/Pictures/Photos Library.photoslibrary";
        caches = home.path() + "/caches";
        QDir().mkpath(caches);
        expected = makePhotosLibrary(package, GetParam().generation);
    }

    QTemporaryDir home;
    QString package;
    QString caches;
    QStringList expected;
};

QStringList imagePaths(const QList<PhotoLibraryImageRecord>& records) {
    QStringList paths;
    for (const auto& record : records) paths.append(record.imagePath);
    return paths;
}

}  // namespace

TEST_P(APhotosLibrary, yieldsItsPhotosIncludingThoseOnlyInTheWriteAheadLog) {
    const auto records = DBOperations::getPhotoslibraryPath(package, {.cachesFolder = caches});
    ASSERT_TRUE(records.has_value());
    QStringList withMissing = expected;
    withMissing.insert(2, QFileInfo(expected.at(0)).path().chopped(1) + "E/U5.jpeg");
    EXPECT_EQ(imagePaths(*records), withMissing);
}

TEST_P(APhotosLibrary, isAddedWithExactlyItsExistingPhotos) {
    PhotoIntakeWalk walk({}, {.cachesFolder = caches});
    EXPECT_EQ(walk.photosUrlsToBeAddedFromUrls({package}, "ALL"), expected);
    EXPECT_EQ(walk.candidates().at(0).displayName, "IMG_0001.JPG");
    EXPECT_EQ(walk.counters().damagedFileCount, 0);
}

TEST_P(APhotosLibrary, isLeftByteForByteAsItWasAndLeavesNothingInTheCaches) {
    const auto before = snapshot(package);
    ASSERT_TRUE(before.contains("database/" + QFileInfo(DBOperations::getDataBasePathForPhotosLib(package)).fileName() +
                                "-wal"));
    ASSERT_TRUE(DBOperations::getPhotoslibraryPath(package, {.cachesFolder = caches}).has_value());
    EXPECT_EQ(snapshot(package), before);
    EXPECT_EQ(entriesBelow(caches), QStringList());
}

INSTANTIATE_TEST_SUITE_P(ThreeGenerations, APhotosLibrary,
                         ::testing::Values(LibraryCase{"ZASSET", PhotosGeneration::Assets},
                                           LibraryCase{"ZGENERICASSET", PhotosGeneration::GenericAssets},
                                           LibraryCase{"RKMaster", PhotosGeneration::Masters}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(APhotosLibraryRecord, ofCurrentLibrariesRepeatsTheUuidAndLeavesModelAndDescriptionEmpty) {
    QTemporaryDir home;
    const QString package = home.path() + "/L.photoslibrary";
    makePhotosLibrary(package, PhotosGeneration::Assets);
    const auto records = DBOperations::getImagesFromlibraryPath(package, {.cachesFolder = home.path() + "/caches"});
    ASSERT_TRUE(records && records->size() >= 2);
    const PhotoLibraryImageRecord& first = records->at(0);
    EXPECT_EQ(first.uuid, "U1");
    EXPECT_EQ(first.uuidRKVersion, "U1");
    EXPECT_EQ(first.modelId, "");
    EXPECT_EQ(first.description, "");
    EXPECT_EQ(first.originalFileName, "IMG_0001.JPG");
    EXPECT_EQ(first.fileSize, 1234);
    EXPECT_EQ(records->at(1).fileSize, 0);  // NULL size
}

TEST(APhotosLibraryRecord, ofOldLibrariesComesFromTheFirstVersionOfEachMaster) {
    QTemporaryDir home;
    const QString package = home.path() + "/L.photoslibrary";
    makePhotosLibrary(package, PhotosGeneration::Masters);
    const auto records = DBOperations::getImagesFromlibraryPath(package, {.cachesFolder = home.path() + "/caches"});
    ASSERT_TRUE(records && records->size() == 4);
    EXPECT_EQ(records->at(0).modelId, "1");
    EXPECT_EQ(records->at(0).uuidRKVersion, "V1");
    EXPECT_EQ(records->at(0).description, "");  // NULL description
    EXPECT_EQ(records->at(1).description, "harbour");
    EXPECT_EQ(records->at(1).fileSize, 20);
}

TEST(APhotosLibraryRecord, withNullTextIsKeptWithEmptyFields) {
    QTemporaryDir home;
    const QString package = home.path() + "/L.photoslibrary";
    Database db(package + "/database/Photos.sqlite", false);
    db.exec(
        "CREATE TABLE ZASSET (Z_PK INTEGER PRIMARY KEY, ZUUID VARCHAR, ZDIRECTORY VARCHAR, ZFILENAME VARCHAR, "
        "ZKIND INTEGER, ZTRASHEDSTATE INTEGER);"
        "CREATE TABLE ZADDITIONALASSETATTRIBUTES (Z_PK INTEGER PRIMARY KEY, ZASSET INTEGER, "
        "ZORIGINALFILENAME VARCHAR, ZORIGINALFILESIZE INTEGER);"
        "INSERT INTO ZASSET VALUES (1, NULL, 'A', NULL, 0, 0);"
        "INSERT INTO ZASSET VALUES (2, 'U2', 'B', 'x.jpg', 0, 0);");
    db.place();
    const auto records = DBOperations::getImagesFromlibraryPath(package, {.cachesFolder = home.path() + "/caches"});
    ASSERT_TRUE(records && records->size() == 2);
    EXPECT_EQ(records->at(0).uuid, "");
    EXPECT_EQ(records->at(0).originalFileName, "");
    EXPECT_EQ(records->at(1).imagePath, package + "/originals/B/x.jpg");
}

TEST(APhotosLibraryDatabase, isChosenByExactNameThenIgnoringCase) {
    QTemporaryDir home;
    const QString package = home.path() + "/Mixed Case.photoslibrary";
    EXPECT_EQ(DBOperations::getDataBasePathForPhotosLib(package), package + "/database/photos.db");
    writeFile(package + "/database/photos.db");
    EXPECT_EQ(DBOperations::getDataBasePathForPhotosLib(package), package + "/database/photos.db");
    writeFile(package + "/database/apdb/PHOTOS.DB");
    EXPECT_EQ(DBOperations::getDataBasePathForPhotosLib(package), package + "/database/apdb/PHOTOS.DB");
    writeFile(package + "/database/photos.sqlite");
    EXPECT_EQ(DBOperations::getDataBasePathForPhotosLib(package), package + "/database/photos.sqlite");
    writeFile(package + "/database/Library.apdb");
    EXPECT_EQ(DBOperations::getDataBasePathForPhotosLib(package), package + "/database/Library.apdb");
    writeFile(package + "/database/apdb/Library.apdb");
    EXPECT_EQ(DBOperations::getDataBasePathForPhotosLib(package), package + "/database/apdb/Library.apdb");
}

TEST(APhotosLibraryDatabase, thatCannotBeCopiedGivesNothingAndLeavesNoCopy) {
    QTemporaryDir home;
    const QString package = home.path() + "/Empty.photoslibrary";
    QDir().mkpath(package + "/database/photos.db");  // a folder where the file should be
    const QString caches = home.path() + "/caches";
    EXPECT_FALSE(DBOperations::getPhotoslibraryPath(package, {.cachesFolder = caches}).has_value());
    EXPECT_EQ(entriesBelow(caches), QStringList());
}

TEST(APhotosLibraryDatabase, thatIsNoDatabaseGivesNoRecordsAndLeavesNoCopy) {
    QTemporaryDir home;
    const QString package = home.path() + "/Broken.photoslibrary";
    writeFile(package + "/database/Photos.sqlite", QByteArray(4096, 'x'));
    const QString caches = home.path() + "/caches";
    const auto records = DBOperations::getPhotoslibraryPath(package, {.cachesFolder = caches});
    ASSERT_TRUE(records.has_value());
    EXPECT_TRUE(records->isEmpty());
    EXPECT_EQ(entriesBelow(caches), QStringList());
}

TEST(ALibraryDatabase, isReadInPlaceOnlyWhenNothingNeedsWritingBesideIt) {
    QTemporaryDir home;
    const QString caches = home.path() + "/caches";
    for (const bool wal : {false, true}) {
        const QString path = home.path() + (wal ? "/wal.db" : "/journal.db");
        Database db(path, wal);
        db.exec("CREATE TABLE RKFolder (modelId INTEGER PRIMARY KEY, uuid VARCHAR, name VARCHAR);");
        db.place();
        QString error;
        auto database =
            LibraryDatabase::open(path, LibraryDatabase::Placement::InPlaceWhenSafe, {.cachesFolder = caches}, &error);
        ASSERT_TRUE(database) << error.toStdString();
        EXPECT_EQ(database->isPrivateCopy(), wal);
        EXPECT_TRUE(database->hasTable("rkfolder"));
        EXPECT_EQ(entriesBelow(caches).isEmpty(), !wal);
        database.reset();
        EXPECT_EQ(entriesBelow(caches), QStringList());
    }
}
