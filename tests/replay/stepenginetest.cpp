#include "mappixels.h"
#include "replaytestkit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <functional>

using namespace ostrel;

namespace {

using namespace MapColour;

// ------------------------------------------------- positions, by the rules

// The tournaments given to it name only entrants of the table in their
// fights.
void ApplyForward(std::vector<EntrantState> &state, const ReplayStep &step)
{
    const auto at = [&state](int index) -> EntrantState * {
        return index >= 0 && index < int(state.size()) ? &state[std::size_t(index)] : nullptr;
    };
    if (!step.IsFight()) {
        for (const MoveDelta &delta : step.Move->Deltas) {
            if (EntrantState *e = at(delta.EntrantIndex)) {
                e->X += delta.Dx;
                e->Y += delta.Dy;
            }
        }
        return;
    }
    const FightRecord &fight = *step.Fight;
    EntrantState *p1 = at(fight.Side[0].EntrantIndex);
    EntrantState *p2 = at(fight.Side[1].EntrantIndex);
    p1->HitPointRate = fight.Side[0].RateAfter;
    p2->HitPointRate = fight.Side[1].RateAfter;
    if (fight.ResultCode == -1)
        p1->Status = p2->Status = -1;
    if (fight.ResultCode == 1 || fight.ResultCode == 2)
        p1->Status = fight.OutStatus;
    if (fight.ResultCode == 0 || fight.ResultCode == 2)
        p2->Status = fight.OutStatus;
}

// The state at position p: steps 1 to p applied, step 1 also at position 0
// when it is a fight, every step at the end.
std::vector<EntrantState> StateAt(const ReplayModel &model, std::vector<EntrantState> state, int p)
{
    const int n = int(model.Steps.size());
    const int last = p == 0 ? (n > 0 && model.Steps[0].IsFight() ? 1 : 0) : std::min(p, n);
    for (int k = 1; k <= last; ++k)
        ApplyForward(state, model.Steps[std::size_t(k - 1)]);
    return state;
}

// The step that position p shows: step 1 at 0, none at the end.
const ReplayStep *CurrentStep(const ReplayModel &model, int p)
{
    const int k = std::max(p, 1);
    return k <= int(model.Steps.size()) ? &model.Steps[std::size_t(k - 1)] : nullptr;
}

testing::AssertionResult ShowsPosition(const EngineRig &rig, const std::vector<EntrantState> &start,
                                       const std::vector<QImage> &maps, int p)
{
    if (rig.engine.CurrentPosition() != p)
        return testing::AssertionFailure() << "current position " << rig.engine.CurrentPosition();
    const std::vector<EntrantState> expected = StateAt(rig.model, start, p);
    const std::vector<EntrantState> actual = StatesOf(rig.model.Entrants);
    for (std::size_t i = 0; i < expected.size(); ++i) {
        if (actual[i] != expected[i])
            return testing::AssertionFailure() << "entrant " << i << " is " << actual[i] << ", not " << expected[i];
    }
    for (int row = 0; row < rig.grid.Rows(); ++row) {
        for (int column = 0; column < rig.grid.Columns(); ++column) {
            const auto occupant = std::find_if(expected.begin(), expected.end(), [&](const EntrantState &e) {
                return e.X == column && e.Y == row;
            });
            const int cell = occupant == expected.end() ? 0 : int(occupant - expected.begin()) + 1;
            if (rig.grid.CellAt(column, row) != cell)
                return testing::AssertionFailure() << "cell " << column << "," << row << " holds "
                                                   << rig.grid.CellAt(column, row) << ", not " << cell;
        }
    }
    const ReplayStep *current = CurrentStep(rig.model, p);
    if (rig.engine.HighlightActive() != (current && current->IsFight()))
        return testing::AssertionFailure() << "highlight " << rig.engine.HighlightActive();
    if (rig.Map() != maps[std::size_t(p)])
        return testing::AssertionFailure() << "the map differs from the one of the walk forward";
    return testing::AssertionSuccess();
}

struct TournamentCase {
    const char *Name;
    std::function<std::string()> Script;
};

void PrintTo(const TournamentCase &c, std::ostream *out)
{
    *out << c.Name;
}

class EngineSeekProperty : public testing::TestWithParam<TournamentCase> {};

// Whatever position the replay comes from, a position shows the same
// entrants, occupancy, highlight and map.
TEST_P(EngineSeekProperty, EveryPositionLooksTheSameFromEveryOtherPosition)
{
    EngineRig rig(LoadModel(GetParam().Script()));
    const int n = rig.StepCount();
    ASSERT_GE(n, 4);
    const std::vector<EntrantState> start = StatesOf(rig.model.Entrants);

    std::vector<QImage> maps(std::size_t(n) + 2);
    for (int p = 1; p <= n + 1; ++p) {
        ASSERT_TRUE(rig.engine.SeekTo(p));
        maps[std::size_t(p)] = rig.Map();
    }
    ASSERT_TRUE(rig.engine.SeekTo(0));
    maps[0] = rig.Map();

    for (int a = 0; a <= n + 1; ++a) {
        for (int b = 0; b <= n + 1; ++b) {
            SCOPED_TRACE(testing::Message() << "from " << a << " to " << b);
            rig.engine.SeekTo(a);
            ASSERT_TRUE(ShowsPosition(rig, start, maps, a));
            rig.engine.SeekTo(b);
            ASSERT_TRUE(ShowsPosition(rig, start, maps, b));
        }
    }
}

// Fights as the first and the last step, two fights in a row, a fight
// followed by a move step in which one entrant moves twice, and the result
// codes -1, 1 and 2.
std::string FightsAtTheEnds()
{
    return ScriptBuilder(5, 4)
        .Entrant("Ab", 0, 0).Entrant("Cd", 1, 0).Entrant("Ef", 4, 3).Entrant("Gh", 2, 2)
        .Turn()
        .Fight(1, 1, 2).Player(0, 0, 60).Player(1, 1, 30).Result(-1, 0)
        .Move(2, -1, 0).Move(2, 0, -1)
        .Turn()
        .Fight(2).Player(0, 1, 20).Player(1, 3, 90)
        .Fight(2, 1).Player(0, 1, 5).Player(1, 3, 75).Result(1, 16)
        .Turn()
        .Move(0, 1, 1).Move(3, -1, 0).Move(2, 1, 0)
        .Fight(3).Player(0, 0, 10).Player(1, 2, 50).Result(2, 8)
        .Text();
}

std::string MovesOnly()
{
    return ScriptBuilder(3, 3)
        .Entrant("Ab", 0, 0).Entrant("Cd", 2, 2)
        .Turn().Move(0, 1, 0).Move(1, -1, 0)
        .Turn().Move(0, 1, 1)
        .Turn().Move(1, 0, -2)
        .Turn().Move(0, -2, 1).Move(1, 1, 0)
        .Text();
}

INSTANTIATE_TEST_SUITE_P(Tournaments, EngineSeekProperty, testing::Values(
    TournamentCase{"FightsAtTheEnds", FightsAtTheEnds},
    TournamentCase{"MovesOnly", MovesOnly},
    TournamentCase{"Random1", [] { return RandomTournament(1); }},
    TournamentCase{"Random2", [] { return RandomTournament(2); }},
    TournamentCase{"Random3", [] { return RandomTournament(3); }},
    TournamentCase{"Random4", [] { return RandomTournament(4); }}),
    [](const testing::TestParamInfo<TournamentCase> &info) { return std::string(info.param.Name); });

// -------------------------------------------------------------- the walk

// Five entrants in a row; each step moves one of them into the cell that the
// step before has just emptied, so a step applied out of order leaves a hole.
ReplayModel FollowTheLeader()
{
    ModelBuilder builder(7, 1);
    for (int x = 0; x < 5; ++x)
        builder.Add(MakeEntrant("Ab", x, 0));
    for (int k = 1; k <= 5; ++k)
        builder.Move(k, {{int16_t(5 - k), 1, 0}});
    return builder.Build();
}

std::vector<int> RowOfCells(const EngineRig &rig)
{
    std::vector<int> cells;
    for (int column = 0; column < rig.grid.Columns(); ++column)
        cells.push_back(rig.grid.CellAt(column, 0));
    return cells;
}

std::vector<bool> LabelledCells(const EngineRig &rig)
{
    std::vector<bool> labelled;
    for (int column = 0; column < rig.grid.Columns(); ++column)
        labelled.push_back(CellColours(rig.Map(), column, 0).count(White) > 0);
    return labelled;
}

TEST(EngineWalk, ForwardAppliesTheStepsInOrderAndBackwardUndoesThemInReverse)
{
    EngineRig rig(FollowTheLeader());

    ASSERT_TRUE(rig.engine.SeekTo(5));
    EXPECT_EQ(RowOfCells(rig), (std::vector<int>{0, 1, 2, 3, 4, 5, 0}));
    EXPECT_EQ(LabelledCells(rig), (std::vector<bool>{false, true, true, true, true, true, false}));
    EXPECT_EQ(rig.digest, std::vector<std::string>{Sjis("ターン: 5")});

    ASSERT_TRUE(rig.engine.SeekTo(2));
    EXPECT_EQ(RowOfCells(rig), (std::vector<int>{1, 2, 3, 0, 4, 5, 0}));
    EXPECT_EQ(LabelledCells(rig), (std::vector<bool>{true, true, true, false, true, true, false}));
    EXPECT_EQ(rig.digest, std::vector<std::string>{Sjis("ターン: 2")});
}

TEST(EngineWalk, OneEntrantMovingTwiceInAStepComesBackExactly)
{
    EngineRig rig(ModelBuilder(3, 3)
                      .Add(MakeEntrant("Ab", 0, 0))
                      .Move(1, {{0, 1, 0}, {0, 0, 1}})
                      .Move(2, {{0, -1, 0}})
                      .Build());
    ASSERT_TRUE(rig.engine.SeekTo(1));
    EXPECT_EQ(StatesOf(rig.model.Entrants), (std::vector<EntrantState>{{1, 1, 100, -1}}));
    EXPECT_EQ(rig.grid.CellAt(1, 1), 1);
    EXPECT_EQ(rig.grid.CellAt(1, 0), 0);

    ASSERT_TRUE(rig.engine.SeekTo(3));
    ASSERT_TRUE(rig.engine.SeekTo(0));
    EXPECT_EQ(StatesOf(rig.model.Entrants), (std::vector<EntrantState>{{0, 0, 100, -1}}));
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            const bool home = column == 0 && row == 0;
            EXPECT_EQ(rig.grid.CellAt(column, row), home ? 1 : 0) << column << "," << row;
            EXPECT_EQ(CellColours(rig.Map(), column, row).count(White), home ? 1u : 0u) << column << "," << row;
        }
    }
}

