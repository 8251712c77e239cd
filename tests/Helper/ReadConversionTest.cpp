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

void PrintTo(const TextCase& c, std::ostream* os) {
    *os << '"' << c.input << '"';
}

class AnExifFractionRule : public ::testing::TestWithParam<TextCase> {};

TEST_P(AnExifFractionRule, turnsRationalTextIntoADecimal) {
    EXPECT_EQ(ExifReadConversion::exifFractionRule(QString::fromUtf8(GetParam().input)),
              QString::fromUtf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(Table, AnExifFractionRule,
                         ::testing::Values(TextCase{"1/4", "0.250000"}, TextCase{"0/5", "0.000000"},
                                           TextCase{"2019/07/10", "2019.000000"}, TextCase{"AC/DC", "AC/DC"},
                                           TextCase{"-1/3", "-1/3"}, TextCase{"6643856/1000000", "6.643856"},
                                           TextCase{"5/0", "5/0"}, TextCase{"72", "72"}));

class AnIptcFractionRule : public ::testing::TestWithParam<TextCase> {};

TEST_P(AnIptcFractionRule, needsDigitsThroughout) {
    EXPECT_EQ(ExifReadConversion::iptcFractionRule(QString::fromUtf8(GetParam().input)),
              QString::fromUtf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(Table, AnIptcFractionRule,
                         ::testing::Values(TextCase{"1/4", "0.250000"}, TextCase{"1/2/3", "1.000000"},
                                           TextCase{"0/5", "0/5"}, TextCase{"5/0", "inf"},
                                           TextCase{"Open 24/7", "Open 24/7"}));

class AnXmpCoordinate : public ::testing::TestWithParam<TextCase> {};

TEST_P(AnXmpCoordinate, readsBothXmpForms) {
    EXPECT_EQ(ExifReadConversion::xmpCoordinate(QString::fromUtf8(GetParam().input)),
              QString::fromUtf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(Table, AnXmpCoordinate,
                         ::testing::Values(TextCase{"51,30.5123N", "51.508538"}, TextCase{"51,30,15N", "51.504167"},
                                           TextCase{"33,52.1234S", "-33.868723"}, TextCase{"0,7.66w", "-0.127667"},
                                           TextCase{"51,30N", "51.500000"}, TextCase{"-33.87", "-33.87"},
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
    EXPECT_EQ(
        ExifReadConversion::commentFromValue(QString("charset=\"Ascii\" Hello world"), "charset=\"Ascii\" Hello world"),
        "Hello world");
    EXPECT_EQ(ExifReadConversion::commentFromValue(QString("Hello world"), "Hello world"), "Hello world");
    EXPECT_EQ(ExifReadConversion::commentFromValue(QVariantList{}, ""), "(null)");
}

TEST(AnArrayValue, comesBackUnchangedWhenItIsNoList) {
    const ExifWriter& writer = ExifWriter::sharedInstance();
    EXPECT_EQ(writer.extractStringFromArrVal(QString("text")), QVariant(QString("text")));
    EXPECT_EQ(writer.extractGPSDataStringFromString(QString("text")), QVariant(QString("text")));
    EXPECT_EQ(writer.extractStringFromArrVal(QVariantList{}), QVariant(QString("")));
}

class ANumericOnlyTest : public ::testing::TestWithParam<std::pair<const char*, bool>> {};

TEST_P(ANumericOnlyTest, acceptsDigitsAndSlashes) {
    EXPECT_EQ(ExifWriter::sharedInstance().isStringContainsNumericValuesOnly(QString::fromUtf8(GetParam().first)),
              GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(Table, ANumericOnlyTest,
                         ::testing::Values(std::make_pair("", true), std::make_pair("   ", true),
                                           std::make_pair("/", true), std::make_pair(" 42\n", true),
                                           std::make_pair("1/125", true), std::make_pair("٤٢", true),
                                           std::make_pair("2.8", false), std::make_pair("-3", false),
                                           std::make_pair("1 2", false)));

TEST(ANumericOnlyTestEdge, refusesAMissingText) {
    EXPECT_FALSE(ExifWriter::sharedInstance().isStringContainsNumericValuesOnly(std::nullopt));
}

}  // namespace
