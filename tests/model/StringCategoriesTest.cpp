#include <gtest/gtest.h>

#include "model/StringCategories.h"

using namespace StringCategories;

TEST(Trimming, removesWhiteSpaceAndNewlinesAtBothEnds) {
    EXPECT_EQ(trim("  a b  \n"), "a b");
    EXPECT_EQ(trim("   "), "");
    EXPECT_EQ(trim(""), "");
    // Non-breaking and ideographic spaces, line separators and NEL are blank too.
    EXPECT_EQ(trim(QString::fromUtf8("\u00a0\u3000x y\u2028\u0085\t")), "x y");
    EXPECT_EQ(stringByTrimmingLeadingWhitespaceAndNewlineCharacters(" a "), "a ");
    EXPECT_EQ(stringByTrimmingTrailingWhitespaceAndNewlineCharacters(" a "), " a");
}

TEST(XmlEscaping, escapesAmpersandFirst) {
    EXPECT_EQ(xmlSimpleEscapeString("a<b & 'c'"), "a&lt;b &amp; &#x27;c&#x27;");
    EXPECT_EQ(xmlSimpleEscapeString("\"x\">"), "&quot;x&quot;&gt;");
    EXPECT_EQ(xmlSimpleEscapeStringNEW("a<b & c"), "a(lessthan)b &amp;amp; c");
    EXPECT_EQ(xmlSimpleEscapeString("&lt;"), "&amp;lt;");
}

TEST(XmlEscaping, inPlaceChangesTheReceiverOnly) {
    const QString original = "a&b";
    QString copy = original;
    xmlSimpleEscape(copy);
    EXPECT_EQ(copy, "a&amp;b");
    EXPECT_EQ(original, "a&b");
}

TEST(XmlUnescaping, turnsEntitiesBack) {
    EXPECT_EQ(xmlSimpleUnescapeString("&amp;&quot;&#x27;&#x92;&gt;&lt;"), "&\"''><");
    EXPECT_EQ(xmlSimpleUnescapeString("a&#x000D;&#x000A;b"), "a\n\nb");
}

TEST(PatternReplace, isCaseInsensitiveAndReplacesEveryMatch) {
    EXPECT_EQ(replacingWithPattern("2019:07:10", ":", "-"), QString("2019-07-10"));
    EXPECT_EQ(replacingWithPattern("AbA", "a", "x"), QString("xbx"));
    EXPECT_EQ(replacingWithPattern("2019:07", "(\\d+):(\\d+)", "$2/$1"), QString("07/2019"));
}

TEST(PatternReplace, reportsAPatternThatDoesNotCompile) {
    QString error;
    EXPECT_FALSE(replacingWithPattern("abc", "(", "x", &error).has_value());
    EXPECT_FALSE(error.isEmpty());
}

TEST(UrlEncoding, escapesReservedCharactersAndRoundTrips) {
    EXPECT_EQ(URLEncodedString("a b/c?d=é"), "a%20b%2Fc%3Fd%3D%C3%A9");
    EXPECT_EQ(URLDecodedString("a%20b%2Fc%3Fd%3D%C3%A9"), "a b/c?d=é");
}