// Undoing retraces the deltas in reverse order: the entrant that went right
// and then down comes back up first, through (1, 0), and leaves the bystander
// at (0, 1) alone. In stored order it would pass (0, 1) and wipe it.
TEST(EngineWalk, UndoRetracesTheDeltasInReverseOrder)
{
    EngineRig rig(ModelBuilder(3, 3)
                      .Add(MakeEntrant("Ab", 0, 0))
                      .Add(MakeEntrant("Cd", 0, 1))
                      .Move(1, {{0, 1, 0}, {0, 0, 1}})
                      .Build());
    ASSERT_TRUE(rig.engine.SeekTo(1));
    EXPECT_EQ(rig.grid.CellAt(0, 1), 2);
    ASSERT_TRUE(rig.engine.SeekTo(0));

    EXPECT_EQ(StatesOf(rig.model.Entrants)[0], (EntrantState{0, 0, 100, -1}));
    EXPECT_EQ(rig.grid.CellAt(0, 0), 1);
    EXPECT_EQ(rig.grid.CellAt(1, 1), 0);
    EXPECT_EQ(rig.grid.CellAt(1, 0), 0);
    EXPECT_EQ(rig.grid.CellAt(0, 1), 2);
    EXPECT_EQ(CellColours(rig.Map(), 0, 1).count(White), 1u);
}

