// Every sample camera file processed with one settings record: what Exiv2 can write carries the values,
// what it cannot answers flag 2 and leaves nothing, and no source changes.
#include "Helper/ExifWriter.h"
#include "model/Utils.h"
#include "tests/Helper/WriterFixtures.h"
#include "tests/common/EditRecords.h"
#include "tests/common/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace writerfixtures;

namespace {

struct CorpusFile {
    QString name;
    bool hasExif = false;
    bool exiv2Writes = false;
};

QList<CorpusFile> manifest() {
    QList<CorpusFile> files;
    for (const QMap<QString, QString>& row : helperfixtures::corpusManifest())
        files.append({row.value("file"), row.value("exif") == "Y", row.value("exiv2_write_rc") == "0"});
    return files;
}

QMap<QString, QJsonObject> exiftoolTagsOf(const QStringList& paths) {
    QMap<QString, QJsonObject> tags;
    if (paths.isEmpty()) return tags;
    const QByteArray out = testsupport::exiftool(QStringList{"-j", "-G1", "-n"} + paths);
    for (const QJsonValue& file : QJsonDocument::fromJson(out).array()) {
        tags.insert(file.toObject().value("SourceFile").toString(), file.toObject());
    }
    return tags;
}

QString anyGroup(const QJsonObject& tags, const QString& tag) {
    for (auto it = tags.begin(); it != tags.end(); ++it) {
        if (it.key().endsWith(':' + tag)) return it.value().toVariant().toString();
    }
    return QString();
}

}  // namespace

TEST(TheSampleCameraFiles, areWrittenOrRefusedCleanly) {
    const QString corpus = testsupport::corpusDir();
    if (corpus.isEmpty()) GTEST_SKIP() << "the sample camera files are not here";
    const QList<CorpusFile> files = manifest();
    ASSERT_FALSE(files.isEmpty());
    QTemporaryDir out;
    QStringList written;
    QMap<QString, QString> originalDates;

    for (const CorpusFile& file : files) {
        const QString source = corpus + '/' + file.name;
        const QByteArray before = testsupport::fileHash(source);
        const PhotoFile photo = photoAt(source);
        const QString target = out.filePath(file.name);

        const ExifWriteResult result =
            ExifWriter::sharedInstance().writeMetaDataToFilePath(photo, editrecords::typicalEdit(), target, {}, false);

        EXPECT_EQ(testsupport::fileHash(source), before) << file.name.toStdString();
        if (result.isWritten()) {
            EXPECT_TRUE(file.hasExif && file.exiv2Writes) << file.name.toStdString();
            written.append(target);
            originalDates.insert(target, photo.metadataObjectOriginal->Date_Original);
        } else {
            EXPECT_EQ(result.errorFlag, ExifWriteFailed) << file.name.toStdString();
            EXPECT_FALSE(result.errorMsg.isEmpty()) << file.name.toStdString();
            EXPECT_FALSE(QFile::exists(target)) << file.name.toStdString();
        }
        std::printf("  %-50s flag %d %s\n", qPrintable(file.name), result.errorFlag, qPrintable(result.errorMsg));
    }

    EXPECT_GE(written.size(), 30);
    const QMap<QString, QJsonObject> tags = exiftoolTagsOf(written);
    for (const QString& target : written) {
        const QJsonObject t = tags.value(target);
        const std::string name = QFileInfo(target).fileName().toStdString();
        EXPECT_EQ(anyGroup(t, "Artist"), "Lumarind Test") << name;
        EXPECT_EQ(anyGroup(t, "Copyright"), "(c) Lumarind Test") << name;
        EXPECT_NEAR(t.value("GPS:GPSLatitude").toDouble(), 48.858370, 1e-6) << name;
        EXPECT_EQ(t.value("GPS:GPSLatitudeRef").toString(), "N") << name;
        EXPECT_NEAR(t.value("GPS:GPSLongitude").toDouble(), 2.294481, 1e-6) << name;
        EXPECT_EQ(t.value("GPS:GPSLongitudeRef").toString(), "E") << name;
        const QString original = originalDates.value(target);
        const QString shifted = Utils::sharedUtils().getUpdatedOutputDateTimeStringWithConfig(
            *editrecords::typicalEdit().dateTimeConfigOriginalDate, original);
        if (!shifted.isEmpty()) {
            EXPECT_EQ(anyGroup(t, "DateTimeOriginal"), shifted) << name;
        }
    }
}
