// Every field of the record read from files that exiftool wrote.
#include "model/MetaDataObject.h"
#include "model/MetadataKeyTable.h"
#include "tests/Helper/HelperFixtures.h"
#include "tests/common/TestSupport.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

const char* const kXmpPacket = R"(<?xpacket begin="" id="W5M0MpCehiHzreSzNTczkc9d"?>
<x:xmpmeta xmlns:x="adobe:ns:meta/">
 <rdf:RDF xmlns:rdf="http://www.w3.org/1999/02/22-rdf-syntax-ns#">
  <rdf:Description rdf:about=""
    xmlns:aux="http://ns.adobe.com/exif/1.0/aux/"
    xmlns:prism="http://prismstandard.org/namespaces/basic/2.0/"
    xmlns:xmp="http://ns.adobe.com/xap/1.0/"
    xmlns:exif="http://ns.adobe.com/exif/1.0/"
    xmlns:photoshop="http://ns.adobe.com/photoshop/1.0/"
    xmlns:dc="http://purl.org/dc/elements/1.1/"
    aux:SerialNumber="2080123456"
    xmp:CreateDate="2019-07-10T08:30:00"
    xmp:ModifyDate="2019-07-11T09:00:00"
    exif:GPSLatitude="51,30,15N"
    exif:GPSLongitude="33,52.1234S"
    photoshop:DateCreated="2019-07-10T08:30:00">
   <aux:Lens><rdf:Alt><rdf:li xml:lang="x-default">EF50mm f/1.8 STM</rdf:li><rdf:li xml:lang="de">EF50mm Objektiv</rdf:li></rdf:Alt></aux:Lens>
   <prism:keyword><rdf:Bag><rdf:li>sky</rdf:li><rdf:li>Straße</rdf:li></rdf:Bag></prism:keyword>
   <dc:description><rdf:Alt><rdf:li xml:lang="x-default">A caption</rdf:li></rdf:Alt></dc:description>
  </rdf:Description>
 </rdf:RDF>
</x:xmpmeta>
<?xpacket end="w"?>)";

QStringList exifArguments() {
    return {
        "-Artist=Ann Artist",
        "-ImageDescription=Café ünïcode",
        "-Software=Lumarind Test 1.0",
        "-UserComment=Hello world",
        "-Make=Canon",
        "-Model=Canon EOS 7D",
        "-OwnerName=Ann Owner",
        "-SerialNumber=0123456789",
        "-DateTimeOriginal=2019:07:10 08:30:00",
        "-CreateDate=2019:07:10 08:31:00",
        "-ModifyDate=2019:07:11 09:00:00",
        "-ISO=100",
        "-FNumber=2.8",
        "-ApertureValue#=4",
        "-ShutterSpeedValue#=0.125",
        "-FocalLength=50",
        "-FocalLengthIn35mmFormat=80",
        "-ExposureCompensation#=-0.5",
        "-EXIF:Flash#=16",
        "-Orientation#=6",
        "-ColorSpace#=1",
        "-ComponentsConfiguration#=1 2 3 0",
        "-ExposureMode#=1",
        "-ExposureProgram#=2",
        "-ExposureTime=1/125",
        "-MeteringMode#=5",
        "-SceneCaptureType#=2",
        "-WhiteBalance#=1",
        "-Saturation#=1",
        "-SensingMethod#=2",
        "-Sharpness#=2",
        "-SubjectDistanceRange#=3",
        "-LensMake=Canon",
        "-LensModel=EF50mm f/1.8 STM",
        "-LensSerialNumber=0000123456",
        "-ExifImageWidth#=640",
        "-ExifImageHeight#=480",
        "-XResolution=72",
        "-YResolution=300",
        "-ResolutionUnit#=2",
        "-GPSLatitudeRef=N",
        "-GPSLongitude=0 7 39.6",
        "-GPSLongitudeRef=W",
        "-GPSAltitude=123.4",
        "-GPSAltitudeRef#=0",
        "-GPSImgDirection=270.5",
        "-GPSImgDirectionRef=T",
        "-GPSDateStamp=2019:07:10",
    };
}