// Entrants that follow one another through the cells one has just left come
// back to a map that shows every one of them.
TEST(EngineWalk, AChainOfMovesIsUndoneWithoutLosingAnEntrant)
{
    EngineRig rig(ModelBuilder(3, 1)
                      .Add(MakeEntrant("Ab", 1, 0))
                      .Add(MakeEntrant("Cd", 0, 0))
                      .Move(1, {{0, 1, 0}, {1, 1, 0}})
                      .Build());
    ASSERT_TRUE(rig.engine.SeekTo(1));
    EXPECT_EQ(rig.grid.CellAt(1, 0), 2);
    EXPECT_EQ(rig.grid.CellAt(2, 0), 1);
    ASSERT_TRUE(rig.engine.SeekTo(0));

    EXPECT_EQ(rig.grid.CellAt(0, 0), 2);
    EXPECT_EQ(rig.grid.CellAt(1, 0), 1);
    EXPECT_EQ(rig.grid.CellAt(2, 0), 0);
    EXPECT_EQ(CellColours(rig.Map(), 0, 0).count(White), 1u);
    EXPECT_EQ(CellColours(rig.Map(), 1, 0).count(White), 1u);
}

TEST(EngineWalk, MovesWrapAroundAndAreUndoneExactly)
{
    EngineRig rig(ModelBuilder(2, 1)
                      .Add(MakeEntrant("Ab", INT_MAX, INT_MIN))
                      .Add(MakeEntrant("Cd", -1, 0))
                      .Move(1, {{0, 1, -1}, {1, 1, 0}})
                      .Move(2, {{1, 1, 0}, {1, 1, 0}})
                      .Build());
    ASSERT_TRUE(rig.engine.SeekTo(1));
    EXPECT_EQ(StatesOf(rig.model.Entrants),
              (std::vector<EntrantState>{{INT_MIN, INT_MAX, 100, -1}, {0, 0, 100, -1}}));
    EXPECT_EQ(rig.grid.CellAt(0, 0), 2);
    EXPECT_EQ(CellColours(rig.Map(), 0, 0).count(White), 1u);

    // Column 2 lies outside the arena: no mark in the grid, but the label
    // starts at x = 63, in the right margin of the 70 pixels wide map.
    ASSERT_TRUE(rig.engine.SeekTo(2));
    EXPECT_EQ(StatesOf(rig.model.Entrants)[1], (EntrantState{2, 0, 100, -1}));
    EXPECT_EQ(rig.grid.CellAt(0, 0), 0);
    EXPECT_EQ(rig.grid.CellAt(1, 0), 0);
    EXPECT_EQ(CellColours(rig.Map(), 0, 0), std::set<QRgb>{Background});
    EXPECT_EQ(CellColours(rig.Map(), 1, 0), std::set<QRgb>{Background});
    EXPECT_GT(CountPixels(rig.Map(), QRect(QPoint(61, 0), QPoint(69, 44)), White), 0);

    ASSERT_TRUE(rig.engine.SeekTo(0));
    EXPECT_EQ(StatesOf(rig.model.Entrants),
              (std::vector<EntrantState>{{INT_MAX, INT_MIN, 100, -1}, {-1, 0, 100, -1}}));
}

