// The three editing options on JPEG, TIFF and raw-named files, with and without a restore afterwards.
#include "Helper/ExifWriter.h"
#include "tests/Helper/WriterFixtures.h"
#include "tests/common/TestSupport.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

using namespace writerfixtures;

namespace {

struct Kind {
    const char* fileName;
    Format format;
    bool raw;
};

void PrintTo(const Kind& kind, std::ostream* os) {
    *os << kind.fileName;
}

const Kind kJpeg{"photo.jpg", Format::Jpeg, false};
const Kind kTiff{"photo.tif", Format::Tiff, false};
const Kind kRaw{"photo.NEF", Format::Tiff, true};

using MatrixRow = std::tuple<int, Kind, bool>;

// The form's record: a new artist and camera make, and the clear switches clean mode reads.
MetaDataObject editedSettings(int option) {
    MetaDataObject settings;
    settings.editingOption = option;
    settings.Artist = "Matrix Artist";
    settings.Cam_Make = "Canon";
    settings.isupdated_Artist = true;
    settings.isupdated_Cam_Make = true;
    settings.clearExif = true;
    settings.clearIPTC = true;
    return settings;
}

MetaDataObject onlyUpdated() {
    MetaDataObject changed;
    changed.Artist = "Matrix Artist";
    changed.Cam_Make = "Canon";
    return changed;
}

void expectEdited(int option, const Kind& kind, const QJsonObject& t) {
    const QString make = kind.raw ? "NIKON CORPORATION" : "Canon";
    switch (option) {
        case 0:
            EXPECT_EQ(t.value("IFD0:Artist").toString(), "Matrix Artist");
            EXPECT_EQ(t.value("IFD0:Make").toString(), make);
            EXPECT_EQ(t.value("IFD0:Copyright").toString(), "Original Copyright");
            EXPECT_EQ(t.value("IPTC:City").toString(), "Original City");
            EXPECT_EQ(t.value("GPS:GPSLatitude").toDouble(), 10.5);
            EXPECT_EQ(t.value("XMP-aux:Lens").toString(), "Original lens");
            break;
        case 1:
            EXPECT_EQ(t.value("IFD0:Artist").toString(), "Matrix Artist");
            EXPECT_EQ(t.value("IFD0:Make").toString(), make);
            for (const char* gone : {"IFD0:Copyright", "IPTC:City", "IPTC:Keywords", "GPS:GPSLatitude",
                                     "XMP-exif:GPSLatitude", "XMP-aux:Lens", "ExifIFD:DateTimeOriginal",
                                     "ExifIFD:ExposureTime", "XMP-xmp:CreateDate", "IPTC:DateCreated"}) {
                EXPECT_FALSE(t.contains(gone)) << gone;
            }
            // Outside the keys the editor manages.
            EXPECT_EQ(t.value("ExifIFD:ApertureValue").toDouble(), 4);
            EXPECT_EQ(t.value("XMP-prism:Keyword").toString(), "prism word");
            break;
        default:
            for (const char* gone : {"IFD0:Artist", "IFD0:Copyright", "ExifIFD:UserComment", "GPS:GPSLatitude",
                                     "GPS:GPSImgDirection", "XMP-exif:GPSLatitude", "ExifIFD:ApertureValue",
                                     "IPTC:City", "IPTC:Keywords", "ExifIFD:DateTimeOriginal"}) {
                EXPECT_FALSE(t.contains(gone)) << gone;
            }
            EXPECT_EQ(t.contains("IFD0:Make"), kind.raw);
            EXPECT_EQ(t.value("XMP-aux:Lens").toString(), "Original lens");
            break;
    }
}

class AnEditingOption : public ::testing::TestWithParam<MatrixRow> {
  protected:
    QTemporaryDir dir;
};

std::string rowName(const ::testing::TestParamInfo<MatrixRow>& info) {
    const auto& [option, kind, restore] = info.param;
    const std::string format = kind.raw ? "Raw" : kind.format == Format::Jpeg ? "Jpeg" : "Tiff";
    return "option" + std::to_string(option) + format + (restore ? "ThenRestored" : "");
}

}  // namespace