QStringList iptcArguments() {
    return {
        "-CodedCharacterSet=UTF8",
        "-By-line=A",
        "-By-line=B",
        "-By-lineTitle=Photographer",
        "-CopyrightNotice=© 2019 Ann",
        "-Contact=ann@example.org",
        "-Headline=Sunset über Zürich",
        "-Caption-Abstract=Open 24/7",
        "-Writer-Editor=Ed",
        "-ObjectName=Sunset",
        "-Category=ABC",
        "-SupplementalCategories=Travel",
        "-DateCreated=2019:07:10",
        "-Keywords=sky",
        "-Keywords=sea",
        "-Keywords=sky",
        "-Keywords=Sky",
        "-Keywords=Straße",
        "-Sub-location=Old Town",
        "-City=Zürich",
        "-Province-State=ZH",
        "-Country-PrimaryLocationName=Switzerland",
        "-Country-PrimaryLocationCode=CHE",
        "-OriginalTransmissionReference=T-42",
        "-SpecialInstructions=None",
        "-Credit=Ann",
        "-Source=Camera",
    };
}

struct FieldCase {
    const char* field;
    const char* expected;
};

void PrintTo(const FieldCase& c, std::ostream* os) {
    *os << c.field;
}

class AReadRecord : public ::testing::TestWithParam<FieldCase> {
  public:
    static void SetUpTestSuite() {
        helperfixtures::installReader();
        if (!helperfixtures::exiftoolAvailable()) return;
        s_dir = std::make_unique<QTemporaryDir>();
        const QString path = helperfixtures::makeJpeg(s_dir->path(), "matrix.jpg", QSize(64, 48));
        const QString packet = s_dir->filePath("packet.xmp");
        QFile file(packet);
        if (!file.open(QIODevice::WriteOnly) || file.write(kXmpPacket) < 0) return;
        file.close();
        const bool written = helperfixtures::exiftoolWrite(path, {"-charset", "exif=cp1252", "-Copyright=© Ann"}) &&
                             helperfixtures::exiftoolWrite(path, exifArguments()) &&
                             helperfixtures::exiftoolWrite(path, iptcArguments()) &&
                             // Last, because exiftool also edits a tag in every group that already holds it.
                             helperfixtures::exiftoolWrite(path, {"-xmp<=" + packet});
        // exiftool stores GPS positions with whole minutes; phones store decimal minutes, which only the
        // exiv2 tool writes as given. exiftool still checks the outcome below.
        const int rc = QProcess::execute("exiv2", {"-M", "set Exif.GPSInfo.GPSLatitude 51/1 305123/10000 0/1", path});
        if (written && rc == 0) s_record = std::make_unique<MetaDataObject>(MetaDataObject::initWithFile(path));
        s_path = path;
    }
    static void TearDownTestSuite() {
        s_record.reset();
        s_dir.reset();
    }

  protected:
    void SetUp() override {
        LUMARIND_REQUIRE_EXIFTOOL();
        ASSERT_NE(s_record, nullptr) << "the fixture could not be written";
    }

    static inline std::unique_ptr<QTemporaryDir> s_dir;
    static inline std::unique_ptr<MetaDataObject> s_record;
    static inline QString s_path;
};

