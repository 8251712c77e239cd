// Photos read and written side by side must come out exactly as when each is handled alone: the metadata
// library keeps process-wide state, so this holds only because every photo goes through a worker process.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtConcurrent>

#include "batch/BatchRunner.h"
#include "batch/ExifPhotoWriter.h"
#include "model/RecordTransfer.h"
#include "tests/Helper/HelperFixtures.h"
#include "tests/common/TestSupport.h"

namespace {

// Real camera JPEGs that carry XMP packets of their own.
const char* const kXmpPhotos[] = {"Canon EOS 7D.jpg", "FurnaceCreekInn.jpg", "Nikon D5000.jpg", "Reagan.jpg"};
constexpr int kCopiesEach = 52;

MetaDataObject editsTouchingXmp() {
    MetaDataObject settings;
    const auto edit = [&settings](QString MetaDataObject::*field, bool MetaDataObject::*flag, const char* value) {
        settings.*field = QString::fromUtf8(value);
        settings.*flag = true;
    };
    edit(&MetaDataObject::Artist, &MetaDataObject::isupdated_Artist, "Parallel Test");
    edit(&MetaDataObject::GPS_Lattitude, &MetaDataObject::isupdated_GPS_Lattitude, "35.6586");
    edit(&MetaDataObject::GPS_LattitudeRef, &MetaDataObject::isupdated_GPS_LattitudeRef, "N");
    edit(&MetaDataObject::GPS_Longitude, &MetaDataObject::isupdated_GPS_Longitude, "139.7454");
    edit(&MetaDataObject::GPS_LongitudeRef, &MetaDataObject::isupdated_GPS_LongitudeRef, "E");
    edit(&MetaDataObject::XMP_SerialNumber, &MetaDataObject::isupdated_XMP_SerialNumber, "SN-4711");
    edit(&MetaDataObject::IPTC_City, &MetaDataObject::isupdated_IPTC_City, "Tōkyō");
    return settings;
}

// Every key, type, count and value of each file, as the exiv2 tool prints them, keyed by file.
QMap<QString, QByteArray> metadataListings(const QStringList& paths) {
    QProcess exiv2;
    exiv2.start(QStringLiteral("exiv2"), QStringList{"-q", "-pa"} + paths);
    exiv2.waitForFinished(120000);
    QMap<QString, QByteArray> listings;
    for (const QByteArray& line : exiv2.readAllStandardOutput().split('\n')) {
        for (const QString& path : paths) {
            const QByteArray prefix = QFile::encodeName(path);
            if (line.startsWith(prefix)) {
                listings[path] += line.mid(prefix.size()).trimmed() + '\n';
                break;
            }
        }
    }
    return listings;
}

class PhotosSideBySide : public ::testing::Test {
  protected:
    void SetUp() override {
        if (testsupport::corpusDir().isEmpty()) GTEST_SKIP() << "the sample photo folder is absent";
        if (QStandardPaths::findExecutable("exiv2").isEmpty()) GTEST_SKIP() << "the exiv2 tool is not installed";
        helperfixtures::installReader();
        QDir().mkpath(work.filePath("single"));
        QDir().mkpath(work.filePath("many"));
        for (int kind = 0; kind < int(std::size(kXmpPhotos)); ++kind) {
            const QString original = QDir(testsupport::corpusDir()).filePath(kXmpPhotos[kind]);
            const QString single = work.filePath(QStringLiteral("single/photo%1.jpg").arg(kind));
            ASSERT_TRUE(QFile::copy(original, single));
            singles.append(single);
            for (int copy = 0; copy < kCopiesEach; ++copy) {
                const QString path = work.filePath(QStringLiteral("many/photo%1-%2.jpg").arg(kind).arg(copy));
                ASSERT_TRUE(QFile::copy(original, path));
                many.append(path);
                kindOf.append(kind);
            }
        }
    }

    static std::vector<PhotoFile> photosAt(const QStringList& paths) {
        std::vector<PhotoFile> photos;
        for (const QString& path : paths) {
            photos.push_back(PhotoFile::initWithFileUrl(path, QFileInfo(path).fileName(), false));
            photos.back().isSelected = true;
        }
        return photos;
    }

    // Runs one batch at the default number of writers; answers the copies in run order.
    static QStringList runBatch(std::vector<PhotoFile> photos, const QString& output) {
        QDir().mkpath(output);
        BatchRunner::Services services;
        services.writer = ExifPhotoWriter::make();
        BatchRunner runner(services);
        QStringList copies;
        QObject::connect(&runner, &BatchRunner::photoHandled, [&](const BatchPhotoResult& result) {
            EXPECT_EQ(result.errorFlag, 0) << result.errorMsg.toStdString();
            copies.append(result.processedPath);
        });
        QSignalSpy ended(&runner, &BatchRunner::runEnded);
        BatchRunRequest request;
        request.runList = std::move(photos);
        request.settings = request.changedFields = editsTouchingXmp();
        request.renaming.outputFolderPathName = output;
        request.selectedOutputFolder = output;
        EXPECT_TRUE(runner.start(std::move(request)));
        EXPECT_TRUE(ended.wait(300000));
        return copies;
    }

    QTemporaryDir work;
    QStringList singles;
    QStringList many;
    QList<int> kindOf;
};

TEST_F(PhotosSideBySide, writtenTogetherEqualTheCopyWrittenAlone) {
    QStringList alone;
    for (const QString& single : singles)
        alone += runBatch(photosAt({single}), work.filePath("alone-" + QFileInfo(single).baseName()));
    ASSERT_EQ(alone.size(), singles.size());
    const QStringList together = runBatch(photosAt(many), work.filePath("together"));
    ASSERT_EQ(together.size(), many.size());

    const QMap<QString, QByteArray> expected = metadataListings(alone);
    const QMap<QString, QByteArray> actual = metadataListings(together);
    int mismatches = 0;
    for (int i = 0; i < together.size(); ++i) {
        const QByteArray& want = expected.value(alone[kindOf[i]]);
        ASSERT_FALSE(want.isEmpty());
        if (actual.value(together[i]) != want) ++mismatches;
    }
    EXPECT_EQ(mismatches, 0) << "of " << together.size() << " copies";
}

TEST_F(PhotosSideBySide, readOnAllCoresEqualOneAtATime) {
    std::vector<QJsonObject> oneByOne;
    for (const QString& path : many) {
        const PhotoFile photo = PhotoFile::initWithFileUrl(path, QFileInfo(path).fileName(), false);
        oneByOne.push_back(RecordTransfer::fields(*photo.metadataObject));
        ASSERT_FALSE(oneByOne.back().isEmpty()) << path.toStdString();
    }
    const QList<QJsonObject> together = QtConcurrent::blockingMapped(many, [](const QString& path) {
        return RecordTransfer::fields(
            *PhotoFile::initWithFileUrl(path, QFileInfo(path).fileName(), false).metadataObject);
    });
    int mismatches = 0;
    for (int i = 0; i < many.size(); ++i) mismatches += together[i] != oneByOne[std::size_t(i)] ? 1 : 0;
    EXPECT_EQ(mismatches, 0) << "of " << many.size() << " photos";
}

}  // namespace
