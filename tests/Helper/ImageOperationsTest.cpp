// Image sizes, thumbnails, the image information record and the batch item, over real files.
#include "model/ExifInfo.h"
#include "model/MetadataReading.h"
#include "model/PhotoFile.h"
#include "model/Utils.h"
#include "platform/ImageSource.h"
#include "tests/Helper/HelperFixtures.h"
#include "tests/common/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

namespace {

class AnImageFile : public ::testing::Test {
  protected:
    void SetUp() override { helperfixtures::installReader(); }

    QString writeImage(const QString& name, const QSize& size, const char* format) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(QColor(200, 80, 40));
        const QString path = m_dir.filePath(name);
        EXPECT_TRUE(image.save(path, format));
        return path;
    }

    QString turnedJpeg(int orientation) {
        const QString path = writeImage(QStringLiteral("turned%1.jpg").arg(orientation), QSize(400, 300), "JPEG");
        if (!helperfixtures::exiftoolWrite(path, {QStringLiteral("-Orientation#=%1").arg(orientation)})) return {};
        return path;
    }

    QTemporaryDir m_dir;
};

TEST(AnAspectFit, followsTheWidthAlone) {
    const Utils& utils = Utils::sharedUtils();
    EXPECT_EQ(utils.aspectFitSizeWithMaxSize(QSizeF(4000, 3000), 96), QSizeF(96, 72));
    EXPECT_EQ(utils.aspectFitSizeWithMaxSize(QSizeF(50, 40), 96), QSizeF(96, float(96.0f / 50.0f) * 40.0f));
}

TEST_F(AnImageFile, givesThumbnailsFittedToTheBoxWidth) {
    const Utils& utils = Utils::sharedUtils();
    const QString large = writeImage("large.jpg", QSize(4000, 3000), "JPEG");
    EXPECT_EQ(utils.getThumbnailImageAtFilePath(large, QSizeF(96, 70)).size(), QSize(96, 72));
    const QString small = writeImage("small.png", QSize(50, 40), "PNG");
    EXPECT_EQ(utils.getThumbnailImageAtFilePath(small, QSizeF(96, 70)).size(), QSize(50, 40));
    EXPECT_EQ(utils.getThumbnailImageAtFilePath(small, QSizeF(96, 30)).size(), QSize(96, 77));
    const QString tiff = writeImage("page.tiff", QSize(800, 600), "TIFF");
    EXPECT_EQ(utils.getThumbnailImageAtFilePath(tiff, QSizeF(120, 90)).size(), QSize(120, 90));
}

TEST_F(AnImageFile, putsTheThumbnailOnWhite) {
    QImage clear(QSize(40, 40), QImage::Format_ARGB32);
    clear.fill(Qt::transparent);
    const QString path = m_dir.filePath("clear.png");
    ASSERT_TRUE(clear.save(path, "PNG"));
    const QImage thumbnail = Utils::sharedUtils().getThumbnailImageAtFilePath(path, QSizeF(96, 70));
    EXPECT_EQ(thumbnail.pixelColor(10, 10), QColor(Qt::white));
}

TEST_F(AnImageFile, turnsAQuarterTurnedPictureUpright) {
    LUMARIND_REQUIRE_EXIFTOOL();
    const QString path = turnedJpeg(6);
    ASSERT_FALSE(path.isEmpty());
    EXPECT_EQ(Utils::sharedUtils().getImageOriginalSizeAtFilePathUrl(path), QSizeF(300, 400));
    EXPECT_EQ(Utils::sharedUtils().getThumbnailImageAtFilePath(path, QSizeF(96, 70)).size(), QSize(96, 128));
    const ExifInfo info = ExifInfo::initWithFile(path);
    EXPECT_EQ(info.imageSize, "400 x 300");
    EXPECT_EQ(info.imageSizeToDisplay, "300 x 400");
    EXPECT_EQ(info.orientation, 6);
}

TEST_F(AnImageFile, givesTheFileIconWhenItHasNoSize) {
    const QString path = m_dir.filePath("notes.txt");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a picture");
    file.close();
    const QImage icon = Utils::sharedUtils().getThumbnailImageAtFilePath(path, QSizeF(96, 70));
    EXPECT_EQ(icon.size(), QSize(96, 70));
    EXPECT_EQ(icon.pixelColor(0, 0).alpha(), 0) << "the icon is not put on white";
}

