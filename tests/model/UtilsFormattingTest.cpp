#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include "model/Utils.h"

namespace {

void touch(const QString& path) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
}

}  // namespace

// ---- Collision-free paths ----

// What already stands in the folder: "name" a file, "name/" a folder, "name@" a dangling link.
struct CollisionCase {
    const char* name;
    QStringList taken;
    const char* asked;
    const char* expected;
};

void PrintTo(const CollisionCase& c, std::ostream* os) {
    *os << c.asked << " -> " << c.expected;
}

class ACollisionFreePath : public ::testing::TestWithParam<CollisionCase> {};

TEST_P(ACollisionFreePath, takesTheFirstFreeCounterAndKeepsTheRestOfThePath) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const auto at = [&dir](const QString& name) { return dir.path() + u'/' + name; };
    for (const QString& entry : GetParam().taken) {
        if (entry.endsWith(u'/')) {
            ASSERT_TRUE(QDir().mkpath(at(entry)));
        } else if (entry.endsWith(u'@')) {
            ASSERT_TRUE(QFile::link(at("missing"), at(entry.chopped(1))));
        } else {
            QDir().mkpath(QFileInfo(at(entry)).path());
            touch(at(entry));
        }
    }
    EXPECT_EQ(Utils::stringToAvoidNameCollisionForPath(at(GetParam().asked)), at(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Names, ACollisionFreePath,
    ::testing::Values(CollisionCase{"free", {}, "a.jpg", "a.jpg"},
                      CollisionCase{"firstFreeCounter", {"a.jpg", "a (1).jpg"}, "a.jpg", "a (2).jpg"},
                      CollisionCase{"counterKeptInTheName", {"IMG_1 (1).jpg"}, "IMG_1 (1).jpg", "IMG_1 (1) (1).jpg"},
                      CollisionCase{"folderAndDanglingLinkTaken", {"b.jpg/", "b (1).jpg@"}, "b.jpg", "b (2).jpg"},
                      CollisionCase{"noExtension", {"README"}, "README", "README (1)"},
                      CollisionCase{"hiddenName", {".hidden"}, ".hidden", ".hidden (1)"},
                      CollisionCase{"lastExtensionOnly", {"photo.tar.gz"}, "photo.tar.gz", "photo.tar (1).gz"},
                      // Percent signs in names are text, never placeholders.
                      CollisionCase{"percentInTheName", {"pic%1x%2.jpg"}, "pic%1x%2.jpg", "pic%1x%2 (1).jpg"},
                      CollisionCase{"percentInTheExtension", {"a.%1"}, "a.%1", "a (1).%1"},
                      CollisionCase{"percentInTheFolder",
                                    {"pct%1out/name.jpg", "pct1out/"},
                                    "pct%1out/name.jpg",
                                    "pct%1out/name (1).jpg"}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Size texts ----

struct SizeCase {
    double bytes;
    const char* text;
};

void PrintTo(const SizeCase& c, std::ostream* os) {
    *os << c.bytes << " bytes";
}

class ASizeText : public ::testing::TestWithParam<SizeCase> {};

TEST_P(ASizeText, stepsByThousandsAndCutsToTwoDecimals) {
    EXPECT_EQ(Utils::sharedUtils().unitStringFromBytes(GetParam().bytes, 0), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Table, ASizeText,
                         ::testing::Values(SizeCase{0, "0 bytes"}, SizeCase{512, "512 bytes"},
                                           SizeCase{993, "993 bytes"}, SizeCase{994, "0.97 KB"},
                                           SizeCase{1000, "1.00 KB"}, SizeCase{1150, "1.15 KB"},
                                           SizeCase{1536, "1.53 KB"}, SizeCase{999999, "0.97 MB"},
                                           SizeCase{1000000, "1.00 MB"}, SizeCase{1e9, "1.00 GB"},
                                           SizeCase{5e12, "5.00 TB"}, SizeCase{999e12, "999.00 TB"},
                                           SizeCase{2.5e15, "2500.00 TB"}, SizeCase{1e21, "1000000000.00 TB"}));

// ---- Durations ----

struct DurationCase {
    qint64 seconds;
    const char* text;
};

void PrintTo(const DurationCase& c, std::ostream* os) {
    *os << c.seconds << " s";
}

class ADurationText : public ::testing::TestWithParam<DurationCase> {};

TEST_P(ADurationText, spellsHoursMinutesAndSeconds) {
    EXPECT_EQ(Utils::sharedUtils().timeFormattedString(GetParam().seconds), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Table, ADurationText,
                         ::testing::Values(DurationCase{0, ""}, DurationCase{-5, ""}, DurationCase{-3700, ""},
                                           DurationCase{1, " 1 second"}, DurationCase{59, " 59 seconds"},
                                           DurationCase{60, " 1 minute 0 seconds"},
                                           DurationCase{65, " 1 minute 5 seconds"},
                                           DurationCase{3600, "1 hour 0 minutes 0 seconds"},
                                           DurationCase{3661, "1 hour 1 minute 1 second"},
                                           DurationCase{7322, "2 hours 2 minutes 2 seconds"}));

TEST(ADurationBetweenDates, truncatesTowardZeroInBothDirections) {
    EXPECT_EQ(Utils::getDurationBetweenDate(1000.0, 62999.0), 61);
    EXPECT_EQ(Utils::getDurationBetweenDate(62999.0, 1000.0), -61);
    EXPECT_EQ(Utils::getDurationBetweenDate(0.0, 999.0), 0);
}

TEST(ADateText, writesTheWallClockReading) {
    const auto time = platform::DateFormat(Utils::exifDateFormat()).parse("2021:03:05 14:05:09");
    ASSERT_TRUE(time.has_value());
    EXPECT_EQ(Utils::getDateStringFromDate(*time, "yyyy-MM-dd HH:mm:ss"), "2021-03-05 14:05:09");
}

// ---- JSON texts ----

TEST(AJsonText, writesNumbersBareAndTextsQuotedInTheGivenOrder) {
    EXPECT_EQ(Utils::getJSONFromDict({}), "{}");
    EXPECT_EQ(Utils::getJSONFromDict({{"pid", 3}}), R"({"pid":3})");
    EXPECT_EQ(Utils::getJSONFromDict({{"z", "123"}, {"a", true}, {"m", 2.5}, {"b", false}}),
              R"({"z":"123","a":1,"m":2.5,"b":0})");
}

TEST(AJsonText, escapesQuotesBackslashesAndControlCharacters) {
    const QString text = QStringLiteral("say \"hi\"\\ \n\t\x01 é");
    const QString json = Utils::getJSONFromDict({{"k\"ey", text}});
    EXPECT_EQ(json, QStringLiteral("{\"k\\\"ey\":\"say \\\"hi\\\"\\\\ \\n\\t\\u0001 é\"}"));
    QJsonParseError error;
    const QJsonDocument parsed = QJsonDocument::fromJson(json.toUtf8(), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    EXPECT_EQ(parsed.object().value("k\"ey").toString(), text);
}

TEST(AJsonText, writesNoSpellingJsonLacks) {
    EXPECT_EQ(Utils::getJSONFromDict({{"n", std::numeric_limits<double>::quiet_NaN()}}), R"({"n":null})");
}
