#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QRegularExpression>

#include "model/DateTimeConfiguration.h"

TEST(ADefaultDateRule, holdsTheDocumentedDefaults) {
    const DateTimeConfiguration c;
    EXPECT_EQ(c.option(), 0);
    for (const auto* flag : {&c.isUpdateDayKeepOriginal, &c.isUpdateMonthKeepOriginal, &c.isUpdateYearKeepOriginal,
                             &c.isUpdateTimeKeepOriginal, &c.isIncDecDayKeepOriginal, &c.isIncDecMonthKeepOriginal,
                             &c.isIncDecYearKeepOriginal, &c.isIncDecHourKeepOriginal, &c.isIncDecMinuteKeepOriginal,
                             &c.isIncDecSecondKeepOriginal}) {
        EXPECT_EQ(*flag, std::optional<bool>(false));
    }
    EXPECT_EQ(c.stringUpdateDay, "1");
    EXPECT_EQ(c.stringUpdateMonth, "1");
    EXPECT_EQ(c.stringUpdateYear, "1905");
    EXPECT_EQ(c.stringUpdateTime, "00:00:00");
    for (const auto* amount : {&c.stringIncDecDay, &c.stringIncDecMonth, &c.stringIncDecYear, &c.stringIncDecHour,
                               &c.stringIncDecMinute, &c.stringIncDecSecond}) {
        EXPECT_EQ(*amount, "1");
    }
    EXPECT_TRUE(QRegularExpression("^\\d{4}:\\d\\d:\\d\\d \\d\\d:\\d\\d:\\d\\d$")
                    .match(DateTimeConfiguration::text(c.stringSelectedDate))
                    .hasMatch())
        << c.stringSelectedDate->toStdString();
}

TEST(ADateRuleArchive, roundTripsEveryValueWithItsKind) {
    DateTimeConfiguration c;
    c.tagConfigureOption = 4;
    c.isIncDecMonthKeepOriginal = true;
    c.isUpdateTimeKeepOriginal = true;
    c.stringIncDecDay = "-3";
    c.stringSelectedDate = "2001:02:03 04:05:06";
    c.stringUpdateTime = "";
    const QByteArray bytes = QJsonDocument(c.encodeWithCoder()).toJson();
    const DateTimeConfiguration back = DateTimeConfiguration::initWithCoder(QJsonDocument::fromJson(bytes).object());
    EXPECT_EQ(back, c);
    EXPECT_EQ(c.encodeWithCoder().value("tagConfigureOption").toInt(), 4);
    EXPECT_TRUE(c.encodeWithCoder().value("isIncDecMonthKeepOriginal").isBool());
}

TEST(ADateRuleArchive, leavesMissingKeysAbsentWithoutDefaults) {
    QJsonObject coder;
    coder.insert("stringIncDecDay", "5");
    coder.insert("isUpdateDayKeepOriginal", "not a boolean");
    const DateTimeConfiguration c = DateTimeConfiguration::initWithCoder(coder);
    EXPECT_FALSE(c.tagConfigureOption.has_value());
    EXPECT_EQ(c.option(), 0);
    EXPECT_FALSE(c.isUpdateDayKeepOriginal.has_value());
    EXPECT_FALSE(DateTimeConfiguration::flag(c.isUpdateDayKeepOriginal));
    EXPECT_EQ(DateTimeConfiguration::text(c.stringUpdateYear), "");
    EXPECT_EQ(c.stringIncDecDay, "5");
    // Absent stays absent through another round trip.
    EXPECT_EQ(DateTimeConfiguration::initWithCoder(c.encodeWithCoder()), c);
}