TEST_P(AReadRecord, holdsTheFieldAsWritten) {
    const MetadataKeyRow* row = MetadataKeyTable::rowForField(QString::fromLatin1(GetParam().field));
    ASSERT_NE(row, nullptr);
    EXPECT_EQ((*s_record).*(row->field), QString::fromUtf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    EveryField, AReadRecord,
    ::testing::Values(
        FieldCase{"Artist", "Ann Artist"}, FieldCase{"ImageDescription", "Café ünïcode"},
        FieldCase{"Copyright", "© Ann"},  // Windows-1252 bytes in the file
        FieldCase{"Software", "Lumarind Test 1.0"}, FieldCase{"UserComment", "Hello world"},
        FieldCase{"Cam_Make", "Canon"}, FieldCase{"Cam_ModelName", "Canon EOS 7D"},
        FieldCase{"Cam_OwnerName", "Ann Owner"}, FieldCase{"Cam_SerialNumber", "0123456789"},
        FieldCase{"Date_Original", "2019:07:10 08:30:00"}, FieldCase{"Date_Creation", "2019:07:10 08:31:00"},
        FieldCase{"Date_Modify", "2019:07:11 09:00:00"}, FieldCase{"CamSetting_ISO", "100"},
        FieldCase{"CamSetting_FNumber", "2.800000"}, FieldCase{"CamSetting_Aperture", "4.000000"},
        FieldCase{"CamSetting_ShutterSpeed", "3.000000"}, FieldCase{"CamSetting_FocalLength", "50.000000"},
        FieldCase{"CamSetting_FocalLengthIn35mmFormat", "80"}, FieldCase{"CamSetting_ExposureCompensation", "-1/2"},
        FieldCase{"CamSetting_Flash", "16"}, FieldCase{"CamSetting_Orientation", "6"},
        FieldCase{"AdvCamSetting_ColorSpace", "1"}, FieldCase{"AdvCamSetting_ComponentsConfiguration", ""},
        FieldCase{"AdvCamSetting_ExposureMode", "1"}, FieldCase{"AdvCamSetting_ExposureProgram", "2"},
        FieldCase{"AdvCamSetting_ExposureTime", "0.008000"}, FieldCase{"AdvCamSetting_MateringMode", "5"},
        FieldCase{"AdvCamSetting_SceneCaptureType", "2"}, FieldCase{"AdvCamSetting_WhiteBalance", "1"},
        FieldCase{"AdvCamSetting_Saturation", "1"}, FieldCase{"AdvCamSetting_SensingMethod", "2"},
        FieldCase{"AdvCamSetting_Sharpness", "2"}, FieldCase{"AdvCamSetting_SubjectDistanceRange", "3"},
        FieldCase{"Lens_LensMake", "Canon"}, FieldCase{"Lens_Lens", ""},
        FieldCase{"Lens_LensModel", "EF50mm f/1.8 STM"},  // free text keeps its slash
        FieldCase{"Lens_LensSerialNumber", "0000123456"}, FieldCase{"DimResolution_ExifImageWidth", "640"},
        FieldCase{"DimResolution_ExifImageHeight", "480"}, FieldCase{"DimResolution_XResolution", "72.000000"},
        FieldCase{"DimResolution_YResolution", "300.000000"}, FieldCase{"DimResolution_ResolutionUnit", "2"},
        FieldCase{"GPS_Lattitude", "51.508538"},  // decimal minutes keep their fraction
        FieldCase{"GPS_LattitudeRef", "N"}, FieldCase{"GPS_Longitude", "0.127667"}, FieldCase{"GPS_LongitudeRef", "W"},
        FieldCase{"GPS_Altitude", "123.400000"}, FieldCase{"GPS_AltitudeRef", "0"},
        FieldCase{"GPS_ImgDirection", "270.500000"}, FieldCase{"GPS_ImgDirectionRef", "T"},
        FieldCase{"GPS_DateStamp", "2019:07:10"},
        FieldCase{"IPTC_ByLine", "A"},  // a repeated dataset gives its first value
        FieldCase{"IPTC_ByLineTitle", "Photographer"}, FieldCase{"IPTC_CopyrightNotice", "© 2019 Ann"},
        FieldCase{"IPTC_Contact", "ann@example.org"}, FieldCase{"IPTC_Headline", "Sunset über Zürich"},
        FieldCase{"IPTC_CaptionAbstract", "Open 24/7"}, FieldCase{"IPTC_WriterEditor", "Ed"},
        FieldCase{"IPTC_ObjectName", "Sunset"}, FieldCase{"IPTC_Category", "ABC"},
        FieldCase{"IPTC_SupplementalCategories", "Travel"}, FieldCase{"IPTC_DateCreated", "2019-07-10"},
        FieldCase{"IPTC_Keywords", "sky,sea,Sky,Straße"}, FieldCase{"IPTC_SubLocation", "Old Town"},
        FieldCase{"IPTC_City", "Zürich"}, FieldCase{"IPTC_ProvinceState", "ZH"},
        FieldCase{"IPTC_CountryPrimaryLocationName", "Switzerland"},
        FieldCase{"IPTC_CountryPrimaryLocationCode", "CHE"}, FieldCase{"IPTC_OriginalTransmissionRef", "T-42"},
        FieldCase{"IPTC_SpecialInstructions", "None"}, FieldCase{"IPTC_Credit", "Ann"},
        FieldCase{"IPTC_Source", "Camera"}, FieldCase{"XMP_SerialNumber", "2080123456"},
        FieldCase{"XMP_Lens", "EF50mm f/1.8 STM"},  // the default language of the alternatives
        FieldCase{"XMP_Keyword", "sky, Straße"}, FieldCase{"XMP_CreationDate", "2019-07-10T08:30:00"},
        FieldCase{"XMP_ModifyDate", "2019-07-11T09:00:00"}, FieldCase{"XMP_Latitude", "51.504167"},
        FieldCase{"XMP_Longitude", "-33.868723"}, FieldCase{"XMP_PhotoshopDateCreated", "2019-07-10T08:30:00"}));

TEST(AReadRecordFixture, agreesWithExiftoolOnTheDecimalMinutePosition) {
    helperfixtures::installReader();
    LUMARIND_REQUIRE_EXIFTOOL();
    QTemporaryDir dir;
    const QString path = helperfixtures::makeJpeg(dir.path(), "gps.jpg", QSize(16, 16));
    ASSERT_EQ(QProcess::execute("exiv2", {"-M", "set Exif.GPSInfo.GPSLatitude 51/1 305123/10000 0/1", path}), 0);
    const double exiftoolDegrees = helperfixtures::exiftoolValue(path, "GPSLatitude").toDouble();
    EXPECT_NEAR(MetaDataObject::initWithFile(path).GPS_Lattitude.toDouble(), exiftoolDegrees, 1e-6);
}

TEST(AReadRecordFixture, decodesWindows1252IptcTextAndKeywords) {
    helperfixtures::installReader();
    LUMARIND_REQUIRE_EXIFTOOL();
    QTemporaryDir dir;
    const QString path = helperfixtures::makeJpeg(dir.path(), "latin.jpg", QSize(16, 16));
    ASSERT_TRUE(helperfixtures::exiftoolWrite(
        path, {"-charset", "iptc=cp1252", "-City=Zürich", "-Keywords=Köln", "-Keywords=sky"}));
    const MetaDataObject record = MetaDataObject::initWithFile(path);
    EXPECT_EQ(record.IPTC_City, QString::fromUtf8("Zürich"));
    EXPECT_EQ(record.IPTC_Keywords, QString::fromUtf8("Köln,sky"));
}

TEST(AReadRecordFixture, leavesEveryFieldEmptyForAFileWithoutMetadata) {
    helperfixtures::installReader();
    QTemporaryDir dir;
    const QString path = helperfixtures::makeJpeg(dir.path(), "plain.jpg", QSize(16, 16));
    const MetaDataObject record = MetaDataObject::initWithFile(path);
    for (const MetadataKeyRow& row : MetadataKeyTable::rows()) {
        EXPECT_EQ(record.*(row.field), QString()) << row.name;
        EXPECT_FALSE((record.*(row.field)).isNull()) << row.name;
    }
}

TEST(AReadRecordFixture, readsAMissingFileAsAPhotoWithoutMetadata) {
    helperfixtures::installReader();
    const MetaDataObject record = MetaDataObject::initWithFile("/nonexistent/photo.jpg");
    EXPECT_EQ(record.Cam_Make, QString(""));
    EXPECT_FALSE(record.Cam_Make.isNull());
}

}  // namespace
