// A copy written with every field must not give other tools reasons to complain that the original did not:
// exiftool's validation is the judge.
#include "Helper/ExifWriter.h"
#include "tests/Helper/WriterFixtures.h"
#include "tests/common/EditRecords.h"
#include "tests/common/TestSupport.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace writerfixtures;

namespace {

// The warnings of exiftool's validation, one text each.
QSet<QString> validationWarnings(const QString& path) {
    const QString out = QString::fromUtf8(testsupport::exiftool({"-validate", "-warning", "-a", "-s3", path}));
    QSet<QString> warnings;
    for (const QString& line : out.split(u'\n', Qt::SkipEmptyParts)) {
        // The first line counts them ("13 Warnings (7 minor)"); the rest name them.
        static const QRegularExpression count(QStringLiteral("^\\d+ Warnings?( \\(|$)"));
        if (!count.match(line).hasMatch()) warnings.insert(line.trimmed());
    }
    return warnings;
}

struct ValidationCase {
    const char* file;
    int editingOption;
    bool clearIptc;  // with clean mode: all IPTC goes
};

void PrintTo(const ValidationCase& c, std::ostream* os) {
    *os << c.file;
}

class AFullyEditedCopy : public ::testing::TestWithParam<ValidationCase> {};

TEST_P(AFullyEditedCopy, raisesNoValidationWarningTheOriginalDidNotHave) {
    LUMARIND_REQUIRE_EXIFTOOL();
    const QString corpus = testsupport::corpusDir();
    if (corpus.isEmpty()) GTEST_SKIP() << "the sample camera files are not here";
    const QString source = corpus + '/' + GetParam().file;
    QTemporaryDir out;
    MetaDataObject settings = editrecords::everyFieldEdit();
    settings.editingOption = GetParam().editingOption;
    settings.clearIPTC = GetParam().clearIptc;
    const QString target = out.filePath("copy.jpg");

    const ExifWriteResult result =
        ExifWriter::sharedInstance().writeMetaDataToFilePath(photoAt(source), settings, target, settings, false);

    ASSERT_TRUE(result.isWritten()) << result.errorMsg.toStdString();
    const QSet<QString> before = validationWarnings(source);
    QStringList added = (validationWarnings(target) - before).values();
    added.sort();
    EXPECT_EQ(added, QStringList());
}

INSTANTIATE_TEST_SUITE_P(CameraFiles, AFullyEditedCopy,
                         ::testing::Values(ValidationCase{"Canon EOS 7D.jpg", OnlyModifyEditedFields, false},
                                           ValidationCase{"Reagan.jpg", OnlyModifyEditedFields, false},
                                           ValidationCase{"Nikon D5000.jpg", ModifyEditedClearOthers, false},
                                           ValidationCase{"FurnaceCreekInn.jpg", OnlyModifyEditedFields, false},
                                           ValidationCase{"iptc-psAPP13-wIPTC1-psAPP13-wIPTC2.jpg",
                                                          OnlyModifyEditedFields, false},
                                           ValidationCase{"DSC_3079.jpg", CleanMetadataInfo, true}),
                         [](const auto& info) {
                             std::string name = info.param.file;
                             name = name.substr(0, name.find('.'));
                             for (char& c : name) {
                                 if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                             }
                             return name + "_option" + std::to_string(info.param.editingOption);
                         });

}  // namespace
