// Line reading, splitting and the value kinds of the script format.

#include "scriptkeys.h"
#include "scriptline.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

using namespace ostrel;

namespace {

// A binary stream over bytes. Windows has no fmemopen; there the bytes go
// through a temporary file.
std::FILE *OpenBytes(const std::string &bytes)
{
#ifdef _WIN32
    std::FILE *file = std::tmpfile();
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::rewind(file);
    return file;
#else
    return fmemopen(const_cast<char *>(bytes.data()), bytes.size(), "rb");
#endif
}

std::vector<std::string> Pieces(const std::string &bytes)
{
    std::FILE *file = OpenBytes(bytes);
    LineReader reader(file);
    std::vector<std::string> pieces;
    LinePiece piece;
    while (reader.ReadLine(piece))
        pieces.emplace_back(piece.Text, piece.Length);
    std::fclose(file);
    return pieces;
}

struct SplitCase {
    const char *line;
    bool keyed;
    const char *key;
    const char *value;
};

class SplitLineTest : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitLineTest, SplitsAsTheFormatSays)
{
    const SplitCase &c = GetParam();
    std::string buffer = c.line;
    std::string_view key;
    const char *value = nullptr;
    ASSERT_EQ(SplitLine({buffer.data(), buffer.size()}, key, value), c.keyed);
    if (c.keyed) {
        EXPECT_EQ(key, c.key);
        EXPECT_STREQ(value, c.value);
    }
}

INSTANTIATE_TEST_SUITE_P(Lines, SplitLineTest, testing::Values(
    SplitCase{"Key: value\n", true, "Key", "value"},
    SplitCase{"Key:value\n", true, "Key", "value"},
    SplitCase{"Key: \t \tvalue\n", true, "Key", "value"},
    SplitCase{"Key: a b c \n", true, "Key", "a b c "},
    SplitCase{"Key :value\n", true, "Key ", "value"},
    SplitCase{" Key:value\n", true, " Key", "value"},
    SplitCase{"Key:\n", true, "Key", ""},
    SplitCase{"Key:   \n", true, "Key", ""},
    SplitCase{"Key: value", true, "Key", "valu"},         // a last line without line end loses its own last character
    SplitCase{"Key:", true, "Key", ""},
    SplitCase{"Key: a:b\n", true, "Key", "a:b"},           // only the first ":" splits
    SplitCase{"#Key: value\n", false, nullptr, nullptr},
    SplitCase{"no colon here\n", false, nullptr, nullptr},
    SplitCase{"End\n", false, nullptr, nullptr},
    SplitCase{"\n", false, nullptr, nullptr}));

TEST(LineReaderTest, CrLfAndLfBothEndALine)
{
    EXPECT_EQ(Pieces("a:1\r\nb:2\nc:3"), (std::vector<std::string>{"a:1\n", "b:2\n", "c:3"}));
}

TEST(LineReaderTest, LoneCarriageReturnIsAnOrdinaryCharacter)
{
    EXPECT_EQ(Pieces("a:1\rb:2\n"), (std::vector<std::string>{"a:1\rb:2\n"}));
}

TEST(LineReaderTest, LinesUpTo510CharactersAreWhole)
{
    const std::string line(510, 'x');
    EXPECT_EQ(Pieces(line + "\n"), (std::vector<std::string>{line + "\n"}));
    EXPECT_EQ(Pieces(line + "\r\n"), (std::vector<std::string>{line + "\n"}));
}

TEST(LineReaderTest, LongerLinesComeInPiecesOf511)
{
    const std::string line(1100, 'x');
    const std::vector<std::string> pieces = Pieces(line + "\r\n");
    ASSERT_EQ(pieces.size(), 3u);
    EXPECT_EQ(pieces[0], std::string(511, 'x'));
    EXPECT_EQ(pieces[1], std::string(511, 'x'));
    EXPECT_EQ(pieces[2], std::string(78, 'x') + "\n");
}

TEST(LineReaderTest, A511CharacterLineLeavesItsLineEndAsALineOfItsOwn)
{
    const std::string line = "Move: " + std::string(504, '0') + "1";
    ASSERT_EQ(line.size(), 511u);
    const std::vector<std::string> pieces = Pieces(line + "\n");
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[1], "\n");
    // The piece has no line end, so splitting drops the value's own last digit.
    std::string first = pieces[0];
    std::string_view key;
    const char *value;
    ASSERT_TRUE(SplitLine({first.data(), first.size()}, key, value));
    int32_t values[3] = {-7, -7, -7};
    EXPECT_EQ(ReadIntegerList(value, values, 3), 1);
    EXPECT_EQ(values[0], 0);
}

TEST(LineReaderTest, EmptyFileHasNoLines)
{
    EXPECT_TRUE(Pieces("").empty());
}

