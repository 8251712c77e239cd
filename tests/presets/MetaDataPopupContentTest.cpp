#include <gtest/gtest.h>

#include <QLocale>
#include <QTemporaryDir>

#include "editor/DropdownCodeTables.h"
#include "editor/GpsFields.h"
#include "presets/MetaDataPopupContent.h"
#include "presets/PresetMapPosition.h"
#include "tests/Helper/HelperFixtures.h"

namespace {

using Row = MetaDataPopupContent::Row;

class AMetadataPopup : public ::testing::Test {
  protected:
    void SetUp() override {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        helperfixtures::installReader();
        ASSERT_TRUE(m_dir.isValid());
    }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }
    QTemporaryDir m_dir;
    DropdownCodeTables m_tables;
};

// The rows that show something for the fixture photo; every other row shows "---".
const QList<Row> kShown = {
    {"Artist", "Ann"},
    {"Date/Time Original", "May 01,2019 02:03:09 PM"},
    {"Flash", "Auto, Did not fire"},
    {"Orientation", "Rotate 90 CW"},
    {"Exposure Mode", "Auto Bracket"},
    {"Exposure Program", "Aperture-priority AE"},
    {"Metering Mode", "Multi-segment"},
    {"Scene Capture Type", "Night"},
    {"Sensing Method", "One-chip color area"},
    {"Subject Distance range", "Macro"},
    {"GPS Lattitude", "48.850000"},
    {"GPS Lattitude Ref", "South"},
    {"GPS Longitude", "2.350000"},
    {"GPS Longitude Ref", "West"},
    {"GPS Altitude", "35.000000"},
    {"GPS Altitude Ref", "Below Sea Level"},
    {"Keywords", "sea,sky"},
    {"Country-Primary Location Code", "France"},
    {"Xmp Creation Date", "May 01,2019 02:03:09 PM"},
    {"Xmp Modify Date", "May 01,2019 02:03:09 PM"},
    {"Xmp Photoshop Creation Date", "Jan 02,2020 03:04:05 AM"},
};

}  // namespace

TEST_F(AMetadataPopup, showsTheSixtySevenValuesOfAPhotoFile) {
    if (!helperfixtures::exiftoolAvailable()) GTEST_SKIP() << "exiftool is not installed";
    const QString photo = helperfixtures::makeJpeg(m_dir.path(), "fixture.jpg", QSize(64, 48));
    ASSERT_TRUE(helperfixtures::exiftoolWrite(photo, {"-n",
                                                      "-Artist=Ann",
                                                      "-EXIF:Flash#=24",
                                                      "-Orientation=6",
                                                      "-ExposureMode=2",
                                                      "-ExposureProgram=3",
                                                      "-MeteringMode=5",
                                                      "-SceneCaptureType=3",
                                                      "-SensingMethod=2",
                                                      "-SubjectDistanceRange=1",
                                                      "-DateTimeOriginal=2019:05:01 14:03:09",
                                                      "-ModifyDate=not a date",
                                                      "-GPSLatitude=48.85",
                                                      "-GPSLatitudeRef=S",
                                                      "-GPSLongitude=2.35",
                                                      "-GPSLongitudeRef=W",
                                                      "-GPSAltitude=35",
                                                      "-GPSAltitudeRef=1",
                                                      "-IPTC:Keywords=sea",
                                                      "-IPTC:Keywords=sky",
                                                      "-IPTC:Country-PrimaryLocationCode=FRA"}));
    ASSERT_TRUE(helperfixtures::exiftoolWrite(
        photo, {"-XMP-xmp:CreateDate=2019:05:01 14:03:09", "-XMP-xmp:ModifyDate=2019:05:01 14:03:09+02:00",
                "-XMP-photoshop:DateCreated=2020:01:02 03:04:05Z"}));

    const QList<Row> rows = MetaDataPopupContent::rows(MetaDataObject::initWithFile(photo), m_tables);

    ASSERT_EQ(rows.size(), MetaDataPopupContent::kRowCount);
    int shown = 0;
    for (const Row& row : rows) {
        const auto expected =
            std::find_if(kShown.begin(), kShown.end(), [&](const Row& r) { return r.title == row.title; });
        if (expected == kShown.end()) {
            EXPECT_EQ(row.value, "---") << row.title.toStdString();
        } else {
            EXPECT_EQ(row.value, expected->value) << row.title.toStdString();
            ++shown;
        }
    }
    EXPECT_EQ(shown, kShown.size());
    EXPECT_EQ(rows.first().title, "Artist");
    EXPECT_EQ(rows.last().title, "Xmp Photoshop Creation Date");
}

