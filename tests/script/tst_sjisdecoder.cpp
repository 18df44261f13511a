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

TEST(SjisDecoderTest, SingleBytesFollowTheCodePagesOwnTable)
{
    // Control characters stay themselves (Qt's converter turns 0x1A and 0x1C
    // into other control characters).
    EXPECT_EQ(DecodeSjis("\x1a\x1c\x7f\t"), QString::fromUtf16(u"\u001a\u001c\u007f\t"));
    EXPECT_EQ(DecodeSjis("\x80\xa0\xfd\xfe\xff"), QString::fromUtf16(u"\u0080\uf8f0\uf8f1\uf8f2\uf8f3"));
}

TEST(SjisDecoderTest, ABrokenCharacterBecomesOneReplacementAndKeepsWhatFollows)
{
    EXPECT_EQ(DecodeSjis("A\x91"), QStringLiteral("A\uFFFD"));
    // A lead byte followed by a byte that cannot trail it: the ASCII byte survives.
    EXPECT_EQ(DecodeSjis("\x82(2) x"), QStringLiteral("\uFFFD(2) x"));
    // A cut character before "／" (0x81 0x5E): the separator survives.
    EXPECT_EQ(DecodeSjis("A\xfc\x81\x5eo"), QStringLiteral("A\uFFFD／o"));
    // An unassigned pair: only its lead byte is lost; the trail byte starts
    // the next character (0x9E 0x5A).
    EXPECT_EQ(DecodeSjis("A\x85\x9eZ"), QString::fromUtf16(u"A\ufffd\u6759"));
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