TEST(EngineWalk, EntrantsOutsideTheTableAreSkipped)
{
    EngineRig rig(ModelBuilder(3, 1)
                      .Add(MakeEntrant("Ab", 0, 0))
                      .Move(1, {{5, 1, 0}, {-1, 1, 0}, {0, 1, 0}})
                      .Fight({.Turn = 2, .Player1 = {0, 100, 40}, .Player2 = {9, 100, 10}, .ResultCode = 2, .OutStatus = 8})
                      .Move(3, {{0, 1, 0}})
                      .Build());
    ASSERT_TRUE(rig.engine.SeekTo(2));
    EXPECT_EQ(StatesOf(rig.model.Entrants), (std::vector<EntrantState>{{1, 0, 40, 8}}));
    EXPECT_EQ(rig.FillOf(0), Teal);
    EXPECT_EQ(rig.digest.size(), 5u);

    ASSERT_TRUE(rig.engine.SeekTo(4));
    ASSERT_TRUE(rig.engine.SeekTo(1));
    EXPECT_EQ(StatesOf(rig.model.Entrants), (std::vector<EntrantState>{{1, 0, 100, -1}}));
    EXPECT_EQ(RowOfCells(rig), (std::vector<int>{0, 1, 0}));
}

// ------------------------------------------------------------- landings

