#include "battlelist.h"
#include "replaytestkit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

using namespace ostrel;

namespace {

using Row = BattleListControl::Row;

// A list control that keeps every row's texts as they were when it was last
// told they changed, and logs every call; so a row whose texts changed
// without the list being told reads stale. A change outside BeginUpdate ...
// EndUpdate is a fault.
class FakeList : public BattleListControl {
public:
    int RowCount() const override { return int(rows.size()); }
    void ShowMoment(const ReplayModel &shown, const BattleListMoment &at) override
    {
        Log("ShowMoment");
        model = &shown;
        moment = at;
    }
    void AppendRow() override
    {
        rows.push_back(BattleRowTexts(*model, RowCount(), moment));
        Log("AppendRow " + rows.back()[CaptionColumn]);
    }
    void DeleteLastRow() override
    {
        Log("DeleteLastRow " + std::to_string(RowCount() - 1));
        rows.pop_back();
    }
    void TurnsAndResultChanged(int row) override
    {
        Log("TurnsAndResultChanged " + std::to_string(row));
        const Row texts = BattleRowTexts(*model, row, moment);
        rows.at(std::size_t(row))[TurnsColumn] = texts[TurnsColumn];
        rows.at(std::size_t(row))[ResultColumn] = texts[ResultColumn];
    }
    void SelectRow(int row) override
    {
        Log("SelectRow " + std::to_string(row));
        selected = row;
    }
    void ShowSelectionAlways(bool always) override
    {
        Log(always ? "ShowSelectionAlways on" : "ShowSelectionAlways off");
        showAlways = always;
    }
    void BeginUpdate() override
    {
        calls.push_back("BeginUpdate");
        ++updating;
    }
    void EndUpdate() override
    {
        --updating;
        calls.push_back("EndUpdate");
    }

