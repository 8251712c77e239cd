// The write's frame: source and access checks, target choice, copy, restore and the answers.
#include "Helper/ExifWriter.h"
#include "tests/Helper/WriterFixtures.h"
#include "tests/common/TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using namespace writerfixtures;

namespace {

// Stands in for the disk where a test needs the file system to say no.
class RefusingFiles : public platform::FileManager {
  public:
    QString unreadable;
    QString locked;
    QString unwritable;
    QString hidden;  // said not to exist, although it does
    bool copyRunsOutOfSpace = false;

    bool fileExists(const QString& path) const override { return path != hidden && FileManager::fileExists(path); }
    bool isNameTaken(const QString& path) const override { return path != hidden && FileManager::isNameTaken(path); }
    bool isReadable(const QString& path) const override { return path != unreadable && FileManager::isReadable(path); }
    bool isWritable(const QString& path) const override { return path != unwritable && FileManager::isWritable(path); }
    bool isLocked(const QString& path) const override { return path == locked || FileManager::isLocked(path); }
    bool writeFile(const QString& target, QByteArrayView bytes, const NewFile& file, QString* error,
                   platform::FileRest rest) override {
        if (!copyRunsOutOfSpace) return FileManager::writeFile(target, bytes, file, error, rest);
        // A full disk: the real write removes what it created and says why (see the file manager's tests).
        if (error) *error = QStringLiteral("Could not write the copy: No space left on device");
        return false;
    }
};

ExifWriteResult write(const QString& source, const QString& newPath, MetaDataObject settings = {},
                      platform::FileManager& files = platform::FileManager::defaultManager()) {
    return ExifWriter::sharedInstance().writeMetaDataToFilePath(photoAt(source), settings, newPath, MetaDataObject(),
                                                                false, files);
}

MetaDataObject withArtist(const QString& artist) {
    MetaDataObject settings;
    settings.Artist = artist;
    return settings;
}

class AProcessedCopy : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    QString out() const { return dir.filePath("out"); }
    void SetUp() override { QDir().mkpath(out()); }
};

}  // namespace

TEST_F(AProcessedCopy, isWrittenBesideAnUntouchedSource) {
    const QString source = seededPhoto(dir.path(), "photo.jpg", Format::Jpeg);
    const QByteArray before = testsupport::fileHash(source);
    const QString target = out() + "/photo.jpg";

    const ExifWriteResult result = write(source, target, withArtist("New Artist"));

    EXPECT_EQ(result.errorFlag, ExifWriteSucceeded);
    EXPECT_EQ(result.errorMsg, "Processed Successfully");
    EXPECT_EQ(result.processedPath, target);
    EXPECT_EQ(testsupport::fileHash(source), before);
    EXPECT_EQ(exiftoolTags(target).value("IFD0:Artist").toString(), "New Artist");
    EXPECT_EQ(exiftoolTags(source).value("IFD0:Artist").toString(), "Original Artist");
}

TEST_F(AProcessedCopy, isNotMadeWhenTheSourceIsMissing) {
    const ExifWriteResult result = write(dir.filePath("gone.jpg"), out() + "/gone.jpg");
    EXPECT_EQ(result.errorFlag, ExifWriteSourceMissing);
    EXPECT_EQ(result.errorMsg, "This photo is not available at the Source location.");
    EXPECT_FALSE(result.processedPath.has_value());
    EXPECT_TRUE(QDir(out()).isEmpty());
}

// A file, or a link that leads nowhere, takes the name as much.
TEST_F(AProcessedCopy, takesACollisionFreeNameWhenTheNewPathIsTaken) {
    const QString source = seededPhoto(dir.path(), "photo.jpg", Format::Jpeg);
    const QString taken = helperfixtures::makeJpeg(out(), "photo.jpg", QSize(8, 8));
    const QByteArray takenHash = testsupport::fileHash(taken);
    ASSERT_TRUE(QFile::link(dir.filePath("nowhere.jpg"), out() + "/link.jpg"));

    const ExifWriteResult result = write(source, taken, withArtist("New Artist"));
    const ExifWriteResult besideTheLink = write(source, out() + "/link.jpg", withArtist("New Artist"));

    EXPECT_EQ(result.errorFlag, ExifWriteSucceeded);
    EXPECT_EQ(result.processedPath, out() + "/photo (1).jpg");
    EXPECT_EQ(testsupport::fileHash(taken), takenHash);
    EXPECT_EQ(besideTheLink.errorFlag, ExifWriteSucceeded) << besideTheLink.errorMsg.toStdString();
    EXPECT_EQ(besideTheLink.processedPath, out() + "/link (1).jpg");
    EXPECT_EQ(QFileInfo(out() + "/link.jpg").symLinkTarget(), dir.filePath("nowhere.jpg"));
}