// Entrant 0 (a dragon) at (0, 0) and entrant 1 at (2, 0) of a 3 x 2 arena,
// entrant 2 at (0, 1).
ModelBuilder ThreeEntrants()
{
    ModelBuilder builder(3, 2);
    builder.Add(MakeEntrant(Sjis("竜"), 0, 0, 100, -1, Sjis("ドラゴン"), Sjis("太郎")))
        .Add(MakeEntrant("AB", 2, 0, 100, -1, "Bob", "Al"))
        .Add(MakeEntrant("CD", 0, 1));
    return builder;
}

const FightSetup DragonBeatsBob{.Turn = 1, .Battle = 1, .Player1 = {0, 100, 40, "攻撃"},
                               .Player2 = {1, 100, 0, "防御"}, .ResultCode = 0, .OutStatus = 8,
                               .LeadSide = 0, .Distance = 2};

std::vector<std::string> DragonBeatsBobDigest()
{
    return {Sjis("ターン: 1"), Sjis("試合番号: 1"), Sjis("相対距離: 2"),
            Sjis("《竜》 ドラゴン／太郎  攻撃"),
            Sjis("《AB》 Bob／Al         防御")};
}

TEST(EngineLanding, OnZeroWithAMoveFirstShowsItsTurnAndMovesNobody)
{
    EngineRig rig(ThreeEntrants()
                      .Move(3, {{0, 1, 0}, {2, 1, 0}})
                      .Fight({.Turn = 3, .Player1 = {0, 100, 50}, .Player2 = {1, 100, 50}})
                      .Move(4, {{1, 0, 1}})
                      .Build());
    const std::vector<EntrantState> start = StatesOf(rig.model.Entrants);
    ASSERT_TRUE(rig.engine.SeekTo(3));
    ASSERT_TRUE(rig.engine.SeekTo(0));

    EXPECT_EQ(rig.digest, std::vector<std::string>{Sjis("ターン: 3")});
    EXPECT_EQ(StatesOf(rig.model.Entrants), start);
    EXPECT_FALSE(rig.engine.HighlightActive());
    EXPECT_EQ(rig.FillOf(0), Background);
    EXPECT_EQ(rig.FillOf(1), Background);
}

TEST(EngineLanding, OnZeroWithAFightFirstShowsThatFight)
{
    EngineRig rig(ThreeEntrants().Fight(DragonBeatsBob).Move(2, {{2, 1, 0}}).Build());
    ASSERT_TRUE(rig.engine.SeekTo(2));
    ASSERT_TRUE(rig.engine.SeekTo(0));

    EXPECT_EQ(StatesOf(rig.model.Entrants),
              (std::vector<EntrantState>{{0, 0, 40, -1}, {2, 0, 0, 8}, {0, 1, 100, -1}}));
    EXPECT_TRUE(rig.engine.HighlightActive());
    EXPECT_EQ(rig.engine.HighlightPlayer1(), 0);
    EXPECT_EQ(rig.engine.HighlightPlayer2(), 1);
    EXPECT_EQ(rig.engine.HighlightStepNumber(), 1);
    EXPECT_EQ(rig.ColoursOfCell(0), (std::set<QRgb>{Teal, Fuchsia}));
    EXPECT_EQ(rig.ColoursOfCell(1), (std::set<QRgb>{Teal, Red}));
    EXPECT_EQ(rig.digest, DragonBeatsBobDigest());
}

