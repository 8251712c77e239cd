// Every sample camera file processed with one settings record: what Exiv2 can write carries the values,
// what it cannot answers flag 2 and leaves nothing, and no source changes.
#include "Helper/ExifWriter.h"
#include "model/MetadataKeyTable.h"
#include "model/Utils.h"
#include "tests/Helper/WriterFixtures.h"
#include "tests/common/EditRecords.h"
#include "tests/common/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>
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

// ---- What other programs read in the copy: the copies of the date taken, the XMP twins, the digest ----

namespace {

struct MendCase {
    const char* name;
    const char* file;
    // "Field=value|..." as the user typed them, an empty value emptying a field; "Field~value": what the form shows
    // of the photo and the user left alone
    const char* edits;
    DateTimeConfigurationRef dateTaken;  // the date taken's rule; nullptr keeps it
    int option;
    const char* copy;         // "Group:Tag=value|..." as exiftool reads the copy, lists joined by ", "; "Tag=": absent
    const char* digest;       // the Photoshop IPTC digest: "none", "current" or "stale"
    const char* before = "";  // "-Group:Tag=value|...": what exiftool gives the photo first, as another program would
};

QStringList items(const char* list) {
    return QString::fromUtf8(list).split('|', Qt::SkipEmptyParts);
}

void PrintTo(const MendCase& c, std::ostream* os) {
    *os << c.name;
}

QString text(const QJsonValue& value) {
    if (!value.isArray()) return value.toVariant().toString();
    QStringList list;
    for (const QJsonValue& item : value.toArray()) list.append(item.toVariant().toString());
    return list.join(", ");
}

class AnEditedCorpusPhoto : public ::testing::TestWithParam<MendCase> {};

}  // namespace