    const ReplayModel *model = nullptr;
    BattleListMoment moment;
    std::vector<Row> rows;
    std::vector<std::string> calls;
    int selected = -1;
    bool showAlways = false;
    bool changedOutsideUpdate = false;

private:
    void Log(std::string call)
    {
        changedOutsideUpdate |= updating == 0;
        calls.push_back(std::move(call));
    }
    int updating = 0;
};

// The reference step that the engine passes at position p: step
// min(max(p, 1), n), none without steps.
const ReplayStep *ReferenceAt(const ReplayModel &model, int p)
{
    const int n = int(model.Steps.size());
    return n == 0 ? nullptr : &model.Steps[std::size_t(std::clamp(p, 1, n) - 1)];
}

int MaxOf(const ReplayModel &model)
{
    return int(model.Steps.size()) + 1;
}

// The list brought up to date at position p, as the engine has it done.
void Refresh(const ReplayModel &model, int p, FakeList &list)
{
    RefreshBattleList(model, p, MaxOf(model), ReferenceAt(model, p), list);
}

// Seven steps with the turns 4, 5, 7, 9, 12, 13, 14. Battle 1 (entrant 0
// against entrant 1, who had won twice before) runs from step 2 (turn 5) to
// step 5 (turn 12) and player 2 wins it; battle 2 (entrant 0 against 2) is a
// draw within its one step 4 (turn 9); battle 3 (entrant 2, one win before,
// against entrant 1, three) begins at step 7 (turn 14) and has no result.
ModelBuilder Tournament()
{
    ModelBuilder builder(4, 1);
    builder.Add(MakeEntrant(Sjis("竜"), 0, 0, 100, -1, Sjis("ドラゴン")))
        .Add(MakeEntrant("AB", 1, 0, 100, -1, "Bob"))
        .Add(MakeEntrant("CD", 2, 0, 100, -1, "Cid"))
        .Move(4, {{0, 1, 0}})
        .Fight({.Turn = 5, .Battle = 1, .Player1 = {0}, .Player2 = {1}})
        .Move(7, {{0, -1, 0}})
        .Fight({.Turn = 9, .Battle = 2, .Player1 = {0}, .Player2 = {2}, .ResultCode = 2})
        .Fight({.Turn = 12, .Battle = 1, .Player1 = {0}, .Player2 = {1}, .ResultCode = 1})
        .Move(13, {{0, 1, 0}})
        .Fight({.Turn = 14, .Battle = 3, .Player1 = {2}, .Player2 = {1}})
        .Battle({.StartTurn = 5, .EndTurn = 12, .StartPosition = 2, .EndPosition = 5, .Player1 = 0, .Player2 = 1,
                 .Player1Wins = 0, .Player2Wins = 2, .ResultCode = 1})
        .Battle({.StartTurn = 9, .EndTurn = 9, .StartPosition = 4, .EndPosition = 4, .Player1 = 0, .Player2 = 2,
                 .ResultCode = 2})
        .Battle({.StartTurn = 14, .EndTurn = 14, .StartPosition = 7, .EndPosition = 7, .Player1 = 2, .Player2 = 1,
                 .Player1Wins = 1, .Player2Wins = 3});
    return builder;
}

Row RowOf(const char *caption, const char *player1, const char *player2, const char *turns, const char *result)
{
    return {caption, Sjis(player1), Sjis(player2), turns, Sjis(result)};
}

const Row Battle1Running = RowOf("B000", "竜(0) ドラゴン", "AB(2) Bob", "  5-   :  3", "");
const Row Battle1Over = RowOf("B000", "竜(0) ドラゴン", "AB(2) Bob", "  5- 12:  8", "win AB(3)");
const Row Battle2 = RowOf("B001", "竜(0) ドラゴン", "CD(0) Cid", "  9-  9:  1", "draw");
const Row Battle3 = RowOf("B002", "CD(1) Cid", "AB(3) Bob", " 14- 14:  1", "draw");

// ------------------------------------------------------------------- texts

TEST(BattleRows, WorkedExampleWhileRunningAndOnceOver)
{
    const ReplayModel model = Tournament().Build();
    FakeList list;
    Refresh(model, 3, list);
    EXPECT_EQ(list.rows, std::vector<Row>{Battle1Running});
    Refresh(model, 5, list);
    EXPECT_EQ(list.rows, (std::vector<Row>{Battle1Over, Battle2}));
}

TEST(BattleRows, RunningLengthFollowsTheReferenceTurn)
{
    const ReplayModel model = Tournament().Build();
    FakeList list;
    Refresh(model, 2, list);
    EXPECT_EQ(list.rows[0][BattleListControl::TurnsColumn], "  5-   :  1");
    Refresh(model, 4, list);
    EXPECT_EQ(list.rows[0][BattleListControl::TurnsColumn], "  5-   :  5");
    EXPECT_EQ(list.rows[0][BattleListControl::ResultColumn], "");
}

struct ResultCase {
    int Code;
    const char *Result;
};

void PrintTo(const ResultCase &c, std::ostream *out)
{
    *out << "code " << c.Code;
}

class BattleResult : public testing::TestWithParam<ResultCase> {};

TEST_P(BattleResult, ShowsTheWinnerWithOneMoreWinOrADraw)
{
    ReplayModel model = Tournament().Build();
    model.Battles[0].ResultCode = GetParam().Code;
    FakeList list;
    Refresh(model, 5, list);
    EXPECT_EQ(list.rows[0][BattleListControl::ResultColumn], Sjis(GetParam().Result));
    EXPECT_EQ(list.rows[0][BattleListControl::TurnsColumn], "  5- 12:  8");
}

INSTANTIATE_TEST_SUITE_P(Codes, BattleResult, testing::Values(
    ResultCase{0, "win 竜(1)"}, ResultCase{1, "win AB(3)"},
    ResultCase{2, "draw"}, ResultCase{-1, "draw"}, ResultCase{3, "draw"},
    ResultCase{-2, "draw"}, ResultCase{255, "draw"}));

TEST(BattleRows, BattleWithoutResultIsOverFromItsFirstStepAsADraw)
{
    const ReplayModel model = Tournament().Build();
    FakeList list;
    Refresh(model, 7, list);
    ASSERT_EQ(list.rows.size(), 3u);
    EXPECT_EQ(list.rows[2], Battle3);
}

TEST(BattleRows, CaptionCountsFromZeroAndWidensPastThreeDigits)
{
    ModelBuilder builder(2, 1);
    builder.Add(MakeEntrant("AB", 0, 0)).Add(MakeEntrant("CD", 1, 0))
        .Fight({.Player1 = {0}, .Player2 = {1}, .ResultCode = 2});
    for (int i = 0; i < 1001; ++i)
        builder.Battle({.StartTurn = 1, .EndTurn = 1, .StartPosition = 1, .EndPosition = 1, .Player1 = 0,
                        .Player2 = 1, .ResultCode = 2});
    const ReplayModel model = builder.Build();
    FakeList list;
    Refresh(model, 1, list);
    ASSERT_EQ(list.rows.size(), 1001u);
    EXPECT_EQ(list.rows[0][0], "B000");
    EXPECT_EQ(list.rows[9][0], "B009");
    EXPECT_EQ(list.rows[999][0], "B999");
    EXPECT_EQ(list.rows[1000][0], "B1000");
}

TEST(BattleRows, UnnamedPlayerShowsAsQuestionMark)
{
    ReplayModel model = Tournament().Build();
    model.Battles[0].Player2 = -1;
    model.Battles[1].Player1 = 40;  // outside the entrant table
    model.Battles[1].ResultCode = 0;
    FakeList list;
    Refresh(model, 5, list);
    EXPECT_EQ(list.rows[0][BattleListControl::Player2Column], "?(2) ?");
    EXPECT_EQ(list.rows[0][BattleListControl::ResultColumn], "win ?(3)");
    EXPECT_EQ(list.rows[1][BattleListControl::Player1Column], "?(0) ?");
    EXPECT_EQ(list.rows[1][BattleListControl::ResultColumn], "win ?(1)");
}

TEST(BattleRows, LongestTextsAreShownWhole)
{
    ReplayModel model = Tournament().Build();
    const std::string emblem(31, 'E');
    const std::string name(79, 'N');
    model.Entrants[1].Emblem.Assign(emblem);
    model.Entrants[1].Doller.Assign(name);
    model.Battles[0].Player2Wins = 32767;
    model.Battles[0].StartTurn = -123456;
    FakeList list;
    Refresh(model, 5, list);
    EXPECT_EQ(list.rows[0][BattleListControl::Player2Column], emblem + "(32767) " + name);
    EXPECT_EQ(list.rows[0][BattleListControl::ResultColumn], "win " + emblem + "(32768)");
    EXPECT_EQ(list.rows[0][BattleListControl::TurnsColumn], "-123456- 12:123469");
}

// -------------------------------------------------------------------- rows

TEST(BattleRows, RowsAppearAtTheirStartAndGoFromTheEndWhenSeekingBack)
{
    const ReplayModel model = Tournament().Build();
    FakeList list;
    const std::size_t rowsAt[] = {0, 0, 1, 1, 2, 2, 2, 3, 3};
    for (int p = 0; p <= 8; ++p) {
        Refresh(model, p, list);
        EXPECT_EQ(list.rows.size(), rowsAt[p]) << "at " << p;
    }
    const std::vector<Row> atEnd = list.rows;
    EXPECT_EQ(atEnd, (std::vector<Row>{Battle1Over, Battle2, Battle3}));

    list.calls.clear();
    Refresh(model, 3, list);
    EXPECT_EQ(list.rows, std::vector<Row>{Battle1Running});
    // The last row goes first, so that no row below a deleted one moves up.
    std::vector<std::string> deletions;
    std::copy_if(list.calls.begin(), list.calls.end(), std::back_inserter(deletions),
                 [](const std::string &call) { return call.starts_with("DeleteLastRow"); });
    EXPECT_EQ(deletions, (std::vector<std::string>{"DeleteLastRow 2", "DeleteLastRow 1"}));

    Refresh(model, 8, list);
    EXPECT_EQ(list.rows, atEnd);
    EXPECT_FALSE(list.changedOutsideUpdate);
}

TEST(BattleRows, ExistingRowsGetOnlyTheirTurnsAndResultRewritten)
{
    const ReplayModel model = Tournament().Build();
    FakeList list;
    list.rows = {Row{"first", "one", "two", "t", "r"}, Row{"second", "three", "four", "t", "r"}};
    Refresh(model, 5, list);
    EXPECT_EQ(list.rows, (std::vector<Row>{Row{"first", "one", "two", "  5- 12:  8", "win AB(3)"},
                                           Row{"second", "three", "four", "  9-  9:  1", "draw"}}));
    EXPECT_EQ(std::count_if(list.calls.begin(), list.calls.end(),
                            [](const std::string &call) { return call.starts_with("AppendRow"); }),
              0);
}

// A list refreshed with a memo skips rewriting rows that cannot have changed;
// whatever the order of the positions, it must read like one rewritten in
// full.
TEST(BattleRows, MemoShowsTheSameRowsAsAFullRewrite)
{
    const ReplayModel model = Tournament().Build();
    FakeList full;
    FakeList remembered;
    BattleListMemo memo;
    for (int p : {0, 2, 3, 5, 4, 8, 3, 7, 1, 6, 8, 2, 5, 5, 3}) {
        SCOPED_TRACE(testing::Message() << "at " << p);
        Refresh(model, p, full);
        RefreshBattleList(model, p, MaxOf(model), ReferenceAt(model, p), remembered, memo);
        EXPECT_EQ(remembered.rows, full.rows);
        EXPECT_EQ(remembered.selected, full.selected);
        EXPECT_EQ(remembered.showAlways, full.showAlways);
    }
}

// --------------------------------------------------------------- selection

struct SelectionCase {
    int Position;
    int Selected;  // -1: nothing selected
    bool ShowAlways;
};

void PrintTo(const SelectionCase &c, std::ostream *out)
{
    *out << "at " << c.Position;
}

class BattleSelection : public testing::TestWithParam<SelectionCase> {};

TEST_P(BattleSelection, SelectsTheBattleOfAFightStepBeforeTheEnd)
{
    const SelectionCase &c = GetParam();
    const ReplayModel model = Tournament().Build();
    FakeList list;
    Refresh(model, c.Position, list);
    EXPECT_EQ(list.selected, c.Selected);
    EXPECT_EQ(list.showAlways, c.ShowAlways);
    // The selection is hidden without the focus first, and shown again only
    // with a selected row.
    const auto hidden = std::find(list.calls.begin(), list.calls.end(), "ShowSelectionAlways off");
    ASSERT_NE(hidden, list.calls.end());
    EXPECT_EQ(std::find_if(list.calls.begin(), hidden,
                           [](const std::string &call) { return call.starts_with("SelectRow"); }),
              hidden);
    EXPECT_EQ(list.calls.back(), "EndUpdate");
    EXPECT_FALSE(list.changedOutsideUpdate);
}

INSTANTIATE_TEST_SUITE_P(Positions, BattleSelection, testing::Values(
    SelectionCase{0, -1, false}, SelectionCase{1, -1, false},
    SelectionCase{2, 0, true}, SelectionCase{3, -1, false},
    SelectionCase{4, 1, true}, SelectionCase{5, 0, true},
    SelectionCase{6, -1, false}, SelectionCase{7, 2, true},
    SelectionCase{8, -1, false}));

TEST(BattleSelection, AtZeroTheFirstFightHasNoRowToSelect)
{
    const ReplayModel model = ModelBuilder(2, 1)
                                  .Add(MakeEntrant("AB", 0, 0)).Add(MakeEntrant("CD", 1, 0))
                                  .Fight({.Player1 = {0}, .Player2 = {1}})
                                  .Battle({.StartTurn = 1, .EndTurn = 1, .StartPosition = 1, .EndPosition = 1,
                                           .Player1 = 0, .Player2 = 1})
                                  .Build();
    FakeList list;
    Refresh(model, 0, list);
    EXPECT_TRUE(list.rows.empty());
    EXPECT_EQ(list.selected, -1);
    EXPECT_FALSE(list.showAlways);
}

TEST(BattleSelection, WithoutStepsNothingIsSelected)
{
    const ReplayModel model = ModelBuilder(2, 1).Add(MakeEntrant("AB", 0, 0)).Build();
    FakeList list;
    Refresh(model, 1, list);
    EXPECT_TRUE(list.rows.empty());
    EXPECT_EQ(list.selected, -1);
    EXPECT_EQ(list.calls,
              (std::vector<std::string>{"BeginUpdate", "ShowMoment", "ShowSelectionAlways off", "EndUpdate"}));
}

// ------------------------------------------------- through the whole viewer

TEST(BattleListInViewer, FollowsTheSliderOverALoadedTournament)
{
    const std::unique_ptr<ReplaySession> viewer = OpenSession(TwoBattles());
    const Row first = RowOf("B000", "竜(0) Ryu", "AB(0) Bob", "  2-   :  1", "");
    const Row firstOver = RowOf("B000", "竜(0) Ryu", "AB(0) Bob", "  2-  3:  2", "win AB(1)");
    const Row second = RowOf("B001", "AB(1) Bob", "CD(0) Cid", "  4-   :  1", "");
    const Row secondLater = RowOf("B001", "AB(1) Bob", "CD(0) Cid", "  4-   :  2", "");
    const Row secondOver = RowOf("B001", "AB(1) Bob", "CD(0) Cid", "  4-  6:  3", "win AB(2)");
    struct Expected {
        std::vector<Row> Rows;
        int Selected;
    };
    const Expected forward[] = {
        {{}, -1},                         // 1: move
        {{first}, 0},                     // 2: battle 1 begins
        {{firstOver}, 0},                 // 3: battle 1 ends
        {{firstOver}, 0},                 // 4: move, the selection stays
        {{firstOver, second}, 1},         // 5: battle 2 begins
        {{firstOver, secondLater}, 1},    // 6: move
        {{firstOver, secondOver}, 1},     // 7: battle 2 ends
        {{firstOver, secondOver}, 1},     // 8: the end
    };
    for (int p = 1; p <= 8; ++p) {
        SCOPED_TRACE(testing::Message() << "at " << p);
        ASSERT_TRUE(viewer->MoveSlider(p));
        EXPECT_EQ(viewer->BattleList().Rows(), forward[p - 1].Rows);
        EXPECT_EQ(viewer->BattleList().SelectedRow(), forward[p - 1].Selected);
    }

    ASSERT_TRUE(viewer->MoveSlider(2));
    EXPECT_EQ(viewer->BattleList().Rows(), std::vector<Row>{first});
    EXPECT_EQ(viewer->BattleList().SelectedRow(), 0);
    ASSERT_TRUE(viewer->MoveSlider(0));
    EXPECT_TRUE(viewer->BattleList().Rows().empty());
}

TEST(BattleListInViewer, BattleWithoutResultLineIsOneTurnLongAndADraw)
{
    const std::unique_ptr<ReplaySession> viewer = OpenSession(ScriptBuilder(3, 1)
                                                                  .Entrant("AB", 0, 0, "Al").Entrant("CD", 2, 0, "Cy")
                                                                  .Turn().Move(0, 1, 0)
                                                                  .Turn().Fight(1).Player(0, 0, 50).Player(1, 1, 40)
                                                                  .Turn().Move(0, -1, 0)
                                                                  .Text());
    const Row drawn = RowOf("B000", "AB(0) Al", "CD(0) Cy", "  2-  2:  1", "draw");
    ASSERT_TRUE(viewer->MoveSlider(2));
    EXPECT_EQ(viewer->BattleList().Rows(), std::vector<Row>{drawn});
    ASSERT_TRUE(viewer->MoveSlider(3));
    EXPECT_EQ(viewer->BattleList().Rows(), std::vector<Row>{drawn});
}

} // namespace
