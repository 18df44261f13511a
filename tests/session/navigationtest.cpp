// The session's moves by keys and menus (single steps, battle starts and
// ends), and the entrant under a point of the map with its record so far.

#include "scripttext.h"
#include "sessiontestkit.h"

#include <gtest/gtest.h>

#include <optional>

using namespace ostrel;

namespace {

// TwoBattles: battle 1 (index 0) runs from step 2 to step 3, battle 2 from
// step 5 to step 7; the end position is 8.
constexpr int Max = 8;

std::unique_ptr<ReplaySession> At(int position)
{
    auto session = OpenSession(TwoBattles());
    session->MoveSlider(position);
    return session;
}

struct Jump {
    const char *name;
    bool (*run)(ReplaySession &);
    int from;
    std::optional<int> to;  // nothing: no move, and the jump reports false
};

void PrintTo(const Jump &jump, std::ostream *out)
{
    *out << jump.name << " from " << jump.from;
}

class JumpTest : public ::testing::TestWithParam<Jump> {};

TEST_P(JumpTest, LandsOnTheBattleEdgeOrStays)
{
    const Jump &jump = GetParam();
    auto session = At(jump.from);
    EXPECT_EQ(jump.run(*session), jump.to.has_value());
    EXPECT_EQ(session->SliderPosition(), jump.to.value_or(jump.from));
    EXPECT_EQ(session->CurrentPosition(), session->SliderPosition());
}

bool Start0(ReplaySession &s) { return s.JumpToBattleStart(0); }
bool End0(ReplaySession &s) { return s.JumpToBattleEnd(0); }
bool Start1(ReplaySession &s) { return s.JumpToBattleStart(1); }
bool End1(ReplaySession &s) { return s.JumpToBattleEnd(1); }
bool StartOfMissing(ReplaySession &s) { return s.JumpToBattleStart(2); }
bool EndOfNegative(ReplaySession &s) { return s.JumpToBattleEnd(-1); }
bool Previous(ReplaySession &s) { return s.JumpToPreviousBattle(); }
bool Next(ReplaySession &s) { return s.JumpToNextBattle(); }
// Entrant 0 fights battle 1 and goes out at its end; entrant 1 fights both
// and stays in play.
bool NextOf1(ReplaySession &s) { return s.Follow(1), s.JumpToFollowedBattle(1); }
bool PreviousOf1(ReplaySession &s) { return s.Follow(1), s.JumpToFollowedBattle(-1); }
bool ExitOf0(ReplaySession &s) { return s.Follow(0), s.JumpToFollowedExit(); }
bool ExitOf1(ReplaySession &s) { return s.Follow(1), s.JumpToFollowedExit(); }
bool NextOfNobody(ReplaySession &s) { return s.Follow(3), s.JumpToFollowedBattle(1); }

INSTANTIATE_TEST_SUITE_P(Battles, JumpTest,
                         ::testing::Values(Jump{"start of battle 1", Start0, Max, 2},
                                           Jump{"end of battle 1", End0, 0, 3},
                                           Jump{"start of battle 2", Start1, 0, 5},
                                           Jump{"end of battle 2", End1, 0, 7},
                                           Jump{"start of battle 3", StartOfMissing, 4, std::nullopt},
                                           Jump{"end of battle 0", EndOfNegative, 4, std::nullopt},
                                           Jump{"next", Next, 0, 2}, Jump{"next", Next, 2, 5},
                                           Jump{"next", Next, 4, 5}, Jump{"next", Next, 5, std::nullopt},
                                           Jump{"previous", Previous, Max, 5}, Jump{"previous", Previous, 5, 2},
                                           Jump{"previous", Previous, 3, 2},
                                           Jump{"previous", Previous, 2, std::nullopt}));

INSTANTIATE_TEST_SUITE_P(FollowedEntrant, JumpTest,
                         ::testing::Values(Jump{"next of 1", NextOf1, 0, 2}, Jump{"next of 1", NextOf1, 2, 5},
                                           Jump{"next of 1", NextOf1, 5, std::nullopt},
                                           Jump{"previous of 1", PreviousOf1, Max, 5},
                                           Jump{"previous of 1", PreviousOf1, 2, std::nullopt},
                                           Jump{"exit of 0", ExitOf0, 0, 3}, Jump{"exit of 0", ExitOf0, 3, std::nullopt},
                                           Jump{"exit of 1", ExitOf1, 0, std::nullopt},
                                           Jump{"next of nobody", NextOfNobody, 0, std::nullopt}));

TEST(SessionFollow, SurvivesAReloadOfTheSameFileOnly)
{
    const ScriptFolder files;
    const QString two = files.Write(QStringLiteral("two.ostrelScript"), TwoBattles());
    const QString one = files.Write(QStringLiteral("one.ostrelScript"), Preamble(1));
    ReplaySession session;
    ASSERT_TRUE(session.OpenScript(two).Succeeded());
    session.Follow(2);
    ASSERT_EQ(session.Followed(), 2);
    EXPECT_EQ(session.FollowedExit(), 7);
    ASSERT_TRUE(session.OpenScript(two).Succeeded());
    EXPECT_EQ(session.Followed(), 2);
    EXPECT_EQ(session.FollowedHistory().Battles.size(), 1u);
    ASSERT_TRUE(session.OpenScript(one).Succeeded());
    EXPECT_EQ(session.Followed(), -1);
    session.Follow(0);
    files.Write(QStringLiteral("one.ostrelScript"), Preamble(0));  // the index no longer names an entrant
    ASSERT_TRUE(session.OpenScript(one).Succeeded());
    EXPECT_EQ(session.Followed(), -1);
}

TEST(SessionMoves, DoNothingBeforeALoad)
{
    ReplaySession session;
    EXPECT_FALSE(session.StepBy(1));
    EXPECT_FALSE(session.JumpToNextBattle());
    EXPECT_FALSE(session.JumpToBattleStart(0));
    EXPECT_FALSE(session.PlayOrPause());
    EXPECT_EQ(session.SliderPosition(), 0);
    EXPECT_FALSE(session.Playing());
}

TEST(SessionMoves, ABattleJumpKeepsPlaying)
{
    auto session = At(0);
    session->ToolButtonPlayClick();
    ASSERT_TRUE(session->JumpToNextBattle());
    EXPECT_TRUE(session->Playing());
    EXPECT_EQ(session->SliderPosition(), 2);
}

TEST(SessionMoves, AStepPausesFirstAndStaysInRange)
{
    auto session = At(3);
    session->ToolButtonFwdClick();
    ASSERT_TRUE(session->StepBy(1));
    EXPECT_FALSE(session->Playing());
    EXPECT_EQ(session->TimerInterval(), 0);
    EXPECT_EQ(session->SliderPosition(), 4);
    EXPECT_EQ(session->Enabled(), (PlaybackControls{true, true, false, true, true}));

    ASSERT_TRUE(session->StepBy(-10));
    EXPECT_EQ(session->SliderPosition(), 0);

    // Playing at the end, a step forward only pauses; the play buttons read
    // the end as after any move there.
    session->MoveSlider(Max);
    session->ToolButtonPlayClick();
    ASSERT_TRUE(session->StepBy(1));
    EXPECT_EQ(session->SliderPosition(), Max);
    EXPECT_EQ(session->Enabled(), (PlaybackControls{false, false, false, true, true}));
}

// Cell (c, r) spans map pixels 10 + 25c to 34 + 25c.
QPoint InCell(int column, int row, int dx = 12, int dy = 12)
{
    return {10 + 25 * column + dx, 10 + 25 * row + dy};
}

TEST(SessionEntrants, TheEntrantUnderAPointOfTheMap)
{
    auto session = At(0);
    EXPECT_EQ(session->EntrantAtMapPoint(InCell(0, 0)), 0);
    EXPECT_EQ(session->EntrantAtMapPoint(InCell(2, 0, 0, 24)), 1);
    EXPECT_EQ(session->EntrantAtMapPoint(InCell(0, 2, 24, 0)), 2);
    EXPECT_EQ(session->EntrantAtMapPoint(InCell(3, 3)), -1) << "empty cell";
    EXPECT_EQ(session->EntrantAtMapPoint({5, 5}), -1) << "margin";
    EXPECT_EQ(session->EntrantAtMapPoint({-30, 20}), -1) << "left of the map";
    EXPECT_EQ(session->EntrantAtMapPoint(InCell(4, 0)), -1) << "right of the arena";
    session->MoveSlider(1);
    EXPECT_EQ(session->EntrantAtMapPoint(InCell(1, 0)), 0) << "after its move";
    EXPECT_EQ(ReplaySession().EntrantAtMapPoint(InCell(0, 0)), -1) << "nothing loaded";
}

TEST(SessionEntrants, ARecordCountsWhatTheReplayHasReached)
{
    struct Case {
        int position, entrant, wins;
        std::vector<int> battles;
    };
    for (const Case &c : {Case{0, 1, 0, {}}, Case{2, 1, 0, {0}}, Case{3, 1, 1, {0}}, Case{5, 1, 1, {0, 1}},
                          Case{7, 1, 2, {0, 1}}, Case{Max, 0, 0, {0}}, Case{Max, 2, 0, {1}}, Case{Max, 7, 0, {}}}) {
        const EntrantRecord record = At(c.position)->RecordOf(c.entrant);
        EXPECT_EQ(record.Wins, c.wins) << "entrant " << c.entrant << " at " << c.position;
        EXPECT_EQ(record.Battles, c.battles) << "entrant " << c.entrant << " at " << c.position;
    }
}

} // namespace
