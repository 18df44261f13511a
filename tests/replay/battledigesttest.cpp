#include "battledigest.h"
#include "replaytestkit.h"

#include <gtest/gtest.h>

using namespace ostrel;

namespace {

struct Side {
    const char *Emblem;
    const char *Name;
    const char *Owner;
    const char *Guide;
};

// The four lines after the turn line for a fight of entrant 0 (player 1)
// against entrant 1 (player 2).
std::vector<std::string> DigestOf(const Side &player1, const Side &player2, int leadSide, int battle = 1,
                                  int distance = 1)
{
    const ReplayModel model = ModelBuilder(3, 1)
                                  .Add(MakeEntrant(Sjis(player1.Emblem),
                                                   0, 0, 100, -1, Sjis(player1.Name), Sjis(player1.Owner)))
                                  .Add(MakeEntrant(Sjis(player2.Emblem),
                                                   2, 0, 100, -1, Sjis(player2.Name), Sjis(player2.Owner)))
                                  .Fight({.Battle = battle, .Player1 = {0, 100, 50, player1.Guide},
                                          .Player2 = {1, 100, 50, player2.Guide}, .LeadSide = leadSide,
                                          .Distance = distance})
                                  .Build();
    return BattleDigestLines(model, *model.Steps[0].Fight);
}

struct AlignmentCase {
    const char *Name;
    Side Player1;
    Side Player2;
    int LeadSide;
    const char *First;   // UTF-8 of the expected Shift-JIS line
    const char *Second;
};

void PrintTo(const AlignmentCase &c, std::ostream *out)
{
    *out << c.Name;
}

class DigestAlignment : public testing::TestWithParam<AlignmentCase> {};

// Widths count bytes: a double-byte character counts 2, a half-width kana 1.
TEST_P(DigestAlignment, PadsBothDescriptionsToTheLongerInBytes)
{
    const AlignmentCase &c = GetParam();
    const std::vector<std::string> lines = DigestOf(c.Player1, c.Player2, c.LeadSide);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[2], Sjis(c.First));
    EXPECT_EQ(lines[3], Sjis(c.Second));
}

const Side Dragon{"竜", "ドラゴン", "太郎", "攻撃"};  // 21 bytes of description
const Side Bob{"AB", "Bob", "Al", "guard"};                  // 14 bytes

INSTANTIATE_TEST_SUITE_P(Descriptions, DigestAlignment, testing::Values(
    AlignmentCase{"DoubleByteLeadIsLonger", Dragon, Bob, 0,
                  "《竜》 ドラゴン／太郎  攻撃",
                  "《AB》 Bob／Al         guard"},
    AlignmentCase{"EqualWidthsGiveTwoBlanks", {"AB", "Ann", "Zed", "g1"}, {"CD", "Ben", "Yoo", "g2"}, 0,
                  "《AB》 Ann／Zed  g1",
                  "《CD》 Ben／Yoo  g2"},
    AlignmentCase{"EqualBytesFewerCharacters", {"竜", "太", "X", "g1"}, {"AB", "Al", "Y", "g2"}, 0,
                  "《竜》 太／X  g1",
                  "《AB》 Al／Y  g2"},
    AlignmentCase{"HalfWidthKanaCountOneByte", {"ｱｲ", "ｳ", "ｴ", "g1"}, {"A", "BC", "D", "g2"}, 0,
                  "《ｱｲ》 ｳ／ｴ  g1",
                  "《A》 BC／D  g2"},
    AlignmentCase{"OtherSideIsLonger", {"A", "B", "C", "g1"}, {"竜王", "ドラゴン", "太郎", "g2"}, 0,
                  "《A》 B／C               g1",
                  "《竜王》 ドラゴン／太郎  g2"},
    AlignmentCase{"LeadSideOneListsPlayerTwoFirst", Dragon, Bob, 1,
                  "《AB》 Bob／Al         guard",
                  "《竜》 ドラゴン／太郎  攻撃"},
    AlignmentCase{"AnyOtherLeadSideListsPlayerTwoFirst", Dragon, Bob, -1,
                  "《AB》 Bob／Al         guard",
                  "《竜》 ドラゴン／太郎  攻撃"},
    AlignmentCase{"EmptyTexts", {"", "", "", ""}, {"AB", "Bob", "Al", "g"}, 0,
                  "《》 ／         ",
                  "《AB》 Bob／Al  g"}),
    [](const testing::TestParamInfo<AlignmentCase> &info) { return std::string(info.param.Name); });

TEST(DigestLines, TurnBattleNumberAndDistance)
{
    EXPECT_EQ(TurnLine(7), Sjis("ターン: 7"));
    EXPECT_EQ(TurnLine(0), Sjis("ターン: 0"));
    EXPECT_EQ(TurnLine(-32768), Sjis("ターン: -32768"));

    const std::vector<std::string> lines = DigestOf(Dragon, Bob, 0, 312, -3);
    EXPECT_EQ(lines[0], Sjis("試合番号: 312"));
    EXPECT_EQ(lines[1], Sjis("相対距離: -3"));
}

// The longest texts the records hold: emblem 31 bytes, name and owner 79,
// guide 255.
TEST(DigestLines, LongestTextsAreShownWhole)
{
    const std::string emblem(31, 'E');
    std::string name;
    for (int i = 0; i < 39; ++i)
        name += Sjis("竜");
    name += "x";
    const std::string owner(79, 'O');
    const std::string guide(255, 'g');
    ASSERT_EQ(name.size(), 79u);

    ReplayModel model = ModelBuilder(3, 1)
                            .Add(MakeEntrant("", 0, 0))
                            .Add(MakeEntrant("AB", 2, 0, 100, -1, "Bob", "Al"))
                            .Fight({.Player1 = {0, 100, 50}, .Player2 = {1, 100, 50, "g2"}})
                            .Build();
    Entrant &longest = model.Entrants[0];
    longest.Emblem.Assign(emblem);
    longest.Doller.Assign(name);
    longest.Owner.Assign(owner);
    model.Steps[0].Fight->Side[0].Guide.Assign(guide);

    const std::vector<std::string> lines = BattleDigestLines(model, *model.Steps[0].Fight);
    const std::string description = Sjis("《") + emblem + Sjis("》 ") + name + Sjis("／") + owner;
    ASSERT_EQ(description.size(), 196u);
    EXPECT_EQ(lines[2], description + "  " + guide);
    EXPECT_EQ(lines[3], Sjis("《AB》 Bob／Al") + std::string(196 - 14, ' ') + "  g2");
}

// A side whose index names no entrant shows "?" for its texts, as the
// battle list does.
TEST(DigestLines, SideOutsideTheEntrantTableShowsQuestionMarks)
{
    for (int index : {-1, 2, 32767}) {
        ReplayModel model = ModelBuilder(3, 1)
                                .Add(MakeEntrant("AB", 0, 0, 100, -1, "Bob", "Al"))
                                .Add(MakeEntrant("CD", 2, 0))
                                .Fight({.Player1 = {0, 100, 50, "g1"}, .Player2 = {index, 100, 50, "g2"}})
                                .Build();
        const std::vector<std::string> lines = BattleDigestLines(model, *model.Steps[0].Fight);
        EXPECT_EQ(lines[2], Sjis("《AB》 Bob／Al  g1")) << index;
        EXPECT_EQ(lines[3], Sjis("《?》 ?／?      g2")) << index;
    }
}

} // namespace
