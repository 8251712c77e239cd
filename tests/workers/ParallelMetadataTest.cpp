// Photos read and written side by side must come out exactly as when each is handled alone: the metadata
// library keeps process-wide state, so this holds only because every photo goes through a worker process.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtConcurrent>

#include "Helper/MetadataWorkerPool.h"
#include "model/RecordTransfer.h"
#include "tests/Helper/HelperFixtures.h"
#include "tests/common/TestSupport.h"
#include "tests/workers/ParallelCheck.h"

namespace {

constexpr int kCopiesEach = 52;

class PhotosSideBySide : public ::testing::Test {
  protected:
    void SetUp() override {
        if (testsupport::corpusDir().isEmpty()) GTEST_SKIP() << "the sample photo folder is absent";
        if (QStandardPaths::findExecutable("exiv2").isEmpty()) GTEST_SKIP() << "the exiv2 tool is not installed";
        helperfixtures::installReader();
        QDir().mkpath(work.filePath("single"));
        QDir().mkpath(work.filePath("many"));
        const QStringList names = parallelcheck::xmpPhotoNames();
        for (int kind = 0; kind < names.size(); ++kind) {
            const QString original = QDir(testsupport::corpusDir()).filePath(names[kind]);
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

    QTemporaryDir work;
    QStringList singles;
    QStringList many;
    QList<int> kindOf;
};

// The workers that read the batch in are killed while idle before the run, which costs no photo.
TEST_F(PhotosSideBySide, writtenTogetherEqualTheCopyWrittenAlone) {
    QStringList alone;
    for (const QString& single : singles) {
        alone += parallelcheck::runBatch(parallelcheck::photosAt({single}),
                                         work.filePath("alone-" + QFileInfo(single).baseName()), nullptr);
    }
    ASSERT_EQ(alone.size(), singles.size());
    std::vector<PhotoFile> photos = parallelcheck::photosAt(many);
    EXPECT_GE(parallelcheck::killWorkers(MetadataWorkerPool::defaultProgram()), 1);
    int failed = 0;
    const QStringList together = parallelcheck::runBatch(std::move(photos), work.filePath("together"), &failed);
    EXPECT_EQ(failed, 0);
    ASSERT_EQ(together.size(), many.size());
    EXPECT_EQ(parallelcheck::mismatches(alone, together, kindOf), 0) << "of " << together.size() << " copies";
}

TEST_F(PhotosSideBySide, readOnAllCoresEqualOneAtATime) {
    const auto fieldsOf = [](const QString& path) {
        return RecordTransfer::fields(
            *PhotoFile::initWithFileUrl(path, QFileInfo(path).fileName(), false).metadataObject);
    };
    QList<QJsonObject> oneByOne;
    for (const QString& path : many) {
        oneByOne.append(fieldsOf(path));
        ASSERT_FALSE(oneByOne.back().isEmpty()) << path.toStdString();
    }
    const QList<QJsonObject> together = QtConcurrent::blockingMapped(many, fieldsOf);
    int mismatches = 0;
    for (qsizetype i = 0; i < many.size(); ++i) mismatches += together[i] != oneByOne[i] ? 1 : 0;
    EXPECT_EQ(mismatches, 0) << "of " << many.size() << " photos";
}

}  // namespace