TEST_F(AProcessedCopy, ofAPhotoWithoutExifIsRefusedAndRemoved) {
    const QString source = helperfixtures::makeJpeg(dir.path(), "plain.jpg", QSize(8, 8));
    const ExifWriteResult result = write(source, out() + "/plain.jpg");
    EXPECT_EQ(result.errorFlag, ExifWriteFailed);
    EXPECT_EQ(result.errorMsg, "Unsupported image");
    EXPECT_FALSE(QFile::exists(out() + "/plain.jpg"));
}

TEST_F(AProcessedCopy, ofADamagedFileAnswersExiv2sReasonAndLeavesNoFile) {
    const QString source = dir.filePath("damaged.jpg");
    QFile file(source);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("this is not a photo at all");
    file.close();

    const ExifWriteResult result = write(source, out() + "/damaged.jpg");

    EXPECT_EQ(result.errorFlag, ExifWriteFailed);
    EXPECT_FALSE(result.errorMsg.isEmpty());
    EXPECT_NE(result.errorMsg, "Processed Successfully");
    EXPECT_FALSE(QFile::exists(out() + "/damaged.jpg"));
}

TEST_F(AProcessedCopy, thatRunsOutOfSpaceAnswers2AndLeavesNothing) {
    const QString source = seededPhoto(dir.path(), "photo.jpg", Format::Jpeg);
    RefusingFiles files;
    files.copyRunsOutOfSpace = true;

    const ExifWriteResult result = write(source, out() + "/photo.jpg", withArtist("A"), files);

    EXPECT_EQ(result.errorFlag, ExifWriteFailed);
    EXPECT_TRUE(result.errorMsg.contains("No space left on device")) << result.errorMsg.toStdString();
    EXPECT_FALSE(result.processedPath.has_value());
    EXPECT_TRUE(QDir(out()).isEmpty());
}

TEST_F(AProcessedCopy, neverWritesIntoAFileThatAppearedAtTheTarget) {
    const QString source = seededPhoto(dir.path(), "photo.jpg", Format::Jpeg);
    const QString appeared = helperfixtures::makeJpeg(out(), "photo.jpg", QSize(8, 8));
    const QByteArray appearedHash = testsupport::fileHash(appeared);
    RefusingFiles files;
    files.hidden = appeared;

    const ExifWriteResult result = write(source, appeared, withArtist("A"), files);

    EXPECT_EQ(result.errorFlag, ExifWriteFailed);
    EXPECT_FALSE(result.processedPath.has_value());
    EXPECT_EQ(testsupport::fileHash(appeared), appearedHash);
}

TEST_F(AProcessedCopy, ofALockedSourceIsRefusedEvenWhenTheFolderIsRefusedToo) {
    const QString source = seededPhoto(dir.path(), "photo.jpg", Format::Jpeg);
    RefusingFiles files;
    files.locked = source;
    files.unwritable = out();

    const ExifWriteResult result = write(source, out() + "/photo.jpg", withArtist("A"), files);

    EXPECT_EQ(result.errorFlag, ExifWriteAccessDenied);
    EXPECT_EQ(result.errorMsg, "Access denied to source file");
    EXPECT_FALSE(result.processedPath.has_value());
    EXPECT_TRUE(QDir(out()).isEmpty());
}

TEST_F(AProcessedCopy, ofAnUnreadableSourceIsRefused) {
    const QString source = seededPhoto(dir.path(), "photo.jpg", Format::Jpeg);
    RefusingFiles files;
    files.unreadable = source;
    const ExifWriteResult result = write(source, out() + "/photo.jpg", withArtist("A"), files);
    EXPECT_EQ(result.errorFlag, ExifWriteAccessDenied);
    EXPECT_EQ(result.errorMsg, "Access denied to source file");
}

TEST_F(AProcessedCopy, needsOnlyAReadableSource) {
    const QString source = seededPhoto(dir.path(), "photo.jpg", Format::Jpeg);
    RefusingFiles files;
    files.unwritable = source;
    EXPECT_EQ(write(source, out() + "/photo.jpg", withArtist("A"), files).errorFlag, ExifWriteSucceeded);
}

