// The settings record's values in the written copy, read back by exiftool and by a fresh reader.
#include "Helper/ExifWriter.h"
#include "tests/Helper/WriterFixtures.h"
#include "tests/common/TestSupport.h"

#include <QDir>
#include <QJsonArray>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace writerfixtures;

namespace {

class AFieldPass : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    QString source;
    QByteArray sourceHash;
    int count = 0;

    void SetUp() override {
        source = seededPhoto(dir.path(), "photo.jpg", Format::Jpeg);
        sourceHash = testsupport::fileHash(source);
    }
    void TearDown() override { EXPECT_EQ(testsupport::fileHash(source), sourceHash) << "the source changed"; }

    // Writes a copy with the settings; the IPTC date is left to the field pass unless a test says otherwise.
    ExifWriteResult write(MetaDataObject settings, const QString& from = {}) {
        const QString path = dir.filePath(QStringLiteral("out%1.jpg").arg(++count));
        return ExifWriter::sharedInstance().writeMetaDataToFilePath(photoAt(from.isEmpty() ? source : from), settings,
                                                                    path, MetaDataObject(), false);
    }
    QJsonObject tags(const ExifWriteResult& result) { return exiftoolTags(result.processedPath.value_or("")); }
};

MetaDataObject edited(QString MetaDataObject::*field, const QString& value) {
    MetaDataObject settings;
    settings.*field = value;
    return settings;
}

}  // namespace

TEST_F(AFieldPass, writesUtf8TextThatEveryReaderReadsBack) {
    MetaDataObject settings;
    settings.Artist = QString::fromUtf8("Jürgen Müller");
    settings.Copyright = QString::fromUtf8("© 2024 Ünal — ß");
    settings.UserComment = QString::fromUtf8("Grüße aus Zürich €");
    settings.IPTC_ByLine = QString::fromUtf8("Åsa Ørsted");
    settings.IPTC_City = QString::fromUtf8("Zürich");
    settings.XMP_Lens = QString::fromUtf8("Objektiv 50 mm ƒ/1.8");

    const ExifWriteResult result = write(settings);

    ASSERT_EQ(result.errorFlag, ExifWriteSucceeded) << result.errorMsg.toStdString();
    const QJsonObject t = tags(result);
    EXPECT_EQ(t.value("IFD0:Artist").toString(), settings.Artist);
    EXPECT_EQ(t.value("IFD0:Copyright").toString(), settings.Copyright);
    EXPECT_EQ(t.value("ExifIFD:UserComment").toString(), settings.UserComment);
    EXPECT_EQ(t.value("IPTC:By-line").toString(), settings.IPTC_ByLine);
    EXPECT_EQ(t.value("IPTC:City").toString(), settings.IPTC_City);
    EXPECT_EQ(t.value("IPTC:CodedCharacterSet").toString(), "\x1b%G");
    EXPECT_EQ(t.value("XMP-aux:Lens").toString(), settings.XMP_Lens);

    MetaDataObject read;
    ExifWriter::sharedInstance().readMetaFromPath(*result.processedPath, read);
    EXPECT_EQ(read.Artist, settings.Artist);
    EXPECT_EQ(read.UserComment, settings.UserComment);
    EXPECT_EQ(read.IPTC_City, settings.IPTC_City);
}

TEST_F(AFieldPass, marksIptcAsUtf8OnlyForNonAsciiText) {
    const QJsonObject ascii = tags(write(edited(&MetaDataObject::IPTC_City, "Paris")));
    EXPECT_EQ(ascii.value("IPTC:City").toString(), "Paris");
    EXPECT_FALSE(ascii.contains("IPTC:CodedCharacterSet"));
}

TEST_F(AFieldPass, writesOneDatasetPerKeywordAndDropsTheOldOnes) {
    const ExifWriteResult first = write(edited(&MetaDataObject::IPTC_Keywords, " sky, sea ,, sky,Sky "));
    EXPECT_EQ(tags(first).value("IPTC:Keywords").toArray(), QJsonArray({"sky", "sea", "Sky"}));

    // A second run over its own output does not grow the list.
    const ExifWriteResult second = write(edited(&MetaDataObject::IPTC_Keywords, "sky,sea,Sky"), *first.processedPath);
    EXPECT_EQ(tags(second).value("IPTC:Keywords").toArray(), QJsonArray({"sky", "sea", "Sky"}));
}