TEST(LineReaderTest, APieceEndsAtItsFirstNulWhereverTheBlocksFall)
{
    using namespace std::string_literals;
    EXPECT_EQ(Pieces("Ke\0y:1\r\nX:2\0\n\0\n"s), (std::vector<std::string>{"Ke", "X:2", ""}));
    // NULs before, on and after the end of the reader's first block.
    for (const std::size_t at : {65000u, 65535u, 65536u, 70000u}) {
        std::string bytes;
        while (bytes.size() < 140000)
            bytes += "Move: 1,2,3\n";
        bytes[at] = '\0';
        const std::size_t lineStart = at - at % 12;
        std::size_t total = 0;
        for (const std::string &piece : Pieces(bytes)) {
            total += piece.size();
            if (piece.size() != 12) {
                EXPECT_EQ(piece, bytes.substr(lineStart, at - lineStart)) << at;
            }
        }
        EXPECT_EQ(total, bytes.size() - (12 - at % 12)) << at;
    }
}

struct IntegerCase {
    const char *value;
    int32_t expected;
};

class ReadIntegerTest : public testing::TestWithParam<IntegerCase> {};

TEST_P(ReadIntegerTest, ReadsLeadingDecimal)
{
    EXPECT_EQ(ReadInteger(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Values, ReadIntegerTest, testing::Values(
    IntegerCase{"42", 42}, IntegerCase{"+42", 42}, IntegerCase{"-42", -42},
    IntegerCase{" \t 7", 7}, IntegerCase{"007", 7}, IntegerCase{"12abc", 12},
    IntegerCase{"1 2", 1}, IntegerCase{"", 0}, IntegerCase{"abc", 0}, IntegerCase{"+", 0},
    IntegerCase{"- 5", 0}, IntegerCase{"2147483647", 2147483647},
    IntegerCase{"99999999999999999999", 2147483647}, IntegerCase{"-99999999999999999999", INT32_MIN}));

struct ListCase {
    const char *value;
    int read;
    std::vector<int32_t> expected;  // missing values keep the sentinel -9
};

class ReadIntegerListTest : public testing::TestWithParam<ListCase> {};

TEST_P(ReadIntegerListTest, StopsAtTheFirstValueThatDoesNotFit)
{
    const ListCase &c = GetParam();
    std::vector<int32_t> values(3, -9);
    EXPECT_EQ(ReadIntegerList(c.value, values.data(), 3), c.read);
    EXPECT_EQ(values, c.expected);
}

INSTANTIATE_TEST_SUITE_P(Lists, ReadIntegerListTest, testing::Values(
    ListCase{"1,2,3", 3, {1, 2, 3}},
    ListCase{"1, 2,\t3", 3, {1, 2, 3}},
    ListCase{" +1,-2,+3 trailing", 3, {1, -2, 3}},
    ListCase{"1 ,2,3", 1, {1, -9, -9}},     // a blank before "," ends the list
    ListCase{"1,2", 2, {1, 2, -9}},
    ListCase{"1,,3", 1, {1, -9, -9}},
    ListCase{"x,2,3", 0, {-9, -9, -9}},
    ListCase{"", 0, {-9, -9, -9}},
    ListCase{"1,2,3,4", 3, {1, 2, 3}}));

TEST(ReadWordTest, TakesTheFirstWord)
{
    EXPECT_EQ(ReadWord("first second"), "first");
    EXPECT_EQ(ReadWord(" \tword"), "word");
    EXPECT_EQ(ReadWord("word\tnext"), "word");
    EXPECT_EQ(ReadWord(""), "");
    // Bytes of double-byte characters are never white space.
    EXPECT_EQ(ReadWord("\x82\xA0\x82\xA2 x"), "\x82\xA0\x82\xA2");
}

TEST(KeyTableTest, LetterCaseIsIgnoredButBlanksAreNot)
{
    EXPECT_EQ(HeaderKeys.Find("HeaderLines"), 0);
    EXPECT_EQ(HeaderKeys.Find("headerlines"), 0);
    EXPECT_EQ(HeaderKeys.Find("HEADERLINES"), 0);
    EXPECT_EQ(HeaderKeys.Find("HeaderLines "), -1);
    EXPECT_EQ(HeaderKeys.Find(" HeaderLines"), -1);
    EXPECT_EQ(HeaderKeys.Find("HeaderLine"), -1);
    EXPECT_EQ(EventKeys.Find("hitpoint2"), int(EventKey::HitPoint2));
    EXPECT_EQ(EntrantKeys.Find("hitpoint2"), -1);
    EXPECT_EQ(EventKeys.Find("eNd"), int(EventKey::End));
    // Only letters fold: a byte one case bit away from a digit or from a
    // letter's other case is another byte.
    EXPECT_EQ(EventKeys.Find("STATUS2"), int(EventKey::Status2));
    EXPECT_EQ(EventKeys.Find("Status\x12"), -1);
    EXPECT_EQ(EventKeys.Find("\x8Dove"), -1);
    EXPECT_EQ(EntrantKeys.Find("x"), int(EntrantKey::X));
    EXPECT_EQ(EntrantKeys.Find(""), -1);
}

} // namespace