TEST_F(AnImageFile, decodesALargeJpegAtAReducedScale) {
    const QString path = writeImage("huge.jpg", QSize(6000, 4000), "JPEG");
    const int previousLimit = QImageReader::allocationLimit();
    // 16 MB holds a scaled decode but not the 96 MB of the whole picture.
    QImageReader::setAllocationLimit(16);
    const QImage thumbnail = Utils::sharedUtils().getThumbnailImageAtFilePath(path, QSizeF(96, 70));
    const QImage whole = platform::ImageSource::image(path);
    QImageReader::setAllocationLimit(previousLimit);
    EXPECT_EQ(thumbnail.size(), QSize(96, 64));
    EXPECT_TRUE(whole.isNull()) << "the limit must be low enough to refuse the whole picture";
}

TEST_F(AnImageFile, showsARawFileThroughItsEmbeddedPreview) {
    if (testsupport::corpusDir().isEmpty()) GTEST_SKIP() << "the sample camera files (corpus A) are absent";
    const QString path = QDir(testsupport::corpusDir()).filePath("Canon-R6-pruned.CR3");
    const QImage thumbnail = Utils::sharedUtils().getThumbnailImageAtFilePath(path, QSizeF(96, 70));
    EXPECT_EQ(thumbnail.size(), QSize(96, 64));
    EXPECT_NE(thumbnail.pixelColor(48, 32), QColor(Qt::white)) << "the preview's picture is drawn";
}

TEST_F(AnImageFile, readsEpsAndPictSizesFromTheirHeaders) {
    const QString eps = m_dir.filePath("drawing.eps");
    QFile epsFile(eps);
    ASSERT_TRUE(epsFile.open(QIODevice::WriteOnly));
    epsFile.write("%!PS-Adobe-3.0 EPSF-3.0\n%%BoundingBox: 10 20 310 520\n%%EndComments\n");
    epsFile.close();
    EXPECT_EQ(platform::ImageSource::epsSize(eps), QSizeF(300, 500));
    EXPECT_EQ(Utils::sharedUtils().vectorImageSize(eps), QSizeF(300, 500));

    QByteArray pict(512, '\0');
    const qint16 frame[] = {0, 0, 0, 200, 320, 0x0011, 0x02FF};  // size, top, left, bottom, right, version
    for (qint16 word : frame) {
        const qint16 big = qToBigEndian(word);
        pict.append(reinterpret_cast<const char*>(&big), 2);
    }
    const QString pct = m_dir.filePath("old.PCT");
    QFile pictFile(pct);
    ASSERT_TRUE(pictFile.open(QIODevice::WriteOnly));
    pictFile.write(pict);
    pictFile.close();
    EXPECT_EQ(platform::ImageSource::pictSize(pct), QSizeF(320, 200));
    EXPECT_FALSE(Utils::sharedUtils().vectorImageSize(m_dir.filePath("drawing.Eps")).has_value());
}

TEST_F(AnImageFile, becomesABatchItemWithItsNamesAndUprightSize) {
    LUMARIND_REQUIRE_EXIFTOOL();
    const QString path = turnedJpeg(6);
    ASSERT_FALSE(path.isEmpty());
    ASSERT_TRUE(helperfixtures::exiftoolWrite(path, {"-Artist=Ann"}));
    PhotoFile photo = PhotoFile::initWithFileUrl(path, "Shown name", false);
    EXPECT_EQ(photo.fileName, "turned6.jpg");
    EXPECT_EQ(photo.fileExtension, "jpg");
    EXPECT_EQ(photo.fileURL, path);
    EXPECT_EQ(photo.fileContainerFolderName, QFileInfo(m_dir.path()).fileName());
    EXPECT_EQ(photo.originalFileName, "Shown name");
    EXPECT_EQ(photo.width, 300);
    EXPECT_EQ(photo.height, 400);
    ASSERT_TRUE(photo.metadataObject && photo.metadataObjectOriginal);
    EXPECT_EQ(photo.metadataObjectOriginal->Artist, "Ann");
    EXPECT_TRUE(photo.metadataObject.sharesWith(photo.metadataObjectOriginal));
    photo.metadataObject.edit().Artist = "Changed";
    EXPECT_EQ(photo.metadataObjectOriginal->Artist, "Ann");
    EXPECT_FALSE(photo.metadataObject.sharesWith(photo.metadataObjectOriginal));
}