TEST_F(AFieldPass, writesFractionsAsTyped) {
    MetaDataObject settings;
    settings.AdvCamSetting_ExposureTime = "1/125";
    settings.CamSetting_FNumber = "2.8";
    settings.CamSetting_FocalLength = "35";
    const QJsonObject t = tags(write(settings));
    EXPECT_DOUBLE_EQ(t.value("ExifIFD:ExposureTime").toDouble(), 0.008);
    EXPECT_DOUBLE_EQ(t.value("ExifIFD:FNumber").toDouble(), 2.8);
    EXPECT_DOUBLE_EQ(t.value("ExifIFD:FocalLength").toDouble(), 35);
}

TEST_F(AFieldPass, keepsTheExactRationalOfAnUnchangedNumber) {
    MetaDataObject settings = photoAt(source).metadataObjectOriginal.value();
    ASSERT_EQ(settings.AdvCamSetting_ExposureTime, "0.016667");
    const QJsonObject t = tags(write(settings));
    EXPECT_NEAR(t.value("ExifIFD:ExposureTime").toDouble(), 1.0 / 60, 1e-9);  // not 0.016667
    EXPECT_DOUBLE_EQ(t.value("GPS:GPSLatitude").toDouble(), 10.5);
}

TEST_F(AFieldPass, keepsTheFilesValueForANegativeFraction) {
    const QJsonObject t = tags(write(edited(&MetaDataObject::AdvCamSetting_ExposureTime, "-1")));
    EXPECT_NEAR(t.value("ExifIFD:ExposureTime").toDouble(), 1.0 / 60, 1e-9);
}

TEST_F(AFieldPass, keepsTheFilesValueForATextItsTypeCannotHold) {
    MetaDataObject settings;
    settings.CamSetting_FocalLengthIn35mmFormat = "about 35";
    settings.AdvCamSetting_Saturation = "vivid";  // the seeded photo has none
    const ExifWriteResult result = write(settings);
    const QJsonObject t = tags(result);
    EXPECT_EQ(result.errorFlag, ExifWriteSucceeded);
    EXPECT_EQ(t.value("ExifIFD:FocalLengthIn35mmFormat").toInt(), 75);
    EXPECT_FALSE(t.contains("ExifIFD:Saturation"));
    EXPECT_FALSE(exifFormats(*result.processedPath).contains("Saturation"));
}

TEST_F(AFieldPass, writesTheImageDirectionAsARational) {
    for (const char* direction : {"90", "123.4"}) {
        const ExifWriteResult result = write(edited(&MetaDataObject::GPS_ImgDirection, direction));
        EXPECT_DOUBLE_EQ(tags(result).value("GPS:GPSImgDirection").toDouble(), QString(direction).toDouble());
        EXPECT_EQ(exifFormats(*result.processedPath).value("GPSImgDirection"), "rational64u[1]");
    }
}

TEST_F(AFieldPass, writesTheAltitudeAsOneUnsignedRational) {
    MetaDataObject settings;
    settings.GPS_Altitude = "123.4";
    settings.GPS_AltitudeRef = "1";
    const ExifWriteResult result = write(settings);
    EXPECT_DOUBLE_EQ(tags(result).value("GPS:GPSAltitude").toDouble(), 123.4);
    EXPECT_EQ(tags(result).value("GPS:GPSAltitudeRef").toInt(), 1);
    EXPECT_EQ(exifFormats(*result.processedPath).value("GPSAltitude"), "rational64u[1]");
}

TEST_F(AFieldPass, normalisesTheIptcDateBeforeExiv2ReadsIt) {
    for (const char* typed : {"2021:02:03", "20210203", "2021-02-03"}) {
        MetaDataObject settings = edited(&MetaDataObject::IPTC_DateCreated, typed);
        settings.dateTimeConfigOriginalDate = rule(1);  // the date pass leaves the IPTC date alone
        EXPECT_EQ(tags(write(settings)).value("IPTC:DateCreated").toString(), "2021:02:03") << typed;
    }
}

TEST_F(AFieldPass, removesAFieldTheUserEmptiedAndKeepsOneNeverTouched) {
    MetaDataObject settings;
    settings.isupdated_Artist = true;
    settings.isupdated_IPTC_City = true;
    settings.isupdated_GPS_Lattitude = true;
    settings.isupdated_XMP_Lens = true;
    const QJsonObject t = tags(write(settings));
    EXPECT_FALSE(t.contains("IFD0:Artist"));
    EXPECT_FALSE(t.contains("IPTC:City"));
    EXPECT_FALSE(t.contains("GPS:GPSLatitude"));
    EXPECT_FALSE(t.contains("XMP-exif:GPSLatitude"));
    EXPECT_FALSE(t.contains("XMP-aux:Lens"));
    EXPECT_EQ(t.value("IFD0:Copyright").toString(), "Original Copyright");
    EXPECT_EQ(t.value("GPS:GPSLongitude").toDouble(), 20.25);
}