TEST_P(AnEditingOption, writesTheCopyItPromises) {
    const auto& [option, kind, restore] = GetParam();
    const QString source = seededPhoto(dir.path(), kind.fileName, kind.format);
    const QByteArray before = testsupport::fileHash(source);
    PhotoFile photo = photoAt(source);
    const QString target = dir.filePath(QStringLiteral("out-") + kind.fileName);

    const ExifWriteResult edited = ExifWriter::sharedInstance().writeMetaDataToFilePath(photo, editedSettings(option),
                                                                                        target, onlyUpdated(), false);

    ASSERT_TRUE(edited.isWritten()) << edited.errorMsg.toStdString();
    EXPECT_EQ(edited.errorFlag, kind.raw ? ExifWriteRawCameraKept : ExifWriteSucceeded);
    EXPECT_EQ(edited.errorMsg, "Processed Successfully");
    EXPECT_EQ(edited.processedPath, target);
    if (!restore) {
        expectEdited(option, kind, exiftoolTags(target));
    } else {
        photo.processedPath = *edited.processedPath;
        const ExifWriteResult restored = ExifWriter::sharedInstance().writeMetaDataToFilePath(
            photo, *photo.metadataObjectOriginal, dir.filePath("unused"), MetaDataObject(), true);
        EXPECT_EQ(restored.errorFlag, ExifWriteSucceeded) << restored.errorMsg.toStdString();
        EXPECT_EQ(restored.processedPath, target);
        const QJsonObject t = exiftoolTags(target);
        EXPECT_EQ(t.value("IFD0:Artist").toString(), "Original Artist");
        EXPECT_EQ(t.value("IFD0:Make").toString(), "NIKON CORPORATION");
        EXPECT_EQ(t.value("IPTC:City").toString(), "Original City");
        EXPECT_EQ(t.value("IPTC:Keywords").toArray(), QJsonArray({"old one", "old two"}));
        EXPECT_EQ(t.value("GPS:GPSLatitude").toDouble(), 10.5);
        EXPECT_NEAR(t.value("ExifIFD:ExposureTime").toDouble(), 1.0 / 60, 1e-9);
        EXPECT_EQ(t.value("ExifIFD:DateTimeOriginal").toString(), seededDate());
        EXPECT_FALSE(QFile::exists(dir.filePath("unused")));
    }
    EXPECT_EQ(testsupport::fileHash(source), before);
}

INSTANTIATE_TEST_SUITE_P(Matrix, AnEditingOption,
                         ::testing::Combine(::testing::Values(0, 1, 2), ::testing::Values(kJpeg, kTiff, kRaw),
                                            ::testing::Bool()),
                         rowName);

// ---- Clean mode's switches ----

namespace {

class CleanMode : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    QJsonObject clean(const std::function<void(MetaDataObject&)>& setSwitches, ExifWriteResult* result = nullptr) {
        const QString source = seededPhoto(dir.path(), "photo.jpg", Format::Jpeg);
        MetaDataObject settings;
        settings.editingOption = CleanMetadataInfo;
        settings.Artist = "ignored in clean mode";
        setSwitches(settings);
        const QString target = dir.filePath("out.jpg");
        QFile::remove(target);
        const ExifWriteResult written =
            ExifWriter::sharedInstance().writeMetaDataToFilePath(photoAt(source), settings, target, {}, false);
        if (result) *result = written;
        return exiftoolTags(target);
    }
};

}  // namespace

TEST_F(CleanMode, withoutSwitchesChangesNothing) {
    ExifWriteResult result;
    const QJsonObject t = clean([](MetaDataObject&) {}, &result);
    EXPECT_EQ(result.errorFlag, ExifWriteSucceeded);
    EXPECT_EQ(t.value("IFD0:Artist").toString(), "Original Artist");
    EXPECT_EQ(t.value("IPTC:City").toString(), "Original City");
}

TEST_F(CleanMode, removesOnlyTheComment) {
    const QJsonObject t = clean([](MetaDataObject& s) { s.clearComment = true; });
    EXPECT_FALSE(t.contains("ExifIFD:UserComment"));
    EXPECT_EQ(t.value("IFD0:Artist").toString(), "Original Artist");
}

TEST_F(CleanMode, removesTheGpsKeysAndTheirXmpMirrorOnly) {
    const QJsonObject t = clean([](MetaDataObject& s) { s.clearGpsInfo = true; });
    for (const char* gone : {"GPS:GPSLatitude", "GPS:GPSLongitudeRef", "GPS:GPSAltitude", "GPS:GPSImgDirection",
                             "XMP-exif:GPSLatitude", "XMP-exif:GPSLongitude"}) {
        EXPECT_FALSE(t.contains(gone)) << gone;
    }
    EXPECT_TRUE(t.contains("GPS:GPSVersionID"));
    EXPECT_EQ(t.value("IFD0:Artist").toString(), "Original Artist");
}

