#include "generatedscript.h"
#include "sjisdecoder.h"
#include "tournamentgenerator.h"


#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

using namespace ostrel;

namespace {

struct Shape {
    const char *Name;
    TournamentOptions Options;
};

// Names the case in test listings instead of its bytes.
void PrintTo(const Shape &shape, std::ostream *out)
{
    *out << shape.Name;
}

TournamentOptions Options(std::uint64_t seed, int entrants, int width, int height, bool crlf = false)
{
    TournamentOptions options;
    options.Seed = seed;
    options.Entrants = entrants;
    options.Width = width;
    options.Height = height;
    options.CrLf = crlf;
    return options;
}

const Shape Shapes[] = {
    {"Default", TournamentOptions()},
    {"LoneEntrant", Options(2, 1, 1, 1)},
    {"PairInTwoCells", Options(3, 2, 2, 1)},
    {"Corridor", Options(4, 40, 40, 1, true)},
    {"FullArena", Options(5, 100, 10, 10)},
    {"Sparse", Options(6, 60, 30, 30, true)},
    {"Crowd", Options(7, 500, 40, 25)},
    {"TallAndNarrow", Options(8, 25, 2, 60)},
};

// Where every entrant stands and whether it is in play, kept while the
// events are walked in file order.
struct Walk {
    std::vector<std::array<int, 2>> Cells;
    std::vector<bool> InPlay;

    explicit Walk(const GeneratedScript &script) : InPlay(script.Entrants.size(), true)
    {
        for (std::size_t i = 0; i < script.Entrants.size(); ++i)
            Cells.push_back({std::stoi(script.EntrantText(i, "X")), std::stoi(script.EntrantText(i, "Y"))});
    }

    void Apply(const ScriptEvent &event)
    {
        if (const MoveEvent *move = std::get_if<MoveEvent>(&event)) {
            Cells.at(std::size_t(move->Entrant))[0] += move->Dx;
            Cells.at(std::size_t(move->Entrant))[1] += move->Dy;
            return;
        }
        const FightEvent &fight = std::get<FightEvent>(event);
        if (!fight.Result)
            return;
        const int code = (*fight.Result)[1];
        if (code == 1 || code == 2)
            InPlay.at(std::size_t(fight.Players[0])) = false;
        if (code == 0 || code == 2)
            InPlay.at(std::size_t(fight.Players[1])) = false;
    }

