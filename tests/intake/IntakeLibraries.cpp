#include "tests/intake/IntakeFixtures.h"

#include <QFile>
#include <QString>

namespace intakefixtures {
namespace {

void makeAssetsDatabase(const QString& package, const char* table) {
    Database db(package + "/database/Photos.sqlite", true);
    const QByteArray t(table);
    db.exec("CREATE TABLE " + t +
            " (Z_PK INTEGER PRIMARY KEY, ZUUID VARCHAR, ZDIRECTORY VARCHAR, "
            "ZFILENAME VARCHAR, ZKIND INTEGER, ZTRASHEDSTATE INTEGER);"
            "CREATE TABLE ZADDITIONALASSETATTRIBUTES (Z_PK INTEGER PRIMARY KEY, ZASSET INTEGER, "
            "ZORIGINALFILENAME VARCHAR, ZORIGINALFILESIZE INTEGER);"
            "INSERT INTO " +
            t +
            " VALUES (1, 'U1', 'A', 'U1.jpeg', 0, 0);"
            "INSERT INTO ZADDITIONALASSETATTRIBUTES VALUES (1, 1, 'IMG_0001.JPG', 1234);");
    db.exec("PRAGMA wal_checkpoint(TRUNCATE);");
    // Only in the write-ahead log from here on.
    db.exec("INSERT INTO " + t +
            " VALUES (2, 'U2', 'B', 'U2.heic', 0, 0);"
            "INSERT INTO ZADDITIONALASSETATTRIBUTES VALUES (2, 2, 'IMG_0002.HEIC', NULL);"
            "INSERT INTO " +
            t +
            " VALUES (3, 'U3', 'C', 'U3.mov', 1, 0);"
            "INSERT INTO " +
            t +
            " VALUES (4, 'U4', 'D', 'U4.jpeg', 0, 1);"
            "INSERT INTO " +
            t +
            " VALUES (5, 'U5', 'E', 'U5.jpeg', 0, 0);"
            "INSERT INTO " +
            t + " VALUES (6, 'U6', 'F', 'U6.png', 0, 0);");
    db.place();
}

void makeMastersDatabase(const QString& package) {
    Database db(package + "/database/photos.db", true);
    db.exec(
        "CREATE TABLE RKMaster (modelId INTEGER PRIMARY KEY, uuid VARCHAR, fileSize INTEGER, "
        "originalFileName VARCHAR, imagePath VARCHAR, isInTrash INTEGER);"
        "CREATE TABLE RKVersion (modelId INTEGER PRIMARY KEY, uuid VARCHAR, masterUuid VARCHAR, "
        "isInTrash INTEGER, type INTEGER, extendedDescription VARCHAR);"
        "INSERT INTO RKMaster VALUES (1, 'M1', 10, 'IMG_0001.JPG', 'A/U1.jpeg', 0);"
        "INSERT INTO RKVersion VALUES (1, 'V1', 'M1', 0, 2, NULL);"
        "INSERT INTO RKVersion VALUES (7, 'V1b', 'M1', 0, 2, 'edited copy');");
    db.exec("PRAGMA wal_checkpoint(TRUNCATE);");
    db.exec(
        "INSERT INTO RKMaster VALUES (2, 'M2', 20, 'IMG_0002.HEIC', 'B/U2.heic', 0);"
        "INSERT INTO RKVersion VALUES (2, 'V2', 'M2', 0, 2, 'harbour');"
        "INSERT INTO RKMaster VALUES (3, 'M3', 30, 'clip.mov', 'C/U3.mov', 0);"
        "INSERT INTO RKVersion VALUES (3, 'V3', 'M3', 0, 8, NULL);"
        "INSERT INTO RKMaster VALUES (4, 'M4', 40, 'gone.jpg', 'D/U4.jpeg', 1);"
        "INSERT INTO RKVersion VALUES (4, 'V4', 'M4', 1, 2, NULL);"
        "INSERT INTO RKMaster VALUES (5, 'M5', 50, 'lost.jpg', 'E/U5.jpeg', 0);"
        "INSERT INTO RKVersion VALUES (5, 'V5', 'M5', 0, 2, NULL);"
        "INSERT INTO RKMaster VALUES (6, 'M6', 60, 'IMG_0006.PNG', 'F/U6.png', 0);"
        "INSERT INTO RKVersion VALUES (6, 'V6', 'M6', 0, 2, NULL);");
    db.place();
}

}  // namespace

QStringList makePhotosLibrary(const QString& package, PhotosGeneration generation) {
    const QString files = generation == PhotosGeneration::Masters ? package + "/Masters" : package + "/originals";
    // Every row's file exists except row 5's, so only the query can leave the video and the trash out.
    for (const char* name : {"A/U1.jpeg", "B/U2.heic", "C/U3.mov", "D/U4.jpeg", "F/U6.png"}) {
        writeFile(files + "/" + name);
    }
    writeFile(package + "/database/search/psi.sqlite", "index");
    switch (generation) {
        case PhotosGeneration::Assets:
            makeAssetsDatabase(package, "ZASSET");
            break;
        case PhotosGeneration::GenericAssets:
            makeAssetsDatabase(package, "ZGENERICASSET");
            break;
        case PhotosGeneration::Masters:
            makeMastersDatabase(package);
            break;
    }
    return {files + "/A/U1.jpeg", files + "/B/U2.heic", files + "/F/U6.png"};
}

QStringList makeApertureLibrary(const QString& package, const QString& xmlName, const QString& archivePath, bool wal) {
    Database db(package + "/Database/apdb/Library.apdb", wal);
    db.exec(
        "CREATE TABLE RKVersion (modelId INTEGER PRIMARY KEY, uuid VARCHAR, masterUuid VARCHAR, "
        "projectUuid VARCHAR, name VARCHAR, isInTrash INTEGER, showInLibrary INTEGER, versionNumber INTEGER);"
        "CREATE TABLE RKMaster (modelId INTEGER PRIMARY KEY, uuid VARCHAR, imagePath VARCHAR, isInTrash INTEGER);"
        "CREATE TABLE RKFolder (modelId INTEGER PRIMARY KEY, uuid VARCHAR, name VARCHAR);"
        "INSERT INTO RKFolder VALUES (1, 'P1', 'Holiday');"
        "INSERT INTO RKFolder VALUES (2, 'P2', '');"
        "INSERT INTO RKMaster VALUES (1, 'M1', '2010/01/a.jpg', 0);"
        "INSERT INTO RKMaster VALUES (2, 'M2', '2010/01/b.jpg', 0);"
        "INSERT INTO RKMaster VALUES (3, 'M3', '2010/01/c.jpg', 1);"
        "INSERT INTO RKMaster VALUES (4, 'M4', NULL, 0);"
        // 11: path from the list; 12: no list entry, falls back to its master; 13: second version of M1
        // with its own edited file; 14: trashed master; 15: no folder row; 16: the master version;
        // 17: a NULL name; 18: empty master uuid.
        "INSERT INTO RKVersion VALUES (11, 'V11', 'M1', 'P1', 'a', 0, 1, 1);"
        "INSERT INTO RKVersion VALUES (12, 'V12', 'M2', 'P2', 'b', 0, 1, 1);"
        "INSERT INTO RKVersion VALUES (13, 'V13', 'M1', 'P1', 'a edited', 0, 1, 2);"
        "INSERT INTO RKVersion VALUES (14, 'V14', 'M3', 'P1', 'c', 0, 1, 1);"
        "INSERT INTO RKVersion VALUES (15, 'V15', 'M2', 'P9', 'b', 0, 1, 1);"
        "INSERT INTO RKVersion VALUES (16, 'V16', 'M2', 'P2', 'b', 0, 0, 0);"
        "INSERT INTO RKVersion VALUES (17, 'V17', 'M2', 'P2', NULL, 0, 1, 1);"
        "INSERT INTO RKVersion VALUES (18, 'V18', '', 'P2', 'x', 0, 1, 1);");
    db.place();
    for (const char* name : {"Masters/2010/01/a.jpg", "Masters/2010/01/b.jpg", "Masters/2010/01/c.jpg",
                             "Previews/2010/01/a.jpg", "Previews/2010/01/a-edited.jpg", "Thumbnails/2010/01/a.jpg"}) {
        writeFile(package + "/" + name);
    }
    const QString archive = archivePath.isEmpty() ? QStringLiteral("/Users/old/Pictures/Old.aplibrary") : archivePath;
    QString xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
        "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n<plist version=\"1.0\">\n<dict>\n";
    if (!archivePath.isEmpty()) xml += "\t<key>Archive Path</key>\n\t<string>" + archivePath + "</string>\n";
    xml +=
        "\t<key>Application Version</key>\n\t<string>9.6</string>\n"
        "\t<key>Master Image List</key>\n\t<dict>\n"
        "\t\t<key>11</key>\n\t\t<dict>\n\t\t\t<key>ImagePath</key>\n\t\t\t<string>" +
        archive + "/Previews/2010/01/a.jpg</string>\n\t\t\t<key>ThumbPath</key>\n\t\t\t<string>" + archive +
        "/Thumbnails/2010/01/a.jpg</string>\n\t\t\t<key>Rating</key>\n\t\t\t<integer>3</integer>\n\t\t</dict>\n"
        "\t\t<key>13</key>\n\t\t<dict>\n\t\t\t<key>ImagePath</key>\n\t\t\t<string>" +
        archive +
        "/Previews/2010/01/a-edited.jpg</string>\n\t\t\t<key>Flagged</key>\n\t\t\t<true/>\n\t\t</dict>\n"
        "\t</dict>\n</dict>\n</plist>\n";
    writeFile(package + "/" + xmlName, xml.toUtf8());
    return {package + "/Previews/2010/01/a.jpg", package + "/Masters/2010/01/b.jpg",
            package + "/Previews/2010/01/a-edited.jpg"};
}

}  // namespace intakefixtures
