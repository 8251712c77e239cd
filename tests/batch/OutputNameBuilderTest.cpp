#include <gtest/gtest.h>

#include <QLocale>

#include "batch/OutputNameBuilder.h"

namespace {

// A geocoder whose answers the test chooses; counts the requests.
class FakeGeocoder : public platform::ReverseGeocoding {
  public:
    void reverseGeocodeLocation(double, double, Completion completion) override {
        ++requests;
        if (silent) {
            pending = completion;  // never answers on its own
            return;
        }
        completion(address, error);
    }
    int requests = 0;
    bool silent = false;
    Completion pending;
    std::optional<QVariantMap> address = QVariantMap{{"Name", "Eiffel Tower"},
                                                     {"City", "Paris"},
                                                     {"State", QString::fromUtf8("Île-de-France")},
                                                     {"Country", "France"}};
    QString error;
};

PhotoFile photo(const QString& fileName = "IMG_0001.JPG") {
    PhotoFile p;
    p.filePath = "/photos/trip/" + fileName;
    p.fileName = fileName;
    p.fileExtension = fileName.section(u'.', -1);
    p.width = 4000;
    p.height = 3000;
    MetaDataObject original;
    original.Date_Original = "2020:07:14 09:30:00";
    original.Date_Creation = "2020:07:04 21:07:05";
    original.GPS_Lattitude = "48.858370";
    original.GPS_LattitudeRef = "N";
    original.GPS_Longitude = "2.294481";
    original.GPS_LongitudeRef = "E";
    p.metadataObjectOriginal = original;
    return p;
}

OutputRenamingOptions renaming() {
    OutputRenamingOptions o;
    o.renamingOptionIndex = OutputRenamingOptions::NewFileName;
    o.outputFolderPathName = "/out/Chosen Folder";
    return o;
}

class TheNameBuilder : public ::testing::Test {
  protected:
    QString build(const OutputRenamingOptions& options, const PhotoFile& p = photo(),
                  const MetaDataObject& settings = MetaDataObject()) {
        builder.setOutputSetting(options);
        return builder.updatedPathWithSelectedSetting("ignored", p, settings);
    }
    FakeGeocoder geocoder;
    OutputNameBuilder builder{geocoder};
};

TEST_F(TheNameBuilder, keepsTheNameInModeZeroWhateverIsTicked) {
    OutputRenamingOptions o = renaming();
    o.renamingOptionIndex = OutputRenamingOptions::KeepFileName;
    o.addEXIFDateTimeCheck = o.addStringCheck = 1;
    EXPECT_EQ(build(o, photo("a.b.(null).jpg")), "/out/Chosen Folder/a.b.(null).jpg");
    EXPECT_TRUE(builder.arrProcessedWithWarning.empty());
}

TEST_F(TheNameBuilder, buildsTheWorkedExample) {
    OutputRenamingOptions o = renaming();
    o.replaceFilenameCheck = o.addStringCheck = o.addEXIFDateTimeCheck = o.addEXIFLocationCheck =
        o.appendWidthHeightCheck = 1;
    o.replaceFilename.customNameValue = "Trip";
    o.addString = {"A_", "_B"};
    o.addEXIFDateTime.asValue = AddEXIFDateTime::Suffix;
    o.addEXIFDateTime.formatValue = 15;
    o.addEXIFLocation.placeTick = o.addEXIFLocation.stateTick = 0;
    EXPECT_EQ(build(o), "/out/Chosen Folder/A_Trip_B2020-07-14Paris_France4000X3000.JPG");
    EXPECT_TRUE(builder.arrProcessedWithWarning.empty());
}

TEST_F(TheNameBuilder, writesBesideTheSourceWhenAsked) {
    OutputRenamingOptions o = renaming();
    o.sourceFolderSelected = 1;
    o.appendWidthHeightCheck = 1;
    PhotoFile p = photo();
    p.width = 4000.5;
    EXPECT_EQ(build(o, p), "/photos/trip/IMG_00014001X3000.JPG");
}

struct FormatCase {
    int index;
    const char* expected;
};

void PrintTo(const FormatCase& c, std::ostream* os) {
    *os << "format " << c.index;
}

class TheTwentyDateFormats : public TheNameBuilder, public ::testing::WithParamInterface<FormatCase> {};

TEST_P(TheTwentyDateFormats, printTheDateBeforeTheName) {
    OutputRenamingOptions o = renaming();
    o.addEXIFDateTimeCheck = 1;
    o.addEXIFDateTime.typeValue = AddEXIFDateTime::CreationDate;
    o.addEXIFDateTime.formatValue = GetParam().index;
    EXPECT_EQ(build(o), QStringLiteral("/out/Chosen Folder/%1IMG_0001.JPG").arg(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(Formats, TheTwentyDateFormats,
                         ::testing::Values(FormatCase{0, "04072020"}, FormatCase{1, "04072020_2107"},
                                           FormatCase{2, "04072020_21-07"}, FormatCase{3, "04072020_210705"},
                                           FormatCase{4, "04072020_21-07-05"}, FormatCase{5, "04-07-2020"},
                                           FormatCase{6, "04-07-2020_2107"}, FormatCase{7, "04-07-2020_21-07"},
                                           FormatCase{8, "04-07-2020_210705"}, FormatCase{9, "04-07-2020_21-07-05"},
                                           FormatCase{10, "07-04-2020"}, FormatCase{11, "07-04-2020_2107"},
                                           FormatCase{12, "07-04-2020_21-07"}, FormatCase{13, "07-04-2020_210705"},
                                           FormatCase{14, "07-04-2020_21-07-05"}, FormatCase{15, "2020-07-04"},
                                           FormatCase{16, "2020-07-04_2107"}, FormatCase{17, "2020-07-04_21-07"},
                                           FormatCase{18, "2020-07-04_210705"}, FormatCase{19, "2020-07-04_21-07-05"},
                                           FormatCase{20, ""}, FormatCase{-1, ""}),
                         [](const auto& info) { return "index" + std::to_string(info.param.index + 1); });

TEST_F(TheNameBuilder, warnsWhenTheChosenDateIsMissing) {
    OutputRenamingOptions o = renaming();
    o.addEXIFDateTimeCheck = 1;
    o.addEXIFDateTime.typeValue = AddEXIFDateTime::ModifyDate;
    EXPECT_EQ(build(o), "/out/Chosen Folder/IMG_0001.JPG");
    ASSERT_EQ(builder.arrProcessedWithWarning.size(), 1u);
    EXPECT_EQ(builder.arrProcessedWithWarning[0].processStatus, StatusDateNotFoundForRenaming);
    EXPECT_EQ(builder.arrProcessedWithWarning[0].processMsg,
              "EXIF Modify Date/Time not found at the time of renaming!");
    EXPECT_EQ(builder.arrProcessedWithWarning[0].filePath, "/photos/trip/IMG_0001.JPG");
}

TEST_F(TheNameBuilder, warnsWhenTheRuleEmptiesTheDate) {
    OutputRenamingOptions o = renaming();
    o.addEXIFDateTimeCheck = 1;
    MetaDataObject settings;
    auto rule = std::make_shared<DateTimeConfiguration>();
    rule->tagConfigureOption = DateTimeConfiguration::EmptyValue;
    settings.dateTimeConfigOriginalDate = rule;
    build(o, photo(), settings);
    ASSERT_EQ(builder.arrProcessedWithWarning.size(), 1u);
    EXPECT_EQ(builder.arrProcessedWithWarning[0].processMsg,
              "EXIF Original Date/Time not found at the time of renaming!");
}

TEST_F(TheNameBuilder, appliesTheDateRuleAndSkipsAnUnreadableDateSilently) {
    OutputRenamingOptions o = renaming();
    o.addEXIFDateTimeCheck = 1;
    o.addEXIFDateTime.formatValue = 15;
    MetaDataObject settings;
    auto rule = std::make_shared<DateTimeConfiguration>();
    rule->tagConfigureOption = DateTimeConfiguration::IncDecDate;
    rule->isIncDecMonthKeepOriginal = rule->isIncDecYearKeepOriginal = true;
    settings.dateTimeConfigOriginalDate = rule;
    EXPECT_EQ(build(o, photo(), settings), "/out/Chosen Folder/2020-07-15IMG_0001.JPG");
    PhotoFile zeros = photo();
    zeros.metadataObjectOriginal.edit().Date_Original = "0000:00:00 00:00:00";
    EXPECT_EQ(build(o, zeros), "/out/Chosen Folder/IMG_0001.JPG");
    EXPECT_TRUE(builder.arrProcessedWithWarning.empty());
}

TEST_F(TheNameBuilder, composesPlaceNamesWithDashesAndUnderscores) {
    OutputRenamingOptions o = renaming();
    o.addEXIFLocationCheck = 1;
    EXPECT_EQ(build(o, photo("IMG_1.jpg")),
              QString::fromUtf8("/out/Chosen Folder/IMG_1Eiffel-Tower_Paris_Île-de-France_France.jpg"));
    EXPECT_TRUE(builder.arrProcessedWithWarning.empty());
}

TEST_F(TheNameBuilder, asksTheGeocoderOncePerPosition) {
    OutputRenamingOptions o = renaming();
    o.addEXIFLocationCheck = 1;
    std::vector<std::chrono::milliseconds> pauses;
    builder.setGeocoderPause(std::chrono::milliseconds(1000), [&](auto d) { pauses.push_back(d); });
    build(o);
    build(o, photo("IMG_0002.JPG"));
    EXPECT_EQ(geocoder.requests, 1);
    EXPECT_EQ(pauses.size(), 1u);
    builder.resetPlaceCache();
    build(o);
    EXPECT_EQ(geocoder.requests, 2);
}

TEST_F(TheNameBuilder, doesNotCacheErrorsAndListsMissingParts) {
    OutputRenamingOptions o = renaming();
    o.addEXIFLocationCheck = 1;
    geocoder.error = "network down";
    EXPECT_EQ(build(o), "/out/Chosen Folder/IMG_0001.JPG");
    build(o);
    EXPECT_EQ(geocoder.requests, 2);
    ASSERT_EQ(builder.arrProcessedWithWarning.size(), 2u);
    EXPECT_EQ(builder.arrProcessedWithWarning[0].processStatus, StatusLocationNotFoundForRenaming);
    EXPECT_EQ(builder.arrProcessedWithWarning[0].processMsg,
              "EXIF GPS - Place,City,State,Country not found at the time of renaming!");
}

TEST_F(TheNameBuilder, listsOnlyTheTickedPartsTheAddressLacks) {
    OutputRenamingOptions o = renaming();
    o.addEXIFLocationCheck = 1;
    o.addEXIFLocation.placeTick = 0;
    geocoder.address = QVariantMap{{"City", "Paris"}, {"Country", "France"}};
    EXPECT_EQ(build(o), "/out/Chosen Folder/IMG_0001Paris_France.JPG");
    ASSERT_EQ(builder.arrProcessedWithWarning.size(), 1u);
    EXPECT_EQ(builder.arrProcessedWithWarning[0].processMsg, "EXIF GPS - State not found at the time of renaming!");
}

TEST_F(TheNameBuilder, needsAPositionOfAtLeastOneDegreeEachWay) {
    OutputRenamingOptions o = renaming();
    o.addEXIFLocationCheck = 1;
    PhotoFile near = photo();
    near.metadataObjectOriginal.edit().GPS_Lattitude = "0.5";
    near.metadataObjectOriginal.edit().GPS_Longitude = "20";
    build(o, near);
    PhotoFile doubleSign = photo();
    doubleSign.metadataObjectOriginal.edit().GPS_Lattitude = "-48.8";
    doubleSign.metadataObjectOriginal.edit().GPS_LattitudeRef = "S";
    build(o, doubleSign);
    EXPECT_EQ(geocoder.requests, 0);
    EXPECT_EQ(builder.arrProcessedWithWarning.size(), 2u);
}

TEST_F(TheNameBuilder, letsTheSettingsPositionWinWithItsSign) {
    OutputRenamingOptions o = renaming();
    o.addEXIFLocationCheck = 1;
    MetaDataObject settings;
    settings.GPS_Lattitude = "33.868723";
    settings.GPS_LattitudeRef = "s";
    settings.GPS_Longitude = "151.2";
    build(o, photo(), settings);
    EXPECT_FLOAT_EQ(builder.latFloat, -33.868723f);
    EXPECT_FLOAT_EQ(builder.lngFloat, 151.2f);
}

TEST_F(TheNameBuilder, givesUpOnASilentGeocoderAndOnStop) {
    OutputRenamingOptions o = renaming();
    o.addEXIFLocationCheck = 1;
    geocoder.silent = true;
    builder.setGeocoderWaitLimit(std::chrono::milliseconds(120));
    EXPECT_EQ(build(o), "/out/Chosen Folder/IMG_0001.JPG");
    EXPECT_EQ(builder.arrProcessedWithWarning.size(), 1u);
    // The late answer finds nobody waiting and changes nothing.
    geocoder.pending(QVariantMap{{"City", "Late"}}, QString());
    std::atomic<bool> stop{true};
    builder.setStopFlag(&stop);
    builder.setGeocoderWaitLimit(std::chrono::hours(1));
    EXPECT_EQ(build(o), "/out/Chosen Folder/IMG_0001.JPG");
    EXPECT_EQ(geocoder.requests, 2);
}

struct TypedTextCase {
    const char* name;
    const char* replacement;  // nullptr: the name is kept
    const char* prefix;
    const char* suffix;
    const char* place;  // the geocoder's place name
    const char* expected;
    friend void PrintTo(const TypedTextCase& row, std::ostream* os) { *os << row.name; }
};

class TypedText : public TheNameBuilder, public ::testing::WithParamInterface<TypedTextCase> {};

// What the user types or a server answers lands in a file name: never a path, a hidden name or a line break.
TEST_P(TypedText, givesAPlainVisibleName) {
    const TypedTextCase& c = GetParam();
    OutputRenamingOptions o = renaming();
    o.addStringCheck = 1;
    o.addString = {QString::fromUtf8(c.prefix), QString::fromUtf8(c.suffix)};
    if (c.replacement) {
        o.replaceFilenameCheck = 1;
        o.replaceFilename.customNameValue = QString::fromUtf8(c.replacement);
    }
    if (c.place) {
        o.addEXIFLocationCheck = 1;
        geocoder.address = QVariantMap{{"Name", QString::fromUtf8(c.place)}, {"City", "Sydney"}};
        o.addEXIFLocation.stateTick = o.addEXIFLocation.countryTick = 0;
    }
    EXPECT_EQ(build(o), QString::fromUtf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Names, TypedText,
    ::testing::Values(
        TypedTextCase{"slashesAndParents", nullptr, "../", "/x", "AC/DC Hall",
                      "/out/Chosen Folder/-IMG_0001-xAC-DC-Hall_Sydney.JPG"},
        TypedTextCase{"replacedByADot", ".", "", "", nullptr, "/out/Chosen Folder/IMG_0001.JPG"},
        TypedTextCase{"replacedByTwoDots", "..", "", "", nullptr, "/out/Chosen Folder/IMG_0001.JPG"},
        TypedTextCase{"hiddenPrefix", nullptr, ".", "", nullptr, "/out/Chosen Folder/IMG_0001.JPG"},
        TypedTextCase{"dotsBeforeAName", "..Trip", "", "", nullptr, "/out/Chosen Folder/Trip.JPG"},
        TypedTextCase{"dotsInsideStay", "Trip..2", "", ".", nullptr, "/out/Chosen Folder/Trip..2..JPG"},
        TypedTextCase{"lineBreaks", "Summer\nTrip\r\n", "", "", nullptr, "/out/Chosen Folder/Summer-Trip--.JPG"},
        TypedTextCase{"tabsAndOtherControls", nullptr, "\t", "\x7f\x1b", nullptr, "/out/Chosen Folder/-IMG_0001--.JPG"},
        TypedTextCase{"controlsFromTheServer", nullptr, "", "", "Hall\nB",
                      "/out/Chosen Folder/IMG_0001Hall-B_Sydney.JPG"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TheNameBuilder, fallsBackToTheOriginalNameWhenNothingIsLeft) {
    OutputRenamingOptions o = renaming();
    o.replaceFilenameCheck = o.addEXIFDateTimeCheck = 1;
    o.replaceFilename.customNameValue = "(null)";
    o.addEXIFDateTime.typeValue = AddEXIFDateTime::ModifyDate;
    EXPECT_EQ(build(o), "/out/Chosen Folder/IMG_0001.JPG");
    EXPECT_EQ(builder.arrProcessedWithWarning.size(), 1u);
}

TEST_F(TheNameBuilder, takesOnlyTheValuesOfTickedOptions) {
    OutputRenamingOptions page = renaming();
    page.addString = {"pre", "suf"};
    page.replaceFilename.customNameValue = "Trip";
    page.addEXIFLocation.cityTick = 0;
    const OutputRenamingOptions record = OutputNameBuilder::getOutputFileRenamingSetting(page);
    EXPECT_TRUE(record.addString.addStringPrefixValue.isEmpty());
    EXPECT_TRUE(record.replaceFilename.customNameValue.isEmpty());
    EXPECT_EQ(record.addEXIFLocation.cityTick, 1);
    EXPECT_EQ(record.outputFolderPathName, "/out/Chosen Folder");
}

}  // namespace
