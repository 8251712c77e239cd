#include "intake/DataFiller.h"
#include "intake/PhotoIntakeWalk.h"
#include "intake/PropertyListReader.h"
#include "tests/intake/IntakeFixtures.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace intakefixtures;

namespace {

class AnApertureLibrary : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(home.isValid());
        package = home.path() + "/Pictures/Aperture Library.aplibrary";
        caches = home.path() + "/caches";
        QDir().mkpath(caches);
    }

    QStringList read(int* alerts = nullptr) {
        DataFiller reader;
        reader.setLibraryReading({.cachesFolder = caches});
        reader.setArchiveAlert([alerts] {
            if (alerts) ++*alerts;
        });
        reader.setLibPath(package);
        reader.fetchImagesFromLib(package);
        masters = reader.dictMasterInfo;
        folders = reader.dictFolderInfo;
        return reader.arrImagePaths;
    }

    QTemporaryDir home;
    QString package;
    QString caches;
    QHash<QString, LibraryMasterInfo> masters;
    QHash<QString, LibraryFolderInfo> folders;
};

}  // namespace

TEST_F(AnApertureLibrary, inPlaceYieldsOnePathPerKeptVersion) {
    const QStringList expected = makeApertureLibrary(package, "ApertureData.xml", package);
    EXPECT_EQ(read(), expected);
    EXPECT_EQ(masters.value("M1").MasterCount, 2);
    EXPECT_EQ(masters.value("M2").OriginalPath, package + "/Masters/2010/01/b.jpg");
    EXPECT_FALSE(masters.contains("M3"));  // in the trash
    EXPECT_FALSE(masters.contains("M4"));  // NULL path
    EXPECT_EQ(folders.value("P1").EventName, "Holiday");
    EXPECT_EQ(folders.value("P2").EventName, "untitled event");
    EXPECT_EQ(folders.value("P1").VersionCount, 2);
}

TEST_F(AnApertureLibrary, movedFromItsArchivePathHasItsListPathsRewrittenOntoItsFolder) {
    const QStringList expected = makeApertureLibrary(package, "ApertureData.xml", "/Users/old/Pictures/Old.aplibrary");
    EXPECT_EQ(read(), expected);
}

TEST_F(AnApertureLibrary, whoseArchivePathDiffersOnlyInCaseKeepsItsListPaths) {
    makeApertureLibrary(package, "ApertureData.xml", package.toUpper());
    const QStringList paths = read();
    ASSERT_EQ(paths.size(), 3);
    EXPECT_EQ(paths.at(0), package.toUpper() + "/Previews/2010/01/a.jpg");
    EXPECT_EQ(paths.at(1), package + "/Masters/2010/01/b.jpg");
}

TEST_F(AnApertureLibrary, withoutArchivePathRaisesTheAlertOnceAndKeepsTheListPaths) {
    makeApertureLibrary(package, "ApertureData.xml", "");
    int alerts = 0;
    const QStringList paths = read(&alerts);
    EXPECT_EQ(alerts, 1);
    ASSERT_EQ(paths.size(), 3);
    EXPECT_EQ(paths.at(0), "/Users/old/Pictures/Old.aplibrary/Previews/2010/01/a.jpg");
}

TEST_F(AnApertureLibrary, isLeftUnchangedAndLeavesNothingInTheCachesWhetherJournalledOrWal) {
    for (const bool wal : {false, true}) {
        QDir(package).removeRecursively();
        const QStringList expected = makeApertureLibrary(package, "ApertureData.xml", package, wal);
        const auto before = snapshot(package);
        EXPECT_EQ(before.contains("Database/apdb/Library.apdb-wal"), wal);
        EXPECT_EQ(read(), expected) << "wal " << wal;
        EXPECT_EQ(snapshot(package), before) << "wal " << wal;
        EXPECT_EQ(entriesBelow(caches), QStringList()) << "wal " << wal;
    }
}

TEST_F(AnApertureLibrary, isAddedThroughTheWalkWithItsExistingFilesOnly) {
    const QStringList expected = makeApertureLibrary(package, "AlbumData.xml", "/Users/old/Pictures/Old.aplibrary");
    PhotoIntakeWalk walk({}, {.cachesFolder = caches});
    EXPECT_EQ(walk.photosUrlsToBeAddedFromUrls({package}, "ALL"), expected);
    EXPECT_EQ(walk.candidates().at(0).displayName, "a.jpg");
}

TEST(AniPhotoLibrary, withBothAlbumListsIsReadThroughAlbumData) {
    QTemporaryDir home;
    const QString package = home.path() + "/iPhoto Library.photolibrary";
    const QStringList expected = makeApertureLibrary(package, "AlbumData.xml", package);
    writeFile(package + "/ApertureData.xml", "<plist><dict/></plist>");
    DataFiller reader;
    reader.setLibraryReading({.cachesFolder = home.path() + "/caches"});
    reader.fetchImagesFromLib(package);
    EXPECT_EQ(reader.xmlFile, package + "/AlbumData.xml");
    EXPECT_EQ(reader.arrImagePaths, expected);
}

TEST(AniPhotoLibrary, whoseFilesWereRenamedInLowerCaseIsStillFound) {
    QTemporaryDir home;
    const QString package = home.path() + "/iPhoto Library.photolibrary";
    makeApertureLibrary(package, "albumdata.xml", package);
    ASSERT_TRUE(QDir(package).rename("Database", "database"));
    ASSERT_TRUE(QDir(package + "/database/apdb").rename("Library.apdb", "library.apdb"));
    DataFiller reader;
    reader.setLibraryReading({.cachesFolder = home.path() + "/caches"});
    reader.fetchImagesFromLib(package);
    EXPECT_EQ(reader.dbPath, package + "/database/apdb/library.apdb");
    EXPECT_EQ(reader.arrImagePaths.size(), 3);
}

TEST(AniPhotoLibrary, withoutAlbumListYieldsNothing) {
    QTemporaryDir home;
    const QString package = home.path() + "/iPhoto Library.photolibrary";
    makeApertureLibrary(package, "AlbumData.xml", package);
    QFile::remove(package + "/AlbumData.xml");
    DataFiller reader;
    reader.fetchImagesFromLib(package);
    EXPECT_TRUE(reader.arrImagePaths.isEmpty());
    EXPECT_TRUE(reader.dbPath.isEmpty());
}

TEST(APropertyList, readsNestedValuesOfEveryKind) {
    const QVariant root = PropertyListReader::readData(
        "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>a</key><array><integer>7</integer>"
        "<real>1.5</real><true/><false/><string>x &amp; y</string></array><key>b</key><dict/></dict></plist>");
    const QVariantList a = root.toMap().value("a").toList();
    ASSERT_EQ(a.size(), 5);
    EXPECT_EQ(a.at(0).toLongLong(), 7);
    EXPECT_EQ(a.at(1).toDouble(), 1.5);
    EXPECT_TRUE(a.at(2).toBool());
    EXPECT_FALSE(a.at(3).toBool());
    EXPECT_EQ(a.at(4).toString(), "x & y");
}

TEST(APropertyList, thatIsMalformedOrTooDeepReadsAsNothing) {
    EXPECT_FALSE(PropertyListReader::readData("<plist><dict><key>a</key><string>x</dict></plist>").isValid());
    EXPECT_FALSE(PropertyListReader::readData("not xml at all").isValid());
    QByteArray deep = "<plist>";
    for (int i = 0; i < 200; ++i) deep += "<array>";
    for (int i = 0; i < 200; ++i) deep += "</array>";
    deep += "</plist>";
    EXPECT_FALSE(PropertyListReader::readData(deep).isValid());
}
