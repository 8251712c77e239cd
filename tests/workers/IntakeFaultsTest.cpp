// A photo whose read the metadata library does not survive joins the batch only when a second worker reads
// it: never with a record that was not read, and never silently.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include "Helper/MetadataWorkerPool.h"
#include "intake/IntakeAlert.h"
#include "intake/PhotoImportTask.h"
#include "tests/Helper/HelperFixtures.h"

namespace {

struct ReadFault {
    const char* name;
    const char* photo;  // its name tells the fault worker what to do
    bool joins;
};

void PrintTo(const ReadFault& fault, std::ostream* os) {
    *os << fault.name;
}

class APhotoWhoseReadFails : public ::testing::TestWithParam<ReadFault> {
  protected:
    void SetUp() override {
        helperfixtures::installReader();
        m_shared = MetadataReading::shared();
        MetadataReading::install(&m_pool);
    }
    void TearDown() override { MetadataReading::install(m_shared); }

    QString photo(const QString& name) {
        const QString path = helperfixtures::makeJpeg(dir.path(), name, QSize(64, 48));
        EXPECT_TRUE(helperfixtures::exiftoolWrite(path, {"-Artist=Someone", "-DateTimeOriginal=2019:07:31 12:41:35"}));
        return path;
    }

    QTemporaryDir dir;

  private:
    static MetadataWorkerPool::Settings faulty() {
        MetadataWorkerPool::Settings settings;
        settings.program = QStringLiteral(LUMARIND_FAULT_WORKER);
        settings.workers = 2;
        settings.timeLimit = std::chrono::milliseconds(400);
        return settings;
    }
    const MetadataReading* m_shared = nullptr;
    MetadataWorkerPool m_pool{faulty()};
};

}  // namespace

TEST_P(APhotoWhoseReadFails, joinsOnlyWithTheRecordASecondWorkerRead) {
    const QString sound = photo("sound.jpg");
    const QString faulty = photo(GetParam().photo);
    PhotoImportTask::Settings settings;
    settings.walk.cachesFolder = dir.filePath("caches");
    const PhotoImportResult added = PhotoImportTask::run({sound, faulty}, "ALL", {}, settings);

    const QStringList joined = GetParam().joins ? QStringList{sound, faulty} : QStringList{sound};
    EXPECT_EQ(added.addedPaths, joined);
    ASSERT_EQ(added.photos.size(), joined.size());
    for (const PhotoFile& photo : added.photos) {
        EXPECT_EQ(photo.metadataObjectOriginal->Artist, "Someone") << photo.filePath.toStdString();
        EXPECT_EQ(photo.metadataObjectOriginal->Date_Original, "2019:07:31 12:41:35");
        EXPECT_EQ(photo.width, 64);
    }
    const int refused = GetParam().joins ? 0 : 1;
    EXPECT_EQ(added.counters.totalPhotoToAdd, joined.size());
    EXPECT_EQ(added.counters.failedReadCount, refused);
    EXPECT_EQ(added.counters.damagedFileCount, refused);
    if (refused) {
        EXPECT_EQ(IntakeAlert::showPromptForDamagedFiles(added.counters), AlertFilesCannotBeAdded);
    }
}

INSTANTIATE_TEST_SUITE_P(Faults, APhotoWhoseReadFails,
                         ::testing::Values(ReadFault{"crashesOnce", "abort-once.jpg", true},
                                           ReadFault{"crashesEveryTime", "abort-here.jpg", false},
                                           ReadFault{"hangsEveryTime", "hang-here.jpg", false}),
                         [](const ::testing::TestParamInfo<ReadFault>& info) { return info.param.name; });
