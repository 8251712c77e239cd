#include "editor/FieldValidation.h"

#include <gtest/gtest.h>

namespace {

using Check = FormFieldTraits::Check;

struct CheckCase {
    const char* name;
    Check check;
    QString text;
    bool valid;
    QString message;  // "" : the label keeps its text
    friend void PrintTo(const CheckCase& row, std::ostream* os) { *os << row.name; }
};

class ALiveCheck : public ::testing::TestWithParam<CheckCase> {};

TEST_P(ALiveCheck, flagsWhatCannotBeWritten) {
    const CheckCase& c = GetParam();
    const FieldValidation::Verdict verdict = FieldValidation::isValidText(c.text, c.check);
    EXPECT_EQ(verdict.valid, c.valid);
    EXPECT_EQ(verdict.message, c.message);
}

const QString kNumeric = QStringLiteral("* Value can be only numeric type.");
const QString kGreater = QStringLiteral("* Value cannot be greater than 65535");
const QString kAbove90 = QStringLiteral("* Value cannot be greater than 90");
const QString kAbove180 = QStringLiteral("* Value cannot be greater than 180");

INSTANTIATE_TEST_SUITE_P(Cases, ALiveCheck,
                         ::testing::Values(CheckCase{"decimal", Check::Decimal, "12.5", true, ""},
                                           CheckCase{"decimalComma", Check::Decimal, "1,5", true, ""},
                                           CheckCase{"leadingPoint", Check::Decimal, ".5", true, ""},
                                           CheckCase{"emptyDecimal", Check::Decimal, "", true, ""},
                                           CheckCase{"letters", Check::Decimal, "abc", false, ""},
                                           CheckCase{"twoPoints", Check::Decimal, "1.2.3", false, ""},
                                           CheckCase{"signed", Check::Decimal, "-12.5", false, ""},
                                           CheckCase{"trailingLetter", Check::Decimal, "12a", false, ""},
                                           CheckCase{"signedCoordinate", Check::Coordinate, "-33.86", true, ""},
                                           CheckCase{"emptyCoordinate", Check::Coordinate, "", true, ""},
                                           CheckCase{"twoPointsCoordinate", Check::Coordinate, "12.5.3", false, ""},
                                           CheckCase{"integerAboveMaximum", Check::Integer, "70000", false, kGreater},
                                           CheckCase{"integerAtMaximum", Check::Integer, "65535", true, kNumeric},
                                           CheckCase{"negativeInteger", Check::Integer, "-1", false, kGreater},
                                           CheckCase{"zero", Check::Integer, "0", true, kNumeric},
                                           CheckCase{"unchecked", Check::None, "anything", true, ""},
                                           CheckCase{"latitudeAbove90", Check::Latitude, "200", false, kAbove90},
                                           CheckCase{"latitudeAt90", Check::Latitude, "90", true, kNumeric},
                                           CheckCase{"latitudeWithComma", Check::Latitude, "48,85", true, kNumeric},
                                           CheckCase{"signedLatitude", Check::Latitude, "-48.85", false, kNumeric},
                                           CheckCase{"latitudePointOnly", Check::Latitude, ".", false, kNumeric},
                                           CheckCase{"longitudeAbove180", Check::Longitude, "500.5", false, kAbove180},
                                           CheckCase{"longitudeAt180", Check::Longitude, "180", true, kNumeric},
                                           CheckCase{"longitudeLetters", Check::Longitude, "east", false, kNumeric}),
                         [](const auto& info) { return std::string(info.param.name); });

struct TextViewCase {
    const char* name;
    int current;
    int replaced;
    int inserted;
    int limit;
    int accepted;  // characters inserted; -1: refused
    friend void PrintTo(const TextViewCase& row, std::ostream* os) { *os << row.name; }
};

class ATextViewLimit : public ::testing::TestWithParam<TextViewCase> {};

TEST_P(ATextViewLimit, alwaysLetsAFullViewShrinkAndCutsAPasteToFit) {
    const TextViewCase& c = GetParam();
    const auto change =
        FieldValidation::acceptedTextViewChange(c.current, c.replaced, QString(c.inserted, u'x'), c.limit);
    if (c.accepted < 0) {
        EXPECT_FALSE(change);
    } else {
        ASSERT_TRUE(change);
        EXPECT_EQ(change->size(), c.accepted);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ATextViewLimit,
                         ::testing::Values(TextViewCase{"typingWithinTheLimit", 10, 0, 1, 10000, 1},
                                           TextViewCase{"typingIntoAFullView", 10000, 0, 1, 10000, -1},
                                           TextViewCase{"deletingFromAnOverfullView", 10400, 1, 0, 10000, 0},
                                           TextViewCase{"replacingBySomethingShorter", 10400, 5, 2, 10000, 2},
                                           TextViewCase{"pasteCutToFit", 9990, 0, 400, 10000, 10},
                                           TextViewCase{"presetLimit", 500, 0, 3, 500, -1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ALiveCheck, cutsTypedTextAtTheLimit) {
    EXPECT_EQ(FieldValidation::cutToLimit(QString(400, u'a'), 150).size(), 150);
    EXPECT_EQ(FieldValidation::cutToLimit(QString(150, u'a'), 150).size(), 150);
}

}  // namespace