TEST(EngineLanding, OnTheEndShowsNothingCurrentWithEveryFightApplied)
{
    EngineRig rig(ThreeEntrants()
                      .Move(1, {{2, 1, 0}})
                      .Fight({.Turn = 1, .Player1 = {0, 100, 70}, .Player2 = {1, 100, 50}})
                      .Fight({.Turn = 2, .Player1 = {0, 70, 20}, .Player2 = {1, 50, 0}, .ResultCode = 1,
                              .OutStatus = 16, .Distance = 4})
                      .Build());
    ASSERT_TRUE(rig.engine.SeekTo(4));
    EXPECT_TRUE(rig.digest.empty());
    EXPECT_FALSE(rig.engine.HighlightActive());
    EXPECT_EQ(StatesOf(rig.model.Entrants),
              (std::vector<EntrantState>{{0, 0, 20, 16}, {2, 0, 0, -1}, {1, 1, 100, -1}}));
    EXPECT_EQ(rig.ColoursOfCell(0), (std::set<QRgb>{Background, Red}));
    EXPECT_EQ(rig.ColoursOfCell(1), (std::set<QRgb>{Background, Fuchsia}));
    EXPECT_EQ(CountPixels(rig.Map(), rig.Map().rect(), Teal), 0);

    ASSERT_TRUE(rig.engine.SeekTo(3));
    EXPECT_EQ(rig.digest.size(), 5u);
    EXPECT_EQ(rig.digest[0], Sjis("ターン: 2"));
    EXPECT_EQ(rig.digest[2], Sjis("相対距離: 4"));
    EXPECT_TRUE(rig.engine.HighlightActive());
    EXPECT_EQ(rig.engine.HighlightStepNumber(), 3);
    EXPECT_EQ(rig.ColoursOfCell(0), (std::set<QRgb>{Teal, Red}));
    EXPECT_EQ(rig.ColoursOfCell(1), (std::set<QRgb>{Teal, Fuchsia}));
}

TEST(EngineLanding, OneStepPastAFightTheTealGoesAndTheOutcomeStays)
{
    EngineRig rig(ThreeEntrants()
                      .Move(1, {{2, 1, 0}})
                      .Fight({.Turn = 1, .Player1 = {0, 100, 60}, .Player2 = {1, 100, 10}, .ResultCode = 0,
                              .OutStatus = 8})
                      .Move(2, {{2, 1, 0}})
                      .Build());
    ASSERT_TRUE(rig.engine.SeekTo(2));
    EXPECT_EQ(rig.ColoursOfCell(0), (std::set<QRgb>{Teal, Lime}));
    EXPECT_EQ(rig.ColoursOfCell(1), (std::set<QRgb>{Teal, Red}));
    EXPECT_EQ(rig.digest.size(), 5u);

    ASSERT_TRUE(rig.engine.SeekTo(3));
    EXPECT_FALSE(rig.engine.HighlightActive());
    EXPECT_EQ(rig.ColoursOfCell(0), (std::set<QRgb>{Background, Lime}));
    EXPECT_EQ(rig.ColoursOfCell(1), (std::set<QRgb>{Background, Red}));
    EXPECT_EQ(StatesOf(rig.model.Entrants)[0], (EntrantState{0, 0, 60, -1}));
    EXPECT_EQ(StatesOf(rig.model.Entrants)[1], (EntrantState{2, 0, 10, 8}));
    EXPECT_EQ(rig.digest, std::vector<std::string>{Sjis("ターン: 2")});
}

TEST(EngineLanding, BackAcrossAFightRestoresTheRatesBeforeItAndPutsBothBackInPlay)
{
    EngineRig rig(ModelBuilder(3, 2)
                      .Add(MakeEntrant("Ab", 0, 0, 80))
                      .Add(MakeEntrant("Cd", 2, 0))
                      .Add(MakeEntrant("Ef", 0, 1))
                      .Move(1, {{2, 1, 0}})
                      .Fight({.Turn = 1, .Player1 = {0, 80, 30}, .Player2 = {1, 100, 0}, .ResultCode = 2,
                              .OutStatus = 16})
                      .Move(2, {{2, 1, 0}})
                      .Build());
    ASSERT_TRUE(rig.engine.SeekTo(3));
    EXPECT_EQ(StatesOf(rig.model.Entrants)[0], (EntrantState{0, 0, 30, 16}));
    EXPECT_EQ(StatesOf(rig.model.Entrants)[1], (EntrantState{2, 0, 0, 16}));
    EXPECT_EQ(rig.ColoursOfCell(0), (std::set<QRgb>{Background, Red}));

    ASSERT_TRUE(rig.engine.SeekTo(1));
    EXPECT_EQ(StatesOf(rig.model.Entrants)[0], (EntrantState{0, 0, 80, -1}));
    EXPECT_EQ(StatesOf(rig.model.Entrants)[1], (EntrantState{2, 0, 100, -1}));
    EXPECT_EQ(rig.ColoursOfCell(0), (std::set<QRgb>{Background, Aqua}));
    EXPECT_EQ(rig.ColoursOfCell(1), (std::set<QRgb>{Background, White}));
    EXPECT_FALSE(rig.engine.HighlightActive());
}

