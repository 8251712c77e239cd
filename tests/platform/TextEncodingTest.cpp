#include <gtest/gtest.h>

#include "platform/TextEncoding.h"

using namespace platform;

TEST(MetadataText, decodesUtf8WhenValid) {
    EXPECT_TRUE(isValidUtf8("Zoë & 東京"));
    EXPECT_EQ(decodeText("Zoë & 東京"), QString::fromUtf8("Zoë & 東京"));
    EXPECT_EQ(decodeText(""), "");
}

TEST(MetadataText, fallsBackToWindows1252WithoutLosingBytes) {
    const QByteArray latin("Caf\xe9 \x80 \x93quoted\x94 \x81");
    EXPECT_FALSE(isValidUtf8(latin));
    EXPECT_EQ(decodeText(latin), QString::fromUtf8("Café € “quoted” \u0081"));
    // Every byte maps to a distinct character, so the bytes can be recovered.
    QByteArray all;
    for (int b = 0; b < 256; ++b) all.append(static_cast<char>(b));
    EXPECT_EQ(decodeWindows1252(all).size(), 256);
}

TEST(MetadataText, rejectsOverlongAndTruncatedSequences) {
    EXPECT_FALSE(isValidUtf8(QByteArray("\xc0\xaf", 2)));
    EXPECT_FALSE(isValidUtf8(QByteArray("ab\xe6\x9d", 4)));
}