TEST_F(AFieldPass, removesTheCodedFieldsLeftBlank) {
    MetaDataObject settings;
    for (QString MetaDataObject::*field :
         {&MetaDataObject::CamSetting_Flash, &MetaDataObject::CamSetting_Orientation,
          &MetaDataObject::AdvCamSetting_ExposureMode, &MetaDataObject::AdvCamSetting_ExposureProgram,
          &MetaDataObject::AdvCamSetting_MateringMode, &MetaDataObject::AdvCamSetting_SceneCaptureType,
          &MetaDataObject::GPS_LattitudeRef, &MetaDataObject::GPS_LongitudeRef, &MetaDataObject::GPS_AltitudeRef,
          &MetaDataObject::GPS_ImgDirectionRef, &MetaDataObject::IPTC_CountryPrimaryLocationCode}) {
        settings.*field = "Leave Blank";
    }
    const QJsonObject t = tags(write(settings));
    for (const char* tag :
         {"ExifIFD:Flash", "IFD0:Orientation", "ExifIFD:ExposureMode", "ExifIFD:ExposureProgram",
          "ExifIFD:MeteringMode", "ExifIFD:SceneCaptureType", "GPS:GPSLatitudeRef", "GPS:GPSLongitudeRef",
          "GPS:GPSAltitudeRef", "GPS:GPSImgDirectionRef", "IPTC:Country-PrimaryLocationCode"}) {
        EXPECT_FALSE(t.contains(tag)) << tag;
    }
    EXPECT_EQ(t.value("GPS:GPSLatitude").toDouble(), 10.5);
}

TEST_F(AFieldPass, leavesAValueThatOnlyLooksLikeLeaveBlank) {
    const QJsonObject t = tags(write(edited(&MetaDataObject::CamSetting_Flash, "leave blank")));
    EXPECT_EQ(t.value("ExifIFD:Flash").toInt(), 16);
}

// ---- GPS, in every quarter of the globe ----

struct Quarter {
    const char* latitudeRef;
    const char* longitudeRef;
    const char* latitude;
    const char* longitude;
    double signedLatitude;
    double signedLongitude;
};

void PrintTo(const Quarter& q, std::ostream* out) {
    *out << q.latitude << q.latitudeRef << ' ' << q.longitude << q.longitudeRef;
}

class AGpsPosition : public AFieldPass, public ::testing::WithParamInterface<Quarter> {};

TEST_P(AGpsPosition, isWrittenAsRationalsWithItsReferencesAndASignedXmpMirror) {
    const Quarter q = GetParam();
    MetaDataObject settings;
    settings.GPS_Lattitude = q.latitude;
    settings.GPS_LattitudeRef = q.latitudeRef;
    settings.GPS_Longitude = q.longitude;
    settings.GPS_LongitudeRef = q.longitudeRef;

    const ExifWriteResult result = write(settings);
    const QJsonObject t = tags(result);

    EXPECT_NEAR(t.value("GPS:GPSLatitude").toDouble(), std::fabs(q.signedLatitude), 1e-6);
    EXPECT_NEAR(t.value("GPS:GPSLongitude").toDouble(), std::fabs(q.signedLongitude), 1e-6);
    EXPECT_EQ(t.value("GPS:GPSLatitudeRef").toString(), q.latitudeRef);
    EXPECT_EQ(t.value("GPS:GPSLongitudeRef").toString(), q.longitudeRef);
    EXPECT_NEAR(t.value("XMP-exif:GPSLatitude").toDouble(), q.signedLatitude, 1e-6);
    EXPECT_NEAR(t.value("XMP-exif:GPSLongitude").toDouble(), q.signedLongitude, 1e-6);
    const QMap<QString, QString> formats = exifFormats(*result.processedPath);
    EXPECT_EQ(formats.value("GPSLatitude"), "rational64u[3]");
    EXPECT_EQ(formats.value("GPSLongitude"), "rational64u[3]");
    EXPECT_FALSE(xmpPacket(*result.processedPath).contains("--"));
}

INSTANTIATE_TEST_SUITE_P(Quarters, AGpsPosition,
                         ::testing::Values(Quarter{"N", "E", "48.858370", "2.294481", 48.858370, 2.294481},
                                           Quarter{"S", "W", "33.8688", "151.2093", -33.8688, -151.2093},
                                           Quarter{"s", "w", "-33.8688", "-151.2093", -33.8688, -151.2093},
                                           Quarter{"N", "W", "40.6892", "74.0445", 40.6892, -74.0445},
                                           Quarter{"S", "E", "22.9519", "43.2105", -22.9519, 43.2105},
                                           Quarter{"S", "W", "90", "180", -90, -180}));