TEST_F(CleanMode, removesWholeIptcAndXmpBlocks) {
    const QJsonObject t = clean([](MetaDataObject& s) {
        s.clearIPTC = true;
        s.clearXMP = true;
    });
    for (auto it = t.begin(); it != t.end(); ++it) {
        EXPECT_FALSE(it.key().startsWith("IPTC:") || it.key().startsWith("XMP-")) << it.key().toStdString();
    }
    EXPECT_EQ(t.value("IFD0:Artist").toString(), "Original Artist");
}

namespace {

struct CleanDatesRow {
    const char* name;
    bool MetaDataObject::*switchOn;  // nullptr: no switch
    bool datesSet;
};

void PrintTo(const CleanDatesRow& row, std::ostream* os) {
    *os << row.name;
}

class CleanModeFileDates : public CleanMode, public ::testing::WithParamInterface<CleanDatesRow> {};

}  // namespace

// Removing the comment or the position still dates the copy by the rules; emptying a whole group does not.
TEST_P(CleanModeFileDates, followTheModifyRuleOnlyWithoutAGroupCleared) {
    bool MetaDataObject::*switchOn = GetParam().switchOn;
    const QJsonObject t = clean([switchOn](MetaDataObject& s) {
        auto picked = std::make_shared<DateTimeConfiguration>();
        picked->tagConfigureOption = DateTimeConfiguration::SelectDate;
        picked->stringSelectedDate = "2020:01:02 03:04:05";
        s.dateTimeConfigModifyDate = picked;
        if (switchOn) s.*switchOn = true;
    });
    ASSERT_FALSE(t.isEmpty());
    EXPECT_EQ(modificationTime(dir.filePath("out.jpg")) == "2020:01:02 03:04:05", GetParam().datesSet);
}

INSTANTIATE_TEST_SUITE_P(Switches, CleanModeFileDates,
                         ::testing::Values(CleanDatesRow{"none", nullptr, true},
                                           CleanDatesRow{"comment", &MetaDataObject::clearComment, true},
                                           CleanDatesRow{"gps", &MetaDataObject::clearGpsInfo, true},
                                           CleanDatesRow{"exif", &MetaDataObject::clearExif, false},
                                           CleanDatesRow{"iptc", &MetaDataObject::clearIPTC, false},
                                           CleanDatesRow{"xmp", &MetaDataObject::clearXMP, false}),
                         [](const ::testing::TestParamInfo<CleanDatesRow>& info) { return info.param.name; });

// ---- An XMP packet Exiv2 cannot parse ----

namespace {

const char* const kUnparsablePacket =
    "<?xpacket begin='' id='W5M0MpCehiHzreSzNTczkc9d'?>\n"
    "<x:xmpmeta xmlns:x='adobe:ns:meta/'><rdf:RDF xmlns:rdf='http://www.w3.org/1999/02/22-rdf-syntax-ns#'>\n"
    " <rdf:Description rdf:about='' xmlns:dc='http://purl.org/dc/elements/1.1/'\n"
    "  xmlns:exif='http://ns.adobe.com/exif/1.0/'>\n"
    "  <dc:title><rdf:Alt><rdf:li xml:lang='x-default'>Kept title</rdf:li></rdf:Alt></dc:title>\n"
    "  <exif:GPSLatitude>48,51.5N</exif:GPSLatitude>\n"
    "  <dc:creator>not a list &bogus; entity</dc:creator>\n"
    " </rdf:Description>\n</rdf:RDF></x:xmpmeta>\n<?xpacket end='w'?>\n";

class AnUnparsableXmpPacket : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    QString source;
    void SetUp() override {
        source = seededPhoto(dir.path(), "photo.jpg", Format::Jpeg);
        QFile packet(dir.filePath("bad.xmp"));
        ASSERT_TRUE(packet.open(QIODevice::WriteOnly));
        packet.write(kUnparsablePacket);
        packet.close();
        ASSERT_TRUE(exiftoolWrite(source, {"-xmp<=" + packet.fileName()}));
    }
    ExifWriteResult write(const MetaDataObject& settings) {
        return ExifWriter::sharedInstance().writeMetaDataToFilePath(photoAt(source), settings, dir.filePath("out.jpg"),
                                                                    {}, false);
    }
};

}  // namespace

TEST_F(AnUnparsableXmpPacket, survivesAnEditThatLeavesXmpAlone) {
    MetaDataObject settings;
    settings.Artist = "New Artist";
    const ExifWriteResult result = write(settings);
    ASSERT_EQ(result.errorFlag, ExifWriteSucceeded) << result.errorMsg.toStdString();
    const QJsonObject t = exiftoolTags(dir.filePath("out.jpg"));
    EXPECT_EQ(t.value("IFD0:Artist").toString(), "New Artist");
    EXPECT_EQ(t.value("XMP-dc:Title").toString(), "Kept title");
}

