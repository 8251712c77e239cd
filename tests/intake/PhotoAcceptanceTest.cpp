#include "intake/PhotoAcceptance.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

struct TypeCase {
    const char* fileName;
    bool accepted;
};

void PrintTo(const TypeCase& c, std::ostream* os) {
    *os << c.fileName;
}

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