TEST_F(AProcessedCopy, isRefusedForAMissingOrUnwritableFolder) {
    const QString source = seededPhoto(dir.path(), "photo.jpg", Format::Jpeg);
    const ExifWriteResult missing = write(source, dir.filePath("no/such/folder/photo.jpg"));
    EXPECT_EQ(missing.errorFlag, ExifWriteAccessDenied);
    EXPECT_EQ(missing.errorMsg, "The destination folder does not exist");

    RefusingFiles files;
    files.unwritable = out();
    EXPECT_EQ(write(source, out() + "/photo.jpg", {}, files).errorFlag, ExifWriteAccessDenied);
    EXPECT_TRUE(QDir(out()).isEmpty());
}

TEST_F(AProcessedCopy, leavesTheCallersRecordsAndPhotoAlone) {
    const QString source = seededPhoto(dir.path(), "photo.jpg", Format::Jpeg);
    const PhotoFile photo = photoAt(source);
    MetaDataObject settings;
    settings.CamSetting_FNumber = "5,6";
    settings.isupdated_CamSetting_FNumber = true;

    const ExifWriteResult result =
        ExifWriter::sharedInstance().writeMetaDataToFilePath(photo, settings, out() + "/photo.jpg", settings, false);

    EXPECT_EQ(settings.CamSetting_FNumber, "5,6");
    EXPECT_TRUE(photo.processedPath.isEmpty());
    EXPECT_EQ(result.processedPath, out() + "/photo.jpg");
    EXPECT_DOUBLE_EQ(exiftoolTags(out() + "/photo.jpg").value("ExifIFD:FNumber").toDouble(), 5.6);
}

// ---- Restore ----

class ARestore : public AProcessedCopy {
  protected:
    ExifWriteResult restore(const PhotoFile& photo, const MetaDataObject& settings,
                            platform::FileManager& files = platform::FileManager::defaultManager()) {
        return ExifWriter::sharedInstance().writeMetaDataToFilePath(photo, settings, out() + "/unused.jpg",
                                                                    MetaDataObject(), true, files);
    }
};

TEST_F(ARestore, rewritesTheEarlierOutputAtTheSamePath) {
    const QString source = seededPhoto(dir.path(), "photo.jpg", Format::Jpeg);
    PhotoFile photo = photoAt(source);
    const ExifWriteResult first = write(source, out() + "/photo.jpg", withArtist("Edited"));
    ASSERT_EQ(first.errorFlag, ExifWriteSucceeded);
    photo.processedPath = *first.processedPath;

    const ExifWriteResult restored = restore(photo, *photo.metadataObjectOriginal);

    EXPECT_EQ(restored.errorFlag, ExifWriteSucceeded);
    EXPECT_EQ(restored.processedPath, first.processedPath);
    EXPECT_EQ(exiftoolTags(*first.processedPath).value("IFD0:Artist").toString(), "Original Artist");
    EXPECT_FALSE(QFile::exists(out() + "/unused.jpg"));
    EXPECT_FALSE(QFile::exists(out() + "/photo (1).jpg"));
}

TEST_F(ARestore, neverReplacesThePhotoItself) {
    const QString source = seededPhoto(dir.path(), "photo.jpg", Format::Jpeg);
    const QByteArray before = testsupport::fileHash(source);
    QFile::link(source, out() + "/link.jpg");
    for (const QString& earlier :
         {source, dir.path() + "/../" + QDir(dir.path()).dirName() + "/photo.jpg", out() + "/link.jpg", QString()}) {
        PhotoFile photo = photoAt(source);
        photo.processedPath = earlier;
        const ExifWriteResult result = restore(photo, withArtist("Restored"));
        EXPECT_EQ(result.errorFlag, ExifWriteAccessDenied) << earlier.toStdString();
        EXPECT_EQ(result.errorMsg, "Access denied to destination folder");
        EXPECT_EQ(testsupport::fileHash(source), before);
    }
}

TEST_F(ARestore, neverRemovesAFolder) {
    const QString source = seededPhoto(dir.path(), "photo.jpg", Format::Jpeg);
    QDir().mkpath(out() + "/folder.jpg/inner");
    PhotoFile photo = photoAt(source);
    photo.processedPath = out() + "/folder.jpg";
    EXPECT_EQ(restore(photo, withArtist("Restored")).errorFlag, ExifWriteAccessDenied);
    EXPECT_TRUE(QFileInfo(out() + "/folder.jpg/inner").isDir());
}

