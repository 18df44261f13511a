// Decoding Shift-JIS bytes for display and for reports.

#include "sjisdecoder.h"
#include "sjistext.h"

#include <gtest/gtest.h>

namespace {

TEST(SjisDecoderTest, DecodesDoubleAndSingleByteCharacters)
{
    EXPECT_EQ(DecodeSjis("\x8c\x95\x8e\x6d"), QStringLiteral("剣士"));
    EXPECT_EQ(DecodeSjis("\xb1\xc6"), QStringLiteral("ｱﾆ"));
    EXPECT_EQ(DecodeSjis("A\x91\xe5"), QStringLiteral("A大"));
    EXPECT_EQ(EncodeSjis(QStringLiteral("《剣》")), "\x81\x73\x8c\x95\x81\x74");
}

TEST(SjisDecoderTest, ABrokenCharacterBecomesOneReplacementAndKeepsWhatFollows)
{
    EXPECT_EQ(DecodeSjis("A\x91"), QStringLiteral("A\uFFFD"));
    // A lead byte followed by a byte that cannot trail it: the ASCII byte survives.
    EXPECT_EQ(DecodeSjis("\x82(2) x"), QStringLiteral("\uFFFD(2) x"));
}

TEST(SjisDecoderTest, DisplayDropsALoneLeadByteAtTheEnd)
{
    EXPECT_EQ(DecodeSjisForDisplay("A\x91"), QStringLiteral("A"));
    EXPECT_EQ(DecodeSjisForDisplay("\x91"), QString());
    EXPECT_EQ(DecodeSjisForDisplay("\x91\xe5"), QStringLiteral("大"));
}

TEST(SjisTextTest, CutsAtCapacityMinusOneBytes)
{
    SjisText<4> text;
    text.Assign("abcdef");
    EXPECT_EQ(text.View(), "abc");
    text.Assign("\x91\xe5\x91\xe5");  // a cut through the second character leaves its lead byte
    EXPECT_EQ(text.View(), "\x91\xe5\x91");
    text.Assign("");
    EXPECT_EQ(text.View(), "");
}

} // namespace