// The rate restored is the one the fight record holds, not one the engine
// remembered from before.
TEST(EngineLanding, UndoingAFightRestoresTheRecordedRateBefore)
{
    EngineRig rig(ThreeEntrants()
                      .Move(1, {{2, 1, 0}})
                      .Fight({.Turn = 1, .Player1 = {0, 77, 30}, .Player2 = {1, 90, 40}, .ResultCode = 0,
                              .OutStatus = 4})
                      .Build());
    ASSERT_TRUE(rig.engine.SeekTo(2));
    ASSERT_TRUE(rig.engine.SeekTo(1));
    EXPECT_EQ(StatesOf(rig.model.Entrants)[0], (EntrantState{0, 0, 77, -1}));
    EXPECT_EQ(StatesOf(rig.model.Entrants)[1], (EntrantState{2, 0, 90, -1}));
}

TEST(EngineLanding, LeadSideOneListsPlayerTwoFirstButHighlightsInPlayerOrder)
{
    FightSetup fight = DragonBeatsBob;
    fight.LeadSide = 1;
    EngineRig rig(ThreeEntrants().Move(1, {{2, 1, 0}}).Fight(fight).Build());
    ASSERT_TRUE(rig.engine.SeekTo(2));

    EXPECT_EQ(rig.digest[3], Sjis("《AB》 Bob／Al         防御"));
    EXPECT_EQ(rig.digest[4], Sjis("《竜》 ドラゴン／太郎  攻撃"));
    EXPECT_EQ(rig.engine.HighlightPlayer1(), 0);
    EXPECT_EQ(rig.engine.HighlightPlayer2(), 1);
    EXPECT_EQ(rig.FillOf(0), Teal);
    EXPECT_EQ(rig.FillOf(1), Teal);
}

// ---------------------------------------------------------------- seeking

TEST(EngineSeeking, ToTheCurrentPositionDoesNothing)
{
    EngineRig rig(ThreeEntrants().Fight(DragonBeatsBob).Move(2, {{2, 1, 0}}).Build());
    EXPECT_FALSE(rig.engine.SeekTo(0));
    EXPECT_TRUE(rig.digest.empty());

    ASSERT_TRUE(rig.engine.SeekTo(1));
    const std::vector<std::string> digest = rig.digest;
    const QImage map = rig.Map();
    const std::vector<EntrantState> states = StatesOf(rig.model.Entrants);

    EXPECT_FALSE(rig.engine.SeekTo(1));
    EXPECT_EQ(rig.digest, digest);
    EXPECT_TRUE(rig.Map() == map);
    EXPECT_EQ(StatesOf(rig.model.Entrants), states);
    EXPECT_EQ(rig.engine.CurrentPosition(), 1);
}

TEST(EngineSeeking, WithoutStepsShowsNoStepAndWritesNoDigest)
{
    EngineRig rig(ThreeEntrants().Build());
    ASSERT_TRUE(rig.engine.SeekTo(1));
    EXPECT_EQ(rig.engine.ShownStep(1), nullptr);
    EXPECT_TRUE(rig.digest.empty());
    ASSERT_TRUE(rig.engine.SeekTo(0));
    EXPECT_TRUE(rig.digest.empty());
    EXPECT_EQ(StatesOf(rig.model.Entrants)[0], (EntrantState{0, 0, 100, -1}));
}

TEST(EngineSeeking, ReleasingTheHighlightRestoresAndRedrawsNothing)
{
    EngineRig rig(ThreeEntrants().Move(1, {{2, 1, 0}}).Fight(DragonBeatsBob).Build());
    ASSERT_TRUE(rig.engine.SeekTo(2));
    const QImage map = rig.Map();
    const std::vector<EntrantState> states = StatesOf(rig.model.Entrants);

    rig.engine.ReleaseHighlight();
    EXPECT_FALSE(rig.engine.HighlightActive());
    EXPECT_TRUE(rig.Map() == map);
    EXPECT_EQ(StatesOf(rig.model.Entrants), states);
}

} // namespace
