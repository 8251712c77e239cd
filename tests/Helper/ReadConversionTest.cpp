// The rules that turn a datum's value into a field's text.
#include "Helper/ExifReadConversion.h"
#include "Helper/ExifWriter.h"
#include "tests/Helper/HelperFixtures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

struct TextCase {
    const char* input;
    const char* expected;
};

void PrintTo(const TextCase& c, std::ostream* os) { *os << '"' << c.input << '"'; }

class AnExifFractionRule : public ::testing::TestWithParam<TextCase> {};

TEST_P(AnExifFractionRule, turnsRationalTextIntoADecimal) {
    EXPECT_EQ(ExifReadConversion::exifFractionRule(QString::fromUtf8(GetParam().input)),
              QString::fromUtf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(Table, AnExifFractionRule, ::testing::Values(
    TextCase{"1/4", "0.250000"}, TextCase{"0/5", "0.000000"}, TextCase{"2019/07/10", "2019.000000"},
    TextCase{"AC/DC", "AC/DC"}, TextCase{"-1/3", "-1/3"}, TextCase{"6643856/1000000", "6.643856"},
    TextCase{"5/0", "5/0"}, TextCase{"72", "72"}));

class AnIptcFractionRule : public ::testing::TestWithParam<TextCase> {};

TEST_P(AnIptcFractionRule, needsDigitsThroughout) {
    EXPECT_EQ(ExifReadConversion::iptcFractionRule(QString::fromUtf8(GetParam().input)),
              QString::fromUtf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(Table, AnIptcFractionRule, ::testing::Values(
    TextCase{"1/4", "0.250000"}, TextCase{"1/2/3", "1.000000"}, TextCase{"0/5", "0/5"}, TextCase{"5/0", "inf"},
    TextCase{"Open 24/7", "Open 24/7"}));

class AnXmpCoordinate : public ::testing::TestWithParam<TextCase> {};

TEST_P(AnXmpCoordinate, readsBothXmpForms) {
    EXPECT_EQ(ExifReadConversion::xmpCoordinate(QString::fromUtf8(GetParam().input)),
              QString::fromUtf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(Table, AnXmpCoordinate, ::testing::Values(
    TextCase{"51,30.5123N", "51.508538"}, TextCase{"51,30,15N", "51.504167"}, TextCase{"33,52.1234S", "-33.868723"},
    TextCase{"0,7.66w", "-0.127667"}, TextCase{"51,30N", "51.500000"}, TextCase{"-33.87", "-33.87"},
    TextCase{"", ""}));

TEST(AnExifCoordinate, keepsFractionalMinutes) {
    const QVariantList decimalMinutes{51.0, 30.5123, 0.0};
    EXPECT_EQ(ExifReadConversion::exifCoordinate(decimalMinutes), "51.508538");
    EXPECT_EQ(ExifReadConversion::exifCoordinate(QVariantList{51.0, 30.0, 12.34}), "51.503428");
    EXPECT_EQ(ExifReadConversion::exifCoordinate(QVariantList{37.0, 46.0, 30.5}), "37.775139");
}

TEST(AnExifCoordinate, givesZeroForAListOfAnotherLength) {
    EXPECT_EQ(ExifReadConversion::exifCoordinate(QVariantList{51.0, 30.0}), "0.000000");
    EXPECT_EQ(ExifReadConversion::exifCoordinate(QVariantList{}), "0.000000");
}

TEST(AnExifCoordinate, givesNothingForAZeroDenominator) {
    const double infinite = std::numeric_limits<double>::infinity();
    EXPECT_EQ(ExifReadConversion::exifCoordinate(QVariantList{51.0, infinite, 0.0}), "");
    EXPECT_EQ(ExifReadConversion::exifCoordinate(QVariantList{std::nan(""), 1.0, 0.0}), "");
}

TEST(ATextOrFirstConversion, takesTheFirstNumberOfAList) {
    EXPECT_EQ(ExifReadConversion::textOrFirst(QVariantList{2.8}, "ignored"), "2.800000");
    EXPECT_EQ(ExifReadConversion::textOrFirst(QVariantList{}, "ignored"), "");
    EXPECT_EQ(ExifReadConversion::textOrFirst(QVariantList{std::numeric_limits<double>::infinity()}, "x"), "");
    EXPECT_EQ(ExifReadConversion::textOrFirst(QVariant(qlonglong(100)), "100"), "100");
}

TEST(AFirstOrValueConversion, keepsANumberAsItsDecimalText) {
    EXPECT_EQ(ExifReadConversion::firstOrValue(QVariant(qlonglong(120))), "120");
    EXPECT_EQ(ExifReadConversion::firstOrValue(QVariantList{123.4}), "123.400000");
    EXPECT_EQ(ExifReadConversion::firstOrValue(QVariant()), "(null)");  // scrubbed to "" by the reader
}

TEST(ACommentConversion, dropsADeclaredCharacterSet) {
    EXPECT_EQ(ExifReadConversion::commentFromValue(QString("charset=\"Ascii\" Hello world"),
                                                   "charset=\"Ascii\" Hello world"),
              "Hello world");
    EXPECT_EQ(ExifReadConversion::commentFromValue(QString("Hello world"), "Hello world"), "Hello world");
    EXPECT_EQ(ExifReadConversion::commentFromValue(QVariantList{}, ""), "(null)");
}

TEST(AKeyConversion, followsTheKeyFamily) {
    EXPECT_EQ(ExifReadConversion::kindForKey("Exif.Photo.UserComment"), ExifReadConversion::Comment);
    EXPECT_EQ(ExifReadConversion::kindForKey("Exif.GPSInfo.GPSLongitude"), ExifReadConversion::ExifCoordinate);
    EXPECT_EQ(ExifReadConversion::kindForKey("Exif.GPSInfo.GPSAltitude"), ExifReadConversion::FirstOrValue);
    EXPECT_EQ(ExifReadConversion::kindForKey("Exif.GPSInfo.GPSLatitudeRef"), ExifReadConversion::Text);
    EXPECT_EQ(ExifReadConversion::kindForKey("Exif.Photo.FNumber"), ExifReadConversion::TextOrFirst);
    EXPECT_EQ(ExifReadConversion::kindForKey("Iptc.Application2.Keywords"), ExifReadConversion::KeywordList);
    EXPECT_EQ(ExifReadConversion::kindForKey("Xmp.prism.keyword"), ExifReadConversion::XmpKeyword);
    EXPECT_EQ(ExifReadConversion::kindForKey("Xmp.exif.GPSLatitude"), ExifReadConversion::XmpCoordinate);
}

TEST(ADegreesText, readsDegreesMinutesSecondsAndDirection) {
    const ExifWriter& writer = ExifWriter::sharedInstance();
    EXPECT_NEAR(writer.getDegreesStringToDecimal(QString::fromUtf8("12°30'15\"W")), -12.504167, 1e-6);
    EXPECT_NEAR(writer.getDegreesStringToDecimal(QString::fromUtf8("12°30'15\"w")), -12.504167, 1e-6);
    EXPECT_NEAR(writer.getDegreesStringToDecimal(QString::fromUtf8("12°30'15\" W")), 12.504167, 1e-6);
    EXPECT_EQ(writer.getDegreesStringToDecimal(QString::fromUtf8("12°30'")), 0);
    EXPECT_EQ(writer.getDegreesStringToDecimal(QString::fromUtf8("12'30°15\"")), 0);
}

TEST(AnArrayValue, comesBackUnchangedWhenItIsNoList) {
    const ExifWriter& writer = ExifWriter::sharedInstance();
    EXPECT_EQ(writer.extractStringFromArrVal(QString("text")), QVariant(QString("text")));
    EXPECT_EQ(writer.extractGPSDataStringFromString(QString("text")), QVariant(QString("text")));
    EXPECT_EQ(writer.extractStringFromArrVal(QVariantList{}), QVariant(QString("")));
}

class AFloatToFraction : public ::testing::TestWithParam<std::pair<float, const char*>> {};

TEST_P(AFloatToFraction, reducesTheSixDecimalReading) {
    const std::optional<QString> fraction = ExifWriter::sharedInstance().floatToFraction(GetParam().first);
    ASSERT_TRUE(fraction.has_value());
    EXPECT_EQ(*fraction, GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(Table, AFloatToFraction, ::testing::Values(
    std::make_pair(2.8f, "14/5"), std::make_pair(0.008f, "1/125"), std::make_pair(5.0f, "5/1"),
    std::make_pair(0.0f, "0/1"), std::make_pair(4.5f, "9/2"), std::make_pair(35.5f, "71/2"),
    std::make_pair(0.125f, "1/8"), std::make_pair(0.004f, "1/250"), std::make_pair(1.0f / 60, "16667/1000000"),
    std::make_pair(0.0000004f, "0/1"), std::make_pair(-2.8f, "-14/5"), std::make_pair(-0.5f, "-1/2"),
    std::make_pair(5000.25f, "20001/4"), std::make_pair(123456.789f, "123456789/1000"),
    std::make_pair(2147483520.0f, "2147483520/1")));

TEST(AFloatToFractionEdge, givesNothingForNumbersNoFractionHolds) {
    const ExifWriter& writer = ExifWriter::sharedInstance();
    EXPECT_FALSE(writer.floatToFraction(std::numeric_limits<float>::infinity()).has_value());
    EXPECT_FALSE(writer.floatToFraction(std::numeric_limits<float>::quiet_NaN()).has_value());
    EXPECT_FALSE(writer.floatToFraction(3.0e9f).has_value());
}

class ANumericOnlyTest : public ::testing::TestWithParam<std::pair<const char*, bool>> {};

TEST_P(ANumericOnlyTest, acceptsDigitsAndSlashes) {
    EXPECT_EQ(ExifWriter::sharedInstance().isStringContansNumericValuesOnly(QString::fromUtf8(GetParam().first)),
              GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(Table, ANumericOnlyTest, ::testing::Values(
    std::make_pair("", true), std::make_pair("   ", true), std::make_pair("/", true), std::make_pair(" 42\n", true),
    std::make_pair("1/125", true), std::make_pair("٤٢", true), std::make_pair("2.8", false),
    std::make_pair("-3", false), std::make_pair("1 2", false)));

TEST(ANumericOnlyTestEdge, refusesAMissingText) {
    EXPECT_FALSE(ExifWriter::sharedInstance().isStringContansNumericValuesOnly(std::nullopt));
}

TEST(AMacRomanText, storesOneBytePerCharacter) {
    const QByteArray bytes = ExifWriter::sharedInstance().getCstringFromNsstring(QString::fromUtf8("café"));
    ASSERT_EQ(bytes.size(), 4);
    EXPECT_EQ(quint8(bytes[3]), 0x8E);
    EXPECT_EQ(ExifWriter::sharedInstance().getCstringFromNsstring(QString::fromUtf8("ā漢")), QByteArray("a?"));
    EXPECT_TRUE(ExifWriter::sharedInstance().getCstringFromNsstring("").isEmpty());
}

}  // namespace
