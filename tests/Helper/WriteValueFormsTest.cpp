// The texts the writer hands to Exiv2.
#include "Helper/WriteValueForms.h"

#include <gtest/gtest.h>

namespace {

struct FormRow {
    const char* typed;
    std::optional<const char*> written;  // nothing: the file keeps its value
};

void PrintTo(const FormRow& row, std::ostream* out) {
    *out << '"' << row.typed << '"';
}

std::optional<QString> expected(const FormRow& row) {
    if (!row.written) return std::nullopt;
    return QString::fromUtf8(*row.written);
}

}  // namespace

class AFraction : public ::testing::TestWithParam<FormRow> {};

TEST_P(AFraction, isWrittenAsTheRationalTheUserMeant) {
    EXPECT_EQ(WriteValueForms::fractionText(GetParam().typed), expected(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(Typed, AFraction,
                         ::testing::Values(FormRow{"1/125", "1/125"}, FormRow{"10/1250", "1/125"},
                                           FormRow{" 3 / 4 ", "3/4"}, FormRow{"0/5", "0/1"}, FormRow{"0.008", "1/125"},
                                           FormRow{"2.8", "14/5"}, FormRow{"5", "5/1"}, FormRow{"35.5", "71/2"},
                                           FormRow{"1/0", std::nullopt}, FormRow{"-1", std::nullopt},
                                           FormRow{"-0.5", std::nullopt}, FormRow{"1e40", std::nullopt},
                                           FormRow{"5000000000", std::nullopt},
                                           FormRow{"99999999999/3", std::nullopt}));

class ACoordinate : public ::testing::TestWithParam<FormRow> {};

TEST_P(ACoordinate, isWrittenAsDegreesMinutesAndSecondsOfItsMagnitude) {
    EXPECT_EQ(WriteValueForms::coordinateText(GetParam().typed, 90.0), expected(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(Typed, ACoordinate,
                         ::testing::Values(FormRow{"48.5", "48/1 30/1 0/10000"}, FormRow{"10", "10/1 0/1 0/10000"},
                                           FormRow{"48.858370", "48/1 51/1 301320/10000"},
                                           FormRow{"-33.87", "33/1 52/1 120000/10000"},
                                           FormRow{"59.99999999", "60/1 0/1 0/10000"},
                                           FormRow{"90", "90/1 0/1 0/10000"}, FormRow{"90.0001", std::nullopt},
                                           FormRow{"north", std::nullopt}, FormRow{"", std::nullopt}));

TEST(AnAltitude, isOneUnsignedRationalOfItsMagnitude) {
    EXPECT_EQ(WriteValueForms::altitudeText("123.4"), "617/5");
    EXPECT_EQ(WriteValueForms::altitudeText("8848.86"), "442443/50");
    EXPECT_EQ(WriteValueForms::altitudeText("-50"), "50/1");
    EXPECT_EQ(WriteValueForms::altitudeText("0"), "0/1");
    EXPECT_EQ(WriteValueForms::altitudeText("high"), std::nullopt);
    EXPECT_EQ(WriteValueForms::altitudeText("9999999999"), std::nullopt);
}
