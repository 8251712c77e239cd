#include "intake/IntakeAlert.h"
#include "intake/PhotoAcceptance.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

IntakeCounters refused(int added, int damaged) {
    IntakeCounters counters;
    counters.totalPhotoToAdd = added;
    counters.damagedFileCount = damaged;
    counters.isPhotoFormatNotSupported = damaged > 0;
    return counters;
}

IntakeCounters duplicates(int count) {
    IntakeCounters counters;
    counters.damagedFileCount = count;
    counters.alreadyExistsPhotosCount = count;
    counters.isPhotosAlreadyAdded = true;
    return counters;
}

}  // namespace

TEST(AnIntakeAlert, forOneDuplicateIsSingular) {
    const IntakeAlert alert = IntakeAlert::showPromtForDamagedFiles(duplicates(1));
    EXPECT_EQ(alert.tag, 109);
    EXPECT_EQ(alert.title, "PHOTO EXISTS");
    EXPECT_EQ(alert.text, "Photo already exists in batch!");
}

TEST(AnIntakeAlert, forSeveralDuplicatesIsPlural) {
    const IntakeAlert alert = IntakeAlert::showPromtForDamagedFiles(duplicates(3));
    EXPECT_EQ(alert.title, "PHOTOS EXISTS");
    EXPECT_EQ(alert.text, "Photos already exist in batch!");
}

TEST(AnIntakeAlert, forThreeRefusedFilesIsPluralThroughout) {
    const IntakeAlert alert = IntakeAlert::showPromtForDamagedFiles(refused(0, 3));
    EXPECT_EQ(alert.tag, 108);
    EXPECT_EQ(alert.title, "FILES CANNOT BE ADDED");
    EXPECT_EQ(alert.text, "Some files cannot be added. They are either damaged or not supported by application.");
}

TEST(AnIntakeAlert, forOneRefusedFileAmongManyAddedIsSingularThroughout) {
    const IntakeAlert alert = IntakeAlert::showPromtForDamagedFiles(refused(5, 1));
    EXPECT_EQ(alert.title, "FILE CANNOT BE ADDED");
    EXPECT_EQ(alert.text, "File cannot be added. It is either damaged or not supported by application.");
}

struct TypeCase {
    const char* fileName;
    bool accepted;
};

class AnImageType : public ::testing::TestWithParam<TypeCase> {};

TEST_P(AnImageType, isAcceptedOrRefusedByItsExtension) {
    QTemporaryDir dir;
    const QString path = dir.path() + "/" + GetParam().fileName;
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const auto verdict = PhotoAcceptance::verdict(path, "ALL", {});
    EXPECT_EQ(verdict == PhotoAcceptance::Verdict::Accepted, GetParam().accepted);
}

INSTANTIATE_TEST_SUITE_P(Extensions, AnImageType,
                         ::testing::Values(TypeCase{"a.jpg", true}, TypeCase{"a.JPEG", true}, TypeCase{"a.heic", true},
                                           TypeCase{"a.CR2", true}, TypeCase{"a.ptif", true}, TypeCase{"a.PTIF", true},
                                           TypeCase{"a.jpc", true}, TypeCase{"a.EPS", false}, TypeCase{"a.eps", false},
                                           TypeCase{"a.Eps", false}, TypeCase{"a.pct", false}, TypeCase{"a.PPM", false},
                                           TypeCase{"a.ppm", false}, TypeCase{"a.gif", false}, TypeCase{"a.crw", false},
                                           TypeCase{"a.txt", false}, TypeCase{"a.mov", false}, TypeCase{"a.pdf", false},
                                           TypeCase{"noextension", false}, TypeCase{"a.", false}),
                         [](const auto& info) {
                             std::string name = info.param.fileName;
                             for (char& c : name) {
                                 if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                             }
                             return name + (info.param.accepted ? "_accepted" : "_refused");
                         });

TEST(AnAcceptanceTest, honoursTheFilterAndTheAddedPaths) {
    QTemporaryDir dir;
    const QString path = dir.path() + "/a.jpg";
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_EQ(PhotoAcceptance::verdict(path, ".png", {}), PhotoAcceptance::Verdict::Refused);
    EXPECT_EQ(PhotoAcceptance::verdict(path, ".jpg", {}), PhotoAcceptance::Verdict::Accepted);
    EXPECT_EQ(PhotoAcceptance::verdict(path, "ALL", {path}), PhotoAcceptance::Verdict::AlreadyAdded);
}