TEST_F(AMetadataPopup, showsDashesForAPhotoWithoutMetadataOrAFileThatIsGone) {
    const QString bare = helperfixtures::makeJpeg(m_dir.path(), "bare.jpg", QSize(8, 8));
    for (const QString& path : {bare, m_dir.filePath("gone.jpg")}) {
        const QList<Row> rows = MetaDataPopupContent::rows(MetaDataObject::initWithFile(path), m_tables);
        ASSERT_EQ(rows.size(), MetaDataPopupContent::kRowCount);
        for (const Row& row : rows) EXPECT_EQ(row.value, "---") << row.title.toStdString();
    }
    EXPECT_EQ(MetaDataPopupContent::sizeText(0, 0, 0), "0 bytes | 0 X 0");
    EXPECT_EQ(MetaDataPopupContent::sizeText(1530000, 4000.9, 3000), "1.53 MB | 4000 X 3000");
}

TEST(AMetadataPopupPin, standsWhereThePhotoWasTakenOrSaysWhyNot) {
    const struct {
        const char *latitude, *latitudeRef, *longitude, *longitudeRef;
        double pinLatitude, pinLongitude;
        const char* title;
    } cases[] = {
        {"48.85", "S", "2.35", "W", -48.85, -2.35, ""},
        {"48.85", "s", "2.35", "E", 48.85, 2.35, ""},
        {"48.85", "N", "", "E", 28.0, -142.0, "No location found"},
        {"", "", "", "", 28.0, -142.0, "No location found"},
        {"95", "N", "10", "E", 28.0, -142.0, "Invalid location"},
        {"10", "N", "180.5", "W", 28.0, -142.0, "Invalid location"},
        {"90", "S", "180", "W", -90.0, -180.0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.latitude) + "," + c.longitude);
        MetaDataObject record;
        record.GPS_Lattitude = c.latitude;
        record.GPS_LattitudeRef = c.latitudeRef;
        record.GPS_Longitude = c.longitude;
        record.GPS_LongitudeRef = c.longitudeRef;
        const MetaDataPopupContent::Pin pin = MetaDataPopupContent::pin(record);
        EXPECT_DOUBLE_EQ(pin.latitude, c.pinLatitude);
        EXPECT_DOUBLE_EQ(pin.longitude, c.pinLongitude);
        EXPECT_EQ(pin.title, c.title);
        EXPECT_EQ(pin.isNoLocationFound, !QString(c.title).isEmpty());
        if (pin.isNoLocationFound) {
            EXPECT_DOUBLE_EQ(pin.latitudeSpan, 180.0);
            EXPECT_DOUBLE_EQ(pin.longitudeSpan, 360.0);
            EXPECT_FALSE(pin.animated);
        } else {
            EXPECT_DOUBLE_EQ(pin.centerLatitude, c.pinLatitude);
            EXPECT_NEAR(pin.latitudeSpan, 0.55, 1e-6);
            EXPECT_TRUE(pin.animated);
        }
    }
}

TEST(APresetPosition, goesToTheMapSignedAndComesBackUnsigned) {
    MetaDataObject preset;
    PresetMapPosition::changeLocation(preset, -33.8688, 151.2093);
    EXPECT_EQ(preset.GPS_LattitudeRef, "S");
    EXPECT_EQ(preset.GPS_Lattitude, "33.86880000");
    EXPECT_EQ(preset.GPS_LongitudeRef, "E");
    EXPECT_EQ(preset.GPS_Longitude, "151.20930000");
    platform::GeoCoordinate back = GpsFields::positionOf(preset);
    EXPECT_DOUBLE_EQ(back.latitude, -33.8688);
    EXPECT_DOUBLE_EQ(back.longitude, 151.2093);

    PresetMapPosition::changeLocation(preset, 0, -0.5);
    EXPECT_EQ(preset.GPS_LattitudeRef, "N");
    EXPECT_EQ(preset.GPS_LongitudeRef, "W");

    preset.GPS_LongitudeRef = "Leave Blank";
    EXPECT_DOUBLE_EQ(GpsFields::positionOf(preset).longitude, 0.5);

    PresetMapPosition::removeLocation(preset);
    EXPECT_TRUE(preset.GPS_Lattitude.isEmpty() && preset.GPS_Longitude.isEmpty());
    EXPECT_TRUE(preset.GPS_LattitudeRef.isEmpty() && preset.GPS_LongitudeRef.isEmpty());
    preset.GPS_Lattitude = "48.85837";
    EXPECT_EQ(GpsFields::positionOf(preset).latitude, 0.0)
        << "a position without a longitude opens the map without a pin";
}