TEST_F(AnImageFile, keepsItsSizeWhenOrientationOneOrFour) {
    LUMARIND_REQUIRE_EXIFTOOL();
    for (int orientation : {1, 4}) {
        const PhotoFile photo = PhotoFile::initWithFileUrl(turnedJpeg(orientation), "x", false);
        EXPECT_EQ(photo.width, 400) << orientation;
        EXPECT_EQ(photo.height, 300) << orientation;
    }
}

TEST(ABatchItem, takesItsNamesFromThePath) {
    helperfixtures::installReader();
    const PhotoFile photo = PhotoFile::initWithFileUrl("/Volumes/Card/DCIM/IMG_1.JPG", "IMG_1.JPG", false);
    EXPECT_EQ(photo.fileName, "IMG_1.JPG");
    EXPECT_EQ(photo.fileExtension, "JPG");
    EXPECT_EQ(photo.fileContainerFolderName, "DCIM");
    EXPECT_EQ(photo.width, 0);
    EXPECT_EQ(photo.height, 0);
    EXPECT_TRUE(photo.metadataObject.has_value());
    EXPECT_EQ(PhotoFile::initWithFileUrl("/photo.jpg", "p", false).fileContainerFolderName, "/");
}

TEST(AnImageInformationRecord, formatsItsDisplayTexts) {
    ExifInfo info;
    info.resetAllWithDict(QVariantMap{
        {"PixelHeight", 3000},
        {"DPIWidth", 72.0},
        {"DPIHeight", 300.0},
        {"{Exif}", QVariantMap{{"ISOSpeedRatings", QVariantList{100, 200}},
                               {"ExposureBiasValue", -1.0 / 3},
                               {"FocalLength", 4.2},
                               {"Flash", 16},
                               {"DateTimeOriginal", "2019:07:10 08:30:00"}}},
    });
    EXPECT_EQ(info.imageSize, "(null) x 3000");
    EXPECT_EQ(info.pixelWidth, 0);
    EXPECT_EQ(info.imageDPI, "72.0 x 300.0");
    EXPECT_EQ(info.isoSpeedRating, "100,200");
    EXPECT_EQ(info.exposureBias, "-0.33 EV");
    EXPECT_EQ(info.focalLength, "4.2 mm");
    EXPECT_TRUE(info.flashFired);
    EXPECT_TRUE(info.captureDate.has_value());
    EXPECT_EQ(info.orientation, 0) << "no {TIFF} group";
}

TEST(AnImageInformationRecord, leavesTheResolutionUnsetWithOnlyOneValue) {
    ExifInfo info;
    info.resetAllWithDict(QVariantMap{{"DPIWidth", 72.0}});
    EXPECT_TRUE(info.imageDPI.isNull());
    EXPECT_EQ(info.dpiWidth, 0);
    info.resetAllWithDict(std::nullopt);
    EXPECT_EQ(info.imageSize, "(null) x (null)");
}

}  // namespace

namespace {

TEST_F(AnImageFile, withAnEmptyResolutionEntryKeepsItsSizeAndSkipsTheResolution) {
    if (!helperfixtures::exiftoolAvailable()) GTEST_SKIP() << "exiftool is not installed";
    const QString path = helperfixtures::makeJpegWithEmptyResolution(m_dir.path(), "damaged.jpg");
    ASSERT_FALSE(path.isEmpty());
    const std::optional<QVariantMap> properties = MetadataReading::shared()->imageProperties(path);
    ASSERT_TRUE(properties);
    EXPECT_EQ(properties->value("PixelWidth").toInt(), 64);
    EXPECT_FALSE(properties->contains("DPIWidth"));
}

}  // namespace
