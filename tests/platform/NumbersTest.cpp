#include <gtest/gtest.h>

#include <climits>
#include <clocale>

#include "platform/Numbers.h"

using namespace platform;

namespace {

// printf and strtod follow LC_NUMERIC; ours must not.
class UnderADecimalCommaLocale : public ::testing::Test {
  protected:
    void SetUp() override {
        m_previous = std::setlocale(LC_NUMERIC, nullptr);
        m_switched = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
    }
    void TearDown() override { std::setlocale(LC_NUMERIC, m_previous.c_str()); }
    std::string m_previous;
    bool m_switched = false;
};

TEST_F(UnderADecimalCommaLocale, readsAndWritesPointDecimals) {
    EXPECT_DOUBLE_EQ(doubleValue("2.8"), 2.8);
    EXPECT_FLOAT_EQ(floatValue("0.008"), 0.008f);
    EXPECT_EQ(formatFixed(48.85837), "48.858370");
    EXPECT_EQ(formatFixed(-0.5, 2), "-0.50");
    if (!m_switched) GTEST_SKIP() << "the de_DE locale is not installed; checked under C only";
}

}  // namespace

TEST(LeadingNumberReads, takeTheLeadingNumberOrZero) {
    EXPECT_EQ(intValue("42"), 42);
    EXPECT_EQ(intValue("  -3 days"), -3);
    EXPECT_EQ(intValue("+7"), 7);
    EXPECT_EQ(intValue("abc"), 0);
    EXPECT_EQ(intValue(""), 0);
    EXPECT_EQ(intValue("12.9"), 12);
    EXPECT_EQ(intValue("99999999999"), INT_MAX);
    EXPECT_EQ(intValue("-99999999999"), INT_MIN);
    EXPECT_DOUBLE_EQ(doubleValue(" 1.5e3x"), 1500.0);
    EXPECT_DOUBLE_EQ(doubleValue("-.25"), -0.25);
    EXPECT_DOUBLE_EQ(doubleValue("5."), 5.0);
    EXPECT_DOUBLE_EQ(doubleValue("."), 0.0);
    EXPECT_DOUBLE_EQ(doubleValue("2,5"), 2.0);
    EXPECT_DOUBLE_EQ(doubleValue("1e"), 1.0);
}

TEST(LeadingNumberReads, readBooleansLikeTheSettingsDo) {
    EXPECT_TRUE(boolValue("YES"));
    EXPECT_TRUE(boolValue("true"));
    EXPECT_TRUE(boolValue("2"));
    EXPECT_FALSE(boolValue("NO"));
    EXPECT_FALSE(boolValue("0"));
    EXPECT_FALSE(boolValue(""));
}