TEST_F(AnUnparsableXmpPacket, survivesInATiffToo) {
    source = seededPhoto(dir.path(), "photo.tif", Format::Tiff);
    ASSERT_TRUE(exiftoolWrite(source, {"-xmp<=" + dir.filePath("bad.xmp")}));
    MetaDataObject settings;
    settings.Artist = "New Artist";
    ASSERT_EQ(write(settings).errorFlag, ExifWriteSucceeded);
    EXPECT_EQ(exiftoolTags(dir.filePath("out.jpg")).value("XMP-dc:Title").toString(), "Kept title");
}

TEST_F(AnUnparsableXmpPacket, refusesAnEditThatMustChangeIt) {
    MetaDataObject lens;
    lens.XMP_Lens = "New lens";
    const ExifWriteResult result = write(lens);
    EXPECT_EQ(result.errorFlag, ExifWriteFailed);
    EXPECT_TRUE(result.errorMsg.contains("XMP")) << result.errorMsg.toStdString();
    EXPECT_FALSE(QFile::exists(dir.filePath("out.jpg")));

    MetaDataObject position;
    position.editingOption = CleanMetadataInfo;
    position.clearGpsInfo = true;
    EXPECT_EQ(write(position).errorFlag, ExifWriteFailed);
    EXPECT_FALSE(QFile::exists(dir.filePath("out.jpg")));
}

TEST_F(AnUnparsableXmpPacket, goesWhenTheUserClearsXmp) {
    MetaDataObject settings;
    settings.editingOption = CleanMetadataInfo;
    settings.clearXMP = true;
    ASSERT_EQ(write(settings).errorFlag, ExifWriteSucceeded);
    EXPECT_FALSE(exiftoolTags(dir.filePath("out.jpg")).contains("XMP-dc:Title"));
}

// ---- Formats that hold only part of the metadata ----

TEST(AFormatWithoutIptc, refusesAnIptcFieldInsteadOfDroppingIt) {
    QTemporaryDir dir;
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    const QString source = dir.filePath("photo.webp");
    ASSERT_TRUE(image.save(source, "WEBP"));
    ASSERT_TRUE(exiftoolWrite(source, {"-EXIF:Artist=Original Artist", "-EXIF:DateTimeOriginal=2019:07:31 08:30:00"}));

    MetaDataObject city;
    city.IPTC_City = "Paris";
    const ExifWriteResult refused =
        ExifWriter::sharedInstance().writeMetaDataToFilePath(photoAt(source), city, dir.filePath("a.webp"), {}, false);
    EXPECT_EQ(refused.errorFlag, ExifWriteFailed);
    EXPECT_EQ(refused.errorMsg, "This file format cannot hold Iptc.Application2.City");
    EXPECT_FALSE(QFile::exists(dir.filePath("a.webp")));

    // The IPTC date that follows the original date is a copy; the EXIF date itself is written.
    MetaDataObject artist;
    artist.Artist = "New Artist";
    artist.dateTimeConfigOriginalDate = rule(2);
    const ExifWriteResult written = ExifWriter::sharedInstance().writeMetaDataToFilePath(
        photoAt(source), artist, dir.filePath("b.webp"), {}, false);
    EXPECT_EQ(written.errorFlag, ExifWriteSucceeded) << written.errorMsg.toStdString();
    EXPECT_EQ(exiftoolTags(dir.filePath("b.webp")).value("IFD0:Artist").toString(), "New Artist");
}

// ---- A file that is no image behind its header ----