struct NoPosition {
    const char* latitude;
    const char* longitude;
    const char* message;
};

void PrintTo(const NoPosition& p, std::ostream* out) {
    *out << p.latitude << ' ' << p.longitude;
}

class ANoPosition : public AFieldPass, public ::testing::WithParamInterface<NoPosition> {};

// Written without it, the copy would pass for one that holds the position the user set.
TEST_P(ANoPosition, failsThePhotoAndWritesNoCopy) {
    MetaDataObject settings;
    settings.GPS_Lattitude = GetParam().latitude;
    settings.GPS_Longitude = GetParam().longitude;
    const ExifWriteResult result = write(settings);
    EXPECT_EQ(result.errorFlag, ExifWriteFailed);
    EXPECT_EQ(result.errorMsg, QString::fromUtf8(GetParam().message));
    EXPECT_FALSE(result.processedPath.has_value());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"photo.jpg"});
}

INSTANTIATE_TEST_SUITE_P(
    Typed, ANoPosition,
    ::testing::Values(NoPosition{"200", "20",
                                 "The GPS latitude \"200\" is not a number of degrees from 0 to 90, so the photo was "
                                 "not written."},
                      NoPosition{"-90.5", "20",
                                 "The GPS latitude \"-90.5\" is not a number of degrees from 0 to 90, so the "
                                 "photo was not written."},
                      NoPosition{"10", "500.5",
                                 "The GPS longitude \"500.5\" is not a number of degrees from 0 to 180, so the "
                                 "photo was not written."},
                      NoPosition{"10", "east",
                                 "The GPS longitude \"east\" is not a number of degrees from 0 to 180, so the "
                                 "photo was not written."}));

// ---- Raw camera files keep their camera ----

class ARawFile : public AFieldPass {
  protected:
    // An empty make is the field emptied by the user.
    ExifWriteResult writeMake(const QString& fileName, const QString& make) {
        const QString photo = seededPhoto(dir.path(), fileName, Format::Tiff);
        MetaDataObject settings = edited(&MetaDataObject::Cam_Make, make);
        settings.isupdated_Cam_Make = true;
        return write(settings, photo);
    }
};

TEST_F(ARawFile, keepsItsMakeAndAnswers7) {
    const struct {
        const char* name;
        const char* make;
    } rows[] = {{"a.NEF", "Canon"}, {"b.nef", "Canon"}, {"c.Arw", "Canon"}, {"d.RAW", "Canon"}, {"e.NEF", ""}};
    for (const auto& [name, make] : rows) {
        const ExifWriteResult result = writeMake(name, make);
        EXPECT_EQ(result.errorFlag, ExifWriteRawCameraKept) << name;
        EXPECT_EQ(result.errorMsg, "Processed Successfully");
        EXPECT_EQ(tags(result).value("IFD0:Make").toString(), "NIKON CORPORATION") << name;
    }
}

TEST_F(ARawFile, keepsItsMakeEvenWhenOnlyTheLetterCaseDiffers) {
    EXPECT_EQ(writeMake("a.NEF", "Nikon Corporation").errorFlag, ExifWriteRawCameraKept);
    EXPECT_EQ(writeMake("b.NEF", "NIKON CORPORATION").errorFlag, ExifWriteSucceeded);
}

TEST_F(ARawFile, withoutAMakeGetsNone) {
    const QString photo = seededPhoto(dir.path(), "a.NEF", Format::Tiff);
    ASSERT_TRUE(exiftoolWrite(photo, {"-EXIF:Make="}));
    const ExifWriteResult result = write(edited(&MetaDataObject::Cam_Make, "Canon"), photo);
    EXPECT_EQ(result.errorFlag, ExifWriteRawCameraKept);
    EXPECT_FALSE(tags(result).contains("IFD0:Make"));
}

TEST_F(ARawFile, isKnownByItsExtensionOnly) {
    const ExifWriteResult tiff = writeMake("a.tif", "Canon");
    EXPECT_EQ(tiff.errorFlag, ExifWriteSucceeded);
    EXPECT_EQ(tags(tiff).value("IFD0:Make").toString(), "Canon");
    EXPECT_EQ(writeMake("b.NEFF", "Canon").errorFlag, ExifWriteSucceeded);
}