TEST_F(ARestore, keepsTheEarlierOutputWhenTheChecksFail) {
    const QString source = seededPhoto(dir.path(), "photo.jpg", Format::Jpeg);
    PhotoFile photo = photoAt(source);
    photo.processedPath = *write(source, out() + "/photo.jpg", withArtist("Edited")).processedPath;
    const QByteArray earlier = testsupport::fileHash(photo.processedPath);
    RefusingFiles files;
    files.locked = source;

    EXPECT_EQ(restore(photo, withArtist("Restored"), files).errorFlag, ExifWriteAccessDenied);
    EXPECT_EQ(testsupport::fileHash(photo.processedPath), earlier);
}

// ---- The access a copy gets ----

TEST_F(AProcessedCopy, getsTheSourcesAccessThroughTheUmaskPlusOwnerWrite) {
    const struct {
        const char* name;
        mode_t source, umask, copy;
    } rows[] = {{"ordinary", 0644, 022, 0644},
                {"worldWritable", 0666, 022, 0644},
                {"everything", 0777, 022, 0755},
                {"setUserId", 04755, 022, 0755},
                {"setGroupIdAndSticky", 03775, 002, 0755},
                {"readOnly", 0444, 022, 0644},
                {"privateUmask", 0777, 077, 0700},
                {"openUmask", 0666, 000, 0644}};
    const QString source = seededPhoto(dir.path(), "photo.jpg", Format::Jpeg);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const QString copy = out() + '/' + row.name + ".jpg";
        ASSERT_EQ(::chmod(QFile::encodeName(source).constData(), row.source), 0);
        const mode_t umask = ::umask(row.umask);
        const ExifWriteResult result = write(source, copy, withArtist("A"));
        ::umask(umask);
        ASSERT_EQ(result.errorFlag, ExifWriteSucceeded);
        struct stat written {};
        ASSERT_EQ(::stat(QFile::encodeName(copy).constData(), &written), 0);
        EXPECT_EQ(written.st_mode & 07777, row.copy) << std::oct << (written.st_mode & 07777);
    }
}

// ---- Messages ----

TEST(AnExiv2Message, losesTheLibraryFileOpeningWording) {
    EXPECT_EQ(
        ExifWriteResult::cleanedExiv2Message("/x/a.jpg: Failed to open the data source: Too many links (errno = 63)"),
        "/x/a.jpg: Too many links.");
    EXPECT_EQ(ExifWriteResult::cleanedExiv2Message("Failed to open file (w+b): /x/a.jpg"), " /x/a.jpg");
    EXPECT_EQ(ExifWriteResult::cleanedExiv2Message("Writing to RAF images is not supported"),
              "Writing to RAF images is not supported");
}

// ---- Real permissions, which only an unprivileged user meets ----

namespace {

void checkRealPermissions() {
    QTemporaryDir dir(QDir::tempPath() + "/lumarind-unprivileged-XXXXXX");
    ASSERT_TRUE(dir.isValid());
    const QString source = seededPhoto(dir.path(), "photo.jpg", Format::Jpeg);
    QDir().mkpath(dir.filePath("out"));

    QFile::setPermissions(source, QFileDevice::ReadOwner);
    EXPECT_EQ(write(source, dir.filePath("out/readonly.jpg"), withArtist("A")).errorFlag, ExifWriteSucceeded)
        << "a read-only source is still copied";

    QFile::setPermissions(dir.filePath("out"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const ExifWriteResult folder = write(source, dir.filePath("out/photo.jpg"), withArtist("A"));
    EXPECT_EQ(folder.errorFlag, ExifWriteAccessDenied);
    EXPECT_EQ(folder.errorMsg, "Access denied to destination folder");
    QFile::setPermissions(dir.filePath("out"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    QFile::setPermissions(source, QFileDevice::Permissions());
    const ExifWriteResult unreadable = write(source, dir.filePath("out/photo.jpg"), withArtist("A"));
    EXPECT_EQ(unreadable.errorFlag, ExifWriteAccessDenied);
    EXPECT_EQ(unreadable.errorMsg, "Access denied to source file");
    QFile::setPermissions(source, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

}  // namespace

TEST(AnUnprivilegedWrite, meetsTheRealPermissions) {
    if (::geteuid() != 0) {
        checkRealPermissions();
        return;
    }
    const testsupport::UnprivilegedRun child =
        testsupport::runTestAsUnprivilegedUser("AnUnprivilegedWrite.meetsTheRealPermissions");
    if (!child.available) GTEST_SKIP() << "cannot run as an unprivileged user here: " << child.output.toStdString();
    EXPECT_TRUE(child.passed) << child.output.toStdString();
}