namespace {

// A TIFF header whose first directory claims three entries of noise: Exiv2 reads it and writes nothing back.
QString tiffHeaderOverNoise(const QString& folder) {
    QByteArray bytes("II*\0\x08\0\0\0\x03\0", 10);
    for (quint32 noise = 2463534242u; bytes.size() < 4096; noise = noise * 1664525u + 1013904223u)
        bytes.append(char(noise >> 24));
    QFile file(folder + "/noise.tif");
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() ? file.fileName() : QString();
}

// A TIFF that parses, whose first directory names an 8 x 8 picture by a camera but holds no strips or tiles; given a
// JPEG, a second directory points at it as the preview, where many raw files keep theirs.
QString tiffWithoutStrips(const QString& path, const QByteArray& preview = {}) {
    QByteArray bytes("II*\0\x08\0\0\0", 8);
    const auto put16 = [&bytes](quint32 value) { bytes.append(char(value & 0xff)).append(char(value >> 8 & 0xff)); };
    const auto put32 = [&put16](quint32 value) { put16(value & 0xffff), put16(value >> 16); };
    const auto entry = [&](quint16 tag, quint16 type, quint32 count, quint32 value) {
        put16(tag), put16(type), put32(count), put32(value);
    };
    // Each directory of three entries takes 42 bytes; the camera's name follows them, the preview comes last.
    const quint32 make = preview.isEmpty() ? 50 : 92;
    put16(3);
    entry(0x100, 3, 1, 8);     // ImageWidth
    entry(0x101, 3, 1, 8);     // ImageLength
    entry(0x10F, 2, 5, make);  // Make
    put32(preview.isEmpty() ? 0 : 50);
    if (!preview.isEmpty()) {
        put16(3);
        entry(0x103, 3, 1, 6);                        // Compression: JPEG
        entry(0x201, 4, 1, make + 6);                 // JPEGInterchangeFormat
        entry(0x202, 4, 1, quint32(preview.size()));  // JPEGInterchangeFormatLength
        put32(0);
    }
    bytes.append("Test\0\0", 6);
    bytes.append(preview);
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() ? path : QString();
}

}  // namespace

// A copy that comes back from the library as no image, or as a TIFF with neither strips, tiles nor a preview, is no
// photo: clean mode, which writes no field that a reading would look for, reads such a TIFF again all the same.
TEST(ACopyWithoutImageData, isRefusedAndLeavesNoFile) {
    QTemporaryDir dir;
    const QString noise = tiffHeaderOverNoise(dir.path());
    const QString noStrips = tiffWithoutStrips(dir.filePath("no-strips.tif"));
    ASSERT_FALSE(noise.isEmpty() || noStrips.isEmpty());
    QDir().mkpath(dir.filePath("out"));
    const struct {
        const char* name;
        const QString& source;
        int editingOption;
        bool clearExif;
    } rows[] = {{"keepOthers", noise, 0, false},
                {"clearOthers", noise, 1, false},
                {"cleanWithoutSwitches", noise, CleanMetadataInfo, false},
                {"cleanExif", noise, CleanMetadataInfo, true},
                {"aTiffWithoutStripsOrTilesCleaned", noStrips, CleanMetadataInfo, false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        MetaDataObject settings;
        settings.editingOption = row.editingOption;
        settings.clearExif = row.clearExif;
        settings.Artist = "Someone";
        settings.isupdated_Artist = true;

        const ExifWriteResult result = ExifWriter::sharedInstance().writeMetaDataToFilePath(
            photoAt(row.source), settings, dir.filePath("out/copy.tif"), settings, false);

        EXPECT_EQ(result.errorFlag, ExifWriteFailed);
        EXPECT_EQ(result.errorMsg,
                  "The copy would hold no image data, so it was not written; the photo may be damaged.");
        EXPECT_FALSE(result.processedPath.has_value());
        EXPECT_EQ(QDir(dir.filePath("out")).entryList(QDir::Files | QDir::Hidden), QStringList());
    }
}

// A raw file whose only picture is its JPEG preview still holds an image: the copy is written, preview and all.
TEST(ARawWhoseOnlyPictureIsItsPreview, isWrittenWithThePreview) {
    QTemporaryDir dir;
    QImage picture(32, 24, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    QByteArray preview;
    QBuffer buffer(&preview);
    ASSERT_TRUE(buffer.open(QIODevice::WriteOnly) && picture.save(&buffer, "JPG"));
    const QString source = tiffWithoutStrips(dir.filePath("preview.NEF"), preview);
    ASSERT_FALSE(source.isEmpty());
    MetaDataObject settings;
    settings.Artist = "Someone";
    settings.isupdated_Artist = true;

    const ExifWriteResult result = ExifWriter::sharedInstance().writeMetaDataToFilePath(
        photoAt(source), settings, dir.filePath("copy.NEF"), settings, false);

    EXPECT_EQ(result.errorFlag, ExifWriteSucceeded) << result.errorMsg.toStdString();
    EXPECT_EQ(exiftoolTags(dir.filePath("copy.NEF")).value("IFD0:Artist").toString(), "Someone");
    EXPECT_TRUE(testsupport::exiftool({"-b", "-ThumbnailImage", dir.filePath("copy.NEF")}) == preview)
        << "the preview is in the copy as it was";
}
