#include <gtest/gtest.h>

#include "platform/WallClock.h"

using platform::DateFormat;
using platform::DateParts;
using platform::GregorianCalendar;

TEST(ADateFormat, parsesOnlyTheWholeTextOfARealDate) {
    const DateFormat format("yyyy:MM:dd HH:mm:ss");
    ASSERT_TRUE(format.isValid());
    EXPECT_TRUE(format.parse("2019:07:10 08:30:00").has_value());
    EXPECT_FALSE(format.parse("2019:07:10 08:30:00 trailing").has_value());
    EXPECT_FALSE(format.parse("2019:07:10").has_value());
    EXPECT_FALSE(format.parse("2019:02:29 00:00:00").has_value());
    EXPECT_FALSE(format.parse("2019:04:31 00:00:00").has_value());
    EXPECT_TRUE(format.parse("2020:02:29 00:00:00").has_value());
    EXPECT_FALSE(format.parse("").has_value());
    EXPECT_FALSE(format.parse("0000:00:00 00:00:00").has_value());
}

TEST(ADateFormat, roundTripsOnTheUtcLine) {
    const DateFormat format("yyyy:MM:dd HH:mm:ss");
    const auto time = format.parse("1601:12:31 23:59:59");
    ASSERT_TRUE(time);
    EXPECT_EQ(format.format(*time), "1601:12:31 23:59:59");
    const DateParts parts = GregorianCalendar::split(*time);
    EXPECT_EQ(parts, (DateParts{1601, 12, 31, 23, 59, 59}));
}

TEST(ADateFormat, forcesTheGregorianCalendarInEveryLocale) {
    const auto time = DateFormat("yyyy:MM:dd HH:mm:ss").parse("2019:07:10 08:30:00");
    ASSERT_TRUE(time);
    EXPECT_EQ(DateFormat("yyyy", "th_TH@calendar=buddhist").format(*time), "2019");
    EXPECT_EQ(DateFormat("yyyy", "ja_JP@calendar=japanese").format(*time), "2019");
}

TEST(ADateFormat, refusesABrokenPattern) {
    const DateFormat format("yyyy jj");
    EXPECT_FALSE(format.isValid() && format.parse("2019 01").has_value());
    EXPECT_TRUE(format.format(0).isEmpty() || format.isValid());
}

TEST(TheCalendar, composesWithRollOver) {
    auto text = [](const DateParts& parts) {
        return DateFormat("yyyy:MM:dd HH:mm:ss").format(*GregorianCalendar::compose(parts));
    };
    EXPECT_EQ(text({2019, 4, 31, 8, 0, 0}), "2019:05:01 08:00:00");
    EXPECT_EQ(text({2019, 7, 10, 24, 0, 0}), "2019:07:11 00:00:00");
    EXPECT_EQ(text({2019, 13, 1, 0, 0, 0}), "2020:01:01 00:00:00");
    EXPECT_EQ(text({2019, 3, 0, 0, 0, 0}), "2019:02:28 00:00:00");
}

TEST(TheCalendar, addsWithCarryAndMonthEndClamp) {
    const DateFormat format("yyyy:MM:dd HH:mm:ss");
    auto added = [&](const char* from, DateParts amounts) {
        return format.format(*GregorianCalendar::add(*format.parse(from), amounts));
    };
    EXPECT_EQ(added("2019:01:31 10:00:00", {0, 1, 0, 0, 0, 0}), "2019:02:28 10:00:00");
    EXPECT_EQ(added("2020:02:29 10:00:00", {1, 0, 0, 0, 0, 0}), "2021:02:28 10:00:00");
    EXPECT_EQ(added("2019:03:01 10:00:00", {0, 0, -1, 0, 0, 0}), "2019:02:28 10:00:00");
    EXPECT_EQ(added("2019:07:10 08:30:00", {0, 0, 0, 0, 90, 0}), "2019:07:10 10:00:00");
    EXPECT_EQ(added("2019:12:31 23:59:59", {0, 0, 0, 0, 0, 1}), "2020:01:01 00:00:00");
}

TEST(TheCalendar, knowsWhichDaysExist) {
    EXPECT_TRUE(GregorianCalendar::isValidDate(2020, 2, 29));
    EXPECT_FALSE(GregorianCalendar::isValidDate(2019, 2, 29));
    EXPECT_FALSE(GregorianCalendar::isValidDate(1900, 2, 29));
    EXPECT_TRUE(GregorianCalendar::isValidDate(2000, 2, 29));
    EXPECT_FALSE(GregorianCalendar::isValidDate(2021, 4, 31));
    EXPECT_FALSE(GregorianCalendar::isValidDate(2021, 13, 1));
    EXPECT_FALSE(GregorianCalendar::isValidDate(2021, 0, 1));
}