    bool InArena(std::size_t entrant, const TournamentOptions &options) const
    {
        const auto [x, y] = Cells.at(entrant);
        return x >= 0 && y >= 0 && x < options.Width && y < options.Height;
    }
};

int CountOf(const GeneratedScript &script, bool moves)
{
    return int(std::count_if(script.Events.begin(), script.Events.end(), [moves](const ScriptEvent &event) {
        return std::holds_alternative<MoveEvent>(event) == moves;
    }));
}

class GeneratedTournament : public testing::TestWithParam<Shape> {
protected:
    const TournamentOptions &options() const { return GetParam().Options; }
    QByteArray bytes_ = TournamentGenerator::Generate(GetParam().Options);
    GeneratedScript script_ = GeneratedScript::Read(bytes_);
};

TEST_P(GeneratedTournament, SameOptionsGiveTheSameBytes)
{
    EXPECT_EQ(TournamentGenerator::Generate(options()), bytes_);
}

TEST_P(GeneratedTournament, HeaderHasItsThirteenKeysAndCountsTheLinesWritten)
{
    const std::vector<std::string> keys{"HeaderLines", "FileName", "Version", "ProgramVersion", "DateTime",
                                        "Torvex", "Stadium", "Xsize", "Ysize", "Entrant", "EntrantLines",
                                        "MoveLines", "FightLines"};
    std::vector<std::string> written;
    for (const ScriptLine &line : script_.Header)
        written.push_back(line.Key);
    EXPECT_EQ(written, keys);
    EXPECT_EQ(script_.HeaderText("Version"), "00.00.02");
    EXPECT_EQ(script_.HeaderNumber("Xsize"), options().Width);
    EXPECT_EQ(script_.HeaderNumber("Ysize"), options().Height);
    EXPECT_EQ(script_.HeaderNumber("Entrant"), options().Entrants);
    EXPECT_EQ(int(script_.Entrants.size()), options().Entrants);
    EXPECT_EQ(script_.HeaderNumber("MoveLines"), CountOf(script_, true));
    EXPECT_EQ(script_.HeaderNumber("FightLines"), CountOf(script_, false));
    EXPECT_TRUE(script_.Ended);
}

TEST_P(GeneratedTournament, EntrantBlocksHoldTheSixKeys)
{
    const std::set<std::string> keys{"Doller", "Owner", "Emblem", "X", "Y", "HitPoint"};
    EXPECT_EQ(script_.HeaderNumber("EntrantLines"), 6);
    for (const std::vector<ScriptLine> &block : script_.Entrants) {
        std::set<std::string> written;
        for (const ScriptLine &line : block)
            written.insert(line.Key);
        EXPECT_EQ(written, keys);
        const std::optional<std::vector<int>> hitPoints = ParseNumbers(block.back().Value);
        ASSERT_TRUE(hitPoints);
        EXPECT_EQ(hitPoints->size(), 6u);
    }
}

TEST_P(GeneratedTournament, EntrantsStartInDistinctCellsAndStayInsideTheArena)
{
    Walk walk(script_);
    std::set<std::array<int, 2>> starts(walk.Cells.begin(), walk.Cells.end());
    EXPECT_EQ(starts.size(), walk.Cells.size());
    for (std::size_t i = 0; i < walk.Cells.size(); ++i)
        ASSERT_TRUE(walk.InArena(i, options())) << "entrant " << i << " starts outside";
    for (const ScriptEvent &event : script_.Events) {
        walk.Apply(event);
        const MoveEvent *move = std::get_if<MoveEvent>(&event);
        if (move) {
            ASSERT_TRUE(walk.InArena(std::size_t(move->Entrant), options()))
                << "entrant " << move->Entrant << " left the arena in turn " << move->Turn;
        }
    }
}

TEST_P(GeneratedTournament, EachTurnMovesAnEntrantAtMostOnceByOneCell)
{
    std::set<std::pair<int, int>> moved;  // turn, entrant
    for (const ScriptEvent &event : script_.Events) {
        const MoveEvent *move = std::get_if<MoveEvent>(&event);
        if (!move)
            continue;
        ASSERT_GE(move->Entrant, 0);
        ASSERT_LT(move->Entrant, options().Entrants);
        EXPECT_TRUE(moved.insert({move->Turn, move->Entrant}).second)
            << "entrant " << move->Entrant << " moves twice in turn " << move->Turn;
        EXPECT_LE(std::max(std::abs(move->Dx), std::abs(move->Dy)), 1);
        EXPECT_FALSE(move->Dx == 0 && move->Dy == 0);
    }
}

// A turn's moves go into a step sized when its first Move line is read, for
// the entrants in play then plus one, where the count in play drops by one
// for each Result whose code is not -1 (two going out count once).
TEST_P(GeneratedTournament, MovesOfATurnFitTheRoomTheLoaderGivesThem)
{
    int entrantsInPlay = options().Entrants;
    int turn = -1;
    int room = 0;
    int count = 0;
    for (const ScriptEvent &event : script_.Events) {
        if (const MoveEvent *move = std::get_if<MoveEvent>(&event)) {
            if (move->Turn != turn) {
                turn = move->Turn;
                room = entrantsInPlay + 1;
                count = 0;
            }
            ASSERT_LE(++count, room) << "turn " << turn;
        } else if (const auto &result = std::get<FightEvent>(event).Result; result && (*result)[1] != -1) {
            --entrantsInPlay;
        }
    }
}

TEST_P(GeneratedTournament, BattleNumbersStartAtOneAndRiseByOne)
{
    int highest = 0;
    std::set<int> ended;
    for (const ScriptEvent &event : script_.Events) {
        const FightEvent *fight = std::get_if<FightEvent>(&event);
        if (!fight)
            continue;
        ASSERT_GE(fight->Battle, 1);
        ASSERT_LE(fight->Battle, highest + 1) << "battle numbers skip one";
        highest = std::max(highest, fight->Battle);
        EXPECT_FALSE(ended.contains(fight->Battle)) << "battle " << fight->Battle << " goes on after its result";
        if (fight->Result)
            ended.insert(fight->Battle);
    }
    EXPECT_LE(highest, 32767);
}

TEST_P(GeneratedTournament, EveryFightStepNamesTheSameTwoNeighboursInPlay)
{
    const std::vector<std::string> keys{"Status1", "Status2", "Guide1", "Guide2", "HitPoint1", "HitPoint2"};
    std::map<int, std::array<int, 2>> players;  // by battle number
    Walk walk(script_);
    for (const ScriptEvent &event : script_.Events) {
        if (const FightEvent *fight = std::get_if<FightEvent>(&event)) {
            std::vector<std::string> expectedKeys = keys;
            if (fight->Result)
                expectedKeys.push_back("Result");
            EXPECT_EQ(fight->Keys, expectedKeys) << "battle " << fight->Battle;
            EXPECT_TRUE(fight->LeadSide == 0 || fight->LeadSide == 1);
            const auto [p1, p2] = fight->Players;
            ASSERT_TRUE(p1 >= 0 && p1 < options().Entrants && p2 >= 0 && p2 < options().Entrants);
            EXPECT_NE(p1, p2);
            EXPECT_TRUE(walk.InPlay[std::size_t(p1)] && walk.InPlay[std::size_t(p2)])
                << "battle " << fight->Battle << " names an entrant that is out";
            const auto [x1, y1] = walk.Cells[std::size_t(p1)];
            const auto [x2, y2] = walk.Cells[std::size_t(p2)];
            EXPECT_LE(std::max(std::abs(x1 - x2), std::abs(y1 - y2)), 1) << "battle " << fight->Battle;
            const auto [known, added] = players.try_emplace(fight->Battle, fight->Players);
            EXPECT_EQ(known->second, fight->Players) << "battle " << fight->Battle << " changes players";
        } else {
            const MoveEvent &move = std::get<MoveEvent>(event);
            EXPECT_TRUE(walk.InPlay[std::size_t(move.Entrant)]) << "entrant " << move.Entrant << " moves when out";
        }
        walk.Apply(event);
    }
}

TEST_P(GeneratedTournament, HitPointRatesOnlyFallAndWhoeverGoesOutEndsAtZero)
{
    std::vector<int> rates(std::size_t(options().Entrants), 100);
    for (const ScriptEvent &event : script_.Events) {
        const FightEvent *fight = std::get_if<FightEvent>(&event);
        if (!fight)
            continue;
        for (std::size_t side = 0; side < 2; ++side) {
            int &rate = rates[std::size_t(fight->Players[side])];
            EXPECT_GE(fight->RatesAfter[side], 0);
            EXPECT_LE(fight->RatesAfter[side], rate) << "battle " << fight->Battle << " raises a rate";
            rate = fight->RatesAfter[side];
        }
        if (!fight->Result)
            continue;
        const int code = (*fight->Result)[1];
        ASSERT_TRUE(code >= -1 && code <= 2) << "result code " << code;
        const std::array<bool, 2> out{code == 1 || code == 2, code == 0 || code == 2};
        for (std::size_t side = 0; side < 2; ++side)
            EXPECT_EQ(fight->RatesAfter[side] == 0, out[side]) << "battle " << fight->Battle;
    }
}

TEST_P(GeneratedTournament, EndsWithOneEntrantLeftAndNoBattleRunning)
{
    const std::vector<bool> inPlay = InPlayAtEnd(script_);
    EXPECT_EQ(std::count(inPlay.begin(), inPlay.end(), true), 1);
    std::set<int> begun;
    std::set<int> ended;
    for (const ScriptEvent &event : script_.Events) {
        if (const FightEvent *fight = std::get_if<FightEvent>(&event)) {
            begun.insert(fight->Battle);
            if (fight->Result)
                ended.insert(fight->Battle);
        }
    }
    EXPECT_EQ(begun, ended);
}

TEST_P(GeneratedTournament, DecodesAsShiftJisWithWholeLabelsAndSingleWordGuides)
{
    const QString text = DecodeSjis(std::string_view(bytes_.constData(), std::size_t(bytes_.size())));
    EXPECT_FALSE(text.contains(QChar::ReplacementCharacter));
    EXPECT_TRUE(text.contains(QStringLiteral("バトルロイヤル")));

    for (std::size_t i = 0; i < script_.Entrants.size(); ++i) {
        const std::string emblem = script_.EntrantText(i, "Emblem");
        ASSERT_GE(emblem.size(), 2u);
        ASSERT_LT(emblem.size(), 32u);
        EXPECT_LT(script_.EntrantText(i, "Doller").size(), 80u);
        EXPECT_LT(script_.EntrantText(i, "Owner").size(), 80u);
        // Two bytes that are one character, or two characters of one byte.
        const QString label = DecodeSjis(std::string_view(emblem.data(), 2));
        EXPECT_TRUE(label.size() == 1 || label.size() == 2) << "entrant " << i;
        EXPECT_FALSE(label.contains(QChar::ReplacementCharacter)) << "entrant " << i;
    }
    for (const ScriptEvent &event : script_.Events) {
        const FightEvent *fight = std::get_if<FightEvent>(&event);
        if (!fight)
            continue;
        for (const std::string &guide : fight->Guides) {
            EXPECT_FALSE(guide.empty());
            EXPECT_EQ(guide.find_first_of(" \t"), std::string::npos) << guide;
        }
    }
}

TEST_P(GeneratedTournament, EveryLineEndsAsChosen)
{
    const qsizetype lineFeeds = bytes_.count('\n');
    ASSERT_TRUE(bytes_.endsWith('\n'));
    EXPECT_EQ(bytes_.count('\r'), options().CrLf ? lineFeeds : 0);
    EXPECT_EQ(bytes_.count("\r\n"), options().CrLf ? lineFeeds : 0);
}

INSTANTIATE_TEST_SUITE_P(Shapes, GeneratedTournament, testing::ValuesIn(Shapes),
                         [](const testing::TestParamInfo<Shape> &info) { return std::string(info.param.Name); });

TEST(TournamentGenerator, DifferentSeedsGiveDifferentTournaments)
{
    std::set<QByteArray> tournaments;
    for (std::uint64_t seed : {0ull, 1ull, 2ull, 3ull, 18446744073709551615ull}) {
        TournamentOptions options;
        options.Seed = seed;
        const QByteArray bytes = TournamentGenerator::Generate(options);
        // The events alone, so that a header that differs does not hide
        // a simulation that ignores the seed.
        tournaments.insert(bytes.sliced(bytes.indexOf("Turn:")));
    }
    EXPECT_EQ(tournaments.size(), 5u);
}

TEST(TournamentGenerator, MaxTurnsCutsTheTournamentShort)
{
    TournamentOptions options = Options(11, 200, 30, 30);
    for (int turns : {0, 1, 3}) {
        options.MaxTurns = turns;
        const GeneratedScript script = GeneratedScript::Read(TournamentGenerator::Generate(options));
        EXPECT_EQ(script.TurnLines, turns);
        EXPECT_TRUE(script.Ended);
        const std::vector<bool> inPlay = InPlayAtEnd(script);
        EXPECT_GT(std::count(inPlay.begin(), inPlay.end(), true), 1);
    }
}

TEST(TournamentGenerator, BattlesEndInEveryWayAndPutEntrantsOutWithBothKindsOfStatus)
{
    const GeneratedScript script = GeneratedScript::Read(TournamentGenerator::Generate(Options(12, 400, 30, 30)));
    std::set<int> codes;
    bool statusWithBits18 = false;
    bool statusWithoutBits18 = false;
    int longestBattle = 0;
    std::map<int, int> steps;
    for (const ScriptEvent &event : script.Events) {
        const FightEvent *fight = std::get_if<FightEvent>(&event);
        if (!fight)
            continue;
        longestBattle = std::max(longestBattle, ++steps[fight->Battle]);
        if (!fight->Result)
            continue;
        const auto [info, code, status] = *fight->Result;
        codes.insert(code);
        if (code != -1)
            (status & 0x18 ? statusWithBits18 : statusWithoutBits18) = true;
    }
    EXPECT_EQ(codes, (std::set<int>{-1, 0, 1, 2}));
    EXPECT_TRUE(statusWithBits18);
    EXPECT_TRUE(statusWithoutBits18);
    EXPECT_GE(longestBattle, 3);
}

// The size the benchmarks use: battle numbers must stay within their 16-bit
// field and the tournament must still end.
TEST(TournamentGenerator, TwentyThousandEntrantsStillEndWithOneLeft)
{
    const TournamentOptions options = Options(13, 20000, 200, 200);
    const GeneratedScript script = GeneratedScript::Read(TournamentGenerator::Generate(options));
    const std::vector<bool> inPlay = InPlayAtEnd(script);
    EXPECT_EQ(std::count(inPlay.begin(), inPlay.end(), true), 1);
    int highest = 0;
    for (const ScriptEvent &event : script.Events) {
        if (const FightEvent *fight = std::get_if<FightEvent>(&event))
            highest = std::max(highest, fight->Battle);
    }
    EXPECT_LE(highest, 32767);
}

struct Refusal {
    const char *Name;
    TournamentOptions Options;
    const char *Complaint;  // a word the reason must contain
};

TEST(TournamentGenerator, RefusesOptionsItCannotHonour)
{
    TournamentOptions turns = Options(1, 10, 10, 10);
    turns.MaxTurns = -1;
    TournamentOptions tooManyTurns = turns;
    tooManyTurns.MaxTurns = 32768;
    const Refusal refusals[] = {
        {"more entrants than cells", Options(1, 101, 10, 10), "fit"},
        {"no entrants", Options(1, 0, 10, 10), "entrants"},
        {"entrants beyond 16 bits", Options(1, 32768, 1000, 1000), "entrants"},
        {"no columns", Options(1, 1, 0, 10), "width"},
        {"no rows", Options(1, 1, 10, 0), "height"},
        {"too wide", Options(1, 1, 1001, 10), "width"},
        {"more cells than the viewer shows", Options(1, 1, 1000, 201), "cells"},
        {"negative turns", turns, "turns"},
        {"turns beyond 16 bits", tooManyTurns, "turns"},
    };
    for (const Refusal &refusal : refusals) {
        SCOPED_TRACE(refusal.Name);
        EXPECT_TRUE(TournamentGenerator::CheckOptions(refusal.Options).contains(QLatin1String(refusal.Complaint)));
        EXPECT_TRUE(TournamentGenerator::Generate(refusal.Options).isEmpty());
    }
    EXPECT_TRUE(TournamentGenerator::CheckOptions(Options(1, 100, 10, 10)).isEmpty());
    EXPECT_TRUE(TournamentGenerator::CheckOptions(Options(1, 32767, 1000, 200)).isEmpty());
}

} // namespace
