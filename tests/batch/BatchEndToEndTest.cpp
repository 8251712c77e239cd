#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include <QDir>
#include <QFile>
#include <QMap>
#include <QSignalSpy>
#include <QTemporaryDir>

#include "batch/BatchRunner.h"
#include "batch/ExifPhotoWriter.h"
#include "tests/Helper/HelperFixtures.h"
#include "tests/common/EditRecords.h"
#include "tests/common/TestSupport.h"

namespace {

// Real camera files, copied so the run can go beside them too.
const char* const kCameraFiles[] = {"Canon EOS 7D.jpg", "Nikon D5000.jpg", "Apple iPhone 4.jpg",
                                    "Olympus PEN E-P3.jpg"};

class ABatchOverCameraFiles : public ::testing::Test {
  protected:
    virtual QStringList cameraFiles() const { return QStringList(std::begin(kCameraFiles), std::end(kCameraFiles)); }

    void SetUp() override {
        if (testsupport::corpusDir().isEmpty()) GTEST_SKIP() << "the sample photo folder is absent";
        LUMARIND_REQUIRE_EXIFTOOL();
        helperfixtures::installReader();
        QDir().mkpath(sources.filePath("in"));
        for (const QString& name : cameraFiles()) {
            const QString copy = sources.filePath("in/" + name);
            ASSERT_TRUE(QFile::copy(QDir(testsupport::corpusDir()).filePath(name), copy));
            PhotoFile photo = PhotoFile::initWithFileUrl(copy, name, false);
            photo.isSelected = true;
            photos.push_back(photo);
            hashes.push_back(testsupport::fileHash(copy));
        }
    }

    BatchRunRequest request(const MetaDataObject& settings, bool restore = false) {
        BatchRunRequest r;
        r.runList = photos;
        r.settings = settings;
        r.changedFields = settings;
        r.renaming.outputFolderPathName = out.path();
        r.selectedOutputFolder = out.path();
        r.restore = restore;
        return r;
    }

    // Runs to the end and applies the results to the photos, as the editing screen does.
    void run(BatchRunner& runner, BatchRunRequest r) {
        QSignalSpy ended(&runner, &BatchRunner::runEnded);
        ASSERT_TRUE(runner.start(std::move(r)));
        ASSERT_TRUE(ended.wait(120000));
        QList<PhotoFile> batch(photos.begin(), photos.end());
        runner.applyResultsTo(batch);
        photos.assign(batch.begin(), batch.end());
    }

    BatchRunner::Services services(int parallel = 0) {
        BatchRunner::Services s;
        s.writer = ExifPhotoWriter::make();
        s.parallelWrites = parallel;
        return s;
    }

