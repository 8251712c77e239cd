#include "controls/NumberEntryScan.h"
#include "controls/OnlyDecimalNumberFormatter.h"
#include "controls/OnlyIntegerValueFormatter.h"

#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

using Zero = OnlyIntegerValueFormatter::ZeroRule;

namespace {

struct IntegerRow {
    const char* text;
    int maxValue;
    Zero zero;
    bool accepted;
};

void PrintTo(const IntegerRow& row, std::ostream* os) {
    *os << '"' << row.text << "\" max " << row.maxValue << (row.zero == Zero::AcceptLoneZero ? " zero ok" : "");
}

class AnIntegerEntry : public ::testing::TestWithParam<IntegerRow> {};

TEST_P(AnIntegerEntry, acceptsOnlyIntegersWithinTheLimits) {
    const IntegerRow& row = GetParam();
    EXPECT_EQ(OnlyIntegerValueFormatter::isPartialStringValid(row.text, INT_MAX, row.maxValue, row.zero), row.accepted);
}

constexpr int kAny = INT_MAX;
constexpr int kExif = 9999999;

INSTANTIATE_TEST_SUITE_P(
    DayOfMonth, AnIntegerEntry,
    ::testing::Values(IntegerRow{"", 31, Zero::Refuse, true}, IntegerRow{"3", 31, Zero::Refuse, true},
                      IntegerRow{"31", 31, Zero::Refuse, true}, IntegerRow{"32", 31, Zero::Refuse, false},
                      IntegerRow{"0", 31, Zero::Refuse, false}, IntegerRow{"00", 31, Zero::Refuse, false},
                      IntegerRow{"3a", 31, Zero::Refuse, false}, IntegerRow{"10", 31, Zero::Refuse, true},
                      IntegerRow{"05", 31, Zero::Refuse, false}));

INSTANTIATE_TEST_SUITE_P(ExifSetting, AnIntegerEntry,
                         ::testing::Values(IntegerRow{"0", kExif, Zero::AcceptLoneZero, true},
                                           IntegerRow{"05", kExif, Zero::AcceptLoneZero, false},
                                           IntegerRow{"00", kExif, Zero::AcceptLoneZero, false},
                                           IntegerRow{"-0", kExif, Zero::AcceptLoneZero, false},
                                           IntegerRow{"400", kExif, Zero::AcceptLoneZero, true},
                                           IntegerRow{"9999999", kExif, Zero::AcceptLoneZero, true},
                                           IntegerRow{"10000000", kExif, Zero::AcceptLoneZero, false}));

INSTANTIATE_TEST_SUITE_P(
    DefaultLimits, AnIntegerEntry,
    ::testing::Values(IntegerRow{"-", kAny, Zero::Refuse, false}, IntegerRow{"+", kAny, Zero::Refuse, false},
                      IntegerRow{"-12", kAny, Zero::Refuse, true}, IntegerRow{" 12 ", kAny, Zero::Refuse, true},
                      IntegerRow{"12.5", kAny, Zero::Refuse, false}, IntegerRow{"2147483647", kAny, Zero::Refuse, true},
                      IntegerRow{"2147483648", kAny, Zero::Refuse, false},
                      IntegerRow{"-2147483649", kAny, Zero::Refuse, false},
                      IntegerRow{"-99999999999999999999", kAny, Zero::Refuse, false}));

struct DecimalRow {
    const char* text;
    int maxValue, minValue;
    bool accepted;
};

void PrintTo(const DecimalRow& row, std::ostream* os) {
    *os << '"' << row.text << '"';
}

class ADecimalEntry : public ::testing::TestWithParam<DecimalRow> {};

TEST_P(ADecimalEntry, comparesOnlyTheIntegerPart) {
    const DecimalRow& row = GetParam();
    EXPECT_EQ(OnlyDecimalNumberFormatter::isPartialStringValid(row.text, row.maxValue, row.minValue), row.accepted);
}

INSTANTIATE_TEST_SUITE_P(Rows, ADecimalEntry,
                         ::testing::Values(DecimalRow{"", kAny, -kAny, true}, DecimalRow{"12", kAny, -kAny, true},
                                           DecimalRow{"12.5", kAny, -kAny, true}, DecimalRow{"-3", kAny, -kAny, true},
                                           DecimalRow{"12.", kAny, -kAny, true}, DecimalRow{"-", kAny, -kAny, false},
                                           DecimalRow{".", kAny, -kAny, false}, DecimalRow{"12a", kAny, -kAny, false},
                                           DecimalRow{"1.2.3", kAny, -kAny, false}, DecimalRow{"99.9", 99, -kAny, true},
                                           DecimalRow{"100", 99, -kAny, false}, DecimalRow{"-91", 90, -90, false},
                                           DecimalRow{"-90.5", 90, -90, true}, DecimalRow{"1e99", kAny, -kAny, false},
                                           DecimalRow{"3000000000.5", kAny, -kAny, false}));

}  // namespace

TEST(AnIntegerEntry, keepsItsDefaultLimitsAtTheLargestInt) {
    OnlyIntegerValueFormatter formatter(Zero::Refuse);
    EXPECT_EQ(formatter.maximumLength(), INT_MAX);
    EXPECT_EQ(formatter.maximumValue(), INT_MAX);
    formatter.setMaximumLength(3);
    EXPECT_FALSE(formatter.isPartialStringValid("1234"));
    EXPECT_TRUE(formatter.isPartialStringValid("123"));
}

TEST(AnIntegerEntry, refusesKeystrokesInARealField) {
    QLineEdit field;
    OnlyIntegerValueFormatter formatter(Zero::Refuse);
    formatter.setMaximumValue(12);
    field.setValidator(&formatter);
    QTest::keyClicks(&field, "0");
    EXPECT_EQ(field.text(), "");
    QTest::keyClicks(&field, "1x3");
    EXPECT_EQ(field.text(), "1") << "x refused, and 13 is above the month maximum";
    QTest::keyClicks(&field, "2");
    EXPECT_EQ(field.text(), "12");
}

TEST(ADecimalEntry, keepsTheLengthButDoesNotCheckIt) {
    OnlyDecimalNumberFormatter formatter;
    EXPECT_EQ(formatter.minimumValue(), -INT_MAX);
    formatter.setMaximumLength(2);
    EXPECT_TRUE(formatter.isPartialStringValid("12345"));
}

TEST(ANumberScan, readsTheIntegerPartWithoutConvertingOutOfRangeValues) {
    const auto d = NumberEntryScan::scanDecimal("-3.7");
    EXPECT_TRUE(d.matched);
    EXPECT_EQ(d.integerPart, -3);
    const auto big = NumberEntryScan::scanInteger("99999999999999999999999");
    EXPECT_TRUE(big.matched);
    EXPECT_FALSE(big.inInt32);
    EXPECT_EQ(NumberEntryScan::scanInteger("-2147483648").value, INT_MIN);
}
