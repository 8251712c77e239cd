#include <gtest/gtest.h>

#include <QLocale>

#include <future>

#include "model/Utils.h"

namespace {

struct ReformatCase {
    const char* text;
    const char* in;
    const char* out;
    const char* expected;
};

void PrintTo(const ReformatCase& c, std::ostream* os) {
    *os << c.text << " (" << c.in << " -> " << c.out << ")";
}

class TheDateReformatter : public ::testing::TestWithParam<ReformatCase> {
  protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }
};

TEST_P(TheDateReformatter, rewritesOrGivesEmpty) {
    const ReformatCase& c = GetParam();
    EXPECT_EQ(Utils::sharedUtils().convertedDate(c.text, c.in, c.out), QString::fromUtf8(c.expected))
        << c.text << " " << c.in << " -> " << c.out;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TheDateReformatter,
    ::testing::Values(
        ReformatCase{"13:05:00", "HH:mm:ss", "hh:mm:ss a", "01:05:00 PM"},
        ReformatCase{"12:00:00 AM", "hh:mm:ss a", "HH:mm:ss", "00:00:00"},
        ReformatCase{"2019:07:10 08:30:00", "yyyy:MM:dd HH:mm:ss", "MMM dd,yyyy hh:mm:ss a", "Jul 10,2019 08:30:00 AM"},
        ReformatCase{"2019:07:10 20:30:00", "yyyy:MM:dd HH:mm:ss", "yyyy:MM:dd hh:mm:ss a", "2019:07:10 08:30:00 PM"},
        // The "Z" is dropped, not taken as a zone.
        ReformatCase{"2019-07-10 08:30:00Z", "yyyy:MM:dd HH:mm:ss", "yyyy:MM:dd HH:mm:ss", "2019:07:10 08:30:00"},
        ReformatCase{"2019-07-10 08:30:00.250", "yyyy:MM:dd HH:mm:ss", "yyyy:MM:dd HH:mm:ss", "2019:07:10 08:30:00"},
        ReformatCase{"2019-07-10T08:30:00", "yyyy:MM:dd HH:mm:ss", "yyyy:MM:dd HH:mm:ss", "2019:07:10 08:30:00"},
        ReformatCase{"2019-07-10T08:30:00Z", "yyyy:MM:dd HH:mm:ss", "yyyy:MM:dd HH:mm:ss", "2019:07:10 08:30:00"},
        // An offset keeps the photo's own wall-clock reading.
        ReformatCase{"2019-07-10T08:30:00+02:00", "yyyy:MM:dd HH:mm:ss", "yyyy:MM:dd HH:mm:ss", "2019:07:10 08:30:00"},
        ReformatCase{"2019-07-10T08:30:00.120-05:00", "yyyy:MM:dd HH:mm:ss", "yyyy:MM:dd HH:mm:ss",
                     "2019:07:10 08:30:00"},
        ReformatCase{"2019:07:10 08:30:00", "HH:mm:ss", "MMM dd,yyyy", "Jul 10,2019"},
        ReformatCase{"", "yyyy:MM:dd HH:mm:ss", "HH:mm:ss", ""},
        ReformatCase{"tomorrow", "yyyy:MM:dd HH:mm:ss", "HH:mm:ss", ""},
        // A hyphenated text never falls through to the colon form.
        ReformatCase{"2019-07-10-08-30-00", "HH:mm:ss", "HH:mm:ss", ""},
        ReformatCase{"2019:13:10 08:30:00", "yyyy:MM:dd HH:mm:ss", "HH:mm:ss", ""},
        ReformatCase{"2019:07:10 08:30:00", "y'unclosed", "HH:mm:ss", "08:30:00"}));

TEST(TheDateReformatterForPeople, keepsGregorianYearsAndMachineFormsInAnyLanguage) {
    QLocale::setDefault(QLocale(QLocale::Thai, QLocale::Thailand));
    EXPECT_EQ(Utils::sharedUtils().convertedDate("2019:07:10 08:30:00", "yyyy:MM:dd HH:mm:ss", "yyyy"), "2019");
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    // Machine patterns ignore the language entirely, AM/PM markers included.
    EXPECT_EQ(Utils::sharedUtils().convertedDate("2019:07:10 20:30:00", "yyyy:MM:dd HH:mm:ss", "yyyy:MM:dd HH:mm:ss"),
              "2019:07:10 20:30:00");
    const QString shown = Utils::sharedUtils().convertedDate("13:05:00", "HH:mm:ss", "hh:mm:ss a");
    EXPECT_FALSE(shown.isEmpty());
    EXPECT_EQ(Utils::sharedUtils().convertedDate(shown, "hh:mm:ss a", "HH:mm:ss"), "13:05:00");
    QLocale::setDefault(QLocale::c());
}

TEST(TheSharedUtils, isOneInstanceAcrossThreads) {
    auto fromThread = std::async(std::launch::async, [] { return &Utils::sharedUtils(); });
    EXPECT_EQ(fromThread.get(), &Utils::sharedUtils());
}

}  // namespace