    QTemporaryDir sources;
    QTemporaryDir out;
    std::vector<PhotoFile> photos;
    std::vector<QByteArray> hashes;
};

TEST_F(ABatchOverCameraFiles, writesTheSettingsIntoEveryCopyAndLeavesTheSourcesAlone) {
    BatchRunner runner(services());
    run(runner, request(editrecords::typicalEdit()));
    EXPECT_EQ(runner.state().counterProcessedSuccessfully, static_cast<qint64>(std::size(kCameraFiles)));
    for (std::size_t i = 0; i < photos.size(); ++i) {
        const QString copy = photos[i].processedPath;
        ASSERT_EQ(copy, out.filePath(photos[i].fileName));
        EXPECT_EQ(helperfixtures::exiftoolValue(copy, "Artist"), "Lumarind Test");
        EXPECT_EQ(helperfixtures::exiftoolValue(copy, "Copyright"), "(c) Lumarind Test");
        EXPECT_NEAR(helperfixtures::exiftoolValue(copy, "GPSLatitude").toDouble(), 48.85837, 1e-5);
        EXPECT_NEAR(helperfixtures::exiftoolValue(copy, "GPSLongitude").toDouble(), 2.294481, 1e-5);
        const QDateTime before = QDateTime::fromString(
            helperfixtures::exiftoolValue(photos[i].filePath, "DateTimeOriginal"), "yyyy:MM:dd HH:mm:ss");
        const QDateTime after =
            QDateTime::fromString(helperfixtures::exiftoolValue(copy, "DateTimeOriginal"), "yyyy:MM:dd HH:mm:ss");
        EXPECT_EQ(before.secsTo(after), 3600) << photos[i].fileName.toStdString();
        EXPECT_EQ(testsupport::fileHash(photos[i].filePath), hashes[i]);
    }
}

TEST_F(ABatchOverCameraFiles, erasesAFieldTheUserEmptied) {
    ASSERT_TRUE(helperfixtures::exiftoolWrite(photos[0].filePath, {"-Artist=Someone"}));
    // Changed on disk, so added again.
    photos[0] = PhotoFile::initWithFileUrl(photos[0].filePath, photos[0].fileName, false);
    MetaDataObject settings = editrecords::typicalEdit();
    settings.Artist.clear();
    settings.isupdated_Artist = true;
    BatchRunRequest r = request(settings);
    r.runList = {photos[0]};
    BatchRunner runner(services());
    run(runner, std::move(r));
    ASSERT_EQ(runner.state().counterProcessedSuccessfully, 1);
    EXPECT_EQ(helperfixtures::exiftoolValue(photos[0].processedPath, "Artist"), "");
    EXPECT_EQ(helperfixtures::exiftoolValue(photos[0].processedPath, "Copyright"), "(c) Lumarind Test");
}

// Every sample photo the metadata library writes.
class ABatchOverTheCorpus : public ABatchOverCameraFiles {
  protected:
    QStringList cameraFiles() const override {
        QStringList files;
        for (const QMap<QString, QString>& row : helperfixtures::corpusManifest()) {
            if (row.value("exif") == "Y" && row.value("exiv2_write_rc") == "0") files.append(row.value("file"));
        }
        return files;
    }
};

// What exiftool reads in a file ("[Group] Tag : value" lines), but for what Exiv2 rewrites in every file it
// writes: its own name as the XMP toolkit (with the instance id its toolkit makes of a uuid rdf:about, and an
// empty resource as an empty text), where the image data and thumbnails land, the image-structure tag it
// leaves out of a JPEG's or PSD's first directory, a PNG's EXIF byte order, and the IPTC block it encodes
// anew (datasets in record order, a repeated character set once), whose digest therefore changes although
// no value does: what stays is whether the digest matches the block, which tells readers whether to trust the
// IPTC or its XMP twins. The file's own name, dates and permissions are not its metadata.
QStringList tagsExiv2Keeps(const QString& path) {
    static const QStringList rewritten =
        QString(
            "[XMP-x] XMPToolkit|[XMP-rdf] About|[XMP-xmpMM] InstanceID|[XMP-xmpMM] DerivedFrom|ThumbnailOffset|"
            "StripOffsets|TileOffsets|PreviewImageStart|JpgFromRawStart|[IFD0] PhotometricInterpretation|"
            "[File] ExifByteOrder|[File] CurrentIPTCDigest|[Photoshop] IPTCDigest|[System]|[ExifTool]")
            .split('|');
    QStringList lines = QString::fromUtf8(testsupport::exiftool({"-a", "-G1", "-s", path})).split('\n');
    const auto valueOf = [&lines](const QString& tag) {
        for (const QString& line : lines) {
            if (line.section(':', 0, 0).simplified() == tag) return line.section(':', 1).trimmed();
        }
        return QString();
    };
    const QString digest = valueOf("[Photoshop] IPTCDigest");
    lines.append("IPTC digest: " + QString(digest.isEmpty()                                ? "none"
                                           : digest == valueOf("[File] CurrentIPTCDigest") ? "current"
                                                                                           : "stale"));
    lines.removeIf([](const QString& line) {
        const QString tag = line.section(':', 0, 0).simplified();
        return line.isEmpty() || std::any_of(rewritten.begin(), rewritten.end(), [&tag](const QString& r) {
                   return tag == r || tag.endsWith(' ' + r) || tag.startsWith(r + ' ');
               });
    });
    return lines;
}

// The lines of one list that the other lacks, marked.
QStringList missingFrom(const QStringList& other, const QStringList& lines, const QString& mark) {
    QStringList missing;
    for (const QString& line : lines) {
        if (!other.contains(line)) missing.append(mark + line);
    }
    return missing;
}

TEST_F(ABatchOverTheCorpus, restoresTheOriginalValuesOverTheEarlierCopies) {
    MetaDataObject edit = editrecords::typicalEdit();
    edit.IPTC_Keywords = "harbour, dawn";
    edit.IPTC_City = "Howth";
    editrecords::markFilledFieldsChanged(edit);
    BatchRunner runner(services());
    run(runner, request(edit));
    // Restoring writes, photo by photo, the values the photo held before editing (the form's record for a
    // photo ticked alone): the copy is its source again.
    int restored = 0;
    int equal = 0;
    for (std::size_t i = 0; i < photos.size(); ++i) {
        if (photos[i].processedPath.isEmpty()) continue;  // a format that cannot hold IPTC
        BatchRunRequest r = request(*photos[i].metadataObjectOriginal, true);
        r.runList = {photos[i]};
        run(runner, std::move(r));
        ASSERT_EQ(runner.state().counterProcessedSuccessfully, 1) << photos[i].fileName.toStdString();
        ++restored;
        const QStringList source = tagsExiv2Keeps(photos[i].filePath);
        const QStringList copy = tagsExiv2Keeps(photos[i].processedPath);
        const QStringList differences = missingFrom(copy, source, "source: ") + missingFrom(source, copy, "copy: ");
        EXPECT_EQ(differences, QStringList()) << photos[i].fileName.toStdString();
        equal += differences.isEmpty();
    }
    std::printf("%d of %d restored copies hold every tag of their sources\n", equal, restored);
    EXPECT_GE(restored, 30);
    EXPECT_EQ(QDir(out.path()).entryList(QDir::Files).size(), restored);
}

TEST_F(ABatchOverCameraFiles, stopsMidRunAndWritesNothingAfterThePhotoInHand) {
    BatchRunner::Services s = services(1);
    BatchRunner* runnerPointer = nullptr;
    const PhotoWriter write = s.writer;
    s.writer = [&](const PhotoFile& photo, const WriteRecords& records, const QString& path, bool restore) {
        runnerPointer->stop();  // pressed while the first photo is being written
        return write(photo, records, path, restore);
    };
    BatchRunner runner(s);
    runnerPointer = &runner;
    run(runner, request(editrecords::typicalEdit()));
    EXPECT_EQ(runner.state().counterProcessedSuccessfully, 1);
    EXPECT_EQ(runner.state().counterSkipped, static_cast<qint64>(std::size(kCameraFiles)) - 1);
    EXPECT_EQ(runner.summaryTitle(), "Batch Process Stopped");
    EXPECT_EQ(QDir(out.path()).entryList(QDir::Files).size(), 1);
}

}  // namespace
