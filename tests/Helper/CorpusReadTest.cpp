// Every real camera file of the corpus reads without crash, with exiftool's pixel size and camera.
#include "model/MetaDataObject.h"
#include "model/MetadataKeyTable.h"
#include "model/PhotoFile.h"
#include "model/Utils.h"
#include "tests/Helper/HelperFixtures.h"
#include "tests/common/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace {

struct CorpusFile {
    QString name;
    bool exiv2Reads = false;
};

std::vector<CorpusFile> corpusFiles() {
    std::vector<CorpusFile> files;
    for (const QMap<QString, QString>& row : helperfixtures::corpusManifest())
        files.push_back({row.value("file"), row.value("exiv2_read") == "ok"});
    return files;
}

// exiftool's view of every corpus file in one run: {SourceFile, Make, Model, ImageWidth, ImageHeight}.
QMap<QString, QJsonObject> exiftoolView() {
    QMap<QString, QJsonObject> view;
    const QString folder = testsupport::corpusDir();
    const QByteArray json =
        testsupport::exiftool({"-json", "-n", "-charset", "UTF8", "-Make", "-Model", "-Composite:ImageSize", folder});
    for (const QJsonValue& entry : QJsonDocument::fromJson(json).array()) {
        const QJsonObject object = entry.toObject();
        view.insert(QFileInfo(object.value("SourceFile").toString()).fileName(), object);
    }
    return view;
}

// Raw formats whose full pixel size lives in a maker-specific header that neither Exiv2 0.27 nor Qt reads:
// a RAF reports its embedded JPEG's size, an X3F is no image to either of them.
const QStringList kSizeUnknownToExiv2 = {"FujiFilm.raf", "Sigma.x3f"};

class ACorpusPhoto : public ::testing::Test {
  protected:
    void SetUp() override {
        if (testsupport::corpusDir().isEmpty()) GTEST_SKIP() << "the sample camera files (corpus A) are absent";
        helperfixtures::installReader();
    }
};

TEST_F(ACorpusPhoto, readsEveryFileWithoutCrashing) {
    for (const CorpusFile& file : corpusFiles()) {
        const QString path = QDir(testsupport::corpusDir()).filePath(file.name);
        const PhotoFile photo = PhotoFile::initWithFileUrl(path, file.name, false);
        ASSERT_TRUE(photo.metadataObject.has_value()) << file.name.toStdString();
        EXPECT_EQ(photo.fileName, file.name);
    }
}

TEST_F(ACorpusPhoto, readsDamagedFilesExiv2RefusesAsPhotosWithoutMetadata) {
    for (const CorpusFile& file : corpusFiles()) {
        if (file.exiv2Reads) continue;
        const MetaDataObject record = MetaDataObject::initWithFile(QDir(testsupport::corpusDir()).filePath(file.name));
        for (const MetadataKeyRow& row : MetadataKeyTable::rows())
            EXPECT_EQ(record.*(row.field), QString("")) << file.name.toStdString() << " " << row.name;
    }
}

TEST_F(ACorpusPhoto, hasExiftoolsCameraMakeAndModel) {
    LUMARIND_REQUIRE_EXIFTOOL();
    const QMap<QString, QJsonObject> view = exiftoolView();
    for (const CorpusFile& file : corpusFiles()) {
        if (!file.exiv2Reads) continue;
        const MetaDataObject record = MetaDataObject::initWithFile(QDir(testsupport::corpusDir()).filePath(file.name));
        const QJsonObject expected = view.value(file.name);
        EXPECT_EQ(record.Cam_Make, expected.value("Make").toVariant().toString()) << file.name.toStdString();
        EXPECT_EQ(record.Cam_ModelName, expected.value("Model").toVariant().toString()) << file.name.toStdString();
    }
}

TEST_F(ACorpusPhoto, hasExiftoolsPixelSize) {
    LUMARIND_REQUIRE_EXIFTOOL();
    const QMap<QString, QJsonObject> view = exiftoolView();
    for (const CorpusFile& file : corpusFiles()) {
        const QString expected = view.value(file.name).value("ImageSize").toString();
        if (expected.isEmpty() || kSizeUnknownToExiv2.contains(file.name)) continue;
        const QVariantMap properties = Utils::sharedUtils()
                                           .exifForFile(QDir(testsupport::corpusDir()).filePath(file.name))
                                           .value_or(QVariantMap());
        const QString actual = QStringLiteral("%1 %2")
                                   .arg(properties.value("PixelWidth").toInt())
                                   .arg(properties.value("PixelHeight").toInt());
        EXPECT_EQ(actual, expected) << file.name.toStdString();
    }
}

}  // namespace
