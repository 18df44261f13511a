// Decoding Shift-JIS bytes for display and for reports.

#include "sjisdecoder.h"
#include "sjistext.h"

#include <gtest/gtest.h>

#include <string>

using namespace ostrel;

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

struct Cp932Case {
    const char *bytes;
    const char16_t *text;
};

void PrintTo(const Cp932Case &c, std::ostream *os)
{
    *os << ::testing::PrintToString(std::string(c.bytes));
}

// Pairs across the code page, with their characters as Windows maps them.
class Cp932DecodeTest : public ::testing::TestWithParam<Cp932Case> {};

TEST_P(Cp932DecodeTest, DecodesThePairAsTheCodePageDoes)
{
    EXPECT_EQ(DecodeSjis(GetParam().bytes), QString::fromUtf16(GetParam().text)) << GetParam().bytes;
}

INSTANTIATE_TEST_SUITE_P(Pairs, Cp932DecodeTest, ::testing::Values(
    Cp932Case{"\x88\x9f", u"\u4e9c"}, Cp932Case{"\xea\xa4", u"\u7199"}, Cp932Case{"\xe0\x40", u"\u6f3e"},  // kanji
    Cp932Case{"\x82\xa0", u"\u3042"}, Cp932Case{"\x83\x94", u"\u30f4"},                                  // kana
    Cp932Case{"\x81\x40", u"\u3000"}, Cp932Case{"\x81\x60", u"\uff5e"}, Cp932Case{"\x81\x5f", u"\uff3c"},  // full-width
    Cp932Case{"\x81\x7c", u"\uff0d"}, Cp932Case{"\x81\x91", u"\uffe0"}, Cp932Case{"\x82\x61", u"\uff22"},
    Cp932Case{"\x87\x40", u"\u2460"}, Cp932Case{"\x87\x54", u"\u2160"}, Cp932Case{"\x87\x7e", u"\u337b"},  // NEC row
    Cp932Case{"\x87\x82", u"\u2116"}, Cp932Case{"\x87\x9a", u"\u2235"},
    Cp932Case{"\xed\x40", u"\u7e8a"}, Cp932Case{"\xee\xef", u"\u2170"}, Cp932Case{"\xee\xfc", u"\uff02"},  // NEC-selected IBM
    Cp932Case{"\xfa\x40", u"\u2170"}, Cp932Case{"\xfa\x5c", u"\u7e8a"}, Cp932Case{"\xfc\x4b", u"\u9ed1"},  // IBM
    Cp932Case{"\xf0\x40", u"\ue000"}, Cp932Case{"\xf9\xfc", u"\ue757"},                                  // user-defined
    Cp932Case{"\x85\x40", u"\ufffd@"}, Cp932Case{"\xeb\x40", u"\ufffd@"}, Cp932Case{"\x81\xad", u"\ufffd\uff6d"},
    Cp932Case{"\xfc\x4c", u"\ufffdL"}, Cp932Case{"\x81\x7f", u"\ufffd\u007f"}, Cp932Case{"\x81\xfd", u"\ufffd\uf8f1"}));

// Characters with several pairs get the one Windows writes; characters
// outside the code page become one '?' each.
class Cp932EncodeTest : public ::testing::TestWithParam<Cp932Case> {};

TEST_P(Cp932EncodeTest, EncodesAsWindowsDoes)
{
    EXPECT_EQ(EncodeSjis(QString::fromUtf16(GetParam().text)), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(Characters, Cp932EncodeTest, ::testing::Values(
    Cp932Case{"\x88\x9f", u"\u4e9c"}, Cp932Case{"\xb1\x1a\x7f\x80\xa0\xff", u"\uff71\u001a\u007f\u0080\uf8f0\uf8f3"},
    Cp932Case{"\x87\x54", u"\u2160"}, Cp932Case{"\x81\xe6", u"\u2235"}, Cp932Case{"\x81\xe0", u"\u2252"},
    Cp932Case{"\x81\xca", u"\uffe2"}, Cp932Case{"\xfa\x40", u"\u2170"}, Cp932Case{"\xfa\x5c", u"\u7e8a"},
    Cp932Case{"\xfc\x4b", u"\u9ed1"}, Cp932Case{"\xf0\x40", u"\ue000"},
    Cp932Case{"A?B", u"A\U0001F600B"}, Cp932Case{"??", u"\u00a2\u200b"}, Cp932Case{"?A?", u"\xd800" u"A" u"\xdc00"}));

TEST(SjisDecoderTest, EveryEncodableCharacterDecodesBackToItself)
{
    int encodable = 0;
    for (int unit = 0; unit < 0x10000; ++unit) {
        const QString character{QChar(char16_t(unit))};
        const std::string bytes = EncodeSjis(character);
        if (bytes == "?" && unit != '?')
            continue;
        ++encodable;
        EXPECT_EQ(DecodeSjis(bytes), character) << std::hex << unit;
    }
    EXPECT_EQ(encodable, 9402);  // the distinct characters of code page 932
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

// Texts of up to 15 bytes are kept in place and longer ones on the heap; each
// length must survive copies, moves and being assigned from itself.
TEST(SjisTextTest, KeepsEveryLengthThroughCopiesMovesAndSelfAssignment)
{
    const std::string bytes(300, '\x91');
    for (const std::size_t length : {0, 1, 15, 16, 255, 300}) {
        SCOPED_TRACE(length);
        const std::string_view expected = std::string_view(bytes).substr(0, std::min<std::size_t>(length, 255));
        SjisText<256> text;
        text.Assign("a longer text than fits in place");
        text.Assign(std::string_view(bytes).substr(0, length));
        text.Assign(text.View());
        SjisText<256> assigned;
        assigned.Assign("x");
        assigned = text;
        SjisText<256> moved(std::move(assigned));
        moved = SjisText<256>(moved);
        EXPECT_EQ(text.View(), expected);
        EXPECT_EQ(moved.View(), expected);
        const std::size_t tail = std::min<std::size_t>(1, expected.size());
        text.Assign(text.View().substr(tail));
        EXPECT_EQ(text.View(), expected.substr(tail));
    }
}

} // namespace