TEST_P(AnEditedCorpusPhoto, readsInTheCopyWhatTheFormSetAndNothingElse) {
    if (testsupport::corpusDir().isEmpty()) GTEST_SKIP() << "the sample camera files are not here";
    LUMARIND_REQUIRE_EXIFTOOL();
    const MendCase& c = GetParam();
    MetaDataObject settings;
    settings.editingOption = c.option;
    MetaDataObject changed = settings;
    for (const QString& edit : items(c.edits)) {
        const qsizetype at = edit.indexOf(QRegularExpression("[=~]"));
        const MetadataKeyRow* row = MetadataKeyTable::rowForField(edit.left(at));
        ASSERT_NE(row, nullptr) << edit.toStdString();
        settings.*row->field = edit.mid(at + 1);
        if (edit[at] == '~') continue;
        settings.*row->updated = changed.*row->updated = true;
        changed.*row->field = settings.*row->field;
    }
    if (c.dateTaken) settings.dateTimeConfigOriginalDate = changed.dateTimeConfigOriginalDate = c.dateTaken;
    settings.isupdated_Date_Original = changed.isupdated_Date_Original = c.dateTaken != nullptr;
    QTemporaryDir out;
    const QString target = out.filePath(c.file);
    QString source = testsupport::corpusDir() + '/' + c.file;
    if (*c.before) {
        ASSERT_TRUE(QFile::copy(source, out.filePath("before.jpg")));
        source = out.filePath("before.jpg");
        int exitCode = -1;
        testsupport::exiftool(QStringList{"-q", "-overwrite_original"} + items(c.before) + QStringList{source},
                              &exitCode);
        ASSERT_EQ(exitCode, 0);
    }

    const ExifWriteResult result =
        ExifWriter::sharedInstance().writeMetaDataToFilePath(photoAt(source), settings, target, changed, false);

    ASSERT_TRUE(result.isWritten()) << result.errorMsg.toStdString();
    const QJsonObject t =
        QJsonDocument::fromJson(testsupport::exiftool({"-j", "-a", "-G1", "-n", "-use", "MWG", target}))
            .array()
            .first()
            .toObject();
    for (const QString& expected : items(c.copy)) {
        const QString tag = expected.section('=', 0, 0);
        EXPECT_EQ(text(t.value(tag)), expected.section('=', 1)) << tag.toStdString();
    }
    const QString digest = t.value("Photoshop:IPTCDigest").toString();
    EXPECT_STREQ(digest.isEmpty()                                         ? "none"
                 : digest == t.value("File:CurrentIPTCDigest").toString() ? "current"
                                                                          : "stale",
                 c.digest);
    // The project's own reader reads back what the user typed.
    MetaDataObject read;
    ExifWriter::sharedInstance().readMetaFromPath(target, read);
    for (const QString& edit : items(c.edits)) {
        const qsizetype at = edit.indexOf(QRegularExpression("[=~]"));
        EXPECT_EQ(read.*MetadataKeyTable::rowForField(edit.left(at))->field, edit.mid(at + 1));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Mends, AnEditedCorpusPhoto,
    ::testing::Values(
        // A scan dated by its film keeps that date; a photo without one gets none.
        MendCase{"keepLeavesTheIptcDate", "FujiFilm FinePixS1Pro (1).jpg", "Artist=Ann", nullptr, 0,
                 "IPTC:DateCreated=2002:06:20|ExifIFD:DateTimeOriginal=2002:07:13 15:58:28", "current"},
        MendCase{"keepAddsNoIptcDate", "Apple iPhone 4.jpg", "Artist=Ann", nullptr, 0, "IPTC:DateCreated=", "none"},
        MendCase{"aShiftWithoutADateErasesNothing", "ExifTool.tif", "", editrecords::hourLater(2), 0,
                 "IPTC:DateCreated=2004:02:20|ExifIFD:DateTimeOriginal=", "none"},
        // This photo's digest was stale already.
        MendCase{"aShiftAcrossMidnightMovesTheTimeCreated", "FurnaceCreekInn.jpg", "", editrecords::hourLater(16), 0,
                 "ExifIFD:DateTimeOriginal=2008:05:09 01:54:28|"
                 "IPTC:DateCreated=2008:05:09|IPTC:TimeCreated=01:54:28+00:00",
                 "stale"},
        MendCase{"aShiftLeavesAnIptcDateTheUserSet", "FurnaceCreekInn.jpg", "IPTC_DateCreated=2001-02-03",
                 editrecords::hourLater(16), 0, "IPTC:DateCreated=2001:02:03|IPTC:TimeCreated=09:54:28+00:00", "stale"},
        MendCase{"aShiftMovesTheXmpDateTaken", "Canon EOS 7D.jpg", "", editrecords::hourLater(16), 0,
                 "XMP-exif:DateTimeOriginal=2010:12:13 04:41:35.00+01:00|IPTC:DateCreated=2010:12:13", "current"},
        MendCase{"emptyValueRemovesEveryCopy", "Nokia Lumia 800.jpg", "", rule(DateTimeConfiguration::EmptyValue), 0,
                 "ExifIFD:DateTimeOriginal=|XMP-exif:DateTimeOriginal=", "current"},
        // The Photoshop date has a rule of its own and stays, so readers must take the IPTC.
        MendCase{"aMovedIptcDateLeavesTheDigestStale", "FujiFilm FinePixS1Pro (1).jpg", "", editrecords::hourLater(16),
                 0, "IPTC:DateCreated=2002:06:21|XMP-photoshop:DateCreated=2002:06:20", "stale"},
        // A twin the photo does not hold is not added.
        MendCase{
            "keywordsReachTheirTwin", "Nokia Lumia 800.jpg", "IPTC_Keywords=harbour,dawn|IPTC_City=Howth", nullptr, 0,
            "MWG:Keywords=harbour, dawn|XMP-dc:Subject=harbour, dawn|MWG:City=Howth|XMP-photoshop:City=", "current"},
        // With the EXIF values emptied, MWG readers come to the IPTC or its twin.
        MendCase{"creatorRightsCaptionAndPlaceReachTheirTwins", "Canon EOS 7D.jpg",
                 "Artist=|Copyright=|ImageDescription=|IPTC_ByLine=Ann|IPTC_CopyrightNotice=(c) Ann|"
                 "IPTC_CaptionAbstract=Boats|IPTC_City=Howth|IPTC_ProvinceState=Leinster|"
                 "IPTC_CountryPrimaryLocationName=Ireland|IPTC_SubLocation=Pier|IPTC_CountryPrimaryLocationCode=IE|"
                 "IPTC_Headline=Dawn|IPTC_ByLineTitle=Crew",
                 nullptr, 0,
                 "MWG:Creator=Ann|MWG:Copyright=(c) Ann|MWG:Description=Boats|MWG:City=Howth|MWG:State=Leinster|"
                 "MWG:Country=Ireland|MWG:Location=Pier|XMP-iptcCore:CountryCode=IE|XMP-photoshop:Headline=Dawn|"
                 "XMP-photoshop:AuthorsPosition=Crew",
                 "current"},
        MendCase{"titleCreditAndSourceReachTheirTwins", "FujiFilm FinePixS1Pro (1).jpg",
                 "IPTC_ObjectName=Pier|IPTC_Credit=Ann|IPTC_Source=Us|IPTC_WriterEditor=Ed|IPTC_Category=TRV", nullptr,
                 0,
                 "XMP-dc:Title=Pier|XMP-photoshop:Credit=Ann|XMP-photoshop:Source=Us|XMP-photoshop:CaptionWriter=Ed|"
                 "XMP-photoshop:Category=TRV|XMP-dc:Creator=Ian Britton",
                 "current"},
        // The first category is the one the form shows; the photo's others stay, in the IPTC as in the twin.
        MendCase{"categoriesAndInstructionsReachTheirTwins", "Reagan.jpg",
                 "IPTC_SupplementalCategories=Travel|IPTC_SpecialInstructions=None", nullptr, 0,
                 "XMP-photoshop:SupplementalCategories=Travel, navyvisualnews@navy.mil, UNCLASSFIED|"
                 "XMP-photoshop:Instructions=None",
                 "current"},
        // The form writes the default language; an alternative that held the same text changes with it, others stay.
        MendCase{
            "aTwinKeepsItsOtherLanguages", "Canon EOS 7D.jpg", "IPTC_CaptionAbstract=Boats|IPTC_ObjectName=Pier",
            nullptr, 0,
            "XMP-dc:Description=Boats|XMP-dc:Description-de-DE=Deutsch|XMP-dc:Description-en-GB=Boats|"
            "XMP-dc:Title=Pier|XMP-dc:Title-fr-FR=Titre",
            "current",
            "-XMP-dc:Description-de-DE=Deutsch|-XMP-dc:Description-en-GB=mit blauem Kleid|-XMP-dc:Title-fr-FR=Titre"},
        // The camera pointed from its thumbnail to a second copy of its Exif block, which readers take first.
        MendCase{"aShiftReachesTheExifBlockReadersFind", "Olympus \u03bc Digital 800.JPG", "Artist=Ann",
                 editrecords::hourLater(2), 0,
                 "ExifIFD:DateTimeOriginal=2006:04:26 02:26:14|ExifTool:Warning=", "none"},
        MendCase{"clearOthersClearsTheTwins", "Canon EOS 7D.jpg", "Software=Lumarind", nullptr, 1,
                 "MWG:Creator=|MWG:Copyright=|MWG:Description=|MWG:City=|MWG:State=|MWG:Country=|MWG:Location=|"
                 "XMP-photoshop:Headline=|XMP-exif:DateTimeOriginal=|XMP-xmp:Rating=3",
                 "current"},
        // A reference alone turns the XMP position, which carries the hemisphere in its sign.
        MendCase{"aReferenceAloneMovesTheXmpPosition", "Nokia Lumia 800.jpg",
                 "GPS_Lattitude~53.359465|GPS_LattitudeRef=S|GPS_Longitude~6.258231|GPS_LongitudeRef=E", nullptr, 0,
                 "GPS:GPSLatitudeRef=S|GPS:GPSLatitude=53.359465|XMP-exif:GPSLatitude=-53.359465|"
                 "GPS:GPSLongitudeRef=E|XMP-exif:GPSLongitude=6.258231",
                 "current"},
        MendCase{"clearOthersClearsTheKeywordsTwin", "Nokia Lumia 800.jpg", "Software=Lumarind", nullptr, 1,
                 "MWG:Keywords=|XMP-dc:Subject=", "current"}),
    testsupport::rowName);
